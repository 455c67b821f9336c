#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

namespace zarvelo {

/** The name of Qt's converter that every file of the program goes through. */
inline constexpr const char *kWindows1256 = "windows-1256";

/** Whether Qt can convert Windows-1256 here: every byte decodes to its own
    character. Without it no post, settings file or page can be read or
    written. The conversion tables are built from Qt's converter on the first
    call of this or any function below. */
bool isWindows1256Available();

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

/** encodeWindows1256(escapeUnencodableAsHtml(text)) in a single pass: the
    bytes of an HTML page that shows every character as typed. */
QByteArray encodeWindows1256EscapingUnencodable(QStringView text, qsizetype *escaped = nullptr);

/** The most bytes that one UTF-16 code unit can become when escaped ("&#65535;"). */
inline constexpr qsizetype kMaxEscapedBytesPerUnit = 8;

/** The single pass of encodeWindows1256EscapingUnencodable into memory the
    caller owns, for writing long texts in blocks: out must have room for
    kMaxEscapedBytesPerUnit bytes per code unit of text. Returns the end of
    what was written. A surrogate pair cut at the end of text is escaped as
    two lone surrogates, so a caller cutting a long text into blocks keeps
    each pair whole. */
char *encodeWindows1256EscapingUnencodable(QStringView text, char *out, qsizetype *escaped = nullptr);

} // namespace zarvelo
