#include "editing/editingcommands.h"

#include "editing/colortohex.h"
#include "editing/tagtables.h"
#include "platform/commondialog.h"
#include "platform/platform.h"
#include "shell/form1.h"
#include "shell/form1table.h"
#include "ui/listpicker.h"
#include "ui/posteditor.h"

#include <QComboBox>
#include <QPushButton>

namespace zarvelo {

EditingCommands::EditingCommands(Form1 &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("EditingCommands"));
    connectControls();
}

void EditingCommands::connectControls()
{
    auto button = [this](const QString &name) {
        QPushButton *found = m_form.control<QPushButton>(name);
        Q_ASSERT_X(found, "EditingCommands", qPrintable(name));
        return found;
    };
    auto onArray = [&](const char *array, int count, void (EditingCommands::*handler)(int)) {
        for (int i = 0; i < count; ++i) {
            connect(button(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(i)), &QPushButton::clicked,
                    this, [this, handler, i] { (this->*handler)(i); });
        }
    };
    onArray("cmdBOLD", int(TagTable.size()), &EditingCommands::cmdBOLD_Click);
    onArray("cmdPROM", int(PromptTagTable.size()), &EditingCommands::cmdPROM_Click);
    onArray("Command2", int(StockPhrase.size()), &EditingCommands::Command2_Click);
    for (int i = 0; i < int(PresetStyles.size()); ++i) {
        connect(button(QString::fromLatin1(PresetStyles[i].button)), &QPushButton::clicked, this,
                [this, i] { preset_Click(i); });
    }
    connect(button(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &EditingCommands::Command1_Click);
    connect(button(QStringLiteral("Command12")), &QPushButton::clicked, this,
            &EditingCommands::Command12_Click);
    connect(button(QStringLiteral("Command13")), &QPushButton::clicked, this,
            &EditingCommands::Command13_Click);
    // Only a user's pick runs a command: never the list's text being set
    // back afterwards, nor browsing the closed list with the keyboard.
    connect(new ListPicker(*m_form.control<QComboBox>(QStringLiteral("Combo1"))), &ListPicker::picked, this,
            &EditingCommands::Combo1_Click);
    connect(new ListPicker(*m_form.control<QComboBox>(QStringLiteral("Combo3"))), &ListPicker::picked, this,
            &EditingCommands::Combo3_Click);
}

bool EditingCommands::RequireSelection()
{
    // Only the length matters: a selection of spaces is still a selection,
    // and reading the selected text itself would copy it for nothing.
    if (m_form.editor().selLength() > 0)
        return true;
    m_form.platform().messageBox(SelectFirstMessage.toString());
    return false;
}

void EditingCommands::WrapSelection(const QString &prefix, const QString &suffix)
{
    PostEditor &editor = m_form.editor();
    editor.setFocus();
    m_savedSelStart = editor.selStart();
    m_savedSelLength = editor.selLength();
    // One replacement, so that one undo takes the whole command back.
    editor.setSelText(prefix + editor.selText() + suffix);
    editor.select(m_savedSelStart, m_savedSelLength + prefix.size() + suffix.size());
}

void EditingCommands::cmdBOLD_Click(int index)
{
    if (index < 0 || index >= int(TagTable.size()) || !RequireSelection())
        return;
    const TagRow &row = TagTable[index];
    WrapSelection(row.OpenTag.toString(), row.CloseTag.toString());
}

void EditingCommands::cmdPROM_Click(int index)
{
    switch (index) {
    case 0:
        insertImage();
        break;
    case 1:
        wrapPrompted(1, u"[URL=", u"[/URL]");
        break;
    case 2:
        wrapPrompted(2, u"[QUOTE=", u"[/QUOTE]");
        break;
    default:
        break;
    }
}

void EditingCommands::insertImage()
{
    // The image tag takes the selection's place, so it needs none.
    m_promptAnswer = m_form.platform().inputBox(PromptText[0].toString());
    if (m_promptAnswer.isEmpty())
        return;
    PostEditor &editor = m_form.editor();
    editor.setFocus();
    m_savedSelStart = editor.selStart();
    m_savedSelLength = editor.selLength();
    const TagRow &row = PromptTagTable[0];
    editor.setSelText(row.OpenTag.toString() + m_promptAnswer + row.CloseTag.toString());
    editor.select(m_savedSelStart, m_promptAnswer.size() + row.TagLength);
}

void EditingCommands::wrapPrompted(int index, QStringView opening, QStringView closing)
{
    // The check comes first: no input box for a command that cannot run.
    if (!RequireSelection())
        return;
    m_promptAnswer = m_form.platform().inputBox(PromptText[index].toString());
    if (m_promptAnswer.isEmpty())
        return;
    WrapSelection(opening.toString() + m_promptAnswer + QLatin1Char(']'), closing.toString());
}

void EditingCommands::Combo1_Click(int index)
{
    auto *fonts = m_form.control<QComboBox>(QStringLiteral("Combo1"));
    const QString font = fonts->itemText(index);
    const bool selected = RequireSelection();
    if (selected)
        WrapSelection(QLatin1String("[FONT='") + font + QLatin1String("']"), QStringLiteral("[/FONT]"));
    // No entry stays chosen, so the box shows only its prompt text.
    fonts->setCurrentIndex(-1);
    fonts->setEditText(selected ? fontListPlaceholder() : FontListAfterSelectFirst.toString());
}

void EditingCommands::Combo3_Click(int index)
{
    // The size list goes on showing the picked size, on both paths.
    if (!RequireSelection())
        return;
    const QString size = m_form.control<QComboBox>(QStringLiteral("Combo3"))->itemText(index);
    WrapSelection(QLatin1String("[SIZE=") + size + QLatin1Char(']'), QStringLiteral("[/SIZE]"));
}

void EditingCommands::Command1_Click()
{
    if (!RequireSelection())
        return;
    CommonDialog &dialog = m_form.commonDialog();
    // Starting at 0 makes 0 afterwards mean nothing was chosen: a cancel
    // leaves it, and black is indistinguishable from a cancel.
    dialog.setColor(0);
    dialog.showColor();
    const quint32 color = dialog.color();
    if (color == 0)
        return;
    m_colorHex = ColorToHex(color);
    WrapSelection(QLatin1String("[COLOR=#") + m_colorHex + QLatin1Char(']'), QStringLiteral("[/COLOR]"));
}

void EditingCommands::preset_Click(int index)
{
    if (index < 0 || index >= int(PresetStyles.size()) || !RequireSelection())
        return;
    const PresetStyle &style = PresetStyles[index];
    WrapSelection(style.opening.toString(), style.closing.toString());
}

void EditingCommands::Command2_Click(int index)
{
    if (index < 0 || index >= int(StockPhrase.size()))
        return;
    // The phrase follows the selected text, which stays and stays selected
    // with it; with nothing selected it goes in at the caret.
    WrapSelection(QString(), StockPhrase[index].toString());
}

void EditingCommands::Command12_Click()
{
    PostEditor &editor = m_form.editor();
    // The text exactly as the editor holds it, CR LF pairs and all.
    m_form.platform().setClipboardText(editor.text());
    editor.setFocus();
}

void EditingCommands::Command13_Click()
{
    PostEditor &editor = m_form.editor();
    // Only the alignment decides: a centred editor goes left to right too.
    if (editor.alignment() == PostEditor::LeftJustify) {
        editor.setRightToLeft(true);
        editor.setAlignment(PostEditor::RightJustify);
    } else {
        editor.setAlignment(PostEditor::LeftJustify);
        editor.setRightToLeft(false);
    }
    editor.setFocus();
}

} // namespace zarvelo
