#include "preview/previewpage.h"

namespace zarvelo {

namespace {

// Written character for character. The page names no character set: the
// browser takes the Arabic code page the file is written in from the locale or
// by recognising it.
constexpr char16_t kPageHead[] =
    u"<html dir=rtl><title>معاينة مشاركة - برنامج Zarvelo</title>"
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
