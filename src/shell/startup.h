#pragma once

#include <QStringList>

#include <vector>

class QApplication;

namespace zarvelo {

/** A font the windows name, and the installed families that stand in for
    it, closest first. */
struct FontStandIn
{
    const char *designName;
    QStringList families;
};

/** Every font name the windows and the font lists use, with its stand-ins. */
const std::vector<FontStandIn> &fontStandIns();

/** Makes the design's font names mean their closest free families. Safe to
    call again. */
void installFontStandIns();

/** Whether Qt can draw the program's SVG pictures (its image-format plugin
    is installed). */
bool canDrawSvg();

/**
 * What the program sets up once before its first window: Qt's own dialogs and
 * buttons in Arabic with an Arabic locale, the design's fonts, and a word on
 * standard error when the pictures cannot be drawn (the buttons then show
 * short texts instead).
 */
void setUpArabicLook(QApplication &app);

} // namespace zarvelo
