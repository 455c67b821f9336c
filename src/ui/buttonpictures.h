#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

namespace zarvelo {

/** The picture a main-window button shows: the desktop theme's icon where it
    has a fitting one, the program's own otherwise, and for the three picture
    presets their fragment of "تنسيقات" drawn in the button's font. A null icon
    for a button that shows a caption. */
QIcon buttonPicture(const QString &buttonName, const QFont &font);

/** One of the program's own pictures ("bold", "zarvelo" for the window),
    drawn when the program was built at every size it is shown. */
QIcon programPicture(const QString &name);

} // namespace zarvelo
