#include "ui/buttonpictures.h"

#include "ui/lookcache.h"
#include "ui/rawpixels.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace zarvelo {

namespace {

struct Picture
{
    const char *button;
    const char *ownIcon;
    const char *fallbackText; // what the button says when its picture cannot be drawn
};

// clang-format off
constexpr Picture kPictures[] = {
    {"cmdBOLD_0", "bold", "B"},
    {"cmdBOLD_1", "italic", "I"},
    {"cmdBOLD_2", "underline", "U"},
    {"cmdBOLD_3", "align-left", "يسار"},
    {"cmdBOLD_4", "align-center", "وسط"},
    {"cmdBOLD_5", "align-right", "يمين"},
    {"cmdBOLD_6", "code", "كود"},
    {"cmdBOLD_7", "html", "HTML"},
    {"cmdBOLD_8", "php", "PHP"},
    {"cmdPROM_0", "image", "صورة"},
    {"cmdPROM_1", "link", "رابط"},
    {"cmdPROM_2", "quote", "«»"},
};
// clang-format on

// Read from right to left, the three pictures spell the word; the tatweel
// keeps the letters joined across the cuts.
struct Fragment
{
    const char *button;
    const char *text;
};
constexpr Fragment kFragments[] = {
    {"Command3", "تنـ"},
    {"Command8", "ـسيـ"},
    {"Command7", "ـقات"},
};

// font at pixels high, or the largest size below it (down to 8) at which
// text is no wider than width.
QFont fittedFont(QFont font, const QString &text, int pixels, int width)
{
    constexpr int kSmallest = 8;
    auto fits = [&](int size) {
        font.setPixelSize(size);
        return QFontMetrics(font).horizontalAdvance(text) <= width;
    };
    const int largest = pixels;
    font.setPixelSize(pixels);
    const int advance = QFontMetrics(font).horizontalAdvance(text);
    if (advance <= width || pixels <= kSmallest)
        return font;
    // Every size loads the face anew, which costs more than drawing: widths
    // grow about in proportion to the size, so start from the proportional
    // size and step from there to the largest that fits.
    pixels = std::clamp(int(double(pixels) * width / advance), kSmallest, largest - 1);
    if (fits(pixels)) {
        while (pixels + 1 < largest && fits(pixels + 1))
            ++pixels;
    } else {
        while (pixels > kSmallest && !fits(pixels - 1))
            --pixels;
        if (pixels > kSmallest)
            --pixels;
    }
    font.setPixelSize(pixels);
    return font;
}

// The icons are drawn for 21 by 20 pixels.
constexpr QSize kIconSize(21, 20);

// A short text in place of a picture, shrunk until it fits the icon's box.
QIcon drawnText(const QString &text, const QFont &buttonFont)
{
    QPixmap pixmap(kIconSize * 2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = buttonFont;
    font.setBold(true);
    font.setItalic(text == QLatin1String("I"));
    font.setUnderline(text == QLatin1String("U"));
    painter.setFont(fittedFont(font, text, pixmap.height() - 6, pixmap.width() - 2));
    painter.setPen(Qt::black);
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    painter.end();
    return QIcon(pixmap);
}

QImage drawnFragment(const QString &text, const QFont &font)
{
    QImage picture(60, 40, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The button's font, fitted to the picture: a wide stand-in face must not
    // run off its edges.
    painter.setFont(fittedFont(font, text, 30, picture.width() - 4));
    painter.setPen(QColor(0x00, 0x00, 0x40));
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.drawText(picture.rect(), Qt::AlignCenter, text);
    painter.end();
    return picture;
}

} // namespace

QIcon programPicture(const QString &name, const QString &folder)
{
    // Each file is named by its size ("19.rgba") and holds its pixels as they
    // are shown; only the sizes the window shows are there, since every one
    // is read here.
    QIcon icon;
    const QDir sizes(folder + QLatin1Char('/') + name);
    for (const QString &file : sizes.entryList(QDir::Files)) {
        const int pixels = file.endsWith(QLatin1String(".rgba")) ? QStringView(file).chopped(5).toInt() : 0;
        QFile in(sizes.filePath(file));
        if (pixels <= 0 || !in.open(QIODevice::ReadOnly))
            continue;
        const QImage image = imageFromRawPixels(in.readAll(), pixels, pixels);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

bool drawsSomething(const QIcon &icon, const QSize &size)
{
    const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0)
                return true;
        }
    }
    return false;
}

QIcon buttonPicture(const QString &buttonName, const QFont &font, LookCache *kept, const QString &iconFolder)
{
    for (const Picture &picture : kPictures) {
        if (buttonName != QLatin1String(picture.button))
            continue;
        QIcon icon = programPicture(QLatin1String(picture.ownIcon), iconFolder);
        if (!icon.isNull())
            return icon;
        return drawnText(QString::fromUtf8(picture.fallbackText), font);
    }
    for (const Fragment &fragment : kFragments) {
        if (buttonName != QLatin1String(fragment.button))
            continue;
        QImage picture = kept ? kept->picture(buttonName) : QImage();
        if (picture.isNull()) {
            picture = drawnFragment(QString::fromUtf8(fragment.text), font);
            if (kept)
                kept->keepPicture(buttonName, picture);
        }
        return QIcon(QPixmap::fromImage(picture));
    }
    return QIcon();
}

} // namespace zarvelo
