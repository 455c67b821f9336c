#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

namespace zarvelo {

class LookCache;

/** The picture a main-window button shows: the program's own, one set drawn
    for the buttons' size (a desktop theme has pictures for only some of
    them, in a style of its own, and looking them up costs more at start than
    drawing the window), and for the three picture presets their fragment of
    "تنسيقات" drawn in the button's font, taken from kept when it holds one
    and added to it when drawn. A null icon for a button that shows a
    caption. A picture that cannot be drawn (a file missing or unreadable)
    gives way to a short text of the button's meaning, so that no button is
    ever a blank face. iconFolder is where the program's own pictures are
    read from (see programPicture). */
QIcon buttonPicture(const QString &buttonName, const QFont &font, LookCache *kept = nullptr,
                    const QString &iconFolder = QStringLiteral(":/icons"));

/** One of the program's own pictures ("bold", "zarvelo" for the window), drawn
    from its SVG when the program was built into folder/NAME/SIZE.rgba at
    every size it is shown, so that no SVG is drawn and no picture decoded at
    start. */
QIcon programPicture(const QString &name, const QString &folder = QStringLiteral(":/icons"));

/** Whether icon draws anything at all at size. */
bool drawsSomething(const QIcon &icon, const QSize &size);

} // namespace zarvelo
