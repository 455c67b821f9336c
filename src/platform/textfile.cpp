#include "platform/textfile.h"

#include "platform/codepage.h"
#include "platform/fileerror.h"

#include <QFile>
#include <QSaveFile>

namespace zarvelo {

TextFileRead readWindows1256File(const QString &path, qint64 maxBytes)
{
    TextFileRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = fileFailureReason(file, FileAction::Read);
        return result;
    }
    const QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        result.error = fileFailureReason(file, FileAction::Read);
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
        result.error = QStringLiteral("في النص أحرف لا يمكن حفظها بترميز Windows-1256.");
        return result;
    }
    QSaveFile file(path);
    // A failed write must leave the old file whole, so never fall back to
    // writing in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = fileFailureReason(file, FileAction::Write);
        return result;
    }
    if (file.write(encoded.bytes) != encoded.bytes.size()) {
        result.error = fileFailureReason(file, FileAction::Write);
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = fileFailureReason(file, FileAction::Write);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace zarvelo
