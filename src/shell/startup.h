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

/**
 * What the program sets up once before its first window: Qt's own dialogs and
 * buttons in Arabic with an Arabic locale, and the design's fonts. The
 * button pictures were drawn when the program was built, so nothing about
 * them needs checking here.
 */
void setUpArabicLook(QApplication &app);

} // namespace zarvelo
