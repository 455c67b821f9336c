#include "shell/draftswiring.h"

#include "defaultfont/defaultfont.h"
#include "defaultfont/defaultfonttemplate.h"
#include "drafts/draftkeeper.h"
#include "drafts/draftstore.h"
#include "drafts/draftswindow.h"
#include "shell/form1.h"
#include "shell/postfiles.h"
#include "ui/posteditor.h"

#include <QAction>

namespace zarvelo {

namespace {

/** The drafts of one main window: the folder, the keeper and the window,
    which is built the first time it is opened. */
class Drafts final : public QObject
{
public:
    Drafts(Form1 &form, PostFiles &files)
        : QObject(&form)
        , m_form(form)
        , m_files(files)
        , m_store(DraftStore::defaultFolder())
        , m_keeper(
              form.editor(), form.platform(), m_store, [&files] { return files.CurrentFileName(); },
              [&form] { return buildDefaultFontTemplate(form.defaultFont().settings()).text; }, this)
    {
        m_keeper.watchClosing(&form);
        // Exit ends the process at once, so the draft must be on disk first.
        connect(&files, &PostFiles::postLeaving, this, [this] {
            m_keeper.keepNow();
            m_keeper.waitForWrites();
        });
        connect(&files, &PostFiles::postStarted, this, [this] { m_keeper.startDraft(); });
        connect(&files, &PostFiles::postSaved, this, [this] { m_keeper.fileChanged(); });
        connect(form.menuAction(QStringLiteral("DRAFTS")), &QAction::triggered, this, &Drafts::open);
    }

private:
    void open()
    {
        if (!m_window)
            m_window = new DraftsWindow(m_store, m_form.platform(), &m_form);
        const std::optional<Draft> draft = m_window->choose();
        if (!draft)
            return;
        // What the editor holds is kept first, and the restore is one undo
        // step, so restoring an older copy never loses newer text.
        m_keeper.keepNow();
        m_form.editor().setText(draft->text);
        m_files.adoptFile(draft->fileName);
        m_keeper.startDraft();
    }

    Form1 &m_form;
    PostFiles &m_files;
    DraftStore m_store;
    DraftKeeper m_keeper;
    DraftsWindow *m_window = nullptr;
};

} // namespace

void wireDrafts(Form1 &form)
{
    new Drafts(form, *form.findChild<PostFiles *>(QStringLiteral("PostFiles")));
}

} // namespace zarvelo
