#include "shell/draftswiring.h"

#include "drafts/draftswindow.h"
#include "shell/postfiles.h"

namespace zarvelo {

Drafts::Drafts(PostEditor &editor, Platform &platform, PostFiles &files,
               std::function<QString()> untouchedTemplate, QWidget &window)
    : QObject(&window)
    , m_platform(platform)
    , m_files(files)
    , m_owner(window)
    , m_store(DraftStore::defaultFolder())
    , m_keeper(
          editor, platform, m_store, [&files] { return files.CurrentFileName(); },
          std::move(untouchedTemplate), this)
{
    // Closing the window, Exit included, keeps the post and waits for the disk.
    m_keeper.watchClosing(&window);
    // The post being left is on disk, under its own file, before the next
    // one is in the editor.
    connect(&files, &PostFiles::postLeaving, this, [this] {
        m_keeper.keepNow();
        m_keeper.waitForWrites();
    });
    connect(&files, &PostFiles::postStarted, this, [this] { m_keeper.startDraft(); });
    connect(&files, &PostFiles::postSaved, this, [this] { m_keeper.fileChanged(); });
}

void Drafts::open()
{
    if (!m_window)
        m_window = new DraftsWindow(m_store, m_platform, &m_owner);
    const std::optional<Draft> draft = m_window->choose();
    // The restore keeps what the editor holds first and is one undo step,
    // so restoring an older copy never loses newer text.
    if (draft)
        m_files.restorePost(draft->text, draft->fileName);
}

} // namespace zarvelo
