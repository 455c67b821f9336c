#include "preview/conversion.h"

#include "platform/codepage.h"
#include "platform/largepages.h"

#include <QtAlgorithms>
#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>
#include <type_traits>

#include <iterator>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zarvelo {

namespace {

// Most pieces the conversion copies are a few characters long: a call to
// memcpy would cost more than the copy.
template <class Char>
inline void copyPiece(Char *to, const Char *from, qsizetype count)
{
    if (count > 16) {
        std::memcpy(to, from, size_t(count) * sizeof(Char));
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

/** A character of either kind of text as a number: Windows-1256 bytes are
    unsigned, and below 128 they are ASCII, as UTF-16 is. */
inline char16_t unit(char16_t c)
{
    return c;
}
inline char16_t unit(char c)
{
    return char16_t(uchar(c));
}

/** The HTML the conversion writes, in the characters of its output: the
    rules' HTML in their order, then the named quote's opening and the end
    of its name. */
constexpr int kCarriageReturnPiece = 30;
constexpr int kBracketPiece = 31;
constexpr int kNamedQuotePiece = 32;
constexpr int kNameClosePiece = 33;
template <class Char>
using Pieces = std::array<std::basic_string_view<Char>, kRules.size() + 2>;

const Pieces<char16_t> &textPieces()
{
    static const Pieces<char16_t> pieces = [] {
        Pieces<char16_t> all;
        for (size_t k = 0; k < kRules.size(); ++k)
            all[k] = {kRules[k].html.utf16(), size_t(kRules[k].html.size())};
        all[kNamedQuotePiece] = kNamedQuoteOpening;
        all[kNameClosePiece] = kNamedQuoteNameClose;
        return all;
    }();
    return pieces;
}

/** The same pieces in Windows-1256, made once by Qt's converter: every one
    of them is in the code page. */
const Pieces<char> &bytePieces()
{
    struct Encoded
    {
        std::array<QByteArray, std::tuple_size_v<Pieces<char>>> bytes;
        Pieces<char> views;
    };
    static const Encoded encoded = [] {
        Encoded all;
        const Pieces<char16_t> &text = textPieces();
        for (size_t k = 0; k < text.size(); ++k) {
            all.bytes[k] = encodeWindows1256(QStringView(text[k].data(), qsizetype(text[k].size()))).bytes;
            all.views[k] = {all.bytes[k].constData(), size_t(all.bytes[k].size())};
        }
        return all;
    }();
    return encoded.views;
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
    void append(std::u16string_view piece) { append(piece.data(), qsizetype(piece.size())); }

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
template <class Char>
class NamedQuotes final
{
public:
    NamedQuotes(const Char *text, qsizetype size)
        : m_text(text)
        , m_size(size)
    {}

    /** A "[QUOTE=" stands at `at`. True when it becomes a quote box. */
    bool open(qsizetype at)
    {
        if (m_stopped)
            return false;
        const qsizetype from = std::max(at + qsizetype(std::size(kQuoteMarkup) - 1), m_searchFrom);
        const qsizetype close = indexOfBracket(from);
        if (close < 0) {
            // The search for the name's end fails: this quote is opened, and
            // the step ends, leaving any later "[QUOTE=" as typed.
            m_stopped = true;
            m_searchFrom = m_size;
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
    qsizetype indexOfBracket(qsizetype from) const
    {
        if constexpr (std::is_same_v<Char, char>)
            return QByteArrayView(m_text, m_size).indexOf(']', from);
        else
            return QStringView(m_text, m_size).indexOf(u']', from);
    }

    const Char *m_text;
    qsizetype m_size;
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
    int piece = 0; // its HTML in Pieces
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
        for (size_t k = 0; k < kRules.size(); ++k) {
            if (kRules[k].markup.size() > 1 && kRules[k].markup[0] == u'[')
                m_tags.push_back(tag(kRules[k].markup, int(k), false));
        }
        m_tags.push_back(tag(kQuoteMarkup, kNamedQuotePiece, true));
        for (auto &slot : m_byKey)
            slot.fill(nullptr);
        for (const Tag &t : m_tags) {
            auto &slot = m_byKey[size_t(keyOf(t.lower.data(), t.length, 0))];
            *std::find(slot.begin(), slot.end(), nullptr) = &t;
        }
    }

    /** The tag standing at the "[" at text[at], or null. */
    template <class Char>
    const Tag *find(const Char *text, qsizetype size, qsizetype at) const
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
            while (k < t->length && asciiLower(unit(text[at + k])) == t->lower[size_t(k)])
                ++k;
            if (k == t->length)
                return t;
        }
        return nullptr;
    }

private:
    static Tag tag(QStringView markup, int piece, bool namedQuote)
    {
        Tag t;
        Q_ASSERT(size_t(markup.size()) <= t.lower.size());
        for (qsizetype k = 0; k < markup.size(); ++k)
            t.lower[size_t(k)] = asciiLower(markup[k].unicode());
        t.length = markup.size();
        t.piece = piece;
        t.endsWithBracket = markup.back() == u']';
        t.namedQuote = namedQuote;
        return t;
    }

    /** The letter after "[" or "[/", lower case, as an index. */
    template <class Char>
    static int keyOf(const Char *text, qsizetype size, qsizetype at)
    {
        if (at + 2 >= size)
            return -1;
        char16_t c = asciiLower(unit(text[at + 1]));
        int base = 0;
        if (c == u'/') {
            c = asciiLower(unit(text[at + 2]));
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
    size when there is none. Sixteen bytes at a time where the processor
    allows: most of a post is plain text between them. */
template <class Char>
inline qsizetype nextSpecial(const Char *text, qsizetype from, qsizetype size)
{
    qsizetype i = from;
#if defined(__SSE2__)
    const auto equal = [](__m128i chunk, char c) {
        if constexpr (sizeof(Char) == 1)
            return _mm_cmpeq_epi8(chunk, _mm_set1_epi8(c));
        else
            return _mm_cmpeq_epi16(chunk, _mm_set1_epi16(short(c)));
    };
    constexpr qsizetype kLanes = 16 / qsizetype(sizeof(Char));
    for (; i + kLanes <= size; i += kLanes) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(equal(chunk, '['), equal(chunk, ']')), equal(chunk, '\r'));
        if (const int mask = _mm_movemask_epi8(hits))
            return i + qsizetype(qCountTrailingZeroBits(quint32(mask)) / sizeof(Char));
    }
#endif
    for (; i < size; ++i) {
        if (isSpecial(unit(text[i])))
            return i;
    }
    return size;
}

/** What takes the place of the markup at a special character: the HTML and
    how many characters of the post it replaces (none: left as typed). */
struct Replacement
{
    int piece = 0; // in Pieces
    qsizetype length = 0;
};

template <class Char>
inline Replacement replacementAt(const Char *text, qsizetype size, qsizetype at, const TagIndex &tags,
                                 NamedQuotes<Char> &quotes)
{
    const Char c = text[at];
    if (c == ']') {
        if (!quotes.closesAt(at))
            return {kBracketPiece, 1};
        quotes.take();
        return {kNameClosePiece, 1};
    }
    if (c == '\r')
        return {kCarriageReturnPiece, 1};
    const Tag *tag = tags.find(text, size, at);
    if (!tag)
        return {};
    if (tag->namedQuote) {
        if (!quotes.open(at))
            return {}; // left as typed: no row matches "[QUOTE="
    } else if (tag->endsWithBracket && quotes.closesAt(at + tag->length - 1)) {
        return {}; // its "]" ends a quoted name
    }
    return {tag->piece, tag->length};
}

/** An output handed on in blocks of a fixed size as it is made, so that
    the conversion of a long post never exists whole: each block is used
    while it is still in the processor's cache. */
template <class Char, class View>
class BlockOutput final
{
public:
    explicit BlockOutput(const std::function<bool(View)> &sink)
        : m_sink(sink)
    {}

    inline void append(const Char *from, qsizetype count)
    {
        if (Q_UNLIKELY(m_size + count > kBlock)) {
            overflow(from, count);
            return;
        }
        Char *to = m_buffer.data() + m_size;
        m_size += count;
        copyPiece(to, from, count);
    }
    void append(std::basic_string_view<Char> piece) { append(piece.data(), qsizetype(piece.size())); }

    /** Hands on the last block; false when the sink refused one. */
    bool finish()
    {
        flush();
        return m_ok;
    }

private:
    static constexpr qsizetype kBlock = 32 * 1024;

    void overflow(const Char *from, qsizetype count)
    {
        flush();
        if (count < kBlock) {
            append(from, count);
            return;
        }
        // A long piece of the post goes on as it stands, without a copy.
        if (m_ok)
            m_ok = m_sink(View(from, count));
    }

    void flush()
    {
        if (m_size > 0 && m_ok)
            m_ok = m_sink(View(m_buffer.data(), m_size));
        m_size = 0;
    }

    const std::function<bool(View)> &m_sink;
    std::array<Char, kBlock> m_buffer;
    qsizetype m_size = 0;
    bool m_ok = true;
};

/** The single pass of the conversion, into either kind of output. */
template <class Char, class Out>
void convert(const Char *s, qsizetype size, const Pieces<Char> &pieces, Out &out)
{
    const TagIndex &tags = tagIndex();
    NamedQuotes<Char> quotes(s, size);
    qsizetype copied = 0;
    for (qsizetype i = nextSpecial(s, 0, size); i < size; i = nextSpecial(s, i, size)) {
        const Replacement replacement = replacementAt(s, size, i, tags, quotes);
        if (replacement.length == 0) {
            ++i;
            continue;
        }
        out.append(s + copied, i - copied);
        out.append(pieces[size_t(replacement.piece)]);
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
    convert(post.utf16(), post.size(), textPieces(), out);
    html = out.take();
}

bool convertMarkupToHtmlInBlocks(QStringView post, const std::function<bool(QStringView)> &sink)
{
    // The blocks are big enough to make each call of the sink cheap and
    // small enough to stay in the cache; on the heap, off the stack.
    const auto out = std::make_unique<BlockOutput<char16_t, QStringView>>(sink);
    convert(post.utf16(), post.size(), textPieces(), *out);
    return out->finish();
}

bool convertWindows1256MarkupInBlocks(QByteArrayView post, const std::function<bool(QByteArrayView)> &sink)
{
    const auto out = std::make_unique<BlockOutput<char, QByteArrayView>>(sink);
    convert(post.data(), post.size(), bytePieces(), *out);
    return out->finish();
}

} // namespace zarvelo
