#pragma once

#include "livepreview/postcount.h"

#include <QString>
#include <QTimer>
#include <QWidget>

class QLabel;
class QTextBrowser;
class QUrl;

namespace zarvelo {

class Platform;
class PostEditor;

/**
 * The live preview: the post's preview page (the preview button's head,
 * conversion and tail) shown inside the program beside the editor, redrawn
 * shortly after each change and scrolled near the part being edited, with the
 * post's character and line counts under it.
 *
 * A tool window owned by the main window: it stays above it without blocking
 * it and never takes the keyboard focus from the editor. Its close box hides
 * it; while hidden it does no work. A clicked link opens in the user's
 * browser, never inside.
 */
class LivePreviewWindow final : public QWidget
{
    Q_OBJECT

public:
    /** How long after the last change the page is redrawn: short enough to
        follow typing, long enough not to convert on every key of a word. A
        post whose redraw takes longer waits twice that redraw instead. */
    static constexpr int kDelayMs = 100;

    /** loadLimit: the characters that opening a post file keeps, which the
        status line warns about. */
    LivePreviewWindow(PostEditor &editor, Platform &platform, qsizetype loadLimit, QWidget *owner);

    /** The forum's limit that the status line gives the length against. */
    void setForumLimit(qsizetype characters);

    /** Converts the post and shows it now, scrolled near the caret. */
    void refresh();
    /** The text of the status line. */
    QString statusText() const;
    /** The page as last shown. */
    const QString &page() const { return m_page; }
    QTextBrowser &browser() const { return *m_browser; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void postChanged();
    void followCaret();
    void openLink(const QUrl &link);

    PostEditor &m_editor;
    Platform &m_platform;
    qsizetype m_loadLimit;
    qsizetype m_forumLimit = 10000;
    PostCount m_count{0, 1};
    QTextBrowser *m_browser = nullptr;
    QLabel *m_status = nullptr;
    QTimer m_delay;
    QString m_body; // the conversion's memory, kept from one redraw to the next
    QString m_page;
};

} // namespace zarvelo
