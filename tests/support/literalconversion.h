#pragma once

// The conversion the plain way, slow and plainly right: each search restarts at the copy's first character.

#include "preview/conversion.h"

#include <algorithm>

namespace zarvelo::test {

/** 1-based position of find at or after start (ASCII letters in any case); 0 when none. */
inline qsizetype literalInStr(qsizetype start, const QString &text, QStringView find)
{
    auto fold = [](QChar c) { return c.unicode() < 128 ? c.toLower() : c; };
    auto same = [&](QChar a, QChar b) { return fold(a) == fold(b); };
    for (qsizetype p = start - 1; p + find.size() <= text.size(); ++p)
        if (std::equal(find.begin(), find.end(), text.begin() + p, same))
            return p + 1;
    return 0;
}

inline QString literalConversion(QString workingCopy)
{
    for (qsizetype p; (p = literalInStr(1, workingCopy, u"[QUOTE=")) != 0;) {
        workingCopy.replace(p - 1, 7, namedQuoteOpening().toString());
        const qsizetype close = literalInStr(p, workingCopy, u"]");
        if (close == 0)
            break;
        workingCopy.replace(close - 1, 1, namedQuoteNameClose().toString());
    }
    for (const ConversionRule &rule : conversionRules())
        for (qsizetype p; (p = literalInStr(1, workingCopy, rule.markup)) != 0;)
            workingCopy.replace(p - 1, rule.markup.size(), rule.html.toString());
    return workingCopy;
}

} // namespace zarvelo::test
