#pragma once

#include <array>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

namespace zarvelo {

class PostEditor;

/**
 * The main window's controls that are wired or laid out, as typed
 * references to the widgets its table built. Each is looked up once, by the
 * name the table gives it; a name the table lacks, or a control of another
 * kind, ends the program at start in every build, so no connection can ever
 * be made to a control that is not there.
 */
struct Form1Controls
{
    PostEditor *Text1 = nullptr;
    std::array<QPushButton *, 9> cmdBOLD{};  ///< the tag buttons, in the order of their tags
    std::array<QPushButton *, 3> cmdPROM{};  ///< image, link and quote, which ask first
    std::array<QPushButton *, 6> Command2{}; ///< the stock phrases
    std::array<QPushButton *, 6> presets{};  ///< the preset styles: Command3 to Command8, in that order
    QPushButton *Command1 = nullptr;         ///< the font colour
    QPushButton *Command9 = nullptr;         ///< the preview
    QPushButton *Command12 = nullptr;        ///< copy the post
    QPushButton *Command13 = nullptr;        ///< flip the editor's alignment
    QComboBox *Combo1 = nullptr;             ///< font names
    QComboBox *Combo3 = nullptr;             ///< font sizes
    QGroupBox *Frame2 = nullptr;             ///< the default-font panel
    QLabel *Label1 = nullptr;                ///< the banner of a wide window
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    /** The controls that follow the right edge, in the order the layout
        rules list them (Form1Layout::rightGroup). */
    std::vector<QWidget *> rightGroup;
    /** Every control, in the order of form1Controls(). */
    std::vector<QWidget *> all;
};

/** The main window's menus and the items that run commands. */
struct Form1Menu
{
    QMenu *file = nullptr;
    QMenu *tools = nullptr;
    QMenu *RECENT = nullptr; ///< the recent posts, in the file menu
    QAction *SAVE = nullptr;
    QAction *SAVEAS = nullptr;
    QAction *OPEN = nullptr;
    QAction *DRAFTS = nullptr;
    QAction *NEWPOST = nullptr;
    QAction *EXIT = nullptr;
    QAction *DEFAULTFONT = nullptr;
    QAction *find = nullptr;
    QAction *REPLACE = nullptr;
    QAction *LIVEPREVIEW = nullptr;
    QAction *SPELLCHECK = nullptr;
    QAction *AUTODIRECTION = nullptr;
    QAction *PASTEMARKUP = nullptr;
    QAction *COPYFORMATTED = nullptr;
    QAction *CHECKPOST = nullptr;
    QAction *ABOUT = nullptr;
};

/** Builds the main window's controls from its table on client. */
Form1Controls buildForm1Controls(QWidget *client);

/** Builds the main window's menus from their table into bar. */
Form1Menu buildForm1Menu(QMenuBar &bar);

} // namespace zarvelo
