#include "shell/linebreaks.h"

namespace zarvelo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

LineBreaks lineBreaksOf(QStringView text)
{
    // A CR that ends the text tells nothing: it may be the first half of a
    // pair that a read stopped in.
    if (text.endsWith(u'\r'))
        text.chop(1);
    qsizetype crs = 0;
    qsizetype lfs = 0;
    qsizetype pairs = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            ++crs;
            pairs += i + 1 < text.size() && text[i + 1] == u'\n' ? 1 : 0;
        } else if (text[i] == u'\n') {
            ++lfs;
        }
    }
    if (crs == 0 && lfs > 0)
        return LineBreaks::Lf;
    if (lfs == 0 && crs > 0)
        return LineBreaks::Cr;
    return crs == pairs && lfs == pairs ? LineBreaks::CrLf : LineBreaks::Mixed;
}

QString toEditorLineBreaks(const QString &text, LineBreaks breaks)
{
    switch (breaks) {
    case LineBreaks::Lf:
        return QString(text).replace(u'\n', kCrLf);
    case LineBreaks::Cr:
        return QString(text).replace(u'\r', kCrLf);
    default:
        return text;
    }
}

QString toFileLineBreaks(const QString &text, LineBreaks breaks)
{
    switch (breaks) {
    case LineBreaks::Lf:
        return QString(text).replace(kCrLf, QStringLiteral("\n"));
    case LineBreaks::Cr:
        return QString(text).replace(kCrLf, QStringLiteral("\r"));
    default:
        return text;
    }
}

} // namespace zarvelo
