#pragma once

#include <QString>

class QWidget;

namespace zarvelo {

/**
 * Asks for a file with Qt's own file dialog, in Arabic like the rest of the
 * program, set up so that a right-to-left window still shows paths, file
 * sizes and dates in reading order. filter is in Qt's form ("Text Files
 * (*.txt);;All Files (*)"); initialFileName, a path, opens its folder with
 * the name filled in. The Save dialog asks before replacing a file; the Open
 * dialog takes only an existing file. Returns the chosen path, or an empty
 * string when the user cancelled.
 */
QString askFileName(QWidget *parent, bool save, const QString &filter, const QString &initialFileName);

} // namespace zarvelo
