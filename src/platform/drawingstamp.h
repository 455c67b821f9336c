#pragma once

#include <QByteArray>

namespace zarvelo {

/** A short stamp of what the program's drawn pictures and text depend on
    besides its own code: every font the system offers (its file and
    version), the font settings files, the Qt library and the program's own
    build. It changes when any of them does (a font installed, removed or
    upgraded, a setting edited, the program rebuilt), so a picture kept under
    one stamp is the one the program would draw again under it. It asks
    fontconfig for what it has already read at start; no font is opened. */
QByteArray drawingStamp();

} // namespace zarvelo
