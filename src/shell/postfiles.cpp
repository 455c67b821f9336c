#include "shell/postfiles.h"

#include "platform/codepage.h"
#include "platform/commondialog.h"
#include "platform/platform.h"
#include "shell/postfile.h"
#include "ui/posteditor.h"

namespace zarvelo {

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
    m_applyTemplate();
    startPost(TextEncoding::Windows1256);
    m_currentFileName.clear();
    emit titleChanged(postWindowTitle(QString()));
    emit postStarted();
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
    // The limit's worth of characters is all the editor can get: a huge file
    // is read no further than its encoding and its length need.
    const TextFileRead read = m_platform.readPostFile(path, kPostLoadLimit + 1);
    if (!read.ok) {
        // The editor still holds the post of the file before, so that file
        // stays the current one.
        m_currentFileName = previousFileName;
        m_platform.messageBox(fileFailureMessage(QStringLiteral("تعذّر فتح الملف:"), path, read.error),
                              QStringLiteral("خطأ"), MessageIcon::Information);
        return;
    }
    const LoadedPost loaded = limitLoadedPost(read.text);
    startPost(read.encoding);
    if (loaded.limitPassed) {
        m_platform.messageBox(loadLimitMessage(), loadLimitTitle(), MessageIcon::Information);
        m_toldLong = true; // that message has said it already
    }
    if (read.characters > characterCount(loaded.text)) {
        // Still the current file, but a save over it asks first.
        m_cutFile = path;
        m_cutFileCharacters = read.characters;
    }
    emit postLeaving();
    m_editor.setText(loaded.text);
    emit titleChanged(postWindowTitle(path));
    emit postStarted();
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

bool PostFiles::mayOverwrite(const QString &path)
{
    if (m_cutFile.isEmpty() || !isSameFile(path, m_cutFile))
        return true;
    enum { Yes, No };
    const int answer =
        m_platform.questionBox(cutFileQuestion(path, m_cutFileCharacters),
                               {QStringLiteral("نعم"), QStringLiteral("لا")}, No, No, programName());
    return answer == Yes;
}

bool PostFiles::chooseEncoding(QString *text, TextEncoding *encoding)
{
    *text = m_editor.text();
    *encoding = m_encoding;
    if (m_encoding != TextEncoding::Windows1256)
        return true;
    const Windows1256Bytes probe = encodeWindows1256(*text);
    if (probe.ok())
        return true;
    const int answer =
        m_platform.questionBox(unencodableQuestion(probe.unencodable.size(), probe.unencodable.first()),
                               unencodableAnswers(), SaveAsUtf8, CancelSave, programName());
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
    const TextFileWrite written = m_platform.writeTextFile(path, text, encoding);
    if (!written.ok) {
        // Nothing was written, so nothing changes but the message: the old
        // file is whole, the title and the current file stay as they were.
        m_currentFileName = previousFileName;
        m_platform.messageBox(
            fileFailureMessage(QStringLiteral("تعذّر حفظ المشاركة في الملف:"), path, written.error),
            QStringLiteral("خطأ"), MessageIcon::Information);
        return;
    }
    m_encoding = encoding;
    if (!m_cutFile.isEmpty() && isSameFile(path, m_cutFile))
        m_cutFile.clear(); // the file now holds just what the editor holds
    emit titleChanged(postWindowTitle(path));
    emit postSaved();
    const qint64 characters = characterCount(text);
    if (characters > kPostLoadLimit && !m_toldLong) {
        m_toldLong = true;
        m_platform.messageBox(longPostNotice(characters), programName(), MessageIcon::Information);
    }
}

void PostFiles::adoptFile(const QString &path)
{
    // A restored draft is a post of its own, saved as a new post is: in the
    // code page unless it holds what the code page lacks, when Save asks.
    startPost(TextEncoding::Windows1256);
    m_currentFileName = path;
    emit titleChanged(postWindowTitle(path));
}

void PostFiles::EXIT()
{
    emit postLeaving();
    m_platform.endProcess(0);
}

} // namespace zarvelo
