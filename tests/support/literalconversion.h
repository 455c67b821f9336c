#pragma once

// The conversion done the plain way: every search starts again at the first
// character of the whole, already edited, working copy, and every replacement
// is made in place. Slow on long posts, and obviously right: the fast
// conversion must give exactly what this gives.

#include "preview/conversion.h"

#include <QString>
#include <QStringView>

namespace zarvelo::test {

inline bool literalSameLetter(QChar a, QChar b)
{
    auto fold = [](QChar c) { return c.unicode() < 128 ? c.toLower() : c; };
    return fold(a) == fold(b);
}

/** 1-based position of the first occurrence of find at or after start
    (ASCII letters regardless of case), 0 when there is none. */
inline qsizetype literalInStr(qsizetype start, const QString &text, QStringView find)
{
    for (qsizetype p = start - 1; p + find.size() <= text.size(); ++p) {
        qsizetype k = 0;
        while (k < find.size() && literalSameLetter(text[p + k], find[k]))
            ++k;
        if (k == find.size())
            return p + 1;
    }
    return 0;
}

inline void literalReplaceAll(QString &workingCopy, QStringView find, QStringView replacement)
{
    for (;;) {
        const qsizetype p = literalInStr(1, workingCopy, find);
        if (p == 0)
            return;
        workingCopy.replace(p - 1, find.size(), replacement.toString());
    }
}

inline void literalConvertNamedQuotes(QString &workingCopy)
{
    const QString quote = QStringLiteral("[QUOTE=");
    for (;;) {
        const qsizetype p = literalInStr(1, workingCopy, quote);
        if (p == 0)
            return;
        workingCopy.replace(p - 1, quote.size(), namedQuoteOpening().toString());
        const qsizetype close = literalInStr(p, workingCopy, u"]");
        if (close == 0)
            return;
        workingCopy.replace(close - 1, 1, namedQuoteNameClose().toString());
    }
}

inline QString literalConversion(QString workingCopy)
{
    literalConvertNamedQuotes(workingCopy);
    for (const ConversionRule &rule : conversionRules())
        literalReplaceAll(workingCopy, rule.markup, rule.html);
    return workingCopy;
}

} // namespace zarvelo::test
