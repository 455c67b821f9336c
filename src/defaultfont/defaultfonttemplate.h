#pragma once

#include "defaultfont/defaultfontsettings.h"

#include <QString>

#include <optional>

namespace zarvelo {

/** The line a new post starts with, selected so that typing replaces it; the
    editor's design text too. */
inline QString templatePlaceholder()
{
    return QStringLiteral("بسم الله الرحمن الرحيم");
}

/** A new post built from the default font, and what to select in it. */
struct DefaultFontTemplate
{
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;
    /** The colour tag's six digits when the template has one: the main
        window keeps them as the last colour turned into a tag. */
    std::optional<QString> colorHex;
};

/**
 * The new post for these settings. Switched off ("Disabled" anything but "0"):
 * the placeholder alone, all selected. Otherwise the opening tags (font,
 * alignment, size, bold, colour) and a CR LF, the placeholder, a CR LF, and
 * the closing tags in the same order; the placeholder selected.
 */
DefaultFontTemplate buildDefaultFontTemplate(const DefaultFontSettings &settings);

} // namespace zarvelo
