// The settings reader takes any bytes: it finds six fields or reports the
// file short, never crashes or hangs, and what it finds is what the writer
// writes back (for fields the quoted line form can hold), and the template
// and panel take whatever it found.
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/settingsfile.h"
#include "platform/codepage.h"

#include <cstdint>
#include <cstdlib>

namespace {
bool writable(const QString &field)
{
    return !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\r'))
        && !field.contains(QLatin1Char('\n'));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        zarvelo::decodeWindows1256(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const std::optional<zarvelo::DefaultFontSettings> read = zarvelo::parseSettingsFile(text);
    if (!read)
        return 0;
    const zarvelo::DefaultFontTemplate post = zarvelo::buildDefaultFontTemplate(*read);
    if (post.selLength != 22 || post.selStart < 0 || post.selStart + 22 > post.text.size())
        std::abort();
    for (const QString &field :
         {read->Disabled, read->FontName, read->Alignment, read->FontSize, read->Bold, read->FontColor})
        if (!writable(field))
            return 0;
    const std::optional<zarvelo::DefaultFontSettings> again =
        zarvelo::parseSettingsFile(zarvelo::settingsFileText(*read));
    if (!again || !(*again == *read))
        std::abort();
    return 0;
}
