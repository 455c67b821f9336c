#pragma once

#include <QMainWindow>

namespace zarvelo {

class CommonDialog;
class EditingCommands;
class DefaultFont;
class Platform;
class PostEditor;
class PostHighlighter;

/**
 * The main window. It builds its controls and menus from the design tables
 * and keeps its layout; the commands behind the controls live beside it, in
 * their subsystems' folders, and reach the window through the accessors here.
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

    Platform &platform() const { return m_platform; }
    PostEditor &editor() const { return *m_text1; }
    CommonDialog &commonDialog() const { return *m_commonDialog; }
    /** The editing commands and the form-level state they keep. */
    EditingCommands &editingCommands() const { return *m_editingCommands; }
    /** The default font: its record, panel, template and settings window. */
    DefaultFont &defaultFont() const { return *m_defaultFont; }
    /** The editor's one highlighter, which further marks plug into as layers. */
    PostHighlighter &highlighter() const { return *m_highlighter; }

    /** A control or menu item by its objectName ("cmdBOLD_0", "SAVE"). */
    template <typename T>
    T *control(const QString &name) const
    {
        return findChild<T *>(name);
    }
    QAction *menuAction(const QString &name) const;

    /** The preview's working copy: never shown, so a plain string. */
    QString Text2;

    /** Lays the controls out for the client area's present size. */
    void applyLayout();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void decorateButtons();
    void openAbout();

    Platform &m_platform;
    PostEditor *m_text1 = nullptr;
    CommonDialog *m_commonDialog = nullptr;
    EditingCommands *m_editingCommands = nullptr;
    DefaultFont *m_defaultFont = nullptr;
    PostHighlighter *m_highlighter = nullptr;
};

} // namespace zarvelo
