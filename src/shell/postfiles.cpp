#include "shell/postfiles.h"

#include "defaultfont/defaultfont.h"

#include "ui/posteditor.h"
#include "platform/codepage.h"
#include "platform/platform.h"
#include "search/form2.h"
#include "platform/commondialog.h"
#include "shell/form1.h"
#include "shell/form1table.h"
#include "shell/postfile.h"

#include <QAction>

namespace zarvelo {

namespace {

QString failureMessage(const QString &what, const QString &path, const QString &reason)
{
    return what + QStringLiteral("\r\n") + path + QStringLiteral("\r\n") + reason;
}

} // namespace

PostFiles::PostFiles(Form1 &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("PostFiles"));
    connect(form.menuAction(QStringLiteral("NEWPOST")), &QAction::triggered, this, &PostFiles::NEWPOST);
    connect(form.menuAction(QStringLiteral("OPEN")), &QAction::triggered, this, &PostFiles::OPEN);
    connect(form.menuAction(QStringLiteral("SAVE")), &QAction::triggered, this, &PostFiles::SAVE);
    connect(form.menuAction(QStringLiteral("SAVEAS")), &QAction::triggered, this, &PostFiles::SAVEAS);
    connect(form.menuAction(QStringLiteral("EXIT")), &QAction::triggered, this, &PostFiles::EXIT);
    // The find window belongs to the same menu bar; it keeps its own object.
    new FindWindowOpener(form);
}

void PostFiles::NEWPOST()
{
    emit postLeaving();
    m_form.defaultFont().APPLYDEFAULTFONT();
    m_currentFileName.clear();
    m_form.setWindowTitle(postWindowTitle(QString()));
    emit postStarted();
}

void PostFiles::OPEN()
{
    const QString previousFileName = m_currentFileName;
    CommonDialog &dialog = m_form.commonDialog();
    dialog.setFilter(postFileFilter());
    dialog.showOpen();
    m_currentFileName = dialog.fileName();
    if (m_currentFileName.isEmpty())
        return;

    const QString path = m_currentFileName;
    // One byte is one character, so the limit's worth of bytes is all the
    // editor can get: a huge file is never read whole.
    const TextFileRead read = m_form.platform().readTextFile(path, kPostLoadLimit + 1);
    if (!read.ok) {
        // The editor still holds the post of the file before, so that file
        // stays the current one.
        m_currentFileName = previousFileName;
        m_form.platform().messageBox(failureMessage(QStringLiteral("تعذّر فتح الملف:"), path, read.error),
                                     QStringLiteral("خطأ"), MessageIcon::Information);
        return;
    }
    const LoadedPost loaded = limitLoadedPost(read.text);
    if (loaded.limitPassed) {
        m_form.platform().messageBox(loadLimitMessage(), loadLimitTitle(), MessageIcon::Information);
        // The editor holds only the start of the file: a plain Save must not
        // cut the file down to it, so Save asks for a name again (offering
        // this path) while the title still tells where the post came from.
        m_currentFileName.clear();
    }
    emit postLeaving();
    m_form.editor().setText(loaded.text);
    m_form.setWindowTitle(postWindowTitle(path));
    emit postStarted();
}

bool PostFiles::chooseSaveFile()
{
    CommonDialog &dialog = m_form.commonDialog();
    dialog.setFilter(postFileFilter());
    dialog.showSave();
    m_currentFileName = dialog.fileName();
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
    const QString text = escapeUnencodableAsHtml(m_form.editor().text(), &escaped);
    const TextFileWrite written = m_form.platform().writeTextFile(path, text);
    if (!written.ok) {
        // Nothing was written, so nothing changes but the message: the old
        // file is whole, the title and the current file stay as they were.
        m_currentFileName = previousFileName;
        m_form.platform().messageBox(
            failureMessage(QStringLiteral("تعذّر حفظ المشاركة في الملف:"), path, written.error),
            QStringLiteral("خطأ"), MessageIcon::Information);
        return;
    }
    m_form.setWindowTitle(postWindowTitle(path));
    emit postSaved();
    if (escaped > 0) {
        m_form.platform().messageBox(
            QStringLiteral("تم حفظ الملف.\r\n"
                           "عدد الحروف التي لا يحملها ترميز الملف العربي فكُتبت رموزاً رقمية "
                           "(مثل &#128512;) تعرضها المنتديات والمتصفحات كما هي: %1")
                .arg(escaped),
            programName(), MessageIcon::Information);
    }
}

void PostFiles::adoptFile(const QString &path)
{
    m_currentFileName = path;
    m_form.setWindowTitle(postWindowTitle(path));
}

void PostFiles::EXIT()
{
    emit postLeaving();
    m_form.platform().endProcess(0);
}

} // namespace zarvelo
