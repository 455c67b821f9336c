#include "platform/fileidentity.h"

#include <QFile>

#include <sys/stat.h>

namespace zarvelo {

FileIdentity fileIdentity(const QString &path)
{
    FileIdentity identity;
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return identity;
    identity.exists = true;
    identity.device = quint64(status.st_dev);
    identity.inode = quint64(status.st_ino);
    identity.size = qint64(status.st_size);
    identity.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + qint64(status.st_mtim.tv_nsec);
    return identity;
}

} // namespace zarvelo
