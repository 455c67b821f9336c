#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace zarvelo {

class CommonDialog;
class Platform;
class PostEditor;

/**
 * The post-file commands of the main window's file menu: new post, open,
 * save, save as and exit, with the current file they share. Posts are
 * Windows-1256 text files holding exactly the editor's text.
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

signals:
    /** The main window's title for the post's file changed. */
    void titleChanged(const QString &title);

private:
    bool chooseSaveFile();
    void writePost(const QString &previousFileName);

    PostEditor &m_editor;
    Platform &m_platform;
    CommonDialog &m_dialog;
    std::function<void()> m_applyTemplate;
    QString m_currentFileName;
};

} // namespace zarvelo
