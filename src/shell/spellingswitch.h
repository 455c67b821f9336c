#pragma once

#include "spelling/spellcheck.h"

class QAction;
class QMenu;

namespace zarvelo {

class Platform;
class PostEditor;
class PostHighlighter;

/**
 * Spell checking in the post editor, drawn as a layer of its highlighter and
 * switched by the tools menu's checkable item. The item's state is kept in the program's preferences in the
 * user's configuration folder and is on the first time; the dictionaries are opened once the window is up.
 * When a dictionary is missing the item says in its tooltip which package brings it.
 */
SpellCheck *wireSpellCheck(PostEditor &editor, PostHighlighter &highlighter, Platform &platform, QMenu &tools,
                           QAction &item, SpellCheck::Places places = {});

/** The program's own preferences file (never the settings file of the default font). */
QString preferencesPath();

} // namespace zarvelo
