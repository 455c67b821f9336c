#include "platform/fileerror.h"

#include <QDir>
#include <QFileInfo>

namespace zarvelo {

namespace {

// Qt folds many causes into one error code (opening, or a save put in
// place at the end); the path itself says which one the user has to fix.
// Empty when the path shows nothing wrong.
QString pathProblem(const QString &path, FileAction action)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (info.isDir())
        return QStringLiteral("هذا الاسم لمجلد وليس لملف.");
    if (!folder.exists())
        return QStringLiteral("المجلد غير موجود.");
    if (!folder.isDir())
        return QStringLiteral("جزء من المسار ملف وليس مجلداً.");
    if (action == FileAction::Read) {
        if (!info.exists())
            return QStringLiteral("الملف غير موجود.");
        if (!info.isReadable())
            return QStringLiteral("لا يوجد إذن بقراءة هذا الملف.");
        return QString();
    }
    if (info.exists() && !info.isWritable())
        return QStringLiteral("الملف للقراءة فقط، أو لا يوجد إذن بالكتابة فيه.");
    if (!folder.isWritable())
        return QStringLiteral("لا يوجد إذن بالكتابة في هذا المجلد.");
    return QString();
}

QString sentence(QFileDevice::FileError error, FileAction action)
{
    const bool reading = action == FileAction::Read;
    switch (error) {
    case QFileDevice::NoError:
        return QString();
    case QFileDevice::OpenError:
        return reading ? QStringLiteral("تعذر فتح الملف للقراءة.")
                       : QStringLiteral("تعذر فتح الملف للكتابة.");
    case QFileDevice::ReadError:
        return QStringLiteral("تعذرت قراءة الملف من القرص.");
    case QFileDevice::WriteError:
        return QStringLiteral("تعذرت الكتابة على القرص.");
    case QFileDevice::ResourceError:
        // Qt reports a full disk this way when writing.
        return reading ? QStringLiteral("نفدت موارد النظام أثناء قراءة الملف.")
                       : QStringLiteral("لا توجد مساحة كافية على القرص.");
    case QFileDevice::RenameError:
        return QStringLiteral("تعذر وضع الملف الجديد مكان القديم، وبقي القديم كما كان.");
    case QFileDevice::PermissionsError:
        return QStringLiteral("لا يوجد إذن بهذه العملية على الملف.");
    case QFileDevice::AbortError:
        return QStringLiteral("أُلغيت العملية قبل تمامها.");
    case QFileDevice::TimeOutError:
        return QStringLiteral("انتهت مهلة الوصول إلى الملف.");
    case QFileDevice::PositionError:
    case QFileDevice::ResizeError:
    case QFileDevice::RemoveError:
    case QFileDevice::CopyError:
    case QFileDevice::FatalError:
    case QFileDevice::UnspecifiedError:
        break;
    }
    return reading ? QStringLiteral("تعذرت قراءة الملف.") : QStringLiteral("تعذرت كتابة الملف.");
}

} // namespace

QString fileFailureReason(QFileDevice::FileError error, const QString &path, FileAction action,
                          const QString &systemText)
{
    if (error == QFileDevice::NoError)
        return QString();
    // A full disk is named as such; otherwise a cause the path shows comes
    // before the error code's general sentence.
    QString reason = error == QFileDevice::ResourceError ? QString() : pathProblem(path, action);
    if (reason.isEmpty())
        reason = sentence(error, action);
    if (!systemText.isEmpty())
        reason += QStringLiteral("\r\n(") + systemText + QLatin1Char(')');
    return reason;
}

QString fileFailureReason(const QFileDevice &file, FileAction action)
{
    return fileFailureReason(file.error(), file.fileName(), action, file.errorString());
}

} // namespace zarvelo
