#include "defaultfont/defaultfonttemplate.h"

#include "editing/colortohex.h"

namespace zarvelo {

namespace {

// The alignment word's tag name; empty for any other value, the marker included.
QString alignmentTag(const QString &alignment)
{
    if (alignment == alignCenterWord())
        return QStringLiteral("CENTER");
    if (alignment == alignRightWord())
        return QStringLiteral("RIGHT");
    if (alignment == alignLeftWord())
        return QStringLiteral("LEFT");
    return QString();
}

} // namespace

DefaultFontTemplate buildDefaultFontTemplate(const DefaultFontSettings &settings)
{
    DefaultFontTemplate result;
    const QString placeholder = templatePlaceholder();
    result.selLength = placeholder.size();
    if (settings.Disabled != QLatin1String("0")) {
        result.text = placeholder;
        return result;
    }

    const QString marker = noChangeMarker();
    QString opening;
    QString closing;
    if (settings.FontName != marker) {
        opening += QStringLiteral("[FONT='") + settings.FontName + QStringLiteral("']");
        closing += QStringLiteral("[/FONT]");
    }
    if (settings.Alignment != marker) {
        const QString tag = alignmentTag(settings.Alignment);
        if (!tag.isEmpty()) {
            opening += QLatin1Char('[') + tag + QLatin1Char(']');
            closing += QStringLiteral("[/") + tag + QLatin1Char(']');
        }
    }
    if (settings.FontSize != marker) {
        opening += QStringLiteral("[SIZE=") + settings.FontSize + QLatin1Char(']');
        closing += QStringLiteral("[/SIZE]");
    }
    if (settings.Bold != marker) {
        opening += QStringLiteral("[B]");
        closing += QStringLiteral("[/B]");
    }
    if (settings.FontColor != marker) {
        // No "#" here, unlike the colour button's tag: the template has always
        // written the bare digits.
        const QString hex = ColorToHex(colorFieldValue(settings.FontColor));
        opening += QStringLiteral("[COLOR=") + hex + QLatin1Char(']');
        closing += QStringLiteral("[/COLOR]");
        result.colorHex = hex;
    }
    opening += QLatin1String("\r\n");

    // Closing tags follow the opening order rather than mirroring it; forums
    // accept either, and posts made so far look this way.
    result.selStart = opening.size();
    result.text = opening + placeholder + QLatin1String("\r\n") + closing;
    return result;
}

} // namespace zarvelo
