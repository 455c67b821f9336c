#include "shell/draftswiring.h"

#include "drafts/draftswindow.h"
#include "shell/postfiles.h"
#include "ui/posteditor.h"

namespace zarvelo {

Drafts::Drafts(PostEditor &editor, Platform &platform, PostFiles &files,
               std::function<QString()> untouchedTemplate, QWidget &window)
    : QObject(&window)
    , m_editor(editor)
    , m_platform(platform)
    , m_files(files)
    , m_owner(window)
    , m_store(DraftStore::defaultFolder())
    , m_keeper(
          editor, platform, m_store, [&files] { return files.CurrentFileName(); },
          std::move(untouchedTemplate), this)
{
    m_keeper.watchClosing(&window);
    // Exit ends the process at once, so the draft must be on disk first.
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
    if (!draft)
        return;
    // What the editor holds is kept first, and the restore is one undo
    // step, so restoring an older copy never loses newer text.
    m_keeper.keepNow();
    m_editor.setText(draft->text);
    m_files.adoptFile(draft->fileName);
    m_keeper.startDraft();
}

} // namespace zarvelo
