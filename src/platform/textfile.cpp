#include "platform/textfile.h"

#include "platform/codepage.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>

namespace zarvelo {

TextFileRead readWindows1256File(const QString &path, qint64 maxBytes)
{
    TextFileRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    result.text = decodeWindows1256(bytes);
    result.ok = true;
    return result;
}

TextFileWrite writeWindows1256File(const QString &path, const QString &text)
{
    TextFileWrite result;
    Windows1256Bytes encoded = encodeWindows1256(text);
    if (!encoded.ok()) {
        result.unencodable = std::move(encoded.unencodable);
        result.error = QStringLiteral("the text holds characters that Windows-1256 cannot represent");
        return result;
    }
    QSaveFile file(path);
    // A failed write must leave the old file whole, so never fall back to
    // writing in place.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a write the system cuts short (a full disk, a file
    // size limit) shows here: through the buffer, the short count is lost and
    // the commit puts the shortened file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.error = file.errorString();
        return result;
    }
    errno = 0;
    if (file.write(encoded.bytes) != encoded.bytes.size()) {
        // Qt keeps no reason for a short write; the system's is in errno.
        const int reason = errno;
        result.error = reason != 0 ? qt_error_string(reason) : file.errorString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace zarvelo
