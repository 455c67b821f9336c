#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace zarvelo {

/** A tag to be read as one left-to-right unit: `length` characters from
    `start`; a tag that carries a value (an address, a colour, a quoted
    name) has it at `valueStart`, `valueLength` characters long. */
struct IsolatedTag
{
    qsizetype start;
    qsizetype length;
    qsizetype valueStart = 0;
    qsizetype valueLength = 0;
};

/**
 * The invisible Unicode marks that make a paragraph of markup read right in
 * either direction: each tag sits between LEFT-TO-RIGHT ISOLATE and POP
 * DIRECTIONAL ISOLATE, so its brackets, "/" and "=" keep their places beside
 * Arabic words, and a tag's value sits in a FIRST STRONG ISOLATE of its own,
 * so an Arabic name in it still reads right to left.
 *
 * The marks belong to the editor's view of a paragraph only; these helpers
 * put them in, take them out and count through them.
 */
namespace marks {

constexpr char16_t kLeftToRightIsolate = 0x2066;
constexpr char16_t kFirstStrongIsolate = 0x2068;
constexpr char16_t kPopIsolate = 0x2069;

/** Every isolate mark, U+2066 to U+2069. */
constexpr bool isMark(char16_t c)
{
    return c >= 0x2066 && c <= 0x2069;
}

/** The paragraph with its tags isolated; `tags` in text order, not overlapping. */
QString withMarks(QStringView paragraph, const QList<IsolatedTag> &tags);

QString withoutMarks(QStringView text);

qsizetype countMarks(QStringView text);

/** How many characters that are not marks come before `offset`. */
qsizetype cleanOffset(QStringView marked, qsizetype offset);

/** Where the character `clean` places after the start (not counting marks)
    sits in `marked`: right after the character before it, ahead of any
    marks between them. */
qsizetype markedOffset(QStringView marked, qsizetype clean);

/** The direction of the first strong letter outside the isolates; none for
    a paragraph of tags, digits and punctuation only. Characters of the
    private-use area (which the editor uses for characters it must keep
    apart) count as no letter. */
std::optional<Qt::LayoutDirection> ownDirection(QStringView marked);

} // namespace marks
} // namespace zarvelo
