#include "shell/postfile.h"

namespace zarvelo {

QString postFileFilter()
{
    return QStringLiteral("Text Files(*.txt)|*.txt|All Files(*.*)|*.*");
}

LoadedPost limitLoadedPost(const QString &decoded)
{
    LoadedPost loaded;
    loaded.limitPassed = decoded.size() > kPostLoadLimit;
    loaded.text = loaded.limitPassed ? decoded.left(kPostLoadLimit + 1) : decoded;
    return loaded;
}

QString loadLimitMessage()
{
    return QStringLiteral("الملف كبير جداً\r\nيمكنك تقسيم الملف لتفادي الأخطاء");
}

QString loadLimitTitle()
{
    return QStringLiteral("خطأ");
}

QString postWindowTitle(const QString &path)
{
    const QString name = QStringLiteral("Zarvelo");
    return path.isEmpty() ? name : name + QStringLiteral("  ") + path;
}

} // namespace zarvelo
