// Windows-1256 is a whole single-byte code page: every byte string must come
// back unchanged through text, and escaping must leave only encodable text.
#include "platform/codepage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = zarvelo::decodeWindows1256(bytes);
    const zarvelo::Windows1256Bytes back = zarvelo::encodeWindows1256(text);
    if (!back.ok() || back.bytes != bytes)
        std::abort();

    // The same bytes read as UTF-16 make arbitrary text, surrogates and all.
    const QString any = QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    qsizetype escaped = 0;
    const QString safe = zarvelo::escapeUnencodableAsHtml(any, &escaped);
    if (!zarvelo::isWindows1256Encodable(safe))
        std::abort();
    if (escaped != zarvelo::encodeWindows1256(any).unencodable.size())
        std::abort();
    return 0;
}
