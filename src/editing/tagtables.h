#pragma once

#include <QStringView>

#include <array>

namespace zarvelo {

/** One row of a tag table: the tags put around the user's text. */
struct TagRow
{
    QStringView OpenTag;
    QStringView CloseTag;
};

/** The simple tags, indexed like the cmdBOLD buttons: bold, italic,
    underline, the three alignments and the three code blocks. */
extern const std::array<TagRow, 9> TagTable;

/** The prompted tags, indexed like the cmdPROM buttons. The image's answer
    goes between its tags; the link's and the quote's answer ends their
    opening tag, closed by a "]" before the selected text. */
extern const std::array<TagRow, 3> PromptTagTable;

/** The input-box prompts, indexed like cmdPROM. */
extern const std::array<QStringView, 3> PromptText;

/** The stock phrases, indexed like the Command2 buttons. Each starts with a
    space so that it stands apart from the word before it. */
extern const std::array<QStringView, 6> StockPhrase;

/** A preset style: a ready-made font, size and (for all but Command6) bold
    in one step. */
struct PresetStyle
{
    QStringView opening;
    QStringView closing;
};

/** The presets of the buttons Command3 to Command8, in that order. */
extern const std::array<PresetStyle, 6> PresetStyles;

/** Shown when a command that needs selected text finds none. */
extern const QStringView SelectFirstMessage;

/** The font list's text after a pick made with nothing selected (the
    placeholder's words without tatweel). */
extern const QStringView FontListAfterSelectFirst;

} // namespace zarvelo
