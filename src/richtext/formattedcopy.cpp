#include "richtext/formattedcopy.h"

#include "preview/conversion.h"

namespace zarvelo {

QStringView formattedCopyMark()
{
    return u"<meta name=\"generator\" content=\"Zarvelo\">";
}

FormattedCopy formattedCopyOf(QStringView post)
{
    // The post reads right to left as in the preview. Pasted back, the mark
    // says that its paragraphs took that direction from around them, so an
    // alignment to the right is the post's own tag.
    QString html = QLatin1String("<html><head><meta charset=\"utf-8\">") + formattedCopyMark().toString()
        + QLatin1String("</head><body><div dir=\"rtl\">");
    html += convertMarkupToHtml(post);
    html += QLatin1String("</div></body></html>");
    return {html, post.toString()};
}

} // namespace zarvelo
