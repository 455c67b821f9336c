#pragma once

#include <QObject>
#include <QPointer>

namespace zarvelo {

class LivePreviewWindow;
class Platform;
class PostEditor;

/**
 * The tools menu's live preview item (F5): shows the live preview window,
 * creating it the first time, and hides it again when it is shown. Nothing
 * is built before the first use, so the preview costs nothing at start.
 */
class LivePreviewOpener final : public QObject
{
    Q_OBJECT

public:
    /** The opener is a child of owner, which also owns the window. */
    LivePreviewOpener(PostEditor &editor, Platform &platform, QWidget &owner);

    /** The window once created, shown or hidden; nullptr before the first use. */
    LivePreviewWindow *window() const;

    /** The forum's limit that the status line gives the length against. */
    void setForumLimit(qsizetype characters);

public slots:
    /** Shows the window beside the owner, or hides it when it is shown. */
    void toggle();

private:
    PostEditor &m_editor;
    Platform &m_platform;
    QWidget &m_owner;
    QPointer<LivePreviewWindow> m_window;
    qsizetype m_forumLimit = 10000;
};

/** Places a tool window beside its owner, on the side with more room,
    narrowed to fit when it must be, as tall as the owner at least; where
    neither side has room, where it hides the least of the editor. */
void placeBeside(QWidget &window, const QWidget &owner, const QWidget &editor);

} // namespace zarvelo
