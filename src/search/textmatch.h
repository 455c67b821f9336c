#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

namespace zarvelo {

/** How loosely a search text matches the post. */
struct MatchOptions
{
    /** Harakat, shadda, sukun, tanween and the superscript alef are passed
        over in the post and in the search text; Arabic-Indic digits match
        their ASCII digits. */
    bool ignoreHarakat = true;
    /** Tatweel (the stretching stroke) is passed over. */
    bool ignoreTatweel = true;
    /** أ إ آ ٱ match ا. */
    bool alefForms = true;
    /** ى matches ي. */
    bool yehForms = false;
    /** ة matches ه. */
    bool tehMarbuta = false;
    /** Off, letter case does not matter. */
    bool matchCase = false;
    /** A match neither starts nor ends inside a word. */
    bool wholeWord = false;
    /** A match neither starts nor ends inside a tag or its value. */
    bool skipTags = false;
};

/** A stretch of the post: `length` characters from `start`. */
struct TextRange
{
    qsizetype start = 0;
    qsizetype length = 0;

    qsizetype end() const { return start + length; }
    friend bool operator==(const TextRange &a, const TextRange &b)
    {
        return a.start == b.start && a.length == b.length;
    }
};

/**
 * Finds a search text in the post the way a reader of Arabic means it: the
 * same word with or without harakat, stretched with tatweel, or with its
 * alef in any hamza form is the same word.
 *
 * Both texts are compared folded: each character is looked at alone, the
 * characters passed over are dropped and the others taken in their plain
 * form. A match covers the whole stretch of the post it was found in, with
 * the harakat and tatweel inside it and right after its last letter, so
 * that replacing it leaves no stray mark behind. A match never splits a
 * CR LF pair, a surrogate pair or an emoji sequence; it may end before a
 * haraka that is not passed over (the user asked for the letter alone).
 * Matches never overlap: each search goes on after the last match.
 */
class TextMatcher final
{
public:
    TextMatcher(QStringView searchText, const MatchOptions &options);

    /** Nothing is left to seek: the search text is empty, or made only of
        characters that are passed over. */
    bool isEmpty() const { return m_needle.isEmpty(); }

    /** Every match in text, in order. `markup` holds the stretches of text
        that are tags or tag values, in text order, for skipTags; stretches
        that touch count as one. */
    QList<TextRange> findAll(QStringView text, const QList<TextRange> &markup = {}) const;

private:
    bool passesOver(char16_t c) const;
    char16_t fold(char16_t c) const;
    bool accepts(QStringView text, qsizetype start, qsizetype end, const QList<TextRange> &markup) const;

    MatchOptions m_options;
    QString m_needle;
};

/** Appends the markup of one line of the post (its tags and their values)
    to `stretches`, in order. */
using MarkupFinder = std::function<void(QStringView line, QList<TextRange> &stretches)>;

/** The markup of a whole post, found line by line (a CR LF, a lone LF and a
    lone CR each end a line), in post positions. */
QList<TextRange> postMarkup(QStringView post, const MarkupFinder &finder);

/** The text with each match (in order, not overlapping, inside the text)
    replaced by replacement; everything else kept exactly. */
QString replaceMatches(QStringView text, const QList<TextRange> &matches, QStringView replacement);

} // namespace zarvelo
