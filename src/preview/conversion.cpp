#include "preview/conversion.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

namespace zarvelo {

namespace {

// The long openings are written character for character, the lone apostrophe
// after "bgcolor=#C0C0C0" and the "<div><strong>" that the plain quote leaves
// open included: posts previewed here must look as they will on the forum.
constexpr char16_t kNamedQuoteOpening[] =
    u"<div style='margin-left: 20px; margin-right: 20px; margin-top: 5px; "
    u"margin-bottom: 20px'><div class='smallfont' style='margin-bottom: "
    u"2px'>إقتباس:</div><table cellSpacing='0' cellPadding='6' width='90%' "
    u"border='0'><tr><td class='alt2' style='border: 1px inset' "
    u"bgcolor='#C0C0C0'><div>المشاركة الأصلية بواسطة:<strong>";
constexpr char16_t kNamedQuoteNameClose[] = u"</strong></div><div style='font-style: italic'>";
constexpr char16_t kPlainQuoteOpening[] =
    u"<div align='right' style='margin-left: 20px; margin-right: 20px; "
    u"margin-top: 5px; margin-bottom: 20px'><div class='smallfont' "
    u"style='margin-bottom: 2px'>إقتباس:</div><table cellSpacing='0' "
    u"cellPadding='6' width='90%' border='0'><tr><td class='alt2' "
    u"style='border: 1px inset' bgcolor='#C0C0C0'><div><strong><div "
    u"style='font-style: italic'>";
constexpr char16_t kCodeOpening[] =
    u"<br>كود:<div align='left'><table border='1' cellpadding='5' "
    u"cellspacing='5' style='border-collapse: collapse' "
    u"bordercolor='#111111' width='100%' id='AutoNumber1' "
    u"bgcolor=#C0C0C0'><tr><td bgcolor='#C0C0C0' align=left width='100%'>";
constexpr char16_t kHtmlCodeOpening[] =
    u"<br>كود HTML:<div align='left'><table border='1' cellpadding='5' "
    u"cellspacing='5' style='border-collapse: collapse' "
    u"bordercolor='#111111' width='100%' id='AutoNumber1' "
    u"bgcolor=#C0C0C0'><tr><td bgcolor='#C0C0C0' align=left width='100%'>";
constexpr char16_t kPhpCodeOpening[] =
    u"<br>كود PHP:<div align='left'><table border='1' cellpadding='5' "
    u"cellspacing='5' style='border-collapse: collapse' "
    u"bordercolor='#111111' width='100%' id='AutoNumber1' "
    u"bgcolor=#C0C0C0'><tr><td bgcolor='#C0C0C0' align=left width='100%'>";
constexpr char16_t kBlockClose[] = u"</td></tr></table></div>";

constexpr char16_t kQuoteMarkup[] = u"[QUOTE=";

const std::array<ConversionRule, 32> kRules = {{
    {u"[QUOTE]", kPlainQuoteOpening},
    {u"[/QUOTE]", u"</div></td></tr></table></div>"},
    {u"[CODE]", kCodeOpening},
    {u"[/CODE]", kBlockClose},
    {u"[HTML]", kHtmlCodeOpening},
    {u"[/HTML]", kBlockClose},
    {u"[PHP]", kPhpCodeOpening},
    {u"[/PHP]", kBlockClose},
    {u"[B]", u"<b>"},
    {u"[/B]", u"</b>"},
    {u"[I]", u"<i>"},
    {u"[/I]", u"</i>"},
    {u"[U]", u"<u>"},
    {u"[/U]", u"</u>"},
    {u"[CENTER]", u"<p align='center'>"},
    {u"[/CENTER]", u"</p>"},
    {u"[LEFT]", u"<p align='left'>"},
    {u"[/LEFT]", u"</p>"},
    {u"[RIGHT]", u"<p align='right'>"},
    {u"[/RIGHT]", u"</p>"},
    {u"[FONT=", u"<font face="},
    {u"[/FONT]", u"</font>"},
    {u"[SIZE=", u"<font size="},
    {u"[/SIZE]", u"</font>"},
    {u"[COLOR=", u"<font color="},
    {u"[/COLOR]", u"</font>"},
    {u"[URL", u"<a href"},
    {u"[/URL]", u"</a>"},
    {u"[img]", u"<img src="},
    {u"[/img]", u">"},
    {u"\r", u"<br>"},
    {u"]", u">"},
}};

inline char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c | 0x20) : c;
}

/** Whether markup stands at text[at], ASCII letters regardless of case. */
inline bool matchesAt(const char16_t *text, qsizetype size, qsizetype at, QStringView markup)
{
    if (size - at < markup.size())
        return false;
    const char16_t *m = markup.utf16();
    for (qsizetype k = 0; k < markup.size(); ++k) {
        if (asciiLower(text[at + k]) != asciiLower(m[k]))
            return false;
    }
    return true;
}

/** A growing output buffer written through a raw pointer: the conversion
    appends hundreds of thousands of short pieces to it. */
class Output final
{
public:
    explicit Output(qsizetype capacity) { reserve(std::max<qsizetype>(capacity, 16)); }

    void append(const char16_t *from, qsizetype count)
    {
        if (m_size + count > m_capacity)
            reserve(std::max(m_capacity * 2, m_size + count));
        std::memcpy(m_data + m_size, from, size_t(count) * sizeof(char16_t));
        m_size += count;
    }
    void append(QStringView piece) { append(piece.utf16(), piece.size()); }

    QString take()
    {
        m_text.resize(m_size);
        return std::move(m_text);
    }

private:
    void reserve(qsizetype capacity)
    {
        m_text.resize(capacity);
        m_data = reinterpret_cast<char16_t *>(m_text.data());
        m_capacity = capacity;
    }

    QString m_text;
    char16_t *m_data = nullptr;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};

/**
 * Which "[QUOTE=" become quote boxes and which "]" close their names, decided
 * while the text is read from left to right.
 *
 * Searching again from the start after each replacement always finds the
 * leftmost "[QUOTE=" still in the text, because the replacements hold no "["
 * or "]"; its name ends at the first "]" after it that no earlier quote took.
 * Every "]" between an earlier quote and the "]" that quote took was taken
 * too (else that quote would have taken it), so that "]" is simply the first
 * one after both this "[QUOTE=" and the last "]" taken: the look-ahead only
 * ever moves forward. The names' "]" are kept in order, ahead of the reading.
 */
class NamedQuotes final
{
public:
    explicit NamedQuotes(QStringView text) : m_text(text) {}

    /** A "[QUOTE=" stands at `at`. True when it becomes a quote box. */
    bool open(qsizetype at)
    {
        if (m_stopped)
            return false;
        const qsizetype from = std::max(at + qsizetype(std::size(kQuoteMarkup) - 1), m_searchFrom);
        const qsizetype close = m_text.indexOf(u']', from);
        if (close < 0) {
            // The search for the name's end fails: this quote is opened, and
            // the step ends, leaving any later "[QUOTE=" as typed.
            m_stopped = true;
            m_searchFrom = m_text.size();
        } else {
            m_closes.push_back(close);
            m_searchFrom = close + 1;
        }
        return true;
    }

    /** Whether the "]" at `at` ends a quoted name (and so is taken). */
    bool closesAt(qsizetype at) const { return m_next < m_closes.size() && m_closes[m_next] == at; }

    /** The "]" at `at` ends a quoted name and has been written. */
    void take() { ++m_next; }

private:
    QStringView m_text;
    std::vector<qsizetype> m_closes;
    size_t m_next = 0;
    qsizetype m_searchFrom = 0;
    bool m_stopped = false;
};

/** The rules whose markup begins with "[", found by the letter after it (or
    after "[/"), so each "[" of the post is tried against one or two rules. */
class RuleIndex final
{
public:
    RuleIndex()
    {
        for (auto &slot : m_byKey)
            slot.fill(-1);
        for (int row = 0; row < int(kRules.size()); ++row) {
            const QStringView markup = kRules[size_t(row)].markup;
            if (markup.size() < 2 || markup[0] != u'[')
                continue;
            const int key = keyOf(markup.utf16(), markup.size(), 0);
            Q_ASSERT(key >= 0);
            auto &slot = m_byKey[size_t(key)];
            *std::find(slot.begin(), slot.end(), -1) = qint8(row);
        }
    }

    /** The rows that may stand at the "[" at text[at]. */
    const std::array<qint8, 4> *candidates(const char16_t *text, qsizetype size, qsizetype at) const
    {
        const int key = keyOf(text, size, at);
        return key < 0 ? nullptr : &m_byKey[size_t(key)];
    }

private:
    static int keyOf(const char16_t *text, qsizetype size, qsizetype at)
    {
        if (at + 1 >= size)
            return -1;
        char16_t c = asciiLower(text[at + 1]);
        int base = 0;
        if (c == u'/') {
            if (at + 2 >= size)
                return -1;
            c = asciiLower(text[at + 2]);
            base = 128;
        }
        return c < 128 ? base + int(c) : -1;
    }

    std::array<std::array<qint8, 4>, 256> m_byKey;
};

const RuleIndex &ruleIndex()
{
    static const RuleIndex index;
    return index;
}

/** Characters at which something may happen: everything else is copied. */
struct SpecialCharacters
{
    bool is[128] = {};
    constexpr SpecialCharacters() : is()
    {
        is[int(u'[')] = true;
        is[int(u']')] = true;
        is[int(u'\r')] = true;
    }
};
constexpr SpecialCharacters kSpecial;

inline bool isSpecial(char16_t c)
{
    return c < 128 && kSpecial.is[c];
}

/** The rule standing at the "[" at text[at] that the table's pass would
    replace there, or -1. A rule ending in "]" does not match when its "]"
    was taken by a named quote. */
int ruleAt(const char16_t *text, qsizetype size, qsizetype at, const NamedQuotes &quotes)
{
    const std::array<qint8, 4> *rows = ruleIndex().candidates(text, size, at);
    if (!rows)
        return -1;
    for (const qint8 row : *rows) {
        if (row < 0)
            return -1;
        const QStringView markup = kRules[size_t(row)].markup;
        if (!matchesAt(text, size, at, markup))
            continue;
        const qsizetype last = at + markup.size() - 1;
        if (markup.back() == u']' && quotes.closesAt(last))
            return -1;
        return row;
    }
    return -1;
}

} // namespace

const std::array<ConversionRule, 32> &conversionRules()
{
    return kRules;
}

QStringView namedQuoteOpening()
{
    return kNamedQuoteOpening;
}

QStringView namedQuoteNameClose()
{
    return kNamedQuoteNameClose;
}

void CONVERTNAMEDQUOTES(QString &workingCopy)
{
    const QStringView text = workingCopy;
    const char16_t *s = text.utf16();
    const qsizetype size = text.size();
    NamedQuotes quotes(text);
    Output out(size + size / 4);
    qsizetype copied = 0;
    bool changed = false;
    for (qsizetype i = 0; i < size; ++i) {
        QStringView piece;
        qsizetype length = 1;
        if (s[i] == u'[' && matchesAt(s, size, i, kQuoteMarkup) && quotes.open(i)) {
            piece = kNamedQuoteOpening;
            length = qsizetype(std::size(kQuoteMarkup) - 1);
        } else if (s[i] == u']' && quotes.closesAt(i)) {
            quotes.take();
            piece = kNamedQuoteNameClose;
        } else {
            continue;
        }
        out.append(s + copied, i - copied);
        out.append(piece);
        i += length - 1;
        copied = i + 1;
        changed = true;
    }
    if (!changed)
        return;
    out.append(s + copied, size - copied);
    workingCopy = out.take();
}

void REPLACEALL(QString &workingCopy, QStringView find, QStringView replacement)
{
    if (find.isEmpty())
        return;
    const char16_t *s = QStringView(workingCopy).utf16();
    const qsizetype size = workingCopy.size();
    const char16_t first = asciiLower(find[0].unicode());
    Output out(size + size / 4);
    qsizetype copied = 0;
    for (qsizetype i = 0; i + find.size() <= size; ++i) {
        if (asciiLower(s[i]) != first || !matchesAt(s, size, i, find))
            continue;
        out.append(s + copied, i - copied);
        out.append(replacement);
        i += find.size() - 1;
        copied = i + 1;
    }
    if (copied == 0)
        return;
    out.append(s + copied, size - copied);
    workingCopy = out.take();
}

QString convertMarkupToHtml(QStringView post)
{
    const char16_t *s = post.utf16();
    const qsizetype size = post.size();
    const ConversionRule &lineBreak = kRules[30];
    const ConversionRule &bracket = kRules[31];
    NamedQuotes quotes(post);
    Output out(size + size / 2);
    qsizetype copied = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = s[i];
        if (!isSpecial(c))
            continue;
        QStringView piece;
        qsizetype length = 1;
        if (c == u'\r') {
            piece = lineBreak.html;
        } else if (c == u']') {
            if (quotes.closesAt(i)) {
                quotes.take();
                piece = kNamedQuoteNameClose;
            } else {
                piece = bracket.html;
            }
        } else if (matchesAt(s, size, i, kQuoteMarkup)) {
            if (!quotes.open(i))
                continue; // left as typed: no rule matches "[QUOTE="
            piece = kNamedQuoteOpening;
            length = qsizetype(std::size(kQuoteMarkup) - 1);
        } else {
            const int row = ruleAt(s, size, i, quotes);
            if (row < 0)
                continue;
            piece = kRules[size_t(row)].html;
            length = kRules[size_t(row)].markup.size();
        }
        out.append(s + copied, i - copied);
        out.append(piece);
        i += length - 1;
        copied = i + 1;
    }
    out.append(s + copied, size - copied);
    return out.take();
}

} // namespace zarvelo
