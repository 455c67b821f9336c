#pragma once

#include "drafts/draftkeeper.h"
#include "drafts/draftstore.h"
#include "drafts/runrecord.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace zarvelo {

class DraftsWindow;
class KeptPostBar;
class Platform;
class PostEditor;
class PostFiles;

/**
 * The drafts of one main window: the folder, the record of this run in it,
 * the keeper that writes the post in editor as it changes, the bar that
 * offers back a post a crashed run kept, and the drafts window, built the
 * first time it is opened. untouchedTemplate gives the text a new post
 * starts with; window is the main window, whose closing keeps the draft and
 * ends the run, and which owns the drafts window.
 */
class Drafts final : public QObject
{
    Q_OBJECT

public:
    Drafts(PostEditor &editor, Platform &platform, PostFiles &files,
           std::function<QString()> untouchedTemplate, QWidget &window, KeptPostBar &bar);

    /** Offers on the bar the newest post that a run which ended without
        closing its window kept and never saved; once the window's new post
        is in place, whose template the offer names its first line against. */
    void offerCrashedRunsPost();

public slots:
    /** Opens the drafts window; a draft chosen there replaces the post. */
    void open();

private:
    void restore(const Draft &draft);

    Platform &m_platform;
    PostFiles &m_files;
    QWidget &m_owner;
    KeptPostBar &m_bar;
    std::function<QString()> m_untouchedTemplate;
    DraftStore m_store;
    RunRecord m_run;
    DraftKeeper m_keeper;
    DraftsWindow *m_window = nullptr;
    std::optional<Draft> m_offered;
    bool m_restoring = false;
};

} // namespace zarvelo
