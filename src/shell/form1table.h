#pragma once

#include "ui/controltable.h"

#include <vector>

namespace zarvelo {

/** Every control of the main window as the design table gives it (Text2, the
    hidden working copy of the preview, is not a widget and is not listed). */
const std::vector<ControlDef> &form1Controls();

/** The right group of the main window, with its frame first: the controls
    that follow the window's right edge. Part of form1Controls(). */
const std::vector<ControlDef> &form1RightGroup();

/** One entry of the main window's menu tree. */
struct MenuDef
{
    const char *name;     ///< objectName
    const char *parent;   ///< objectName of the menu it is in; nullptr: the menu bar
    const char *caption;  ///< UTF-8, "&" before the access key; "-" for a separator
    const char *shortcut; ///< QKeySequence text ("; " between several), nullptr for none
    bool isMenu;          ///< opens a list rather than running a command
};
const std::vector<MenuDef> &form1Menu();

} // namespace zarvelo
