#pragma once

#include <QString>
#include <QStringView>

namespace zarvelo {

/** A post as formatted text: what a rich-text box or a word processor takes
    (the preview's conversion of the post, right to left, without the page
    around it) and what a plain field takes (the post itself). */
struct FormattedCopy
{
    QString html;
    QString text;
};

FormattedCopy formattedCopyOf(QStringView post);

/** What marks the HTML of formattedCopyOf() as the program's own. */
QStringView formattedCopyMark();

} // namespace zarvelo
