#pragma once

#include <QString>
#include <QStringView>

namespace zarvelo {

/** A post's size as the live preview's status line shows it. */
struct PostCount
{
    qsizetype characters; ///< as selection positions count them: a CR LF is two
    qsizetype lines;      ///< CR LF, a lone LF and a lone CR each end a line
};

PostCount countPost(QStringView post);

/** The status line: the counts, the length beside the forum's limit, and a
    plain warning when the post is longer than that limit or than the
    loadLimit characters that opening a file keeps. */
QString postCountText(const PostCount &count, qsizetype loadLimit, qsizetype forumLimit);

} // namespace zarvelo
