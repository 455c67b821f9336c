#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace zarvelo {

/**
 * The user's own words: a plain UTF-8 word list, one word a line, that the
 * user can read and edit. Words are kept in their checked form (see
 * checkedForm()), so a word added once with its vowels matches it bare too.
 * The file is rewritten whole and atomically on every addition.
 */
class PersonalDictionary final
{
public:
    /** A dictionary kept in `path`; an empty path keeps nothing on disk. */
    explicit PersonalDictionary(QString path = QString());

    /** Where the program keeps the user's words: a file in the user's data folder. */
    static QString defaultPath();

    /** Reads the file; a missing file is an empty list. */
    void load();
    bool contains(const QString &word) const { return m_words.contains(word); }
    QStringList words() const { return m_order; }

    /** Adds the word and saves the list. The word stays added for this run
        even when saving fails; false then. */
    bool add(const QString &word);
    QString path() const { return m_path; }

private:
    void merge();
    bool save() const;

    QString m_path;
    QStringList m_order; // as the file lists them
    QSet<QString> m_words;
};

} // namespace zarvelo
