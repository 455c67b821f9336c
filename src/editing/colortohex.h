#pragma once

#include <QString>

namespace zarvelo {

/** A colour number (red + 256 × green + 65536 × blue) as the six upper-case
    hexadecimal digits of a colour tag, in the order red, green, blue:
    255 (pure red) gives "FF0000". */
QString ColorToHex(quint32 color);

} // namespace zarvelo
