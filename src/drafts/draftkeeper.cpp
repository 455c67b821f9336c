#include "drafts/draftkeeper.h"

#include "platform/isolate.h"

#include "drafts/draftstore.h"
#include "platform/platform.h"
#include "ui/posteditor.h"

#include <QDir>
#include <QEvent>
#include <QFuture>
#include <QWidget>
#include <QtConcurrent>

#include <utility>

namespace zarvelo {

DraftKeeper::DraftKeeper(PostEditor &editor, Platform &platform, DraftStore &store,
                         std::function<QString()> currentFileName, std::function<QString()> untouchedTemplate,
                         QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_platform(platform)
    , m_store(store)
    , m_currentFileName(std::move(currentFileName))
    , m_untouchedTemplate(std::move(untouchedTemplate))
    , m_id(store.newId())
{
    setObjectName(QStringLiteral("DraftKeeper"));
    // One thread keeps the writes in the order they were made.
    m_writer.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &DraftKeeper::keepNow);
    connect(&m_editor, &QPlainTextEdit::textChanged, this, &DraftKeeper::changed);
}

void DraftKeeper::changed()
{
    m_pending = true;
    // Not restarted by later changes: steady typing is still kept every
    // kDelayMs, not only once it pauses.
    if (!m_timer.isActive())
        m_timer.start();
}

void DraftKeeper::fileChanged()
{
    m_savedText = m_editor.text();
    changed();
}

void DraftKeeper::keepNow()
{
    m_timer.stop();
    if (!m_pending)
        return;
    m_pending = false;
    QString text = m_editor.text();
    QString fileName = m_currentFileName();
    const bool unsaved = m_savedText.isNull() || text != m_savedText;
    if (text.isEmpty() || (!m_kept && text == m_startText) || text == m_untouchedTemplate()
        || (text == m_keptText && fileName == m_keptFile && unsaved == m_keptUnsaved))
        return;
    m_keptText = text;
    m_keptFile = fileName;
    m_keptUnsaved = unsaved;
    m_kept = true;
    QtConcurrent::run(&m_writer,
                      [store = &m_store, id = m_id, text = std::move(text), fileName = std::move(fileName),
                       unsaved] { return store->write(id, text, fileName, unsaved); })
        .then(this, [this](const DraftWrite &result) { written(result); });
}

void DraftKeeper::written(const DraftWrite &result)
{
    if (result.ok)
        return;
    // Nothing on disk holds the post now: the next change or command tries again.
    m_keptText = QString();
    m_pending = true;
    if (m_ending || m_toldFailure)
        return;
    m_toldFailure = true;
    m_platform.messageBox(QStringLiteral("تعذّر حفظ المسودة في المجلد:\r\n")
                              + isolatedPath(QDir::toNativeSeparators(m_store.folder()))
                              + QStringLiteral("\r\n") + result.error
                              + QStringLiteral("\r\nيمكنك متابعة الكتابة، ولن تظهر هذه الرسالة مرة أخرى."),
                          QStringLiteral("خطأ"), MessageIcon::Information);
}

void DraftKeeper::keepBeforeEnding()
{
    m_ending = true;
    keepNow();
    waitForWrites();
    emit keptBeforeEnding();
}

void DraftKeeper::waitForWrites()
{
    m_writer.waitForDone();
}

void DraftKeeper::startDraft(bool textIsSaved)
{
    // The editor already holds the new post, so the old draft was kept by
    // the caller before the post was replaced.
    m_id = m_store.newId();
    m_startText = m_editor.text();
    m_savedText = textIsSaved ? m_startText : QString();
    m_keptText = QString();
    m_keptFile.clear();
    m_kept = false;
    m_pending = false;
    m_timer.stop();
}

void DraftKeeper::watchClosing(QWidget *window)
{
    m_window = window;
    window->installEventFilter(this);
}

bool DraftKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Close)
        keepBeforeEnding();
    return QObject::eventFilter(watched, event);
}

} // namespace zarvelo
