#include "editing/colortohex.h"

#include "platform/colornumber.h"

namespace zarvelo {

QString ColorToHex(quint32 color)
{
    return QString::number(colorNumberToRgb(color), 16).toUpper().rightJustified(6, QLatin1Char('0'));
}

} // namespace zarvelo
