#pragma once

#include <QObject>
#include <QString>

namespace zarvelo {

class Form1;

/**
 * The post-file commands of the main window's file menu: new post, open,
 * save, save as and exit, with the current file they share. Posts are
 * Windows-1256 text files holding exactly the editor's text.
 */
class PostFiles final : public QObject
{
    Q_OBJECT

public:
    /** Becomes a child of the form and answers its file menu (and the find
        item of its tools menu). */
    explicit PostFiles(Form1 &form);

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

private:
    bool chooseSaveFile();
    void writePost(const QString &previousFileName);

    Form1 &m_form;
    QString m_currentFileName;
};

} // namespace zarvelo
