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
    // The code page is single-byte: one byte per character means every
    // character was written as itself.
    if (!encoder.hasError() && out.bytes.size() == text.size() && !out.bytes.contains(kSubstitute))
        return out;

    // Otherwise go character by character. The converter writes a substitute
    // for most characters it cannot hold but silently drops some (invisible
    // format characters), so each result is checked on its own; the bytes
    // then hold exactly one byte per character, a substitute for each one
    // listed as unencodable.
    out.bytes.clear();
    out.bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype width = 1;
        char32_t cp = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            width = 2;
        }
        const QByteArray one = encoder.encode(text.mid(i, width));
        if (one.size() == 1 && (one[0] != kSubstitute || cp == 0x1A)) {
            out.bytes += one;
        } else {
            out.bytes += kSubstitute;
            out.unencodable.append(cp);
        }
        i += width - 1;
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
