#pragma once

#include <QObject>

namespace zarvelo {

class Platform;
class PostEditor;

/**
 * Formatted text between the post and the clipboard: a page's formatting
 * pasted as markup, and the post copied as formatted text.
 */
class ClipboardCommands final : public QObject
{
    Q_OBJECT

public:
    ClipboardCommands(PostEditor &editor, Platform &platform, QObject *parent = nullptr);

public slots:
    /** Replaces the selection with the markup of the clipboard's HTML, or
        with its plain text when it holds no HTML: one undo step, the caret
        after it. */
    void PASTEMARKUP();
    /** Puts the whole post on the clipboard as formatted text, with the post
        itself as its plain text. */
    void COPYFORMATTED();

private:
    PostEditor &m_editor;
    Platform &m_platform;
};

} // namespace zarvelo
