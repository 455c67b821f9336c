#include "livepreview/postcount.h"

#include "platform/isolate.h"

namespace zarvelo {

PostCount countPost(QStringView post)
{
    qsizetype breaks = 0;
    const qsizetype size = post.size();
    for (qsizetype at = 0; at < size; ++at) {
        const QChar c = post[at];
        if (c == u'\r') {
            ++breaks;
            if (at + 1 < size && post[at + 1] == u'\n')
                ++at;
        } else if (c == u'\n') {
            ++breaks;
        }
    }
    return {size, breaks + 1};
}

QString postCountText(const PostCount &count, qsizetype loadLimit, qsizetype forumLimit)
{
    // "N / limit" read left to right, as a fraction, inside the Arabic line.
    const QString length = isolatedPath(QStringLiteral("%1 / %2").arg(count.characters).arg(forumLimit));
    QString text = QStringLiteral("عدد الأحرف: %1    عدد الأسطر: %2").arg(length).arg(count.lines);
    if (count.characters > forumLimit) {
        text += QStringLiteral("    تنبيه: المشاركة أطول من حد المنتدى بـ %1 حرف")
                    .arg(count.characters - forumLimit);
    }
    if (count.characters > loadLimit) {
        text += QStringLiteral("    تنبيه: المشاركة أطول من %1 حرف، وفتحها من ملف يقطعها عند هذا الحد")
                    .arg(loadLimit);
    }
    return text;
}

} // namespace zarvelo
