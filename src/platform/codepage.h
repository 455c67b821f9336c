#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

namespace zarvelo {

/** Bytes in the Arabic Windows code page to text. Every byte has a character. */
QString decodeWindows1256(QByteArrayView bytes);

/** Text to Windows-1256 bytes. */
struct Windows1256Bytes
{
    QByteArray bytes;
    /** The characters (as code points, in order of appearance) that the code page
        cannot hold; each stands in `bytes` as the substitute byte 0x1A. */
    QList<char32_t> unencodable;
    bool ok() const { return unencodable.isEmpty(); }
};
Windows1256Bytes encodeWindows1256(QStringView text);

/** True when every character of text has a byte in Windows-1256. */
bool isWindows1256Encodable(QStringView text);

/** Writes each character that Windows-1256 cannot hold as an HTML numeric
    character reference ("&#128512;"), which forums and browsers show as the
    character itself. Counts the characters so written in *escaped when given. */
QString escapeUnencodableAsHtml(QStringView text, qsizetype *escaped = nullptr);

} // namespace zarvelo
