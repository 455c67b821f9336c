#pragma once

#include <QString>

namespace zarvelo {

/** Turns a common-dialog filter ("Text Files(*.txt)|*.txt|All Files(*.*)|*.*")
    into Qt's form ("Text Files (*.txt);;All Files (*)"). "*.*" means every
    file, names without a dot included, as the filters' authors meant it. */
QString qtFileDialogFilter(const QString &commonDialogFilter);

} // namespace zarvelo
