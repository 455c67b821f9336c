// Opening a post: any bytes, read through a real file with the load limit,
// give the file's first characters, their line breaks held as the editor
// holds them and written back as the file had them, at most one past the
// limit (two when that one is half of a pair the editor made of one break);
// short of the limit the whole file. Read whole, in whichever encoding they
// are taken for, they encode back to themselves.
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
    const QString written = zarvelo::toFileLineBreaks(post.text, post.breaks);
    if (!read.text.startsWith(written) || (post.cut && !post.limitPassed))
        std::abort();
    if (zarvelo::characterCount(post.text) > zarvelo::kPostLoadLimit + 2)
        std::abort();
    if (!post.limitPassed && written != whole.text)
        std::abort();
    return 0;
}
