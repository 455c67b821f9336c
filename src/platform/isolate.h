#pragma once

#include <QString>
#include <QStringView>

namespace zarvelo {

/** text between the Unicode marks FIRST STRONG ISOLATE (U+2068) and POP
    DIRECTIONAL ISOLATE (U+2069): a path, a number or a character reference
    set inside an Arabic sentence then keeps its own order instead of being
    scrambled by the sentence's right-to-left layout. */
QString isolated(QStringView text);

/** A file path, an address or a file name between LEFT-TO-RIGHT ISOLATE
    (U+2066) and POP DIRECTIONAL ISOLATE: it reads left to right as one
    unit inside an Arabic sentence, title or list, its leading "/" in front,
    even when a folder in it has an Arabic name. */
QString isolatedPath(QStringView path);

/** A number, in the digits the program's texts use, isolated. */
QString isolated(qint64 number);

} // namespace zarvelo
