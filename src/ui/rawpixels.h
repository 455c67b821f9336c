#pragma once

#include <QByteArray>
#include <QImage>

namespace zarvelo {

/** The form the program keeps its pictures in, built or kept: four bytes a
    pixel (red, green, blue, alpha, premultiplied), rows top first, with
    nothing between them, so that showing them needs no decoding. */
QByteArray rawPixels(const QImage &image);

/** The width × height image that rawPixels gave as bytes, or a null image
    when bytes do not hold exactly that many pixels. */
QImage imageFromRawPixels(const QByteArray &bytes, int width, int height);

} // namespace zarvelo
