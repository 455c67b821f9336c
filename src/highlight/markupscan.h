#pragma once

#include "ui/directionmarks.h"

#include <QList>
#include <QStringView>

#include <array>

namespace zarvelo {

/** What a stretch of a paragraph is to the highlighter. */
enum class MarkupKind {
    Tag,            ///< a tag the conversion turns into HTML, or the "]" that ends a valued tag
    Value,          ///< a tag's value: font name, size, colour, address, quoted name
    UnmatchedClose, ///< a closing tag with no open tag of its kind before it
};

struct MarkupSpan
{
    qsizetype start;
    qsizetype length;
    MarkupKind kind;
};

/** The kinds of paired tags, a plain and a named quote being one kind. */
enum MarkupTagKind : int {
    QuoteTag,
    CodeTag,
    HtmlTag,
    PhpTag,
    BoldTag,
    ItalicTag,
    UnderlineTag,
    CenterTag,
    LeftTag,
    RightTag,
    FontTag,
    SizeTag,
    ColorTag,
    LinkTag,
    ImageTag,
};
constexpr int kMarkupTagKinds = 15;

/** One tag the conversion replaces, as the scanner reads it. */
struct MarkupTag
{
    qsizetype start = 0;
    qsizetype nameLength = 0;  ///< "[B]", "[/B]", "[COLOR=", "[URL=" or "[URL" (a link's "=" is its own)
    qsizetype valueLength = 0; ///< a valued tag's value, right after the name
    bool bracket = false;      ///< a valued tag's value ends with its "]"
    bool closing = false;
    bool valued = false;
    MarkupTagKind kind = QuoteTag;

    qsizetype valueStart() const { return start + nameLength; }
    qsizetype end() const { return start + nameLength + valueLength + (bracket ? 1 : 0); }
};

/**
 * Finds the first tag at or after `from` in text, in any letter case, as the
 * conversion would replace it. A valued tag's value runs up to the "]" that
 * ends the tag; a "[" or a line break stops it too, so that a tag typed
 * inside a value is still seen. Returns false when there is none.
 */
bool nextMarkupTag(QStringView text, qsizetype from, MarkupTag &tag);

/** The closing tag of a kind, as the conversion's rules write it ("[/B]"). */
QStringView closingTagText(MarkupTagKind kind);

/** How many tags of each kind stand open at a point of the post. */
using OpenTagCounts = std::array<int, kMarkupTagKinds>;

/**
 * Finds the markup of one paragraph of the post: every tag the conversion
 * replaces ("[B]", "[/QUOTE]", "[COLOR=" … in any letter case), the values of
 * the tags that carry one (up to the "]" that ends them, or the paragraph's
 * end), and the closing tags that close nothing.
 *
 * `open` holds the counts of open tags at the paragraph's start and is left
 * holding them at its end, so a caller carries it from paragraph to paragraph.
 * Spans are appended to `spans` in text order and never overlap.
 */
void scanMarkup(QStringView paragraph, OpenTagCounts &open, QList<MarkupSpan> &spans);

/** The tags of one paragraph that the editor shows as left-to-right units:
    every tag scanMarkup() finds, a valued one with its value and the "]"
    that ends it, appended to `tags` in text order. */
void findIsolatedTags(QStringView paragraph, QList<IsolatedTag> &tags);

} // namespace zarvelo
