#pragma once

#include "ui/controltable.h"

#include <QFont>
#include <QRect>

#include <vector>

class QWidget;

namespace zarvelo {

/** Twips to pixels at 96 dots per inch (Qt scales pixels for high DPI). */
int twipsToPixels(double twips);
QRect twipsRect(double left, double top, double width, double height);

/**
 * Turns a window's design table into widgets on client: each control gets its
 * objectName, kind, geometry, caption, tooltip, font and colours, and the
 * focusable ones are chained in the table's tab order. Containers must come
 * before the controls they hold. Returns the widgets in the table's order.
 */
std::vector<QWidget *> buildControls(QWidget *client, const std::vector<ControlDef> &table);

/**
 * A font of the family the windows name. A name that is not installed
 * becomes the installed families that stand in for it (QFont::substitutes),
 * closest first: Qt then finds a family at once, instead of
 * asking fontconfig for the fallbacks of the missing name first, which costs
 * more than drawing the whole window. An installed name is used as it is.
 */
QFont designFont(const QString &family);

/** The windows' own font, for controls whose table names none: a small
    dialog font, like the one the controls were sized for. */
QFont windowFont();

/** Sets up one of the program's small modal windows: its name and title,
    right-to-left reading, the window font, the navy ground, and a fixed
    client area of the given size in twips without minimise or maximise. */
void setUpFixedDialog(QWidget *dialog, const QString &name, const QString &title, int widthTwips,
                      int heightTwips);

/** Gives a widget the navy ground and light blue text of the windows. */
void paintNavy(QWidget *widget);
/** Gives a button the light blue face of the windows. */
void paintButtonFace(QWidget *widget, int rgb = kLightBlue);

} // namespace zarvelo
