#include "shell/draftswiring.h"

#include "drafts/draftswindow.h"
#include "drafts/keptpostbar.h"
#include "shell/postfiles.h"

namespace zarvelo {

Drafts::Drafts(PostEditor &editor, Platform &platform, PostFiles &files,
               std::function<QString()> untouchedTemplate, QWidget &window, KeptPostBar &bar)
    : QObject(&window)
    , m_platform(platform)
    , m_files(files)
    , m_owner(window)
    , m_bar(bar)
    , m_untouchedTemplate(std::move(untouchedTemplate))
    , m_store(DraftStore::defaultFolder())
    , m_run(m_store.folder())
    , m_keeper(
          editor, platform, m_store, [&files] { return files.CurrentFileName(); }, m_untouchedTemplate, this)
{
    m_store.setRun(&m_run);
    // Closing the window, Exit included, keeps the post, waits for the disk
    // and then ends the run.
    m_keeper.watchClosing(&window);
    connect(&m_keeper, &DraftKeeper::keptBeforeEnding, this, [this] { m_run.end(); });
    // The post being left is on disk, under its own file, before the next
    // one is in the editor.
    connect(&files, &PostFiles::postLeaving, this, [this] {
        m_keeper.keepNow();
        m_keeper.waitForWrites();
    });
    // A post with a file that was not restored from a draft is that file's text.
    connect(&files, &PostFiles::postStarted, this,
            [this] { m_keeper.startDraft(!m_restoring && !m_files.CurrentFileName().isEmpty()); });
    connect(&files, &PostFiles::postSaved, this, [this] { m_keeper.fileChanged(); });
    connect(&m_bar, &KeptPostBar::restoreChosen, this, [this] {
        if (m_offered)
            restore(*std::exchange(m_offered, std::nullopt));
    });
}

void Drafts::offerCrashedRunsPost()
{
    const QStringList crashed = RunRecord::claimEndedRuns(m_store.folder());
    if (crashed.isEmpty())
        return;
    // Newest first, so each run's first draft here is its newest.
    QStringList seen;
    for (Draft &draft : m_store.list()) {
        if (!crashed.contains(draft.run) || seen.contains(draft.run))
            continue;
        seen.append(draft.run);
        if (draft.damaged || !draft.unsaved)
            continue;
        m_bar.offer(draftFirstLine(draft.text, m_untouchedTemplate()));
        m_offered = std::move(draft);
        return;
    }
}

void Drafts::restore(const Draft &draft)
{
    // The restore keeps what the editor holds first and is one undo step,
    // so restoring an older copy never loses newer text.
    m_restoring = true;
    m_files.restorePost(draft.text, draft.fileName);
    m_restoring = false;
}

void Drafts::open()
{
    if (!m_window)
        m_window = new DraftsWindow(m_store, m_platform, m_untouchedTemplate, &m_owner);
    const std::optional<Draft> draft = m_window->choose();
    if (draft)
        restore(*draft);
}

} // namespace zarvelo
