#pragma once

#include "spelling/spellchecker.h"
#include "spelling/spellinglayer.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <memory>

class QMenu;
class QSyntaxHighlighter;
class QTextCursor;

namespace zarvelo {

class Platform;
class PostEditor;

/**
 * Spell checking in the post editor: the underline layer, the dictionaries
 * (opened on a loader thread the first time checking is on, so start-up does
 * not wait for them), and the context menu's entries for a marked word:
 * suggestions, "add to the dictionary" and "ignore".
 *
 * It lives as long as the highlighter it draws through (its parent); the
 * owner adds layer() to that highlighter.
 */
class SpellCheck final : public QObject
{
    Q_OBJECT

public:
    struct Places
    {
        QString dictionaryFolder = SpellDictionaries::systemFolder();
        QString personalDictionary = PersonalDictionary::defaultPath();
    };

    SpellCheck(PostEditor &editor, QSyntaxHighlighter &highlighter, Platform &platform, Places places);
    ~SpellCheck() override;

    SpellingLayer &layer() { return m_layer; }

    /** Turns checking on or off; the first time on opens the dictionaries. */
    void setEnabled(bool on);
    bool isEnabled() const { return m_layer.isEnabled(); }

    /** True once the dictionaries have been opened (whether found or not). */
    bool isLoaded() const { return m_checker != nullptr; }
    /** What is missing, naming the package that brings it; "" when both
        dictionaries are there or they have not been looked for yet. */
    QString missingDictionaries() const;

    /** Puts the entries for the marked word under the click at the top of
        the menu; does nothing elsewhere. */
    void addWordActions(QMenu &menu, const QTextCursor &atClick);

signals:
    void loaded();

private:
    void startLoading();
    void install();
    void replaceWord(int position, const QString &word, const QString &replacement);
    void redrawAll();
    void redrawMarkedParagraphs();
    void redrawParagraphs(const QSet<size_t> &paragraphs);

    PostEditor &m_editor;
    QSyntaxHighlighter &m_highlighter;
    Platform &m_platform;
    Places m_places;
    SpellingLayer m_layer;
    std::unique_ptr<SpellChecker> m_checker;
    struct Loading;
    std::shared_ptr<Loading> m_loading; // shared with the loader thread
    QFutureWatcher<SpellDictionaries> m_opened;
};

} // namespace zarvelo
