#pragma once

#include <QFile>
#include <QScopeGuard>
#include <QTest>

namespace zarvelo::test {

inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<unreadable>");
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/** Names the row of a table whose check failed. */
inline auto rowNamed(const char *name)
{
    return qScopeGuard([name] {
        if (QTest::currentTestFailed())
            qWarning("in row: %s", name);
    });
}

} // namespace zarvelo::test
