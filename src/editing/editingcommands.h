#pragma once

#include <QObject>
#include <QString>

class QComboBox;

namespace zarvelo {

class CommonDialog;
class Platform;
class PostEditor;

/**
 * The main window's editing commands: the tag buttons, the prompted tags, the
 * font and size lists, the colour button, the preset styles, the stock
 * phrases, the copy of the post and the direction flip, with the form-level
 * state those commands share. The window connects its controls to the slots.
 *
 * Every command that changes the post makes exactly one change through the
 * editor, so one undo brings back both the text and the selection it had.
 */
class EditingCommands final : public QObject
{
    Q_OBJECT

public:
    /** fontList and sizeList are the lists whose picks the font and size
        commands take, and whose text they set back afterwards. */
    EditingCommands(PostEditor &editor, Platform &platform, CommonDialog &dialog, QComboBox &fontList,
                    QComboBox &sizeList, QObject *parent = nullptr);

    /** The selection a command saved just before it changed the post. Full
        width, so commands work anywhere in a post of any length. */
    qsizetype savedSelStart() const { return m_savedSelStart; }
    qsizetype savedSelLength() const { return m_savedSelLength; }

    /** The six digits of the last colour turned into a tag; the default-font
        template leaves its own here too. */
    QString colorHex() const { return m_colorHex; }
    void setColorHex(const QString &hex) { m_colorHex = hex; }

public slots:
    void cmdBOLD_Click(int index);
    void cmdPROM_Click(int index);
    void Combo1_Click(int index);
    void Combo3_Click(int index);
    void Command1_Click();
    /** The preset of button Command3 + index (index 0 to 5). */
    void preset_Click(int index);
    void Command2_Click(int index);
    void Command12_Click();
    void Command13_Click();

private:
    /** True when text is selected; otherwise shows the select-first message. */
    bool RequireSelection();
    /** Puts prefix and suffix around the selection and selects the result. */
    void WrapSelection(const QString &prefix, const QString &suffix);
    void insertImage();
    void wrapPrompted(int index);

    PostEditor &m_editor;
    Platform &m_platform;
    CommonDialog &m_dialog;
    QComboBox &m_fontList;
    QComboBox &m_sizeList;
    qsizetype m_savedSelStart = 0;
    qsizetype m_savedSelLength = 0;
    QString m_promptAnswer;
    QString m_colorHex;
};

} // namespace zarvelo
