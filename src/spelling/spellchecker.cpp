#include "spelling/spellchecker.h"

#include "spelling/hunspelldictionary.h"

namespace zarvelo {

QString SpellDictionaries::systemFolder()
{
    return QStringLiteral("/usr/share/hunspell");
}

SpellDictionaries SpellDictionaries::load(const QString &folder)
{
    auto open = [&folder](const char *name) -> std::shared_ptr<HunspellDictionary> {
        const QString base = folder + QLatin1Char('/') + QLatin1String(name);
        return HunspellDictionary::open(base + QLatin1String(".aff"), base + QLatin1String(".dic"));
    };
    return {open("ar"), open("en_US")};
}

SpellChecker::SpellChecker(SpellDictionaries dictionaries, const QString &personalPath)
    : m_dictionaries(std::move(dictionaries))
    , m_personal(personalPath)
{
    m_personal.load();
    // Hunspell learns the user's words too, so that it can offer them.
    for (const QString &word : m_personal.words()) {
        const QList<Word> found = findWords(word);
        if (HunspellDictionary *dict = found.isEmpty() ? nullptr : dictionary(found.first().script))
            dict->add(word);
    }
}

HunspellDictionary *SpellChecker::dictionary(Script script) const
{
    return (script == Script::Arabic ? m_dictionaries.arabic : m_dictionaries.latin).get();
}

std::optional<bool> SpellChecker::knownMisspelt(const QString &form, Script script) const
{
    if (!hasDictionary(script) || m_personal.contains(form) || m_ignored.contains(form))
        return false;
    const auto known = m_misspelt.constFind(form);
    if (known != m_misspelt.constEnd())
        return *known;
    return std::nullopt;
}

bool SpellChecker::isMisspelt(const QString &form, Script script)
{
    if (const std::optional<bool> known = knownMisspelt(form, script))
        return *known;
    const bool misspelt = !dictionary(script)->spell(form);
    m_misspelt.insert(form, misspelt);
    return misspelt;
}

QList<Word> SpellChecker::misspeltWords(QStringView paragraph)
{
    QList<Word> out;
    for (const Word &word : findWords(paragraph)) {
        if (isMisspelt(checkedForm(paragraph.mid(word.start, word.length)), word.script))
            out.append(word);
    }
    return out;
}

QStringList SpellChecker::suggestions(QStringView word, Script script, int limit) const
{
    HunspellDictionary *dict = dictionary(script);
    if (!dict)
        return {};
    const QString form = checkedForm(word);
    QStringList out;
    for (const QString &suggestion : dict->suggest(form, limit + 3)) {
        if (suggestion != form && !out.contains(suggestion) && out.size() < limit)
            out.append(suggestion);
    }
    return out;
}

bool SpellChecker::addToPersonal(QStringView word, Script script)
{
    const QString form = checkedForm(word);
    if (HunspellDictionary *dict = dictionary(script))
        dict->add(form);
    m_misspelt.insert(form, false);
    return m_personal.add(form);
}

void SpellChecker::ignore(QStringView word)
{
    m_ignored.insert(checkedForm(word));
}

} // namespace zarvelo
