#pragma once

#include "search/textmatch.h"
#include "ui/highlightlayer.h"

#include <QObject>
#include <QPointer>
#include <QTextCharFormat>
#include <QTimer>
#include <QWidget>

#include <optional>

class QCheckBox;
class QLineEdit;

namespace zarvelo {

class Platform;
class PostEditor;

/**
 * Every match of the find-and-replace window drawn over the post while the
 * window is open: a layer of the editor's highlighter, drawing only.
 */
class MatchLayer final : public HighlightLayer
{
public:
    /** What to draw; nothing draws nothing. */
    void setMatcher(std::optional<TextMatcher> matcher) { m_matcher = std::move(matcher); }
    bool isDrawing() const { return m_matcher.has_value(); }

    void decorate(const QString &text, const QList<QTextLayout::FormatRange> &markup,
                  QList<QTextLayout::FormatRange> &formats) override;

    static QTextCharFormat matchFormat();

private:
    std::optional<TextMatcher> m_matcher;
    QList<TextRange> m_markup;
};

/**
 * The find-and-replace window: finds its search text in the post the way a
 * reader of Arabic means it (see TextMatcher), steps forward and back through
 * the matches, replaces one or all of them. Modeless and owned by the main
 * window. Its options are kept in the preferences file.
 *
 * Replacing all is one undo step of the editor, within the selection when
 * that spans more than one line, in the whole post otherwise.
 */
class ReplaceWindow final : public QWidget
{
    Q_OBJECT

public:
    ReplaceWindow(PostEditor &editor, Platform &platform, MatchLayer &layer, MarkupFinder markup,
                  QString preferencesFile, QWidget *owner);

    /** Shows the window with the search text selected and focused, taking
        the editor's selection as the search text when it is one line. */
    void open();

    MatchOptions options() const;

    /** The buttons. */
    void findNext();
    void findPrevious();
    void replaceOne();
    void replaceAll();

signals:
    /** The matches to draw have changed: the post is to be drawn again. */
    void highlightsChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QCheckBox *addOption(const char *name, const QString &caption, const char *key, bool byDefault);
    /** The matcher of the search text; nothing when the text is empty. */
    std::optional<TextMatcher> matcher() const;
    /** Every match in the post, or nothing (and a message) when there is none. */
    std::optional<QList<TextRange>> matchesOrSay(const QString &post);
    void step(bool forward);
    void saveOptions();
    void drawMatches();

    PostEditor &m_editor;
    Platform &m_platform;
    MatchLayer &m_layer;
    MarkupFinder m_markup;
    QString m_preferences;
    QLineEdit *m_find = nullptr;
    QLineEdit *m_replacement = nullptr;
    struct Option
    {
        QCheckBox *box;
        const char *key;
    };
    QList<Option> m_options;
    QTimer m_redraw;
};

/** The main window's find-and-replace item: shows the window, building it
    the first time. Holds the match layer, which is to be added to the
    editor's highlighter. */
class ReplaceWindowOpener final : public QObject
{
    Q_OBJECT

public:
    ReplaceWindowOpener(PostEditor &editor, Platform &platform, MarkupFinder markup, QString preferencesFile,
                        QWidget *owner);
    /** The window goes first: it draws with the layer. */
    ~ReplaceWindowOpener() override;

    MatchLayer &layer() { return m_layer; }
    /** The window once built; nullptr before. */
    ReplaceWindow *window() const { return m_window; }

public slots:
    void open();

signals:
    void highlightsChanged();

private:
    PostEditor &m_editor;
    Platform &m_platform;
    MarkupFinder m_markup;
    QString m_preferences;
    QWidget *m_owner;
    MatchLayer m_layer;
    QPointer<ReplaceWindow> m_window;
};

} // namespace zarvelo
