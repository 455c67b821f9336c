#pragma once

#include "defaultfont/defaultfontsettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace zarvelo {

class CommonDialog;
class DefaultFontRecord;
class Platform;

/**
 * The default-font settings window: modal, owned by the main window, built
 * afresh at every opening and discarded when it closes. It starts from the
 * settings file; OK writes the file, the record and the panel; Cancel and the
 * close box leave all three alone. The post in the editor is never touched.
 */
class frmdefaultfont final : public QDialog
{
    Q_OBJECT

public:
    frmdefaultfont(DefaultFontRecord &record, Platform &platform, QWidget *parent);

    /** Reads the settings file and shows its values. False, with the
        message shown, when the file cannot be read: the window must then not
        be opened. */
    bool formLoad();

    /** The settings the window's controls stand for now, as OK writes them. */
    DefaultFontSettings chosenSettings() const;

private:
    void fitCaptions();
    void applyOffSwitch();
    void showButtonColor(quint32 color);
    void showNoColor();
    void chooseColor();
    void confirm();

    DefaultFontRecord &m_record;
    CommonDialog *m_commonDialog = nullptr;
    QComboBox *m_fontName = nullptr;
    QComboBox *m_alignment = nullptr;
    QComboBox *m_fontSize = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_off = nullptr;
    QPushButton *m_colorButton = nullptr;
    quint32 m_buttonColor = 0;
    DefaultFontSettings m_loaded; // what the file held as the window opened
};

/** What opens the settings window: the tools menu's item and a click on
    the default-font panel. */
class DefaultFontWindowOpener final : public QObject
{
    Q_OBJECT

public:
    /** The opener is a child of owner, over which the window opens. */
    DefaultFontWindowOpener(DefaultFontRecord &record, Platform &platform, QWidget *owner);

public slots:
    /** Opens the settings window modally over the owner, unless the settings
        file can no longer be read: then the message has been shown and the
        window stays shut. */
    void open();

private:
    DefaultFontRecord &m_record;
    Platform &m_platform;
    QWidget *m_owner;
};

} // namespace zarvelo
