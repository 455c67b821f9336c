#include "drafts/runrecord.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zarvelo {

namespace {

QByteArray nativePath(const QString &folder, const QString &name)
{
    return QFile::encodeName(folder + u'/' + name);
}

QStringList recordNames(const QString &folder)
{
    return QDir(folder).entryList({u'*' + QLatin1String(RunRecord::kSuffix)}, QDir::Files);
}

QString runOf(const QString &recordName)
{
    return recordName.chopped(qsizetype(qstrlen(RunRecord::kSuffix)));
}

} // namespace

RunRecord::RunRecord(QString folder)
    : m_folder(std::move(folder))
    , m_id(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmsszzz")) + u'-'
           + QString::number(::getpid()) + u'-'
           + QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0'))
{}

RunRecord::~RunRecord()
{
    end();
}

bool RunRecord::start()
{
    if (m_fd >= 0)
        return true;
    QDir().mkpath(m_folder);
    // Made and locked under a name no one looks for, then renamed into
    // place: a record is never seen unlocked while its program lives.
    const QByteArray making = nativePath(m_folder, m_id + QLatin1String(".making"));
    const int fd = ::open(making.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0
        || ::rename(making.constData(), nativePath(m_folder, m_id + QLatin1String(kSuffix)).constData())
            != 0) {
        ::unlink(making.constData());
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void RunRecord::end()
{
    if (m_fd < 0)
        return;
    // Removed while still locked, so no start takes it for a crashed run.
    ::unlink(nativePath(m_folder, m_id + QLatin1String(kSuffix)).constData());
    ::close(m_fd);
    m_fd = -1;
}

QStringList RunRecord::claimEndedRuns(const QString &folder)
{
    QStringList ended;
    for (const QString &name : recordNames(folder)) {
        const QByteArray path = nativePath(folder, name);
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A lock we get is one no living program holds. Only the start
        // whose removal succeeds claims the run; another that locked the
        // same record meanwhile finds it gone.
        struct stat locked
        {
        };
        struct stat there
        {
        };
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &locked) == 0
            && ::stat(path.constData(), &there) == 0 && locked.st_ino == there.st_ino
            && ::unlink(path.constData()) == 0)
            ended.append(runOf(name));
        ::close(fd);
    }
    return ended;
}

QSet<QString> RunRecord::recordedRuns(const QString &folder)
{
    QSet<QString> runs;
    for (const QString &name : recordNames(folder))
        runs.insert(runOf(name));
    return runs;
}

} // namespace zarvelo
