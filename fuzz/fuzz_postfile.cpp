// Opening a post: any bytes, read through a real file with the load limit,
// give the file's first characters unchanged, at most one past the limit,
// and say the limit was passed exactly when the file is longer. Read whole,
// in whichever encoding they are taken for, they encode back to themselves.
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

    const zarvelo::TextFileRead read = zarvelo::readPostFile(file.fileName(), zarvelo::kPostLoadLimit + 1);
    if (!read.ok)
        std::abort();
    zarvelo::PostTextDecoder decoder;
    decoder.feed(bytes);
    const zarvelo::TextFileRead whole = decoder.finish(bytes.size());
    QList<char32_t> unencodable;
    if (whole.encoding != read.encoding || whole.characters != read.characters
        || zarvelo::encodeText(whole.text, whole.encoding, &unencodable) != bytes || !unencodable.isEmpty())
        std::abort();
    const zarvelo::LoadedPost post = zarvelo::limitLoadedPost(read.text);
    if (post.limitPassed != (zarvelo::characterCount(whole.text) > zarvelo::kPostLoadLimit))
        std::abort();
    if (post.text != zarvelo::leftCharacters(whole.text, zarvelo::kPostLoadLimit + 1))
        std::abort();
    return 0;
}
