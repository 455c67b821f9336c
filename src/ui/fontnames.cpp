#include "ui/fontnames.h"

namespace zarvelo {

QStringList fontNames()
{
    return {QStringLiteral("Akhbar MT"),
            QStringLiteral("Andalus"),
            QStringLiteral("Arial"),
            QStringLiteral("DecoType Naskh"),
            QStringLiteral("Impact"),
            QStringLiteral("Led Italic Font"),
            QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Modern"),
            QStringLiteral("Monotype Koufi"),
            QStringLiteral("Rod Transparent"),
            QStringLiteral("Roman"),
            QStringLiteral("Simplified Arabic"),
            QStringLiteral("Tahoma"),
            QStringLiteral("Times New Roman"),
            QStringLiteral("Verdana")};
}

} // namespace zarvelo
