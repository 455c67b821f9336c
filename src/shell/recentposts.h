#pragma once

#include <QString>
#include <QStringList>

namespace zarvelo {

/**
 * The post files last opened or saved, newest first, kept in the program's
 * preferences file. Every window reads the file afresh and writes it at
 * once, so two windows, and the next start, share one list.
 */
class RecentPosts final
{
public:
    /** How many posts the list keeps. */
    static constexpr qsizetype kKept = 10;

    explicit RecentPosts(QString preferencesFile);

    /** Newest first, as absolute paths. */
    QStringList paths() const;
    /** Puts path first; a path already listed moves up rather than twice. */
    void add(const QString &path);
    void remove(const QString &path);
    void clear();

private:
    void store(const QStringList &paths);

    QString m_file;
};

} // namespace zarvelo
