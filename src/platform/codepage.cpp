#include "platform/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zarvelo {

namespace {
constexpr const char *kCodePage = "windows-1256";
constexpr char kSubstitute = 0x1A; // what the converter writes for a character it cannot hold
} // namespace

QString decodeWindows1256(QByteArrayView bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes);
}

Windows1256Bytes encodeWindows1256(QStringView text)
{
    QStringEncoder encoder(kCodePage);
    Windows1256Bytes out;
    out.bytes = encoder.encode(text);
    if (!encoder.hasError() && !out.bytes.contains(kSubstitute))
        return out;
    // The code page is single-byte: one output byte per code point, so the
    // substitutes can be matched back to the characters they stand for.
    qsizetype byte = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (byte < out.bytes.size() && out.bytes[byte] == kSubstitute && cp != 0x1A)
            out.unencodable.append(cp);
        ++byte;
    }
    return out;
}

bool isWindows1256Encodable(QStringView text)
{
    return encodeWindows1256(text).ok();
}

QString escapeUnencodableAsHtml(QStringView text, qsizetype *escaped)
{
    const Windows1256Bytes encoded = encodeWindows1256(text);
    if (escaped)
        *escaped = encoded.unencodable.size();
    if (encoded.ok())
        return text.toString();

    QString out;
    out.reserve(text.size() + encoded.unencodable.size() * 8);
    qsizetype byte = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++byte) {
        qsizetype width = 1;
        char32_t cp = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            width = 2;
        }
        if (encoded.bytes[byte] == kSubstitute && cp != 0x1A)
            out += QLatin1String("&#") + QString::number(cp) + QLatin1Char(';');
        else
            out += text.mid(i, width);
        i += width - 1;
    }
    return out;
}

} // namespace zarvelo
