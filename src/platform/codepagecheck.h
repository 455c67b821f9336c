#pragma once

#include "platform/codepage.h"

namespace zarvelo {

class Platform;

/** Every post, the settings file and the preview page are Windows-1256: when
    Qt cannot convert it here, says so plainly in a message box and returns
    false, and the program ends instead of opening every post empty. */
bool checkWindows1256(Platform &platform, bool available = isWindows1256Available());

} // namespace zarvelo
