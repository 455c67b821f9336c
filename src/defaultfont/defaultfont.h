#pragma once

#include "defaultfont/defaultfontsettings.h"

#include <QList>
#include <QObject>
#include <QString>

class QWidget;

namespace zarvelo {

class Form1;

/**
 * The default font on the main window: the one `DefaultFontSettings` record
 * of the program, the settings file behind it, the panel `Frame2` that shows
 * it, the template it puts around a new post, and the opening of the
 * settings window from the panel and the menu item `DEFAULTFONT`.
 *
 * The record lives here rather than in a free global so that every main
 * window (one in the program, a fresh one in each test) starts empty; the
 * object is a child of the main window and lives as long as the program.
 */
class DefaultFont final : public QObject
{
    Q_OBJECT

public:
    explicit DefaultFont(Form1 &form);

    /** The program's default-font record. */
    const DefaultFontSettings &settings() const { return m_settings; }

    /**
     * Reads the settings file from the current working directory into the
     * record. When the file is missing or holds fewer than six fields, shows
     * the missing-file message and returns false with the record unchanged;
     * the caller decides whether the program can go on.
     */
    bool LOADDEFAULTFONT();

    /** Shows the record on the panel, setting every property each time so
        the panel depends on the record alone. */
    void REFRESHDEFAULTFONTPANEL();

    /** Replaces the whole post with the template for the record, as one undo
        step, and selects the placeholder so that typing replaces it. The
        start-up load step and the new-post command call it. */
    void APPLYDEFAULTFONT();

    /**
     * Writes the settings file with the record's new values and, when that
     * worked, takes them into the record and refreshes the panel. When the
     * file cannot be written, a message names the file and the reason, and
     * the record, the panel and the old file stay as they were.
     */
    bool saveSettings(const DefaultFontSettings &settings);

    /** Opens the settings window modally over the main window. */
    void openSettingsWindow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitPanelCaptions();

    Form1 &m_form;
    DefaultFontSettings m_settings;
    QList<QWidget *> m_panel; // Frame2 and its nine labels, each opens the window on a click
};

} // namespace zarvelo
