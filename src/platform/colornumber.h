#pragma once

#include <QtGlobal>

namespace zarvelo {

/** A colour number (red + 256 × green + 65536 × blue, red in the low byte),
    as the colour dialog returns it and the settings file stores it, turned
    into 0xRRGGBB, the order of screen colours and colour tags. */
constexpr int colorNumberToRgb(quint32 number)
{
    return int(((number & 0xFF) << 16) | (number & 0xFF00) | ((number >> 16) & 0xFF));
}

/** 0xRRGGBB back into a colour number. */
constexpr quint32 rgbToColorNumber(int rgb)
{
    return colorNumberToRgb(quint32(rgb) & 0xFFFFFF);
}

} // namespace zarvelo
