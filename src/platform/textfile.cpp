#include "platform/textfile.h"

#include "platform/codepage.h"

#include <QFile>
#include <QSaveFile>

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
    return writeFileAtomically(path, encoded.bytes);
}

TextFileWrite writeFileAtomically(const QString &path, QByteArrayView bytes)
{
    TextFileWrite result;
    QSaveFile file(path);
    // A failed write must leave the old file whole, so never fall back to
    // writing in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        result.error = file.errorString();
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
