#include "ui/rawpixels.h"

namespace zarvelo {

namespace {
constexpr auto kFormat = QImage::Format_RGBA8888_Premultiplied;
} // namespace

QByteArray rawPixels(const QImage &image)
{
    const QImage rgba = image.convertToFormat(kFormat);
    const qsizetype row = qsizetype(rgba.width()) * 4;
    QByteArray bytes;
    bytes.reserve(row * rgba.height());
    for (int y = 0; y < rgba.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(rgba.constScanLine(y)), row);
    return bytes;
}

QImage imageFromRawPixels(const QByteArray &bytes, int width, int height)
{
    if (width <= 0 || height <= 0 || bytes.size() != qsizetype(width) * height * 4)
        return QImage();
    // Laid over the bytes, then copied so that the image owns its pixels.
    return QImage(reinterpret_cast<const uchar *>(bytes.constData()), width, height, width * 4, kFormat)
        .copy();
}

} // namespace zarvelo
