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
class SpellingSwitch final : public QObject
{
    Q_OBJECT

public:
    /** Makes item checkable and checks it as the preferences say; its
        toggles are to be connected to setOn. The switch is a child of the
        spell check, which is the highlighter's. */
    SpellingSwitch(PostEditor &editor, PostHighlighter &highlighter, Platform &platform, QMenu &tools,
                   QAction &item, std::function<QString()> untouchedTemplate, SpellCheck::Places places = {});

    SpellCheck &spellCheck() const { return m_spell; }

public slots:
    /** Switches checking on or off and keeps the choice for the next start. */
    void setOn(bool on);

private:
    void tellMissingDictionaries();

    SpellCheck &m_spell;
    QMenu &m_tools;
    QAction &m_item;
};

/**
 * The tools menu's checkable item that lets each paragraph of the editor
 * read in its own direction; kept in the preferences beside spelling, on the
 * first time.
 */
class DirectionSwitch final : public QObject
{
    Q_OBJECT

public:
    /** Makes item checkable and checks it as the preferences say; its
        toggles are to be connected to setOn. */
    DirectionSwitch(PostEditor &editor, QAction &item);

public slots:
    /** Lets paragraphs take their own direction, or the editor's, and keeps
        the choice for the next start. */
    void setOn(bool on);

private:
    PostEditor &m_editor;
};

/** The program's own preferences file (never the settings file of the default font). */
QString preferencesPath();

} // namespace zarvelo
