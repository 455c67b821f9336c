#pragma once

#include <QString>

#include <functional>

class QAction;
class QWidget;

namespace zarvelo {

class Platform;
class PostEditor;
class PostFiles;

/** Keeps the post in editor as drafts and opens the drafts window from
    draftsItem. untouchedTemplate gives the text a new post starts with;
    window is the main window, whose closing keeps the draft and which owns
    the drafts window. */
void wireDrafts(PostEditor &editor, Platform &platform, PostFiles &files, QAction &draftsItem,
                std::function<QString()> untouchedTemplate, QWidget &window);

} // namespace zarvelo
