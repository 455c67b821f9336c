#include "spelling/spellinglayer.h"

#include "spelling/spellchecker.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace zarvelo {

namespace {

// Hunspell time allowed in one pass through the event loop, and in one slice
// of the lookups that had to wait. A keystroke asks for a word or two; only a
// whole long post ever reaches these.
constexpr qint64 kTurnBudgetNs = 15'000'000;
constexpr qint64 kSliceBudgetNs = 8'000'000;

} // namespace

SpellingLayer::SpellingLayer(QObject *parent)
    : QObject(parent)
{
    m_slices.setSingleShot(true);
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &SpellingLayer::checkWaitingWords);
}

void SpellingLayer::setChecker(SpellChecker *checker)
{
    m_checker = checker;
    m_waitingWords.clear();
    m_waitingParagraphs.clear();
}

QTextCharFormat SpellingLayer::misspeltFormat()
{
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    format.setUnderlineColor(Qt::red);
    return format;
}

bool SpellingLayer::isMisspeltFormat(const QTextCharFormat &format)
{
    return format.underlineStyle() == QTextCharFormat::SpellCheckUnderline
        && format.underlineColor() == Qt::red;
}

bool SpellingLayer::mayAskHunspell()
{
    if (!m_turnOpen) {
        m_turnOpen = true;
        m_turn.start();
        // The budget is renewed once the event loop has run again.
        QTimer::singleShot(0, this, [this] { m_turnOpen = false; });
    }
    return m_turn.nsecsElapsed() < kTurnBudgetNs;
}

void SpellingLayer::decorate(const QString &text, const QList<QTextLayout::FormatRange> &markup,
                             QList<QTextLayout::FormatRange> &formats)
{
    if (!m_enabled || !m_checker)
        return;
    const QList<Word> words = findWords(text);
    if (words.isEmpty())
        return;
    std::vector<char> isMarkup(size_t(text.size()), 0);
    for (const QTextLayout::FormatRange &range : markup) {
        const qsizetype from = qBound(qsizetype(0), qsizetype(range.start), text.size());
        const qsizetype to = qBound(from, qsizetype(range.start) + range.length, text.size());
        std::fill(isMarkup.begin() + from, isMarkup.begin() + to, 1);
    }
    const QTextCharFormat underline = misspeltFormat();
    for (const Word &word : words) {
        if (std::find(isMarkup.begin() + word.start, isMarkup.begin() + word.end(), 1)
            != isMarkup.begin() + word.end())
            continue;
        const QString form = checkedForm(QStringView(text).mid(word.start, word.length));
        std::optional<bool> misspelt = m_checker->knownMisspelt(form, word.script);
        if (!misspelt && mayAskHunspell())
            misspelt = m_checker->isMisspelt(form, word.script);
        if (!misspelt) {
            m_waitingWords.insert(form, word.script);
            m_waitingParagraphs.insert(paragraphKey(text));
            m_slices.start();
            continue;
        }
        if (*misspelt)
            formats.append({int(word.start), int(word.length), underline});
    }
}

void SpellingLayer::checkWaitingWords()
{
    if (!m_checker)
        return;
    QElapsedTimer slice;
    slice.start();
    while (!m_waitingWords.isEmpty() && slice.nsecsElapsed() < kSliceBudgetNs) {
        const auto next = m_waitingWords.begin();
        m_checker->isMisspelt(next.key(), next.value());
        m_waitingWords.erase(next);
    }
    if (!m_waitingWords.isEmpty()) {
        m_slices.start();
        return;
    }
    emit paragraphsChecked(std::exchange(m_waitingParagraphs, {}));
}

} // namespace zarvelo
