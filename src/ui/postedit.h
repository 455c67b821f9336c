#pragma once

#include <QString>

namespace zarvelo {

/** One change of the post: `length` characters from `start` become `text`
    (an insertion when length is 0, a removal when text is empty). */
struct PostEdit
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString text;

    friend bool operator==(const PostEdit &a, const PostEdit &b)
    {
        return a.start == b.start && a.length == b.length && a.text == b.text;
    }
};

} // namespace zarvelo
