#include "platform/isolate.h"

namespace zarvelo {

QString isolated(QStringView text)
{
    QString wrapped;
    wrapped.reserve(text.size() + 2);
    wrapped.append(QChar(0x2068)).append(text).append(QChar(0x2069));
    return wrapped;
}

QString isolatedPath(QStringView path)
{
    QString wrapped;
    wrapped.reserve(path.size() + 2);
    wrapped.append(QChar(0x2066)).append(path).append(QChar(0x2069));
    return wrapped;
}

QString isolated(qint64 number)
{
    return isolated(QString::number(number));
}

} // namespace zarvelo
