#include "ui/buttonpictures.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>

namespace zarvelo {

namespace {

struct Picture
{
    const char *button;
    const char *themeName; // nullptr: no freedesktop name fits
    const char *ownIcon;
};

constexpr Picture kPictures[] = {
    {"cmdBOLD_0", "format-text-bold", "bold"},
    {"cmdBOLD_1", "format-text-italic", "italic"},
    {"cmdBOLD_2", "format-text-underline", "underline"},
    {"cmdBOLD_3", "format-justify-left", "align-left"},
    {"cmdBOLD_4", "format-justify-center", "align-center"},
    {"cmdBOLD_5", "format-justify-right", "align-right"},
    {"cmdBOLD_6", nullptr, "code"},
    {"cmdBOLD_7", nullptr, "html"},
    {"cmdBOLD_8", nullptr, "php"},
    {"cmdPROM_0", "insert-image", "image"},
    {"cmdPROM_1", "insert-link", "link"},
    {"cmdPROM_2", nullptr, "quote"},
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

QIcon drawnFragment(const QString &text, const QFont &font)
{
    QPixmap pixmap(60, 40);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont scaled = font;
    scaled.setPixelSize(30); // the button's font, fitted to the picture
    painter.setFont(scaled);
    painter.setPen(QColor(0x00, 0x00, 0x40));
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

QIcon programPicture(const QString &name)
{
    // Each file is named by its size ("19.png"); only the sizes the window
    // shows are there, since every one is read here.
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons/") + name);
    for (const QString &file : sizes.entryList(QDir::Files)) {
        const int pixels = QStringView(file).chopped(4).toInt();
        icon.addFile(sizes.filePath(file), QSize(pixels, pixels));
    }
    return icon;
}

QIcon buttonPicture(const QString &buttonName, const QFont &font)
{
    for (const Picture &picture : kPictures) {
        if (buttonName != QLatin1String(picture.button))
            continue;
        QIcon own = programPicture(QLatin1String(picture.ownIcon));
        if (picture.themeName)
            return QIcon::fromTheme(QLatin1String(picture.themeName), own);
        return own;
    }
    for (const Fragment &fragment : kFragments) {
        if (buttonName == QLatin1String(fragment.button))
            return drawnFragment(QString::fromUtf8(fragment.text), font);
    }
    return QIcon();
}

} // namespace zarvelo
