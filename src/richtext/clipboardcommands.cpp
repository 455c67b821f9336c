#include "richtext/clipboardcommands.h"

#include "platform/platform.h"
#include "richtext/formattedcopy.h"
#include "richtext/markupfromhtml.h"
#include "ui/posteditor.h"

namespace zarvelo {

ClipboardCommands::ClipboardCommands(PostEditor &editor, Platform &platform, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("ClipboardCommands"));
}

void ClipboardCommands::PASTEMARKUP()
{
    m_editor.setFocus();
    const ClipboardText held = m_platform.clipboardContents();
    // Plain text goes in as Ctrl+V puts it, its line breaks as they are.
    const std::optional<QString> markup = held.html.isEmpty() ? held.text : markupFromHtml(held.html);
    const QString pasted = markup.value_or(held.text);
    if (!pasted.isEmpty()) {
        m_editor.setSelText(pasted);
        m_editor.ensureCursorVisible();
    }
    if (!markup)
        m_platform.messageBox(QStringLiteral("لُصق نص الصفحة وحده: تنسيقها أكبر من أن يُقرأ في وقت قصير."),
                              programName(), MessageIcon::Information);
}

void ClipboardCommands::COPYFORMATTED()
{
    const FormattedCopy copy = formattedCopyOf(m_editor.text());
    m_platform.setClipboardFormatted({copy.html, copy.text});
    m_editor.setFocus();
}

} // namespace zarvelo
