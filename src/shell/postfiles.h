#pragma once

#include "platform/textfile.h"

#include <QObject>
#include <QString>

#include <functional>

namespace zarvelo {

class CommonDialog;
class Platform;
class PostEditor;

/**
 * The post-file commands of the main window's file menu: new post, open,
 * save, save as and exit, with the current file they share. A post file
 * holds exactly the editor's text, in Windows-1256 or in UTF-8: a post is
 * saved in the encoding it was opened in, so that a file opened and saved
 * unchanged keeps its bytes.
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
    QString CurrentFileName() const { return m_currentFileName; }

    /** A new post starts from the default-font template; nothing is asked. */
    void NEWPOST();
    void OPEN();
    void SAVE();
    void SAVEAS();
    void EXIT();

    /** Makes path the post's file (empty: none), as a restored draft's. */
    void adoptFile(const QString &path);

signals:
    /** The post is about to be replaced or the program to end. */
    void postLeaving();
    /** A new post, or an opened file, is now in the editor. */
    void postStarted();
    /** The post was written to its file. */
    void postSaved();
    /** The main window's title for the post's file changed. */
    void titleChanged(const QString &title);

private:
    /** Forgets what belonged to the post before: its encoding, its cut file. */
    void startPost(TextEncoding encoding);
    bool chooseSaveFile();
    void writePost(const QString &previousFileName);
    /** Asks before the cut copy goes over the file it was cut from. */
    bool mayOverwrite(const QString &path);
    /** The text to write and its encoding; false when the user cancels. */
    bool chooseEncoding(QString *text, TextEncoding *encoding);

    PostEditor &m_editor;
    Platform &m_platform;
    CommonDialog &m_dialog;
    std::function<void()> m_applyTemplate;
    QString m_currentFileName;
    /** The encoding the post was opened in or last saved in. */
    TextEncoding m_encoding = TextEncoding::Windows1256;
    /** The file the post was cut from when it was opened, and its length in
        characters; empty once the post holds no cut copy of a file. */
    QString m_cutFile;
    qint64 m_cutFileCharacters = 0;
    /** The post was said to be too long to reopen whole. */
    bool m_toldLong = false;
};

} // namespace zarvelo
