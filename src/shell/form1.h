#pragma once

#include "shell/form1controls.h"

#include <QMainWindow>

namespace zarvelo {

class CommonDialog;
class DefaultFontPanel;
class DefaultFontRecord;
class Drafts;
class EditingCommands;
class KeptPostBar;
class LookCache;
class Platform;
class PostEditor;
class PostFiles;
class PostHighlighter;

/**
 * The main window and the program's composition root: it builds its controls
 * and menus from the design tables, creates the commands with the controls
 * each one uses, connects every control and menu item to its command, and
 * keeps the layout. It is the one place that knows the controls' names.
 */
class Form1 final : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(Platform &platform, QWidget *parent = nullptr);
    ~Form1() override;

    /** The load step, run once before the window is first shown. Returns
        false when the program has been ended during it (the settings file
        could not be read), so the caller must not show the window. */
    bool formLoad();

    PostEditor &editor() const { return *m_controls.Text1; }
    /** The editor's one highlighter, which further marks plug into as layers. */
    PostHighlighter &highlighter() const { return *m_highlighter; }

    /** The controls as the table built them, each of the kind it names. */
    const Form1Controls &controls() const { return m_controls; }
    const Form1Menu &menu() const { return m_menu; }

    /** Opens a post file as the Open command does once its dialog has
        given the path; false when the post stayed as it was. */
    bool openPost(const QString &path);

    /** Lays the controls out for the client area's present size. */
    void applyLayout();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void decorateButtons(LookCache &kept);
    void createCommands(LookCache &kept);
    void applyTemplate();
    void createFileHabits(PostFiles &files, EditingCommands &editing);

    Platform &m_platform;
    Form1Controls m_controls;
    Form1Menu m_menu;
    CommonDialog *m_commonDialog = nullptr;
    EditingCommands *m_editingCommands = nullptr;
    DefaultFontRecord *m_defaultFont = nullptr;
    DefaultFontPanel *m_panel = nullptr;
    PostHighlighter *m_highlighter = nullptr;
    Drafts *m_drafts = nullptr;
    // Above the editor, which gives up its top to it while it shows.
    KeptPostBar *m_keptPostBar = nullptr;
    QPoint m_editorTopLeft;
    PostFiles *m_files = nullptr;
};

} // namespace zarvelo
