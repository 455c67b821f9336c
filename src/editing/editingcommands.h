#pragma once

#include <QObject>
#include <QString>

namespace zarvelo {

class Form1;

/**
 * The main window's editing commands: the tag buttons, the prompted tags, the
 * font and size lists, the colour button, the preset styles, the stock
 * phrases, the copy of the post and the direction flip. It is a child of the
 * window, wires itself to the window's controls by their names, and keeps the
 * form-level state those commands share.
 *
 * Every command that changes the post makes exactly one change through the
 * editor, so one undo brings back both the text and the selection it had.
 */
class EditingCommands final : public QObject
{
    Q_OBJECT

public:
    explicit EditingCommands(Form1 &form);

    /** The selection a command saved just before it changed the post. Full
        width, so commands work anywhere in a post of any length. */
    qsizetype savedSelStart() const { return m_savedSelStart; }
    qsizetype savedSelLength() const { return m_savedSelLength; }

    /** The last answer typed into a prompted tag's input box, as typed. */
    QString promptAnswer() const { return m_promptAnswer; }

    /** The six digits of the last colour turned into a tag; the default-font
        template writes it too. */
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
    void connectControls();
    /** True when text is selected; otherwise shows the select-first message. */
    bool RequireSelection();
    /** Puts prefix and suffix around the selection and selects the result. */
    void WrapSelection(const QString &prefix, const QString &suffix);
    void insertImage();
    void wrapPrompted(int index, QStringView opening, QStringView closing);

    Form1 &m_form;
    qsizetype m_savedSelStart = 0;
    qsizetype m_savedSelLength = 0;
    QString m_promptAnswer;
    QString m_colorHex;
};

} // namespace zarvelo
