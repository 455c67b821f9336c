// Windows-1256 is a whole single-byte code page: every byte string must come
// back unchanged through text, both directions must agree with Qt's own
// converter, and escaping must leave only encodable text.
#include "platform/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdint>
#include <cstdlib>

namespace {

/** Qt's converter, one character at a time: the bytes a text should become,
    a substitute for each character that does not read back as itself. */
QByteArray qtEncoding(QStringView text)
{
    // Stateless: a lone surrogate must not wait for a partner in the next character.
    QStringEncoder encoder(zarvelo::kWindows1256, QStringConverter::Flag::Stateless);
    QStringDecoder decoder(zarvelo::kWindows1256);
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView one = text.mid(i, width);
        const QByteArray b = encoder.encode(one);
        bytes += b.size() == 1 && QString(decoder.decode(b)) == one ? b : QByteArray(1, '\x1A');
        i += width - 1;
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = zarvelo::decodeWindows1256(bytes);
    if (text != QStringDecoder(zarvelo::kWindows1256).decode(bytes))
        std::abort();
    const zarvelo::Windows1256Bytes back = zarvelo::encodeWindows1256(text);
    if (!back.ok() || back.bytes != bytes)
        std::abort();

    // The same bytes read as UTF-16 make arbitrary text, surrogates and all.
    const QString any = QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    const zarvelo::Windows1256Bytes encoded = zarvelo::encodeWindows1256(any);
    if (encoded.bytes != qtEncoding(any))
        std::abort();
    qsizetype escaped = 0;
    const QString safe = zarvelo::escapeUnencodableAsHtml(any, &escaped);
    if (!zarvelo::isWindows1256Encodable(safe) || escaped != encoded.unencodable.size())
        std::abort();
    if (zarvelo::encodeWindows1256EscapingUnencodable(any) != zarvelo::encodeWindows1256(safe).bytes)
        std::abort();
    return 0;
}
