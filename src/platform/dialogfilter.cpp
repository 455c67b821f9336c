#include "platform/dialogfilter.h"

#include <QStringList>

namespace zarvelo {

QString qtFileDialogFilter(const QString &commonDialogFilter)
{
    const QStringList parts = commonDialogFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        // The description usually repeats its pattern in parentheses; Qt would
        // read that as the pattern, so it is dropped and written once, Qt's way.
        const QString repeated = QLatin1Char('(') + pattern + QLatin1Char(')');
        if (description.endsWith(repeated))
            description.chop(repeated.size());
        QStringList patterns = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        filters << description.trimmed() + QLatin1String(" (") + patterns.join(QLatin1Char(' '))
                + QLatin1Char(')');
    }
    return filters.join(QLatin1String(";;"));
}

} // namespace zarvelo
