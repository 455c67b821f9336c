#include "editing/colortohex.h"

namespace zarvelo {

QString ColorToHex(quint32 color)
{
    // Pad the number's digits to six, then swap the byte pairs: the number
    // holds blue, green, red from the left, a tag wants red, green, blue.
    const QString digits =
        QString::number(color & 0xFFFFFF, 16).toUpper().rightJustified(6, QLatin1Char('0'));
    return digits.mid(4, 2) + digits.mid(2, 2) + digits.mid(0, 2);
}

} // namespace zarvelo
