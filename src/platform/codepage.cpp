#include "platform/codepage.h"

#include "platform/largepages.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zarvelo {

namespace {

constexpr char kSubstitute = 0x1A; // stands for a character the code page cannot hold
// In the encoding table: the byte, marked so that 0 means no byte holds the unit.
constexpr quint16 kHasByte = 0x100;

/**
 * Both directions of the code page as look-up tables, built once from Qt's
 * own converter: the 256 bytes are decoded, and the result inverted. Only
 * characters that come back from a byte are encodable, so every byte written
 * reads back as the character it was written for; a look-alike that the
 * converter would write as some other character's byte is reported as
 * unencodable instead of being changed silently.
 */
class Tables final
{
public:
    Tables()
    {
        QStringDecoder decoder(kWindows1256, QStringDecoder::Flag::Stateless);
        if (!decoder.isValid())
            return;
        std::array<char, 256> all{};
        for (int b = 0; b < 256; ++b)
            all[size_t(b)] = char(b);
        const QString text = decoder.decode(QByteArrayView(all.data(), qsizetype(all.size())));
        // A single-byte code page: one character per byte, none of them twice.
        if (decoder.hasError() || text.size() != 256)
            return;
        for (int b = 0; b < 256; ++b) {
            const char16_t c = text[b].unicode();
            if (QChar::isSurrogate(c) || m_toByte[c] != 0) {
                std::fill_n(m_toByte.get(), kUnits, quint16(0));
                return;
            }
            m_toUnicode[size_t(b)] = c;
            m_toByte[c] = quint16(b) | kHasByte;
        }
        m_available = true;
        m_asciiAsItself = true;
        for (int b = 0; b < 128; ++b)
            m_asciiAsItself = m_asciiAsItself && m_toUnicode[size_t(b)] == char16_t(b);
    }

    bool available() const { return m_available; }
    /** Whether the first 128 bytes are ASCII, as in every Windows code page:
        runs of ASCII then need no look-up. */
    bool asciiAsItself() const { return m_asciiAsItself; }
    const char16_t *toUnicode() const { return m_toUnicode.data(); }
    const quint16 *toByte() const { return m_toByte.get(); }

private:
    std::array<char16_t, 256> m_toUnicode{};
    static constexpr size_t kUnits = 65536;
    // Zeroed by the system as it is first read: only the few pages that
    // hold the code page's characters are ever written, so the table
    // costs a few KiB of memory rather than 128.
    std::unique_ptr<quint16[], decltype(&std::free)> m_toByte{
        static_cast<quint16 *>(std::calloc(kUnits, sizeof(quint16))), &std::free};
    bool m_available = false;
    bool m_asciiAsItself = false;
};

const Tables &tables()
{
    // Built on first use, which the program's start-up check makes early.
    static const auto built = std::make_unique<const Tables>();
    return *built;
}

/** Encodes text[from, ...) into out while every code unit has a byte.
    Returns where it stopped: the end, or the first unit without a byte. */
inline qsizetype encodeRun(const char16_t *text, qsizetype from, qsizetype size, char *&out,
                           const quint16 *toByte)
{
    qsizetype i = from;
    char *to = out;
#if defined(__SSE2__)
    // A page is mostly ASCII markup: sixteen ASCII units at a time become
    // their bytes as they are. Other blocks go through the table without a
    // test per unit; a block with a unit that has no byte is done again
    // one unit at a time below.
    if (tables().asciiAsItself()) {
        const __m128i notAscii = _mm_set1_epi16(short(0xFF80));
        const __m128i zero = _mm_setzero_si128();
        while (i + 16 <= size) {
            const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
            const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i + 8));
            const __m128i other = _mm_and_si128(_mm_or_si128(low, high), notAscii);
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(other, zero)) == 0xFFFF) {
                _mm_storeu_si128(reinterpret_cast<__m128i *>(to), _mm_packus_epi16(low, high));
            } else {
                quint16 all = kHasByte;
                for (int k = 0; k < 16; ++k) {
                    const quint16 v = toByte[text[i + k]];
                    to[k] = char(v);
                    all &= v;
                }
                if (!(all & kHasByte))
                    break;
            }
            i += 16;
            to += 16;
        }
    }
#endif
    // Four at a time with one test: almost every unit has its byte.
    for (; i + 4 <= size; i += 4, to += 4) {
        const quint16 a = toByte[text[i]];
        const quint16 b = toByte[text[i + 1]];
        const quint16 c = toByte[text[i + 2]];
        const quint16 d = toByte[text[i + 3]];
        if (!(a & b & c & d & kHasByte))
            break;
        to[0] = char(a);
        to[1] = char(b);
        to[2] = char(c);
        to[3] = char(d);
    }
    for (; i < size; ++i, ++to) {
        const quint16 v = toByte[text[i]];
        if (!(v & kHasByte))
            break;
        *to = char(v);
    }
    out = to;
    return i;
}

/** The character without a byte at text[at]: its code point and how many
    code units it takes (two for a whole surrogate pair). */
struct Unencodable
{
    char32_t codePoint;
    qsizetype width;
};

inline Unencodable unencodableAt(const char16_t *text, qsizetype at, qsizetype size)
{
    if (QChar::isHighSurrogate(text[at]) && at + 1 < size && QChar::isLowSurrogate(text[at + 1]))
        return {QChar::surrogateToUcs4(text[at], text[at + 1]), 2};
    return {text[at], 1};
}

/** Writes "&#N;" at out; returns its end. */
inline char *writeReference(char32_t codePoint, char *out)
{
    char digits[8];
    int count = 0;
    do {
        digits[count++] = char('0' + codePoint % 10);
        codePoint /= 10;
    } while (codePoint != 0);
    *out++ = '&';
    *out++ = '#';
    while (count > 0)
        *out++ = digits[--count];
    *out++ = ';';
    return out;
}

} // namespace

bool isWindows1256Available()
{
    return tables().available();
}

QString decodeWindows1256(QByteArrayView bytes)
{
    const char16_t *toUnicode = tables().toUnicode();
    if (!tables().available())
        return {};
    QString text(bytes.size(), Qt::Uninitialized);
    auto *to = reinterpret_cast<char16_t *>(text.data());
    adviseLargePages(to, bytes.size() * qsizetype(sizeof(char16_t)));
    const auto *from = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    if (tables().asciiAsItself()) {
        const __m128i zero = _mm_setzero_si128();
        for (; i + 16 <= size; i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i));
            if (_mm_movemask_epi8(chunk) == 0) {
                _mm_storeu_si128(reinterpret_cast<__m128i *>(to + i), _mm_unpacklo_epi8(chunk, zero));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(to + i + 8), _mm_unpackhi_epi8(chunk, zero));
                continue;
            }
            for (qsizetype k = i; k < i + 16; ++k)
                to[k] = toUnicode[from[k]];
        }
    }
#endif
    for (; i + 4 <= size; i += 4) {
        to[i] = toUnicode[from[i]];
        to[i + 1] = toUnicode[from[i + 1]];
        to[i + 2] = toUnicode[from[i + 2]];
        to[i + 3] = toUnicode[from[i + 3]];
    }
    for (; i < size; ++i)
        to[i] = toUnicode[from[i]];
    return text;
}

Windows1256Bytes encodeWindows1256(QStringView text)
{
    const quint16 *toByte = tables().toByte();
    const char16_t *s = text.utf16();
    const qsizetype size = text.size();
    Windows1256Bytes out;
    out.bytes.resize(size); // one byte per character, a pair being one character
    char *to = out.bytes.data();
    for (qsizetype i = encodeRun(s, 0, size, to, toByte); i < size; i = encodeRun(s, i, size, to, toByte)) {
        const Unencodable missing = unencodableAt(s, i, size);
        *to++ = kSubstitute;
        out.unencodable.append(missing.codePoint);
        i += missing.width;
    }
    out.bytes.truncate(to - out.bytes.constData());
    return out;
}

bool isWindows1256Encodable(QStringView text)
{
    const quint16 *toByte = tables().toByte();
    for (const QChar c : text) {
        if (!(toByte[c.unicode()] & kHasByte))
            return false;
    }
    return true;
}

QString escapeUnencodableAsHtml(QStringView text, qsizetype *escaped)
{
    const quint16 *toByte = tables().toByte();
    const char16_t *s = text.utf16();
    const qsizetype size = text.size();
    qsizetype count = 0;
    QString out;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (toByte[s[i]] & kHasByte)
            continue;
        const Unencodable missing = unencodableAt(s, i, size);
        if (count++ == 0)
            out.reserve(size + 16);
        out.append(QStringView(s + copied, i - copied));
        out += QLatin1String("&#") + QString::number(missing.codePoint) + QLatin1Char(';');
        i += missing.width - 1;
        copied = i + 1;
    }
    if (escaped)
        *escaped = count;
    if (count == 0)
        return text.toString();
    out.append(QStringView(s + copied, size - copied));
    return out;
}

char *encodeWindows1256EscapingUnencodable(QStringView text, char *out, qsizetype *escaped)
{
    const quint16 *toByte = tables().toByte();
    const char16_t *s = text.utf16();
    const qsizetype size = text.size();
    qsizetype count = 0;
    for (qsizetype i = encodeRun(s, 0, size, out, toByte); i < size; i = encodeRun(s, i, size, out, toByte)) {
        const Unencodable missing = unencodableAt(s, i, size);
        out = writeReference(missing.codePoint, out);
        ++count;
        i += missing.width;
    }
    if (escaped)
        *escaped = count;
    return out;
}

QByteArray encodeWindows1256EscapingUnencodable(QStringView text, qsizetype *escaped)
{
    // Most pages need one byte per character: encode into that much, and
    // only when a character needs a reference make room for the worst case
    // of what is left.
    const quint16 *toByte = tables().toByte();
    const char16_t *s = text.utf16();
    const qsizetype size = text.size();
    QByteArray bytes(size, Qt::Uninitialized);
    char *to = bytes.data();
    const qsizetype plain = encodeRun(s, 0, size, to, toByte);
    if (plain == size) {
        if (escaped)
            *escaped = 0;
        return bytes;
    }
    bytes.resize(plain + (size - plain) * kMaxEscapedBytesPerUnit);
    char *end = encodeWindows1256EscapingUnencodable(text.mid(plain), bytes.data() + plain, escaped);
    bytes.truncate(end - bytes.constData());
    return bytes;
}

} // namespace zarvelo
