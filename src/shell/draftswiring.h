#pragma once

#include "drafts/draftkeeper.h"
#include "drafts/draftstore.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace zarvelo {

class DraftsWindow;
class Platform;
class PostEditor;
class PostFiles;

/** The drafts of one main window: the folder, the keeper that keeps the post
    in editor, and the drafts window, which is built the first time it is
    opened. untouchedTemplate gives the text a new post starts with; window
    is the main window, whose closing keeps the draft and which owns the
    drafts window. */
class Drafts final : public QObject
{
    Q_OBJECT

public:
    Drafts(PostEditor &editor, Platform &platform, PostFiles &files,
           std::function<QString()> untouchedTemplate, QWidget &window);

public slots:
    /** Lets the user pick a draft and restores it in place of the post. */
    void open();

private:
    PostEditor &m_editor;
    Platform &m_platform;
    PostFiles &m_files;
    QWidget &m_owner;
    DraftStore m_store;
    DraftKeeper m_keeper;
    DraftsWindow *m_window = nullptr;
};

} // namespace zarvelo
