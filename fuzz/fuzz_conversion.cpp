// The one-pass conversion must give exactly what the plain restart-from-the-
// start replacement loops give, for any post, and the conversion of the
// Windows-1256 bytes exactly the encoded result: any difference is a crash.
#include "literalconversion.h"
#include "platform/codepage.h"
#include "preview/conversion.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 8192) // the plain loops are quadratic
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString post = zarvelo::decodeWindows1256(bytes);
    const QString html = zarvelo::convertMarkupToHtml(post);
    if (html != zarvelo::test::literalConversion(post))
        std::abort();
    QByteArray converted;
    zarvelo::convertWindows1256MarkupInBlocks(bytes, [&](QByteArrayView block) {
        converted += block;
        return true;
    });
    const zarvelo::Windows1256Bytes encoded = zarvelo::encodeWindows1256(html);
    if (!encoded.ok() || converted != encoded.bytes)
        std::abort();
    return 0;
}
