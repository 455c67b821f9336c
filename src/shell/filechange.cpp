#include "shell/filechange.h"

#include "platform/isolate.h"

namespace zarvelo {

FileChange fileChangeSince(const FileIdentity &known, const FileIdentity &now)
{
    if (!now.exists)
        return FileChange::Deleted;
    return known == now ? FileChange::Unchanged : FileChange::Changed;
}

QString changedFileQuestion(const QString &path, bool known)
{
    const QString what = known
        ? QStringLiteral("تغيّر هذا الملف على القرص بعد أن فتحه البرنامج أو حفظه آخر مرة، ربما ببرنامج آخر:")
        : QStringLiteral("لم يفتح البرنامج هذا الملف ولم يحفظه منذ استعيدت المشاركة، فقد يكون فيه ما "
                         "كتبه برنامج آخر:");
    return what + QStringLiteral("\r\n") + isolatedPath(path)
        + QStringLiteral("\r\nالكتابة فوقه تمحو ما فيه الآن. هل تريد الكتابة فوقه؟");
}

QString deletedFileQuestion(const QString &path)
{
    return QStringLiteral("لم يعد هذا الملف موجوداً على القرص، ربما حذفه أو نقله برنامج آخر:\r\n")
        + isolatedPath(path) + QStringLiteral("\r\nهل تريد كتابته من جديد؟");
}

QStringList changedFileAnswers()
{
    return {QStringLiteral("الكتابة فوقه"), QStringLiteral("حفظ باسم آخر..."), QStringLiteral("إلغاء")};
}

QStringList deletedFileAnswers()
{
    return {QStringLiteral("كتابته من جديد"), QStringLiteral("حفظ باسم آخر..."), QStringLiteral("إلغاء")};
}

} // namespace zarvelo
