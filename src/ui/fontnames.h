#pragma once

#include <QString>
#include <QStringList>

namespace zarvelo {

/** The fonts the main window's font list and the settings window offer, in
    their order. */
QStringList fontNames();

/** The main window's font list's text at start, and after a font has been
    applied. */
inline QString fontListPlaceholder()
{
    return QStringLiteral("نــــوع الـخــــــــط");
}

} // namespace zarvelo
