#include "ui/directionmarks.h"

namespace zarvelo::marks {

QString withMarks(QStringView paragraph, const QList<IsolatedTag> &tags)
{
    QString out;
    out.reserve(paragraph.size() + 4 * tags.size());
    qsizetype at = 0;
    for (const IsolatedTag &tag : tags) {
        out.append(paragraph.mid(at, tag.start - at));
        out.append(QChar(kLeftToRightIsolate));
        const qsizetype end = tag.start + tag.length;
        if (tag.valueLength > 0) {
            const qsizetype valueEnd = tag.valueStart + tag.valueLength;
            out.append(paragraph.mid(tag.start, tag.valueStart - tag.start));
            out.append(QChar(kFirstStrongIsolate));
            out.append(paragraph.mid(tag.valueStart, tag.valueLength));
            out.append(QChar(kPopIsolate));
            out.append(paragraph.mid(valueEnd, end - valueEnd));
        } else {
            out.append(paragraph.mid(tag.start, tag.length));
        }
        out.append(QChar(kPopIsolate));
        at = end;
    }
    out.append(paragraph.mid(at));
    return out;
}

QString withoutMarks(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar *to = out.data();
    for (const QChar c : text) {
        if (!isMark(c.unicode()))
            *to++ = c;
    }
    out.truncate(to - out.constData());
    return out;
}

qsizetype countMarks(QStringView text)
{
    qsizetype count = 0;
    for (const QChar c : text)
        count += isMark(c.unicode()) ? 1 : 0;
    return count;
}

qsizetype cleanOffset(QStringView marked, qsizetype offset)
{
    return offset - countMarks(marked.first(qBound<qsizetype>(0, offset, marked.size())));
}

qsizetype markedOffset(QStringView marked, qsizetype clean)
{
    qsizetype seen = 0;
    qsizetype at = 0;
    // Past `clean` characters, stopping right after the last of them.
    while (at < marked.size() && seen < clean) {
        if (!isMark(marked[at].unicode()))
            ++seen;
        ++at;
    }
    return at;
}

std::optional<Qt::LayoutDirection> ownDirection(QStringView marked)
{
    int depth = 0;
    for (const QChar c : marked) {
        const char16_t u = c.unicode();
        if (isMark(u)) {
            depth += u == kPopIsolate ? (depth > 0 ? -1 : 0) : 1;
            continue;
        }
        if (depth > 0 || (u >= 0xE000 && u <= 0xF8FF))
            continue;
        switch (c.direction()) {
        case QChar::DirL:
            return Qt::LeftToRight;
        case QChar::DirR:
        case QChar::DirAL:
            return Qt::RightToLeft;
        default:
            break;
        }
    }
    return std::nullopt;
}

} // namespace zarvelo::marks
