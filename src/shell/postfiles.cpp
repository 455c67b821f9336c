#include "shell/postfiles.h"

#include "defaultfont/defaultfont.h"

#include "platform/codepage.h"
#include "platform/commondialog.h"
#include "platform/platform.h"
#include "search/form2.h"
#include "shell/form1.h"
#include "shell/form1table.h"
#include "shell/postfile.h"
#include "ui/posteditor.h"

#include <QAction>

namespace zarvelo {

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

void PostFiles::startPost(TextEncoding encoding)
{
    m_encoding = encoding;
    m_cutFile.clear();
    m_cutFileCharacters = 0;
    m_toldLong = false;
}

void PostFiles::NEWPOST()
{
    emit postLeaving();
    m_form.defaultFont().APPLYDEFAULTFONT();
    startPost(TextEncoding::Windows1256);
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
    // The limit's worth of characters is all the editor can get: a huge file
    // is read no further than its encoding and its length need.
    const TextFileRead read = m_form.platform().readPostFile(path, kPostLoadLimit + 1);
    if (!read.ok) {
        // The editor still holds the post of the file before, so that file
        // stays the current one.
        m_currentFileName = previousFileName;
        m_form.platform().messageBox(fileFailureMessage(QStringLiteral("تعذّر فتح الملف:"), path, read.error),
                                     QStringLiteral("خطأ"), MessageIcon::Information);
        return;
    }
    const LoadedPost loaded = limitLoadedPost(read.text);
    startPost(read.encoding);
    if (loaded.limitPassed) {
        m_form.platform().messageBox(loadLimitMessage(), loadLimitTitle(), MessageIcon::Information);
        m_toldLong = true; // that message has said it already
    }
    if (read.characters > characterCount(loaded.text)) {
        // Still the current file, but a save over it asks first.
        m_cutFile = path;
        m_cutFileCharacters = read.characters;
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

bool PostFiles::mayOverwrite(const QString &path)
{
    if (m_cutFile.isEmpty() || !isSameFile(path, m_cutFile))
        return true;
    enum { Yes, No };
    const int answer = m_form.platform().questionBox(cutFileQuestion(path, m_cutFileCharacters),
                                                     {QStringLiteral("نعم"), QStringLiteral("لا")}, No, No);
    return answer == Yes;
}

bool PostFiles::chooseEncoding(QString *text, TextEncoding *encoding)
{
    *text = m_form.editor().text();
    *encoding = m_encoding;
    if (m_encoding != TextEncoding::Windows1256)
        return true;
    const Windows1256Bytes probe = encodeWindows1256(*text);
    if (probe.ok())
        return true;
    const int answer = m_form.platform().questionBox(
        unencodableQuestion(probe.unencodable.size(), probe.unencodable.first()), unencodableAnswers(),
        SaveAsUtf8, CancelSave);
    switch (answer) {
    case SaveAsUtf8:
        *encoding = TextEncoding::Utf8;
        return true;
    case SaveWithReferences:
        // Forums and browsers show the references as the characters themselves.
        *text = escapeUnencodableAsHtml(*text);
        return true;
    default:
        return false;
    }
}

void PostFiles::writePost(const QString &previousFileName)
{
    const QString path = m_currentFileName;
    QString text;
    TextEncoding encoding = m_encoding;
    if (!mayOverwrite(path) || !chooseEncoding(&text, &encoding)) {
        // Nothing is written and nothing changes.
        m_currentFileName = previousFileName;
        return;
    }
    const TextFileWrite written = m_form.platform().writeTextFile(path, text, encoding);
    if (!written.ok) {
        // Nothing was written, so nothing changes but the message: the old
        // file is whole, the title and the current file stay as they were.
        m_currentFileName = previousFileName;
        m_form.platform().messageBox(
            fileFailureMessage(QStringLiteral("تعذّر حفظ المشاركة في الملف:"), path, written.error),
            QStringLiteral("خطأ"), MessageIcon::Information);
        return;
    }
    m_encoding = encoding;
    if (!m_cutFile.isEmpty() && isSameFile(path, m_cutFile))
        m_cutFile.clear(); // the file now holds just what the editor holds
    m_form.setWindowTitle(postWindowTitle(path));
    emit postSaved();
    const qint64 characters = characterCount(text);
    if (characters > kPostLoadLimit && !m_toldLong) {
        m_toldLong = true;
        m_form.platform().messageBox(longPostNotice(characters), programName(), MessageIcon::Information);
    }
}

void PostFiles::adoptFile(const QString &path)
{
    // A restored draft is a post of its own, saved as a new post is: in the
    // code page unless it holds what the code page lacks, when Save asks.
    startPost(TextEncoding::Windows1256);
    m_currentFileName = path;
    m_form.setWindowTitle(postWindowTitle(path));
}

void PostFiles::EXIT()
{
    emit postLeaving();
    m_form.platform().endProcess(0);
}

} // namespace zarvelo
