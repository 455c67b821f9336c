// The settings reader takes any bytes, in UTF-8 or in Windows-1256 as post
// files are told: it finds six fields or reports the file short or damaged,
// never crashes or hangs, never takes a field past the longest a file may
// hold, and what it finds is what the writer writes back (for fields the
// quoted line form can hold), read again from UTF-8 as from the code page;
// the template and panel take whatever it found.
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/settingsfile.h"
#include "platform/codepage.h"
#include "platform/textfile.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool writable(const QString &field)
{
    return !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\r'))
        && !field.contains(QLatin1Char('\n'));
}

std::optional<zarvelo::DefaultFontSettings> readSettings(QByteArrayView bytes)
{
    const zarvelo::TextFileRead read = zarvelo::decodePostText(bytes, zarvelo::postTextEncoding(bytes));
    return zarvelo::parseSettingsFile(read.text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<zarvelo::DefaultFontSettings> read =
        readSettings(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read)
        return 0;
    const QString *fields[] = {&read->Disabled, &read->FontName, &read->Alignment,
                               &read->FontSize, &read->Bold,     &read->FontColor};
    for (const QString *field : fields)
        if (zarvelo::characterCount(*field) > zarvelo::kLongestSettingsField)
            std::abort();
    const zarvelo::DefaultFontTemplate post = zarvelo::buildDefaultFontTemplate(*read);
    if (post.selLength != 22 || post.selStart < 0 || post.selStart + 22 > post.text.size())
        std::abort();
    for (const QString *field : fields)
        if (!writable(*field))
            return 0;
    const QString text = zarvelo::settingsFileText(*read);
    const std::optional<zarvelo::DefaultFontSettings> fromUtf8 = readSettings(text.toUtf8());
    if (!fromUtf8 || !(*fromUtf8 == *read))
        std::abort();
    // The code page holds only some of what UTF-8 can; what it holds and
    // does not read as UTF-8 comes back the same.
    const zarvelo::Windows1256Bytes inCodePage = zarvelo::encodeWindows1256(text);
    if (!inCodePage.ok() || zarvelo::postTextEncoding(inCodePage.bytes) != zarvelo::TextEncoding::Windows1256)
        return 0;
    const std::optional<zarvelo::DefaultFontSettings> fromCodePage = readSettings(inCodePage.bytes);
    if (!fromCodePage || !(*fromCodePage == *read))
        std::abort();
    return 0;
}
