#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QLineEdit;

namespace zarvelo {

class Platform;
class PostEditor;

/**
 * The find window: steps forward through the occurrences of its search text
 * in the post, each match selected in the editor. Modeless and owned by the
 * main window, so it stays above it without blocking it.
 *
 * Its close button only hides it, keeping the search text and the position;
 * the title-bar close box unloads it, and the next opening builds it afresh.
 */
class Form2 final : public QWidget
{
    Q_OBJECT

public:
    /** owner is the main window, which a match brings forward. */
    Form2(PostEditor &editor, Platform &platform, QWidget *owner);

    /** 1-based position the next search starts from. */
    qsizetype searchStart() const { return m_searchStart; }
    /** Closed through the title bar: waiting to be deleted, never shown again. */
    bool isUnloaded() const { return m_unloaded; }

    /** The search button: select the next occurrence, or say there is none. */
    void search();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    PostEditor &m_editor;
    Platform &m_platform;
    QLineEdit *m_text1 = nullptr;
    qsizetype m_searchStart = 1;
    bool m_unloaded = false;
};

/** The main window's find item: shows the find window, loading it first when
    it is not loaded. */
class FindWindowOpener final : public QObject
{
    Q_OBJECT

public:
    FindWindowOpener(PostEditor &editor, Platform &platform, QWidget *owner);

    /** The loaded find window, shown or hidden; nullptr when not loaded. */
    Form2 *window() const;

public slots:
    void open();

private:
    PostEditor &m_editor;
    Platform &m_platform;
    QWidget *m_owner;
    QPointer<Form2> m_window;
};

} // namespace zarvelo
