#pragma once

#include "spelling/spellcheck.h"

#include <functional>

class QAction;
class QMenu;

namespace zarvelo {

class Platform;
class PostEditor;
class PostHighlighter;

/**
 * Spell checking in the post editor, drawn as a layer of its highlighter and
 * switched by the tools menu's checkable item. The item's state is kept in the program's preferences in the
 * user's configuration folder and is on the first time. The dictionaries are opened on the first change
 * that leaves neither an empty post nor `untouchedTemplate` (the text a new post starts as): typing,
 * opening a post or restoring a draft; or when the item is switched on. When a dictionary is missing the
 * item says in its tooltip which package brings it.
 */
SpellCheck *wireSpellCheck(PostEditor &editor, PostHighlighter &highlighter, Platform &platform, QMenu &tools,
                           QAction &item, std::function<QString()> untouchedTemplate,
                           SpellCheck::Places places = {});

/** The tools menu's checkable item that lets each paragraph of the editor
    read in its own direction; kept in the preferences beside spelling, on
    the first time. */
void wireOwnDirections(PostEditor &editor, QAction &item);

/** The program's own preferences file (never the settings file of the default font). */
QString preferencesPath();

} // namespace zarvelo
