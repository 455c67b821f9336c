#include "preview/previewpage.h"

namespace zarvelo {

namespace {

// Written character for character. The character set comes first, well
// inside the first 1024 bytes where browsers look for it: without it a
// browser guesses from the bytes, and a mostly Latin post with a few Arabic
// words comes out as Chinese.
constexpr char16_t kPageHead[] =
    u"<html dir=rtl><meta charset=windows-1256><title>معاينة مشاركة - برنامج Zarvelo</title>"
    u"<body bgcolor=#E8E8FF><p align=right>"
    u"<table cellspacing=0 width=99% border=1 bordercolor=#0000A0><tr>"
    u"<td style='border-bottom-color: #C0C0C0' align=right background=bk.gif>"
    u"<img src=logo.gif></td></tr><tr>"
    u"<td style='padding-right: 10; padding-top: 20; padding-left: 10 ; padding-bottom: 20' align=right>";
constexpr char16_t kPageTail[] = u"</td></tr></p></body></html>";

} // namespace

QStringView previewPageHead()
{
    return kPageHead;
}

QStringView previewPageTail()
{
    return kPageTail;
}

QString previewPageText(QStringView body)
{
    const QStringView head = previewPageHead();
    const QStringView tail = previewPageTail();
    QString page;
    page.reserve(head.size() + body.size() + tail.size());
    page.append(head).append(body).append(tail);
    return page;
}

QString previewFileName()
{
    return QStringLiteral("perview.html");
}

QStringList previewPictures()
{
    return {QStringLiteral("bk.gif"), QStringLiteral("logo.gif")};
}

} // namespace zarvelo
