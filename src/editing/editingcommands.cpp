#include "editing/editingcommands.h"

#include "editing/colortohex.h"
#include "editing/tagtables.h"
#include "platform/commondialog.h"
#include "platform/platform.h"
#include "ui/fontnames.h"
#include "ui/posteditor.h"

#include <QComboBox>

namespace zarvelo {

EditingCommands::EditingCommands(PostEditor &editor, Platform &platform, CommonDialog &dialog,
                                 QComboBox &fontList, QComboBox &sizeList, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_platform(platform)
    , m_dialog(dialog)
    , m_fontList(fontList)
    , m_sizeList(sizeList)
{
    setObjectName(QStringLiteral("EditingCommands"));
}

bool EditingCommands::RequireSelection()
{
    // Only the length matters: a selection of spaces is still a selection,
    // and reading the selected text itself would copy it for nothing.
    if (m_editor.selLength() > 0)
        return true;
    m_platform.messageBox(SelectFirstMessage.toString(), programName(), MessageIcon::None);
    return false;
}

void EditingCommands::WrapSelection(const QString &prefix, const QString &suffix)
{
    m_editor.setFocus();
    m_savedSelStart = m_editor.selStart();
    m_savedSelLength = m_editor.selLength();
    // One replacement, so that one undo takes the whole command back.
    m_editor.setSelText(prefix + m_editor.selText() + suffix);
    m_editor.select(m_savedSelStart, m_savedSelLength + prefix.size() + suffix.size());
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
    if (index == 0)
        insertImage();
    else if (index > 0 && index < int(PromptTagTable.size()))
        wrapPrompted(index);
}

void EditingCommands::insertImage()
{
    // The image tag takes the selection's place, so it needs none.
    m_promptAnswer = m_platform.inputBox(PromptText[0].toString(), programName());
    if (m_promptAnswer.isEmpty())
        return;
    m_editor.setFocus();
    m_savedSelStart = m_editor.selStart();
    m_savedSelLength = m_editor.selLength();
    const QString tag =
        PromptTagTable[0].OpenTag.toString() + m_promptAnswer + PromptTagTable[0].CloseTag.toString();
    m_editor.setSelText(tag);
    m_editor.select(m_savedSelStart, tag.size());
}

void EditingCommands::wrapPrompted(int index)
{
    // The check comes first: no input box for a command that cannot run.
    if (!RequireSelection())
        return;
    m_promptAnswer = m_platform.inputBox(PromptText[index].toString(), programName());
    if (m_promptAnswer.isEmpty())
        return;
    const TagRow &row = PromptTagTable[index];
    WrapSelection(row.OpenTag.toString() + m_promptAnswer + QLatin1Char(']'), row.CloseTag.toString());
}

void EditingCommands::Combo1_Click(int index)
{
    const QString font = m_fontList.itemText(index);
    const bool selected = RequireSelection();
    if (selected)
        WrapSelection(QLatin1String("[FONT='") + font + QLatin1String("']"), QStringLiteral("[/FONT]"));
    // No entry stays chosen, so the box shows only its prompt text.
    m_fontList.setCurrentIndex(-1);
    m_fontList.setEditText(selected ? fontListPlaceholder() : FontListAfterSelectFirst.toString());
}

void EditingCommands::Combo3_Click(int index)
{
    // The size list goes on showing the picked size, on both paths.
    if (!RequireSelection())
        return;
    const QString size = m_sizeList.itemText(index);
    WrapSelection(QLatin1String("[SIZE=") + size + QLatin1Char(']'), QStringLiteral("[/SIZE]"));
}

void EditingCommands::Command1_Click()
{
    if (!RequireSelection())
        return;
    // Starting at 0 makes 0 afterwards mean nothing was chosen: a cancel
    // leaves it, and black is indistinguishable from a cancel.
    m_dialog.setColor(0);
    m_dialog.showColor();
    const quint32 color = m_dialog.color();
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
    // The text exactly as the editor holds it, CR LF pairs and all.
    m_platform.setClipboardText(m_editor.text());
    m_editor.setFocus();
}

void EditingCommands::Command13_Click()
{
    // Only the alignment decides: a centred editor goes left to right too.
    if (m_editor.alignment() == PostEditor::LeftJustify) {
        m_editor.setRightToLeft(true);
        m_editor.setAlignment(PostEditor::RightJustify);
    } else {
        m_editor.setAlignment(PostEditor::LeftJustify);
        m_editor.setRightToLeft(false);
    }
    m_editor.setFocus();
}

} // namespace zarvelo
