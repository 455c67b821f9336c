// Opening a post: any bytes, read through a real file with the load limit,
// give the file's first characters unchanged, at most one past the limit,
// and say the limit was passed exactly when the file is longer.
#include "platform/codepage.h"
#include "platform/textfile.h"
#include "shell/postfile.h"

#include <QFile>
#include <QTemporaryFile>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Small inputs are stretched past the limit too, so both sides are seen.
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!bytes.isEmpty() && bytes.front() == 'L')
        bytes = bytes.repeated(zarvelo::kPostLoadLimit / bytes.size() + 2);

    static QTemporaryFile file;
    if (!file.isOpen() && !file.open())
        std::abort();
    file.resize(0);
    file.seek(0);
    file.write(bytes);
    file.flush();

    const zarvelo::TextFileRead read =
        zarvelo::readWindows1256File(file.fileName(), zarvelo::kPostLoadLimit + 1);
    if (!read.ok)
        std::abort();
    const zarvelo::LoadedPost post = zarvelo::limitLoadedPost(read.text);
    const QString whole = zarvelo::decodeWindows1256(bytes);
    if (post.limitPassed != (whole.size() > zarvelo::kPostLoadLimit))
        std::abort();
    const qsizetype expected = post.limitPassed ? zarvelo::kPostLoadLimit + 1 : whole.size();
    if (post.text != whole.left(expected))
        std::abort();
    return 0;
}
