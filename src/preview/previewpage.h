#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace zarvelo {

/** The page text before the converted post: a right-to-left page with the
    banner row ("bk.gif", "logo.gif") and the opening of the post's cell. */
QStringView previewPageHead();

/** The page text after the converted post. */
QStringView previewPageTail();

/** The whole page for a converted body: head, body and tail, nothing between
    them and nothing after the tail. */
QString previewPageText(QStringView body);

/** The page's file name, in the program's folder beside "bk.gif" and "logo.gif". */
QString previewFileName();

/** The pictures the page refers to, which must stand beside it. */
QStringList previewPictures();

} // namespace zarvelo
