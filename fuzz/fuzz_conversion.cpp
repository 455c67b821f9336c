// The one-pass conversion must give exactly what the plain restart-from-the-
// start replacement loops give, for any post: any difference is a crash.
#include "literalconversion.h"
#include "platform/codepage.h"
#include "preview/conversion.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 8192) // the plain loops are quadratic
        return 0;
    const QString post =
        zarvelo::decodeWindows1256(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (zarvelo::convertMarkupToHtml(post) != zarvelo::test::literalConversion(post))
        std::abort();
    return 0;
}
