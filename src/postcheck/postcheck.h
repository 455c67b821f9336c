#pragma once

#include "ui/postedit.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace zarvelo {

/** What the user's forum accepts. */
struct ForumLimits
{
    qsizetype characters = 10000; ///< the longest post, counted as the live preview counts it
    int quoteDepth = 3;           ///< the deepest quote inside quotes
};

enum class PostProblemKind {
    Unclosed,     ///< an opening tag never closed
    StrayClose,   ///< a closing tag with nothing of its kind open before it
    Misnested,    ///< closed while a tag opened inside it is still open
    EmptyPair,    ///< a tag and its closing tag with nothing between them
    BadColor,     ///< neither "#" and six hexadecimal digits nor a colour name
    BadSize,      ///< a size outside 1 to 7
    FontQuote,    ///< a font name with a quote mark that has no partner
    LinkSpaces,   ///< a link's address with spaces in it
    LinkScheme,   ///< a link's address without http, https, ftp or mailto
    ImageAddress, ///< an image's address that is not http or https
    QuoteTooDeep, ///< a quote nested deeper than the forum allows
    TooLong,      ///< the post is longer than the forum allows
};

/** One problem of a post, where it stands, and its fix when one is obvious. */
struct PostProblem
{
    PostProblemKind kind = PostProblemKind::Unclosed;
    qsizetype start = 0; ///< the text concerned
    qsizetype length = 0;
    int line = 1;  ///< of its start, from 1; CR LF, a lone LF and a lone CR each end a line
    QString other; ///< a misnested tag: the tag still open inside it
    std::optional<PostEdit> fix;
};

/** A tag and its closing tag that stand right: matched, nested inside
    every pair around them, and not empty. Positions of the two tags' starts. */
struct TagPair
{
    qsizetype open = 0;
    qsizetype close = 0;
};

struct PostCheck
{
    QList<PostProblem> problems; ///< in the order they stand in the post
    QList<TagPair> rightPairs;   ///< in the order of their closing tags
};

/**
 * Checks a post against what a forum makes of it: tags left open, closed
 * with nothing open, closed in the wrong order or around nothing, values the
 * forum shows as raw markup, quotes nested too deep, and the post's length.
 * The tags are those the preview converts, read as the highlighting reads them.
 */
PostCheck checkPost(QStringView post, const ForumLimits &limits);

/** What is wrong, in a short Arabic sentence. */
QString problemDescription(const PostProblem &problem, const ForumLimits &limits);

/** The edits, to be made in turn, that mend every problem with an obvious
    fix, including those that only show once others are mended. */
QList<PostEdit> fixEverything(QStringView post, const ForumLimits &limits);

/** text with the edits made in turn. */
QString withEdits(QString text, const QList<PostEdit> &edits);

/** Whether a colour name is one the preview understands (in any letter case). */
bool isColorName(QStringView name);

} // namespace zarvelo
