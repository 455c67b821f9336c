#pragma once

#include <QString>

namespace zarvelo {

/** Twips per pixel at 96 dots per inch. */
constexpr double kTwipsPerPixel = 15.0;

/** The kinds of control a window's table can hold. */
enum class ControlKind {
    PostEditor, ///< the multi-line post editor
    LineEdit,   ///< a one-line text box
    Label,
    Frame,
    Button,
    PictureButton, ///< a button showing an icon and no caption
    EditableCombo, ///< a drop-down list whose text field takes typing
    ListCombo,     ///< a drop-down list without free text
    CheckBox,
    Picture,
};

/** No colour of its own: the control keeps its kind's colours. */
constexpr int kNoColor = -1;

/** One control of a window, as its design table gives it. Geometry in twips
    from the top-left corner of its container's client area. */
struct ControlDef
{
    const char *name; ///< objectName: the control's name, array members as "cmdBOLD_0"
    ControlKind kind;
    const char *container; ///< objectName of the frame holding it; nullptr: the window
    int left, top, width, height;
    int tabIndex;                     ///< -1: takes no focus
    const char *caption;              ///< UTF-8; nullptr for none
    const char *toolTip;              ///< UTF-8; nullptr for none
    const char *fontFamily = nullptr; ///< nullptr: the window's font
    double fontPointSize = 0;
    bool fontBold = false;
    int foreground = kNoColor; ///< 0xRRGGBB
    int background = kNoColor; ///< 0xRRGGBB
};

/** The window's colours: dark navy ground, light blue text and button faces. */
constexpr int kNavy = 0x000040;
constexpr int kLightBlue = 0xD5E6FA;

} // namespace zarvelo
