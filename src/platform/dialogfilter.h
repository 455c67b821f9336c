#pragma once

#include <QString>

namespace zarvelo {

/** Turns a common-dialog filter ("Text Files(*.txt)|*.txt|All Files(*.*)|*.*")
    into Qt's form ("Text Files (*.txt);;All Files (*)"). "*.*" means every
    file, as it does on the system the filters were written for. */
QString qtFileDialogFilter(const QString &commonDialogFilter);

} // namespace zarvelo
