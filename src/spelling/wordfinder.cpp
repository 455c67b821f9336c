#include "spelling/wordfinder.h"

#include <array>
#include <vector>

namespace zarvelo {

namespace {

constexpr char16_t kTatweel = 0x0640;
constexpr char16_t kLoneCr = 0xE00D; // the editor's stand-in for a lone CR

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isSeparator(QChar c)
{
    return c.isSpace() || c == QChar(kLoneCr);
}

/** The tags whose content is an address or code, never prose. The link and
    e-mail tags hold an address only when they have no value of their own. */
bool holdsNoProse(QStringView name, bool hasValue)
{
    static const std::array<QLatin1String, 4> always{QLatin1String("img"), QLatin1String("code"),
                                                     QLatin1String("html"), QLatin1String("php")};
    for (QLatin1String tag : always) {
        if (name.compare(tag, Qt::CaseInsensitive) == 0)
            return true;
    }
    return !hasValue
        && (name.compare(QLatin1String("url"), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String("email"), Qt::CaseInsensitive) == 0);
}

/** Marks the tag that opens at `at`, and the content of a tag that holds no
    prose; returns where the scan goes on, or `at` when no tag opens there. */
qsizetype markTag(QStringView text, qsizetype at, std::vector<char> &markup)
{
    const qsizetype n = text.size();
    qsizetype j = at + 1;
    const bool closing = j < n && text[j] == u'/';
    if (closing)
        ++j;
    const qsizetype nameStart = j;
    while (j < n && (isAsciiLetter(text[j]) || text[j] == u'*' || (j > nameStart && text[j].isDigit())))
        ++j;
    if (j == nameStart || j == n)
        return at;
    const QStringView name = text.mid(nameStart, j - nameStart);
    qsizetype end = 0;
    bool hasValue = false;
    if (text[j] == u']') {
        end = j + 1;
    } else if (text[j] == u'=' && !closing) {
        hasValue = true;
        // A value still being typed, with no "]" yet, is markup to the end.
        const qsizetype close = text.indexOf(u']', j);
        end = close < 0 ? n : close + 1;
    } else {
        return at;
    }
    std::fill(markup.begin() + at, markup.begin() + end, 1);
    if (closing || !holdsNoProse(name, hasValue))
        return end;
    const QString closeTag = QLatin1String("[/") + name.toString() + QLatin1Char(']');
    const qsizetype contentEnd = [&] {
        const qsizetype found = text.indexOf(closeTag, end, Qt::CaseInsensitive);
        return found < 0 ? n : found;
    }();
    std::fill(markup.begin() + end, markup.begin() + contentEnd, 1);
    return contentEnd;
}

bool isAddress(QStringView token)
{
    if (token.contains(QLatin1String("://")) || token.startsWith(QLatin1String("www."), Qt::CaseInsensitive)
        || token.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return true;
    const qsizetype at = token.indexOf(u'@');
    return at > 0 && token.indexOf(u'.', at) > at + 1;
}

/** Marks every tag, the content of address and code tags, and bare addresses. */
std::vector<char> markupMask(QStringView text)
{
    const qsizetype n = text.size();
    std::vector<char> markup(size_t(n), 0);
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == u'[') {
            const qsizetype next = markTag(text, i, markup);
            if (next > i)
                i = next - 1;
        }
    }
    qsizetype i = 0;
    while (i < n) {
        if (markup[size_t(i)] || isSeparator(text[i])) {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < n && !markup[size_t(j)] && !isSeparator(text[j]))
            ++j;
        if (isAddress(text.mid(i, j - i)))
            std::fill(markup.begin() + i, markup.begin() + j, 1);
        i = j;
    }
    return markup;
}

enum class Kind : char { Separator, Arabic, Latin, Other, Digit, Mark, Tatweel, Apostrophe };

Kind kindOf(QChar c)
{
    if (c == QChar(kTatweel))
        return Kind::Tatweel;
    if (c == u'\'' || c == QChar(0x2019))
        return Kind::Apostrophe;
    if (c.isDigit())
        return Kind::Digit;
    if (c.isMark())
        return c.script() == QChar::Script_Arabic ? Kind::Arabic : Kind::Mark;
    if (!c.isLetter())
        return Kind::Separator;
    switch (c.script()) {
    case QChar::Script_Arabic:
        return Kind::Arabic;
    case QChar::Script_Latin:
        return Kind::Latin;
    default:
        return Kind::Other;
    }
}

bool isAbbreviation(QStringView word)
{
    if (word.size() < 2)
        return false;
    for (QChar c : word) {
        if (c.isLower())
            return false;
    }
    return true;
}

/** Splits one token (no separators, no digits) into its words by script. */
void splitToken(QStringView text, qsizetype start, qsizetype end, QList<Word> &words)
{
    std::vector<Kind> kinds;
    kinds.reserve(size_t(end - start));
    for (qsizetype i = start; i < end; ++i) {
        Kind kind = kindOf(text[i]);
        const Kind before = kinds.empty() ? Kind::Separator : kinds.back();
        if (kind == Kind::Mark) // a combining mark belongs to the letter it sits on
            kind = before == Kind::Separator ? Kind::Other : before;
        else if (kind == Kind::Tatweel)
            kind = Kind::Arabic;
        else if (kind == Kind::Apostrophe) // only inside a Latin word ("don't")
            kind = before == Kind::Latin && i + 1 < end && kindOf(text[i + 1]) == Kind::Latin
                ? Kind::Latin
                : Kind::Separator;
        kinds.push_back(kind);
    }
    qsizetype i = 0;
    const qsizetype n = end - start;
    while (i < n) {
        const Kind kind = kinds[size_t(i)];
        qsizetype j = i + 1;
        while (j < n && kinds[size_t(j)] == kind)
            ++j;
        const QStringView word = text.mid(start + i, j - i);
        if (kind == Kind::Arabic) {
            // A run of tatweel or marks alone is decoration, not a word.
            bool hasLetter = false;
            for (QChar c : word)
                hasLetter = hasLetter || (c.isLetter() && c != QChar(kTatweel));
            if (hasLetter)
                words.append({start + i, j - i, Script::Arabic});
        } else if (kind == Kind::Latin && !isAbbreviation(word)) {
            words.append({start + i, j - i, Script::Latin});
        }
        i = j;
    }
}

} // namespace

QList<Word> findWords(QStringView paragraph)
{
    QList<Word> words;
    const std::vector<char> markup = markupMask(paragraph);
    const qsizetype n = paragraph.size();
    qsizetype i = 0;
    while (i < n) {
        if (markup[size_t(i)] || kindOf(paragraph[i]) == Kind::Separator) {
            ++i;
            continue;
        }
        qsizetype j = i;
        bool digits = false;
        while (j < n && !markup[size_t(j)] && kindOf(paragraph[j]) != Kind::Separator) {
            digits = digits || paragraph[j].isDigit();
            ++j;
        }
        // Codes, versions and numbers ("mp3", "2nd", "x86") are no words.
        if (!digits)
            splitToken(paragraph, i, j, words);
        i = j;
    }
    return words;
}

Word wordAt(QStringView paragraph, qsizetype position)
{
    Word touching;
    for (const Word &word : findWords(paragraph)) {
        if (word.start <= position && position < word.end())
            return word;
        if (word.end() == position)
            touching = word;
    }
    return touching;
}

QString checkedForm(QStringView word)
{
    const QString composed = word.toString().normalized(QString::NormalizationForm_C);
    QString out;
    out.reserve(composed.size());
    for (QChar c : composed) {
        const char16_t u = c.unicode();
        if (u == kTatweel || (u >= 0x064B && u <= 0x0652) || u == 0x0670)
            continue;
        out += u == 0x2019 ? QChar(u'\'') : c;
    }
    return out;
}

} // namespace zarvelo
