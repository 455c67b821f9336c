#include "ui/buttonpictures.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace zarvelo {

namespace {

struct Picture
{
    const char *button;
    const char *themeName; // nullptr: no freedesktop name fits
    const char *ownIcon;
    const char *fallbackText; // what the button says when its picture cannot be drawn
};

constexpr Picture kPictures[] = {
    {"cmdBOLD_0", "format-text-bold", "bold", "B"},
    {"cmdBOLD_1", "format-text-italic", "italic", "I"},
    {"cmdBOLD_2", "format-text-underline", "underline", "U"},
    {"cmdBOLD_3", "format-justify-left", "align-left", "يسار"},
    {"cmdBOLD_4", "format-justify-center", "align-center", "وسط"},
    {"cmdBOLD_5", "format-justify-right", "align-right", "يمين"},
    {"cmdBOLD_6", nullptr, "code", "كود"},
    {"cmdBOLD_7", nullptr, "html", "HTML"},
    {"cmdBOLD_8", nullptr, "php", "PHP"},
    {"cmdPROM_0", "insert-image", "image", "صورة"},
    {"cmdPROM_1", "insert-link", "link", "رابط"},
    {"cmdPROM_2", nullptr, "quote", "«»"},
};

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

// font at pixels high, or smaller until text is no wider than width.
QFont fittedFont(QFont font, const QString &text, int pixels, int width)
{
    font.setPixelSize(pixels);
    while (pixels > 8 && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(--pixels);
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

QIcon drawnFragment(const QString &text, const QFont &font)
{
    QPixmap pixmap(60, 40);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The button's font, fitted to the picture: a wide stand-in face must not
    // run off its edges.
    painter.setFont(fittedFont(font, text, 30, pixmap.width() - 4));
    painter.setPen(QColor(0x00, 0x00, 0x40));
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

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

QIcon buttonPicture(const QString &buttonName, const QFont &font, const QString &iconFolder)
{
    for (const Picture &picture : kPictures) {
        if (buttonName != QLatin1String(picture.button))
            continue;
        QIcon icon(QStringLiteral("%1/%2.svg").arg(iconFolder, QLatin1String(picture.ownIcon)));
        if (picture.themeName)
            icon = QIcon::fromTheme(QLatin1String(picture.themeName), icon);
        if (drawsSomething(icon, kIconSize))
            return icon;
        return drawnText(QString::fromUtf8(picture.fallbackText), font);
    }
    for (const Fragment &fragment : kFragments) {
        if (buttonName == QLatin1String(fragment.button))
            return drawnFragment(QString::fromUtf8(fragment.text), font);
    }
    return QIcon();
}

} // namespace zarvelo
