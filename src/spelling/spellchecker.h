#pragma once

#include "spelling/personaldictionary.h"
#include "spelling/wordfinder.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace zarvelo {

class HunspellDictionary;

/** The dictionary of each script; either may be missing. */
struct SpellDictionaries
{
    std::shared_ptr<HunspellDictionary> arabic;
    std::shared_ptr<HunspellDictionary> latin;

    /** Where Debian's dictionary packages put them. */
    static QString systemFolder();
    /** Opens the Arabic (ar.aff, ar.dic) and American English (en_US.aff,
        en_US.dic) dictionaries of the folder. Slow (a tenth of a second):
        meant for a loader thread. */
    static SpellDictionaries load(const QString &folder);
};

/**
 * Decides which words are misspelt: each word against the dictionary of its
 * script, after the user's own words and the words ignored for this run.
 * A script without a dictionary is not checked at all. Verdicts are kept per
 * word, so a word is looked up in Hunspell once however often it appears.
 */
class SpellChecker final
{
public:
    /** `personalPath`: the user's word list (read now); empty for none. */
    explicit SpellChecker(SpellDictionaries dictionaries, const QString &personalPath = QString());

    bool hasDictionary(Script script) const { return dictionary(script) != nullptr; }

    /** The verdict on a word in its checked form, when it is already known
        without asking Hunspell; nullopt when it still has to be looked up. */
    std::optional<bool> knownMisspelt(const QString &form, Script script) const;
    /** The verdict on a word in its checked form, looking it up if needed. */
    bool isMisspelt(const QString &form, Script script);
    /** The misspelt words of one paragraph, looked up now. */
    QList<Word> misspeltWords(QStringView paragraph);

    /** Up to `limit` spellings the dictionary offers for the word, best first. */
    QStringList suggestions(QStringView word, Script script, int limit = 5) const;

    /** Adds the word to the user's own words, for good. False when the list
        could not be saved (the word is still accepted for this run). */
    bool addToPersonal(QStringView word, Script script);
    /** Accepts the word until the program ends. */
    void ignore(QStringView word);

    const PersonalDictionary &personal() const { return m_personal; }

private:
    HunspellDictionary *dictionary(Script script) const;

    SpellDictionaries m_dictionaries;
    PersonalDictionary m_personal;
    QSet<QString> m_ignored;
    QHash<QString, bool> m_misspelt; // checked form -> verdict
};

} // namespace zarvelo
