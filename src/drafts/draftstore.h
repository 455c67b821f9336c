#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

namespace zarvelo {

class RunRecord;

/** One kept copy of a post, as read back from its file. */
struct Draft
{
    QString id;          ///< the file's name in the drafts folder
    QDateTime saved;     ///< when it was last written (for a damaged file: the file's own time)
    QString fileName;    ///< the post file it was last opened from or saved to; empty for none
    QString text;        ///< the post, exactly as the editor held it
    QString run;         ///< the run of the program that wrote it (see RunRecord); empty for none
    bool unsaved = true; ///< the post held text its file did not
    bool damaged = false;
    QString problem; ///< why a damaged file cannot be read
};

/** The outcome of writing a draft; error says why it failed. */
struct DraftWrite
{
    bool ok = false;
    QString error;
};

/** A draft's file: one header line (JSON: format version, time, post file, body size in bytes,
    the run that wrote it, whether the post held unsaved text), then the post as UTF-8. Line
    breaks of every kind pass through the body byte for byte. */
QByteArray encodeDraft(const QDateTime &saved, const QString &fileName, const QString &text,
                       const QString &run = {}, bool unsaved = true);
/** Reads a draft's file; anything short of a whole, well-formed file comes back damaged. */
Draft decodeDraft(const QByteArray &bytes);

/**
 * The drafts folder: one file per draft, each replaced atomically on every
 * write, so a crash in the middle of one leaves the previous copy whole.
 * Only the newest kKept drafts stay; writing a new one removes the oldest,
 * but never the newest draft of a run still recorded (see RunRecord): two
 * programs sharing the folder never remove each other's post, nor one the
 * post of a run that crashed before the next start offers it back.
 */
class DraftStore final
{
public:
    using Clock = std::function<QDateTime()>;
    static constexpr int kKept = 50;
    static constexpr const char *kSuffix = ".draft";

    /** Drafts in folder; clock gives the time written into each draft (the
        current time unless a test wants a fixed order). */
    explicit DraftStore(QString folder, Clock clock = {});

    /** The user's data folder for drafts (it may not exist yet). */
    static QString defaultFolder();

    const QString &folder() const { return m_folder; }

    /** The run every draft written from now on belongs to; it is recorded
        with the first draft it writes. */
    void setRun(RunRecord *run) { m_run = run; }

    /** A fresh name for a draft that has not been written yet. */
    QString newId() const;

    /** Writes the draft named id, creating the folder when needed; a draft
        that is new removes the drafts past the newest kKept. unsaved says
        that the post holds text its file does not. */
    DraftWrite write(const QString &id, const QString &text, const QString &fileName, bool unsaved = true);

    /** Every draft in the folder, newest first, damaged ones included. */
    std::vector<Draft> list() const;

    /** Removes one draft. */
    bool remove(const QString &id, QString *error) const;

private:
    QString pathOf(const QString &id) const;
    void prune(const QString &keep) const;

    QString m_folder;
    Clock m_clock;
    RunRecord *m_run = nullptr;
};

} // namespace zarvelo
