#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <functional>

class QWidget;

namespace zarvelo {

class DraftStore;
struct DraftWrite;
class Platform;
class PostEditor;

/**
 * Keeps the post in the editor as a draft while it is written: a change is
 * written within kDelayMs, even while typing goes on, so a crash loses at
 * most that much. A post that is empty, the untouched template or still the
 * text it started from (an opened file as it is on disk) is not written.
 * Each draft says whether the post held text its file did not, so that a
 * start after a crash offers back only a post that was never saved.
 *
 * Files are written on a thread of their own, in order: a safe write waits
 * for the disk, which typing must never do. Only the ending program waits.
 *
 * When a write fails the user is told once, naming the folder and the
 * reason; editing goes on and later changes are tried again quietly.
 */
class DraftKeeper final : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDelayMs = 1000;

    /** currentFileName gives the post's file, written into each draft;
        untouchedTemplate gives the text a new post starts as. */
    DraftKeeper(PostEditor &editor, Platform &platform, DraftStore &store,
                std::function<QString()> currentFileName, std::function<QString()> untouchedTemplate,
                QObject *parent = nullptr);

    /** Starts writing a pending change at once. */
    void keepNow();

    /** Writes a pending change and returns once every write is on disk:
        the program is ending, so nothing is told any more. Then tells
        keptBeforeEnding. */
    void keepBeforeEnding();

    /** Returns once every write started so far is done. */
    void waitForWrites();

    /** The post now in the editor starts a draft of its own; call keepNow()
        before replacing the post. The text it starts from is not written
        until it changes; textIsSaved says that its file holds that text (an
        opened file). */
    void startDraft(bool textIsSaved);

    /** The post was saved, perhaps to another file: the draft records the
        file and that its file holds the text now in the editor. */
    void fileChanged();

    /** Keeps the post, waiting for the disk, when window closes. */
    void watchClosing(QWidget *window);

    /** The name of the draft being written; it has no file until the first write. */
    const QString &draftId() const { return m_id; }

signals:
    /** The program is ending through its window, and the post is on disk. */
    void keptBeforeEnding();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void changed();
    void written(const DraftWrite &result);

    PostEditor &m_editor;
    Platform &m_platform;
    DraftStore &m_store;
    std::function<QString()> m_currentFileName;
    std::function<QString()> m_untouchedTemplate;
    QTimer m_timer;
    QString m_id;
    QString m_startText; // the text the draft started from
    QString m_keptText;  // what the draft's last write holds, with m_keptFile
    QString m_keptFile;
    bool m_keptUnsaved = true;
    QString m_savedText; // what the post's file holds; null when unknown or none
    bool m_kept = false; // the draft has been written at least once
    bool m_pending = false;
    bool m_ending = false;
    bool m_toldFailure = false;
    QWidget *m_window = nullptr;
    QThreadPool m_writer; // last, so it finishes its writes before the rest goes
};

} // namespace zarvelo
