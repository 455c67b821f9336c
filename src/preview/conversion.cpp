#include "preview/conversion.h"

#include "platform/largepages.h"

#include <QtAlgorithms>
#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include <iterator>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zarvelo {

namespace {

// Most pieces the conversion copies are a few characters long: a call to
// memcpy would cost more than the copy.
inline void copyPiece(char16_t *to, const char16_t *from, qsizetype count)
{
    if (count > 16) {
        std::memcpy(to, from, size_t(count) * sizeof(char16_t));
        return;
    }
    for (qsizetype k = 0; k < count; ++k)
        to[k] = from[k];
}

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
constexpr char16_t kPlainQuoteOpening[] = u"<div align='right' style='margin-left: 20px; margin-right: 20px; "
                                          u"margin-top: 5px; margin-bottom: 20px'><div class='smallfont' "
                                          u"style='margin-bottom: 2px'>إقتباس:</div><table cellSpacing='0' "
                                          u"cellPadding='6' width='90%' border='0'><tr><td class='alt2' "
                                          u"style='border: 1px inset' bgcolor='#C0C0C0'><div><strong><div "
                                          u"style='font-style: italic'>";
constexpr char16_t kCodeOpening[] = u"<br>كود:<div align='left'><table border='1' cellpadding='5' "
                                    u"cellspacing='5' style='border-collapse: collapse' "
                                    u"bordercolor='#111111' width='100%' id='AutoNumber1' "
                                    u"bgcolor=#C0C0C0'><tr><td bgcolor='#C0C0C0' align=left width='100%'>";
constexpr char16_t kHtmlCodeOpening[] =
    u"<br>كود HTML:<div align='left'><table border='1' cellpadding='5' "
    u"cellspacing='5' style='border-collapse: collapse' "
    u"bordercolor='#111111' width='100%' id='AutoNumber1' "
    u"bgcolor=#C0C0C0'><tr><td bgcolor='#C0C0C0' align=left width='100%'>";
constexpr char16_t kPhpCodeOpening[] = u"<br>كود PHP:<div align='left'><table border='1' cellpadding='5' "
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
    return char16_t(c | (unsigned(c - u'A') < 26u ? 0x20 : 0));
}

/** A growing output buffer written through a raw pointer: the conversion
    appends hundreds of thousands of short pieces to it. Its memory is taken
    when first needed, from a string handed in when there is one. */
class Output final
{
public:
    explicit Output(qsizetype expected, QString reuse = QString())
        : m_text(std::move(reuse))
        , m_expected(std::max<qsizetype>(expected, 16))
    {}

    inline void append(const char16_t *from, qsizetype count)
    {
        if (Q_UNLIKELY(m_size + count > m_capacity))
            reserve(std::max({m_capacity * 2, m_size + count, m_expected}));
        char16_t *to = m_data + m_size;
        m_size += count;
        copyPiece(to, from, count);
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
        // A string handed in for reuse lends all of its memory.
        if (m_capacity == 0 && !m_text.isDetached())
            m_text = QString();
        capacity = std::max(capacity, m_text.capacity());
        m_text.resize(capacity);
        m_data = reinterpret_cast<char16_t *>(m_text.data());
        adviseLargePages(m_data + m_size, (capacity - m_size) * qsizetype(sizeof(char16_t)));
        m_capacity = capacity;
    }

    QString m_text;
    qsizetype m_expected;
    char16_t *m_data = nullptr;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};

/** Whether text lies within the memory of string, which may not be written
    while text is read. */
bool viewsInto(QStringView text, const QString &string)
{
    const auto begin = reinterpret_cast<quintptr>(string.constData());
    const auto end = begin + quintptr(string.capacity()) * sizeof(QChar);
    const auto at = reinterpret_cast<quintptr>(text.utf16());
    return !text.isEmpty() && at >= begin && at < end;
}

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
    explicit NamedQuotes(QStringView text)
        : m_text(text)
    {}

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

/** A markup beginning with "[" that may stand at a "[" of the post, kept in
    lower case for the comparison. */
struct Tag
{
    std::array<char16_t, 12> lower{};
    qsizetype length = 0;
    QStringView html;
    bool endsWithBracket = false;
    bool namedQuote = false; // "[QUOTE=": its own step, not a row of the table
};

/** The tags found by the letter after their "[" (or after "[/"), so each "["
    of the post is compared with one or two of them. */
class TagIndex final
{
public:
    TagIndex()
    {
        m_tags.reserve(kRules.size() + 1);
        for (const ConversionRule &rule : kRules) {
            if (rule.markup.size() > 1 && rule.markup[0] == u'[')
                m_tags.push_back(tag(rule.markup, rule.html, false));
        }
        m_tags.push_back(tag(kQuoteMarkup, kNamedQuoteOpening, true));
        for (auto &slot : m_byKey)
            slot.fill(nullptr);
        for (const Tag &t : m_tags) {
            auto &slot = m_byKey[size_t(keyOf(t.lower.data(), t.length, 0))];
            *std::find(slot.begin(), slot.end(), nullptr) = &t;
        }
    }

    /** The tag standing at the "[" at text[at], or null. */
    const Tag *find(const char16_t *text, qsizetype size, qsizetype at) const
    {
        const int key = keyOf(text, size, at);
        if (key < 0)
            return nullptr;
        for (const Tag *t : m_byKey[size_t(key)]) {
            if (!t)
                return nullptr;
            if (size - at < t->length)
                continue;
            qsizetype k = 2;
            while (k < t->length && asciiLower(text[at + k]) == t->lower[size_t(k)])
                ++k;
            if (k == t->length)
                return t;
        }
        return nullptr;
    }

private:
    static Tag tag(QStringView markup, QStringView html, bool namedQuote)
    {
        Tag t;
        Q_ASSERT(size_t(markup.size()) <= t.lower.size());
        for (qsizetype k = 0; k < markup.size(); ++k)
            t.lower[size_t(k)] = asciiLower(markup[k].unicode());
        t.length = markup.size();
        t.html = html;
        t.endsWithBracket = markup.back() == u']';
        t.namedQuote = namedQuote;
        return t;
    }

    /** The letter after "[" or "[/", lower case, as an index. */
    static int keyOf(const char16_t *text, qsizetype size, qsizetype at)
    {
        if (at + 2 >= size)
            return -1;
        char16_t c = asciiLower(text[at + 1]);
        int base = 0;
        if (c == u'/') {
            c = asciiLower(text[at + 2]);
            base = 128;
        }
        return c < 128 ? base + int(c) : -1;
    }

    std::vector<Tag> m_tags;
    std::array<std::array<const Tag *, 4>, 256> m_byKey;
};

const TagIndex &tagIndex()
{
    static const TagIndex index;
    return index;
}

/** Characters at which something may happen: everything else is copied. */
struct SpecialCharacters
{
    bool is[128] = {};
    constexpr SpecialCharacters()
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

/** The position of the first "[", "]" or carriage return at or after from,
    size when there is none. Eight characters at a time where the processor
    allows: most of a post is plain text between them. */
inline qsizetype nextSpecial(const char16_t *text, qsizetype from, qsizetype size)
{
    qsizetype i = from;
#if defined(__SSE2__)
    const __m128i open = _mm_set1_epi16(short(u'['));
    const __m128i close = _mm_set1_epi16(short(u']'));
    const __m128i carriageReturn = _mm_set1_epi16(short(u'\r'));
    for (; i + 8 <= size; i += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(chunk, open), _mm_cmpeq_epi16(chunk, close)),
                         _mm_cmpeq_epi16(chunk, carriageReturn));
        if (const int mask = _mm_movemask_epi8(hits))
            return i + qCountTrailingZeroBits(quint32(mask)) / 2;
    }
#endif
    for (; i < size; ++i) {
        if (isSpecial(text[i]))
            return i;
    }
    return size;
}

/** What takes the place of the markup at a special character: the HTML and
    how many characters of the post it replaces (none: left as typed). */
struct Replacement
{
    QStringView html;
    qsizetype length = 0;
};

inline Replacement replacementAt(const char16_t *text, qsizetype size, qsizetype at, const TagIndex &tags,
                                 NamedQuotes &quotes)
{
    const char16_t c = text[at];
    if (c == u']') {
        if (!quotes.closesAt(at))
            return {kRules[31].html, 1};
        quotes.take();
        return {kNamedQuoteNameClose, 1};
    }
    if (c == u'\r')
        return {kRules[30].html, 1};
    const Tag *tag = tags.find(text, size, at);
    if (!tag)
        return {};
    if (tag->namedQuote) {
        if (!quotes.open(at))
            return {}; // left as typed: no row matches "[QUOTE="
    } else if (tag->endsWithBracket && quotes.closesAt(at + tag->length - 1)) {
        return {}; // its "]" ends a quoted name
    }
    return {tag->html, tag->length};
}

/** An output handed on in blocks of a fixed size as it is made, so that
    the conversion of a long post never exists whole: each block is used
    while it is still in the processor's cache. */
class BlockOutput final
{
public:
    explicit BlockOutput(const std::function<bool(QStringView)> &sink)
        : m_sink(sink)
    {}

    inline void append(const char16_t *from, qsizetype count)
    {
        if (Q_UNLIKELY(m_size + count > kBlock)) {
            overflow(from, count);
            return;
        }
        char16_t *to = m_buffer.data() + m_size;
        m_size += count;
        copyPiece(to, from, count);
    }
    void append(QStringView piece) { append(piece.utf16(), piece.size()); }

    /** Hands on the last block; false when the sink refused one. */
    bool finish()
    {
        flush();
        return m_ok;
    }

private:
    static constexpr qsizetype kBlock = 32 * 1024;

    void overflow(const char16_t *from, qsizetype count)
    {
        flush();
        if (count < kBlock) {
            append(from, count);
            return;
        }
        // A long piece of the post goes on as it stands, without a copy.
        if (m_ok)
            m_ok = m_sink(QStringView(from, count));
    }

    void flush()
    {
        if (m_size > 0 && m_ok)
            m_ok = m_sink(QStringView(m_buffer.data(), m_size));
        m_size = 0;
    }

    const std::function<bool(QStringView)> &m_sink;
    std::array<char16_t, kBlock> m_buffer;
    qsizetype m_size = 0;
    bool m_ok = true;
};

/** The single pass of the conversion, into either kind of output. */
template <class Out>
void convert(QStringView post, Out &out)
{
    const char16_t *s = post.utf16();
    const qsizetype size = post.size();
    const TagIndex &tags = tagIndex();
    NamedQuotes quotes(post);
    qsizetype copied = 0;
    for (qsizetype i = nextSpecial(s, 0, size); i < size; i = nextSpecial(s, i, size)) {
        const Replacement replacement = replacementAt(s, size, i, tags, quotes);
        if (replacement.length == 0) {
            ++i;
            continue;
        }
        out.append(s + copied, i - copied);
        out.append(replacement.html);
        i += replacement.length;
        copied = i;
    }
    out.append(s + copied, size - copied);
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

QString convertMarkupToHtml(QStringView post)
{
    QString html;
    convertMarkupToHtml(post, html);
    return html;
}

void convertMarkupToHtml(QStringView post, QString &html)
{
    // html's memory is written only when the post is not read from it.
    // Tag-dense posts grow by about three quarters; room for double the
    // post avoids copying the page halfway. Untouched room costs nothing.
    Output out(2 * post.size(), viewsInto(post, html) ? QString() : std::move(html));
    convert(post, out);
    html = out.take();
}

bool convertMarkupToHtmlInBlocks(QStringView post, const std::function<bool(QStringView)> &sink)
{
    // The blocks are big enough to make each call of the sink cheap and
    // small enough to stay in the cache; on the heap, off the stack.
    const auto out = std::make_unique<BlockOutput>(sink);
    convert(post, *out);
    return out->finish();
}

} // namespace zarvelo
