#pragma once

#include "spelling/wordfinder.h"
#include "ui/highlightlayer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTextCharFormat>
#include <QTimer>

namespace zarvelo {

class SpellChecker;

/**
 * The wavy red underline under misspelt words, drawn by the editor's
 * highlighter. Tags and tag values (the `markup` ranges, and whatever the
 * word finder knows to be markup) are never underlined.
 *
 * Typing stays quick in a long post: the highlighter only hands over the
 * paragraph that changed, and words already looked up cost a table lookup.
 * When a whole long post arrives at once (a large paste), Hunspell is asked
 * for only so long in one go; the remaining words are left unmarked, looked
 * up in short slices between events, and paragraphsChecked() then names the
 * paragraphs to draw again.
 */
class SpellingLayer final
    : public QObject
    , public HighlightLayer
{
    Q_OBJECT

public:
    explicit SpellingLayer(QObject *parent = nullptr);

    /** The checker to ask; without one (no dictionaries yet) nothing is drawn. */
    void setChecker(SpellChecker *checker);
    void setEnabled(bool on) { m_enabled = on; }
    bool isEnabled() const { return m_enabled; }

    void decorate(const QString &text, const QList<QTextLayout::FormatRange> &markup,
                  QList<QTextLayout::FormatRange> &formats) override;

    /** The underline's format, and whether a drawn format is it. */
    static QTextCharFormat misspeltFormat();
    static bool isMisspeltFormat(const QTextCharFormat &format);

    /** How a paragraph is named in paragraphsChecked(). */
    static size_t paragraphKey(const QString &text) { return qHash(text); }

signals:
    /** Words that had to wait have been looked up: the paragraphs that hold
        them (by paragraphKey()) can be drawn again. */
    void paragraphsChecked(const QSet<size_t> &paragraphs);

private:
    bool mayAskHunspell();
    void checkWaitingWords();

    SpellChecker *m_checker = nullptr;
    bool m_enabled = true;
    QHash<QString, Script> m_waitingWords; // checked form -> script
    QSet<size_t> m_waitingParagraphs;
    QElapsedTimer m_turn; // since the first lookup of this pass through the event loop
    bool m_turnOpen = false;
    QTimer m_slices;
};

} // namespace zarvelo
