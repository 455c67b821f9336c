#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace zarvelo {

/**
 * The record a running program keeps in the drafts folder while its window
 * is open, so that the next start knows whether it ended through its window
 * or not. The record is a file named after the run, locked for as long as
 * the program holds it; the system lets go of the lock when the process
 * ends, however it ends. A record that is there but not locked is a run that
 * ended without closing its window: it crashed or was killed.
 *
 * Several programs may share the folder; each keeps its own record.
 */
class RunRecord final
{
public:
    static constexpr const char *kSuffix = ".run";

    /** A run in folder, not yet recorded; it has a fresh name of its own. */
    explicit RunRecord(QString folder);
    /** A record still held is removed: an orderly end of the process. */
    ~RunRecord();

    RunRecord(const RunRecord &) = delete;
    RunRecord &operator=(const RunRecord &) = delete;

    const QString &id() const { return m_id; }

    /** Puts the record in the folder, creating the folder when needed;
        true at once when it is there. False when the folder refuses it. */
    bool start();

    /** The run ended through its window: the record goes. */
    void end();

    /** The runs recorded in folder whose programs ended without closing
        their window. Each is claimed as it is found: its record goes, so
        that no later start reports it again. */
    static QStringList claimEndedRuns(const QString &folder);

    /** The runs recorded in folder, running or ended and not yet claimed. */
    static QSet<QString> recordedRuns(const QString &folder);

private:
    QString m_folder;
    QString m_id;
    int m_fd = -1;
};

} // namespace zarvelo
