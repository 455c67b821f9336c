#include "shell/postfiles.h"

#include "platform/codepage.h"
#include "platform/commondialog.h"
#include "platform/platform.h"
#include "shell/postfile.h"
#include "ui/posteditor.h"

namespace zarvelo {

namespace {

QString failureMessage(const QString &what, const QString &path, const QString &reason)
{
    return what + QStringLiteral("\r\n") + path + QStringLiteral("\r\n") + reason;
}

} // namespace

PostFiles::PostFiles(PostEditor &editor, Platform &platform, CommonDialog &dialog,
                     std::function<void()> applyTemplate, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_platform(platform)
    , m_dialog(dialog)
    , m_applyTemplate(std::move(applyTemplate))
{
    setObjectName(QStringLiteral("PostFiles"));
}

void PostFiles::NEWPOST()
{
    m_applyTemplate();
    m_currentFileName.clear();
    emit titleChanged(postWindowTitle(QString()));
}

void PostFiles::OPEN()
{
    const QString previousFileName = m_currentFileName;
    m_dialog.setFilter(postFileFilter());
    m_dialog.showOpen();
    m_currentFileName = m_dialog.fileName();
    if (m_currentFileName.isEmpty())
        return;

    const QString path = m_currentFileName;
    // One byte is one character, so the limit's worth of bytes is all the
    // editor can get: a huge file is never read whole.
    const TextFileRead read = m_platform.readTextFile(path, kPostLoadLimit + 1);
    if (!read.ok) {
        // The editor still holds the post of the file before, so that file
        // stays the current one.
        m_currentFileName = previousFileName;
        m_platform.messageBox(failureMessage(QStringLiteral("تعذّر فتح الملف:"), path, read.error),
                              QStringLiteral("خطأ"), MessageIcon::Information);
        return;
    }
    const LoadedPost loaded = limitLoadedPost(read.text);
    if (loaded.limitPassed) {
        m_platform.messageBox(loadLimitMessage(), loadLimitTitle(), MessageIcon::Information);
        // The editor holds only the start of the file: a plain Save must not
        // cut the file down to it, so Save asks for a name again (offering
        // this path) while the title still tells where the post came from.
        m_currentFileName.clear();
    }
    m_editor.setText(loaded.text);
    emit titleChanged(postWindowTitle(path));
}

bool PostFiles::chooseSaveFile()
{
    m_dialog.setFilter(postFileFilter());
    m_dialog.showSave();
    m_currentFileName = m_dialog.fileName();
    return !m_currentFileName.isEmpty();
}

void PostFiles::SAVE()
{
    const QString previousFileName = m_currentFileName;
    if (m_currentFileName.isEmpty() && !chooseSaveFile())
        return;
    writePost(previousFileName);
}

void PostFiles::SAVEAS()
{
    const QString previousFileName = m_currentFileName;
    if (!chooseSaveFile())
        return;
    writePost(previousFileName);
}

void PostFiles::writePost(const QString &previousFileName)
{
    const QString path = m_currentFileName;
    // Characters the code page cannot hold go in as numeric references,
    // which forums and browsers show as the characters themselves.
    qsizetype escaped = 0;
    const QString text = escapeUnencodableAsHtml(m_editor.text(), &escaped);
    const TextFileWrite written = m_platform.writeTextFile(path, text);
    if (!written.ok) {
        // Nothing was written, so nothing changes but the message: the old
        // file is whole, the title and the current file stay as they were.
        m_currentFileName = previousFileName;
        m_platform.messageBox(
            failureMessage(QStringLiteral("تعذّر حفظ المشاركة في الملف:"), path, written.error),
            QStringLiteral("خطأ"), MessageIcon::Information);
        return;
    }
    emit titleChanged(postWindowTitle(path));
    if (escaped > 0) {
        m_platform.messageBox(QStringLiteral("تم حفظ الملف.\r\n"
                                             "عدد الحروف التي لا يحملها ترميز الملف العربي فكُتبت رموزاً رقمية "
                                             "(مثل &#128512;) تعرضها المنتديات والمتصفحات كما هي: %1")
                                  .arg(escaped),
                              programName(), MessageIcon::Information);
    }
}

void PostFiles::EXIT()
{
    m_platform.endProcess(0);
}

} // namespace zarvelo
