#include "search/textmatch.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

namespace zarvelo {

namespace {

constexpr char16_t kTatweel = 0x0640;
constexpr char16_t kAlef = 0x0627;

/** Harakat, tanween, shadda, sukun and the other marks written over and
    under letters, and the superscript alef. The madda and the hamza marks
    (U+0653 to U+0655) are left out: they make a letter of their own. */
bool isHaraka(char16_t c)
{
    return (c >= 0x064B && c <= 0x0652) || (c >= 0x0656 && c <= 0x065F) || c == 0x0670;
}

bool isVariationSelector(char32_t c)
{
    return (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF);
}

/** Whether a character joins the one before it into one grapheme: a mark,
    a variation selector or an emoji's skin tone. */
bool isExtending(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing || isVariationSelector(c)
        || (c >= 0x1F3FB && c <= 0x1F3FF);
}

/** The code point that starts at i, or the one that ends just before i when
    `before` is set. */
char32_t codePointAt(QStringView text, qsizetype i, bool before)
{
    if (before) {
        const QChar low = text[i - 1];
        if (low.isLowSurrogate() && i >= 2 && text[i - 2].isHighSurrogate())
            return QChar::surrogateToUcs4(text[i - 2], low);
        return low.unicode();
    }
    const QChar high = text[i];
    if (high.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(high, text[i + 1]);
    return high.unicode();
}

bool isWordCharacter(char32_t c)
{
    if (c == u'_')
        return true;
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return QChar::isLetterOrNumber(c);
    }
}

/** Whether a match may start or end at i. Between two characters of one
    grapheme it may not (a CR LF pair, a surrogate pair, an emoji with its
    joiners, modifiers and selectors), except before a combining mark: a
    haraka that is not passed over may be left outside a match. */
bool isCuttable(QStringView text, qsizetype i)
{
    if (i <= 0 || i >= text.size())
        return true;
    const char16_t before = text[i - 1].unicode();
    const char16_t after = text[i].unicode();
    // Latin text, punctuation and the Arabic letters alone: always apart.
    const auto plain = [](char16_t c) { return (c >= 0x20 && c < 0x300) || (c >= 0x0621 && c <= 0x064A); };
    if (plain(before) && plain(after))
        return true;
    if (before == u'\r' && after == u'\n')
        return false;
    if (QChar::isHighSurrogate(before) && QChar::isLowSurrogate(after))
        return false;
    const char32_t next = codePointAt(text, i, false);
    if (QChar::category(next) == QChar::Mark_NonSpacing && !isVariationSelector(next))
        return true;
    // Enough context for any emoji sequence that is not a flag run of a
    // dozen flags or more, and, after a joiner, for the marks before it
    // however many they are: an emoji, marks, a joiner and an emoji make one.
    constexpr qsizetype kContext = 24;
    qsizetype from = qMax<qsizetype>(0, i - kContext);
    if (before == 0x200D) {
        qsizetype mark = i - 1;
        while (mark > 0 && isExtending(codePointAt(text, mark, true)))
            mark -= QChar::requiresSurrogates(codePointAt(text, mark, true)) ? 2 : 1;
        from = qMax<qsizetype>(0, qMin(from, mark - 2));
    }
    const qsizetype to = qMin<qsizetype>(text.size(), i + kContext);
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text.constData() + from, to - from);
    graphemes.setPosition(i - from);
    return graphemes.isAtBoundary();
}

/** Whether i lies strictly inside one of the stretches (in order; touching
    stretches count as one). */
bool isInside(const QList<TextRange> &markup, qsizetype i)
{
    // The last stretch that starts before i, then back over the ones that
    // touch it, which make one stretch with it.
    auto it = std::lower_bound(markup.begin(), markup.end(), i,
                               [](const TextRange &range, qsizetype at) { return range.start < at; });
    if (it == markup.begin())
        return false;
    --it;
    qsizetype end = it->end();
    // A stretch ending at i may be joined by the next, which starts at i.
    if (end == i && std::next(it) != markup.end() && std::next(it)->start == i)
        end = std::next(it)->end();
    return i < end;
}

} // namespace

TextMatcher::TextMatcher(QStringView searchText, const MatchOptions &options)
    : m_options(options)
{
    m_needle.reserve(searchText.size());
    for (const QChar c : searchText) {
        if (!passesOver(c.unicode()))
            m_needle += QChar(fold(c.unicode()));
    }
}

bool TextMatcher::passesOver(char16_t c) const
{
    return (m_options.ignoreHarakat && isHaraka(c)) || (m_options.ignoreTatweel && c == kTatweel);
}

char16_t TextMatcher::fold(char16_t c) const
{
    if (c < 0x80)
        return !m_options.matchCase && c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
    if (c >= 0x0622 && c <= 0x06F9) {
        switch (c) {
        case 0x0622: // آ
        case 0x0623: // أ
        case 0x0625: // إ
        case 0x0671: // ٱ
            return m_options.alefForms ? kAlef : c;
        case 0x0649: // ى
            return m_options.yehForms ? char16_t(0x064A) : c;
        case 0x0629: // ة
            return m_options.tehMarbuta ? char16_t(0x0647) : c;
        default:
            break;
        }
        if (m_options.ignoreHarakat && c >= 0x0660 && c <= 0x0669)
            return char16_t(u'0' + (c - 0x0660));
        if (m_options.ignoreHarakat && c >= 0x06F0 && c <= 0x06F9)
            return char16_t(u'0' + (c - 0x06F0));
        return c;
    }
    if (m_options.matchCase || QChar::isSurrogate(c))
        return c;
    // Simple case folding keeps one unit for one.
    const char32_t folded = QChar::toCaseFolded(char32_t(c));
    return folded <= 0xFFFF ? char16_t(folded) : c;
}

QList<TextRange> TextMatcher::findAll(QStringView text, const QList<TextRange> &markup) const
{
    QList<TextRange> found;
    if (m_needle.isEmpty() || text.size() < m_needle.size())
        return found;
    // The text folded, and where each of its characters came from.
    QString folded(text.size(), Qt::Uninitialized);
    std::vector<qsizetype> from(size_t(text.size()));
    QChar *to = folded.data();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (passesOver(c))
            continue;
        to[kept] = QChar(fold(c));
        from[size_t(kept)] = i;
        ++kept;
    }
    const QStringView haystack = QStringView(folded).first(kept);
    const qsizetype n = m_needle.size();
    for (qsizetype at = haystack.indexOf(m_needle); at >= 0; at = haystack.indexOf(m_needle, at)) {
        const qsizetype start = from[size_t(at)];
        qsizetype end = from[size_t(at + n - 1)] + 1;
        while (end < text.size() && passesOver(text[end].unicode()))
            ++end;
        if (!accepts(text, start, end, markup)) {
            ++at;
            continue;
        }
        found.append({start, end - start});
        at += n;
    }
    return found;
}

bool TextMatcher::accepts(QStringView text, qsizetype start, qsizetype end,
                          const QList<TextRange> &markup) const
{
    if (!isCuttable(text, start) || !isCuttable(text, end))
        return false;
    if (m_options.wholeWord) {
        if (start > 0 && isWordCharacter(codePointAt(text, start, true)))
            return false;
        if (end < text.size() && isWordCharacter(codePointAt(text, end, false)))
            return false;
    }
    if (m_options.skipTags && (isInside(markup, start) || isInside(markup, end)))
        return false;
    return true;
}

QList<TextRange> postMarkup(QStringView post, const MarkupFinder &finder)
{
    QList<TextRange> markup;
    if (!finder)
        return markup;
    QList<TextRange> line;
    qsizetype start = 0;
    while (start <= post.size()) {
        qsizetype end = start;
        while (end < post.size() && post[end] != u'\r' && post[end] != u'\n')
            ++end;
        line.clear();
        finder(post.mid(start, end - start), line);
        for (const TextRange &stretch : std::as_const(line))
            markup.append({start + stretch.start, stretch.length});
        if (end >= post.size())
            break;
        start = end + (post[end] == u'\r' && end + 1 < post.size() && post[end + 1] == u'\n' ? 2 : 1);
    }
    return markup;
}

QString replaceMatches(QStringView text, const QList<TextRange> &matches, QStringView replacement)
{
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    for (const TextRange &match : matches) {
        out += text.mid(done, match.start - done);
        out += replacement;
        done = match.end();
    }
    out += text.mid(done);
    return out;
}

} // namespace zarvelo
