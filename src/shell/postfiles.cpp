#include "shell/postfiles.h"

#include "platform/codepage.h"
#include "platform/commondialog.h"
#include "platform/platform.h"
#include "shell/filechange.h"
#include "shell/postfile.h"
#include "ui/posteditor.h"

#include <QAbstractUndoItem>
#include <QPointer>

#include <utility>

namespace zarvelo {

namespace {

/** The file the post had before a command replaced it and the one it had
    after, carried in that command's undo step. */
class FileStep final : public QAbstractUndoItem
{
public:
    FileStep(PostFiles &files, CurrentFile before, CurrentFile after)
        : m_files(&files)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {}

    void undo() override
    {
        if (m_files)
            m_files->setCurrentFile(m_before);
    }
    void redo() override
    {
        if (m_files)
            m_files->setCurrentFile(m_after);
    }

private:
    // The document, which owns the step, may outlive the commands.
    QPointer<PostFiles> m_files;
    CurrentFile m_before;
    CurrentFile m_after;
};

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

void PostFiles::setCurrentFile(const CurrentFile &file)
{
    m_file = file;
    emit titleChanged(postWindowTitle(file.fileName));
}

void PostFiles::replacePost(const std::function<void()> &putText, const CurrentFile &next)
{
    // The drafts keep the old post under its own file before anything of
    // the next one is in place.
    emit postLeaving();
    const CurrentFile before = m_file;
    putText();
    m_editor.attachToLastChange(new FileStep(*this, before, next));
    setCurrentFile(next);
    emit postStarted();
}

void PostFiles::NEWPOST()
{
    replacePost(m_applyTemplate, CurrentFile());
}

void PostFiles::OPEN()
{
    m_dialog.setFilter(postFileFilter());
    m_dialog.showOpen();
    const QString path = m_dialog.fileName();
    if (!path.isEmpty())
        openPost(path);
}

bool PostFiles::openPost(const QString &path)
{
    // Taken before reading: a change while the file is read shows at Save.
    const FileIdentity identity = m_platform.fileIdentity(path);
    // The limit's worth of characters is all the editor can get: a huge file
    // is read no further than its encoding and its length need.
    const TextFileRead read = m_platform.readPostFile(path, kPostLoadLimit + 1);
    if (!read.ok) {
        // The editor still holds the post of the file before, so that file
        // stays the current one.
        m_platform.messageBox(fileFailureMessage(QStringLiteral("تعذّر فتح الملف:"), path, read.error),
                              QStringLiteral("خطأ"), MessageIcon::Information);
        return false;
    }
    if (!mayOpenBinary(path, read.text))
        return false;
    const LoadedPost loaded = limitLoadedPost(read.text);
    CurrentFile next;
    next.fileName = path;
    next.encoding = read.encoding;
    next.lineBreaks = loaded.breaks;
    next.identity = identity;
    if (loaded.limitPassed) {
        m_platform.messageBox(loadLimitMessage(), loadLimitTitle(), MessageIcon::Information);
        next.toldLong = true; // that message has said it already
    }
    if (loaded.cut || read.characters > characterCount(read.text)) {
        // Still the current file, but a save over it asks first.
        next.cutFile = path;
        next.cutFileCharacters = read.characters;
    }
    replacePost([&] { m_editor.setText(loaded.text); }, next);
    // The file dialogs start where this post is, however it was opened.
    m_dialog.offer(path);
    emit postOpened();
    return true;
}

bool PostFiles::mayOpenBinary(const QString &path, const QString &text)
{
    if (!text.contains(QChar(u'\0')))
        return true;
    enum { Open, Cancel };
    const int answer =
        m_platform.questionBox(binaryFileQuestion(path), {QStringLiteral("فتح"), QStringLiteral("إلغاء")},
                               Cancel, Cancel, programName());
    return answer == Open;
}

void PostFiles::restorePost(const QString &text, const QString &fileName)
{
    // A restored draft is a post of its own, saved as a new post is: in the
    // code page unless it holds what the code page lacks, when Save asks.
    CurrentFile next;
    next.fileName = fileName;
    replacePost([&] { m_editor.setText(text); }, next);
}

QString PostFiles::chooseSaveFile()
{
    m_dialog.setFilter(postFileFilter());
    m_dialog.showSave();
    return m_dialog.fileName();
}

void PostFiles::SAVE()
{
    const QString path = m_file.fileName.isEmpty() ? chooseSaveFile() : m_file.fileName;
    if (!path.isEmpty())
        writePost(path);
}

void PostFiles::SAVEAS()
{
    const QString path = chooseSaveFile();
    if (!path.isEmpty())
        writePost(path);
}

bool PostFiles::mayOverwrite(const QString &path)
{
    if (m_file.cutFile.isEmpty() || !isSameFile(path, m_file.cutFile))
        return true;
    enum { Yes, No };
    const int answer =
        m_platform.questionBox(cutFileQuestion(path, m_file.cutFileCharacters),
                               {QStringLiteral("نعم"), QStringLiteral("لا")}, No, No, programName());
    return answer == Yes;
}

bool PostFiles::mayWriteOverChange(const QString &path)
{
    if (m_file.fileName.isEmpty() || (path != m_file.fileName && !isSameFile(path, m_file.fileName)))
        return true;
    const FileChange change = fileChangeSince(m_file.identity, m_platform.fileIdentity(path));
    if (change == FileChange::Unchanged)
        return true;
    const bool deleted = change == FileChange::Deleted;
    const int answer = m_platform.questionBox(
        deleted ? deletedFileQuestion(path) : changedFileQuestion(path, m_file.identity.exists),
        deleted ? deletedFileAnswers() : changedFileAnswers(), CancelWrite, CancelWrite, programName());
    if (answer == SaveElsewhere) {
        const QString elsewhere = chooseSaveFile();
        if (!elsewhere.isEmpty())
            writePost(elsewhere);
    }
    return answer == WriteOver;
}

bool PostFiles::chooseEncoding(QString *text, TextEncoding *encoding)
{
    *text = toFileLineBreaks(m_editor.text(), m_file.lineBreaks);
    *encoding = m_file.encoding;
    if (m_file.encoding != TextEncoding::Windows1256)
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

void PostFiles::writePost(const QString &path)
{
    QString text;
    TextEncoding encoding = m_file.encoding;
    if (!mayWriteOverChange(path) || !mayOverwrite(path) || !chooseEncoding(&text, &encoding))
        return; // nothing is written and nothing changes
    const TextFileWrite written = m_platform.writeTextFile(path, text, encoding);
    if (!written.ok) {
        // Nothing was written, so nothing changes but the message: the old
        // file is whole, the title and the current file stay as they were.
        m_platform.messageBox(
            fileFailureMessage(QStringLiteral("تعذّر حفظ المشاركة في الملف:"), path, written.error),
            QStringLiteral("خطأ"), MessageIcon::Information);
        return;
    }
    CurrentFile next = m_file;
    next.fileName = path;
    next.encoding = encoding;
    next.identity = m_platform.fileIdentity(path);
    if (!next.cutFile.isEmpty() && isSameFile(path, next.cutFile)) {
        next.cutFile.clear(); // the file now holds just what the editor holds
        next.cutFileCharacters = 0;
    }
    // Counted as Open would hold the file again, its own breaks made pairs.
    const qint64 characters = characterCount(toEditorLineBreaks(text, lineBreaksOf(text)));
    const bool tellLong = characters > kPostLoadLimit && !next.toldLong;
    next.toldLong = next.toldLong || tellLong;
    setCurrentFile(next);
    emit postSaved();
    if (tellLong)
        m_platform.messageBox(longPostNotice(characters), programName(), MessageIcon::Information);
}

} // namespace zarvelo
