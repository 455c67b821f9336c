#pragma once

#include "platform/fileidentity.h"
#include "platform/textfile.h"
#include "shell/linebreaks.h"

#include <QObject>
#include <QString>

#include <functional>

namespace zarvelo {

class CommonDialog;
class Platform;
class PostEditor;

/** What belongs to the post beside its text: the file it was last opened
    from or saved to and how that file holds it. */
struct CurrentFile
{
    /** The full path exactly as the dialog gave it; empty while the post has
        no file of its own. */
    QString fileName;
    /** The encoding the post was opened in or last saved in. */
    TextEncoding encoding = TextEncoding::Windows1256;
    /** The file the post was cut from when it was opened, and its length in
        characters; empty once the post holds no cut copy of a file. */
    QString cutFile;
    qint64 cutFileCharacters = 0;
    /** The post was said to be too long to reopen whole. */
    bool toldLong = false;
    /** How the file ends its lines; the editor holds CR LF pairs for them. */
    LineBreaks lineBreaks = LineBreaks::CrLf;
    /** The file as the post last read or wrote it; not there when the post
        never did (a restored draft), so Save cannot vouch for it. */
    FileIdentity identity;
};

/**
 * The post-file commands of the main window's file menu: new post, open,
 * save and save as, with the current file they share. A post file holds
 * exactly the editor's text, in Windows-1256 or in UTF-8: a post is saved in
 * the encoding it was opened in, so that a file opened and saved unchanged
 * keeps its bytes.
 *
 * A file whose lines all end in a lone LF (or CR) is held with the editor's
 * CR LF pairs and written back with its own break. Before Save writes over
 * the post's file it checks that the file is still the one the post read or
 * wrote, so that another program's change is never lost without a question.
 *
 * The current file changes only once an Open has read its file or a Save
 * has written it, and always together with the window title. A command that
 * replaces the post (New, Open, a restored draft) tells postLeaving while
 * the old post and its file are still in place, and its undo step carries
 * the file along with the text: undoing it brings back the file the old
 * text belongs to, so Save never writes one post over another's file.
 */
class PostFiles final : public QObject
{
    Q_OBJECT

public:
    /** applyTemplate puts the default-font template in the editor: a new
        post starts from it. */
    PostFiles(PostEditor &editor, Platform &platform, CommonDialog &dialog,
              std::function<void()> applyTemplate, QObject *parent = nullptr);

    /** The full path the post was last opened from or saved to, exactly as
        the dialog gave it; empty while the post has no file of its own. */
    QString CurrentFileName() const { return m_file.fileName; }

    /** A new post starts from the default-font template; nothing is asked. */
    void NEWPOST();
    void OPEN();
    /** Opens a post file as OPEN does once its dialog has given path: the
        command line, a dropped file and the recent posts come here. Returns
        false when the post stayed as it was (the file could not be read, or
        the user kept it from opening). */
    bool openPost(const QString &path);
    void SAVE();
    void SAVEAS();

    /** Replaces the post with a kept copy of one (a restored draft) and the
        file it was saved to (empty: none), as one undo step. */
    void restorePost(const QString &text, const QString &fileName);

    /** The one setter of the current file: the file and the title change
        together. Undo and redo come here too. */
    void setCurrentFile(const CurrentFile &file);

signals:
    /** The post is about to be replaced: the current file is still its own. */
    void postLeaving();
    /** A new post, an opened file or a restored one is now in the editor. */
    void postStarted();
    /** The post was written to its file. */
    void postSaved();
    /** A file was opened into the editor. */
    void postOpened();
    /** The main window's title for the post's file changed. */
    void titleChanged(const QString &title);

private:
    /** Puts the next post in the editor with putText and makes next its
        file, as one undo step; the old post is told leaving first. */
    void replacePost(const std::function<void()> &putText, const CurrentFile &next);
    /** The path the user chose to save to; empty when cancelled. */
    QString chooseSaveFile();
    void writePost(const QString &path);
    /** Asks before a file that holds NUL bytes, which no text has, is
        opened as text. */
    bool mayOpenBinary(const QString &path, const QString &text);
    /** Asks before the cut copy goes over the file it was cut from. */
    bool mayOverwrite(const QString &path);
    /** Asks before a write over the post's file that changed or went since
        the post read or wrote it; saving elsewhere is done here. */
    bool mayWriteOverChange(const QString &path);
    /** The text to write and its encoding; false when the user cancels. */
    bool chooseEncoding(QString *text, TextEncoding *encoding);

    PostEditor &m_editor;
    Platform &m_platform;
    CommonDialog &m_dialog;
    std::function<void()> m_applyTemplate;
    CurrentFile m_file;
};

} // namespace zarvelo
