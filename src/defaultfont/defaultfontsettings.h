#pragma once

#include <QString>

namespace zarvelo {

/** The no-change marker: the template adds nothing for a field holding it,
    and the panel shows the marker itself. Always compared exactly. */
inline QString noChangeMarker()
{
    return QStringLiteral("لا تغيير");
}

/** The alignment words a settings file holds, as the settings window offers
    them: centred, right and left. */
inline QString alignCenterWord()
{
    return QStringLiteral("توسيط");
}
inline QString alignRightWord()
{
    return QStringLiteral("يمين");
}
inline QString alignLeftWord()
{
    return QStringLiteral("يسار");
}

/** The bold field's value for bold ("yes"). */
inline QString boldOnWord()
{
    return QStringLiteral("نعم");
}

/**
 * The default font: the formatting choices wrapped around every new post, in
 * the order of the settings file's lines. The fields stay text, exactly as
 * the file holds them, because each reader interprets them its own way.
 */
struct DefaultFontSettings
{
    QString Disabled;  ///< "0": template on; anything else: off
    QString FontName;  ///< a font family, or the marker
    QString Alignment; ///< one of the alignment words, or the marker
    QString FontSize;  ///< "1" to "7", or the marker
    QString Bold;      ///< boldOnWord(), or the marker
    QString FontColor; ///< a space and the decimal colour number, or the marker

    friend bool operator==(const DefaultFontSettings &a, const DefaultFontSettings &b)
    {
        return a.Disabled == b.Disabled && a.FontName == b.FontName && a.Alignment == b.Alignment
            && a.FontSize == b.FontSize && a.Bold == b.Bold && a.FontColor == b.FontColor;
    }
    friend bool operator!=(const DefaultFontSettings &a, const DefaultFontSettings &b) { return !(a == b); }
};

/** The whole-number value of a colour field: leading spaces skipped, then the
    decimal digits. A field without digits gives 0; a number past the largest
    colour (16777215, white) is taken as that colour, so a hand-edited file can
    never produce a value the colour tags and swatches cannot show. */
quint32 colorFieldValue(QStringView field);

/** The font name as the panel shows it: whole up to 15 characters, otherwise
    its first 15 followed by "..". */
QString panelFontName(const QString &fontName);

} // namespace zarvelo
