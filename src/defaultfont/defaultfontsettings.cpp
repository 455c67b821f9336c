#include "defaultfont/defaultfontsettings.h"

namespace zarvelo {

namespace {
constexpr quint32 kWhite = 0xFFFFFF;
constexpr qsizetype kPanelFontNameLength = 15;
} // namespace

quint32 colorFieldValue(QStringView field)
{
    qsizetype pos = 0;
    while (pos < field.size() && field[pos] == QLatin1Char(' '))
        ++pos;
    quint32 value = 0;
    for (; pos < field.size(); ++pos) {
        const QChar c = field[pos];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + quint32(c.unicode() - '0');
        // Stop before the number can overflow: it is past every colour already.
        if (value > kWhite)
            return kWhite;
    }
    return value;
}

QString panelFontName(const QString &fontName)
{
    if (fontName.size() <= kPanelFontNameLength)
        return fontName;
    return fontName.left(kPanelFontNameLength) + QLatin1String("..");
}

} // namespace zarvelo
