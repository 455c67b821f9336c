#pragma once

#include <QString>
#include <QtGlobal>

namespace zarvelo {

/** What tells one version of a file from another: the file itself (device
    and inode, which a program that saves by renaming a new file into place
    changes), its size and its modification time to the nanosecond. */
struct FileIdentity
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    friend bool operator==(const FileIdentity &a, const FileIdentity &b)
    {
        return a.exists == b.exists && a.device == b.device && a.inode == b.inode && a.size == b.size
            && a.modifiedNs == b.modifiedNs;
    }
    friend bool operator!=(const FileIdentity &a, const FileIdentity &b) { return !(a == b); }
};

/** The identity of the file at path, through symbolic links; exists is
    false when there is no such file. */
FileIdentity fileIdentity(const QString &path);

} // namespace zarvelo
