#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace zarvelo {

/** The two scripts the editor checks, each against its own dictionary. */
enum class Script { Arabic, Latin };

/** One word of a paragraph: where it stands and which dictionary reads it. */
struct Word
{
    qsizetype start = 0;
    qsizetype length = 0;
    Script script = Script::Arabic;

    qsizetype end() const { return start + length; }
    bool operator==(const Word &other) const
    {
        return start == other.start && length == other.length && script == other.script;
    }
};

/**
 * The words of one paragraph that spelling reads, in order. Markup is never
 * a word: a tag with its value ("[URL=…]", "[FONT='…']", "[COLOR=#…]",
 * "[QUOTE=…]"), the content of the tags that hold an address or code
 * ("[img]…[/img]", "[URL]…[/URL]", "[CODE]…[/CODE]" …) and bare addresses
 * and e-mail addresses are all left out. Tokens with digits ("mp3", "2nd")
 * and Latin words written wholly in capitals (abbreviations such as "PHP")
 * are left out too. A token that mixes scripts splits where the script
 * changes; tatweel and diacritics stay inside their word.
 *
 * The paragraph may hold the editor's line separators (U+2028, and U+E00D for
 * a lone CR); they separate words like spaces.
 */
QList<Word> findWords(QStringView paragraph);

/** The word at position, or an empty word (length 0) when none covers it.
    A position just after a word's last character still finds that word. */
Word wordAt(QStringView paragraph, qsizetype position);

/**
 * The form in which a word is looked up: composed (NFC), without tatweel
 * (U+0640) and without the harakat U+064B–U+0652 and U+0670, and with a
 * typographic apostrophe turned into a plain one. A vowelled word and a word
 * stretched with tatweel are thus checked as their bare spelling.
 */
QString checkedForm(QStringView word);

} // namespace zarvelo
