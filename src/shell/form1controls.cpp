#include "shell/form1controls.h"

#include "shell/form1table.h"
#include "shell/layoutrules.h"
#include "ui/controlbuilder.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <map>

namespace zarvelo {

namespace {

/**
 * What a table built, found by the names the table gave it. A name that is
 * missing, or that names another kind of object, ends the program: in every
 * build, not only where assertions are on, because a window wired to a
 * control it lacks would have a command that nothing runs.
 */
class Built final
{
public:
    template <typename Object>
    explicit Built(const std::vector<Object *> &objects)
    {
        for (QObject *object : objects)
            m_byName.insert(object->objectName(), object);
    }

    template <typename T>
    T *take(const char *name) const
    {
        auto *found = qobject_cast<T *>(m_byName.value(QLatin1String(name)));
        if (!found)
            qFatal("Form1: the table has no %s named %s", T::staticMetaObject.className(), name);
        return found;
    }

    template <typename T, std::size_t N>
    std::array<T *, N> take(const char *const (&names)[N]) const
    {
        std::array<T *, N> found{};
        for (std::size_t i = 0; i < N; ++i)
            found[i] = take<T>(names[i]);
        return found;
    }

private:
    QHash<QString, QObject *> m_byName;
};

} // namespace

Form1Controls buildForm1Controls(QWidget *client)
{
    Form1Controls c;
    c.all = buildControls(client, form1Controls());
    const Built built(c.all);
    c.Text1 = built.take<PostEditor>("Text1");
    c.cmdBOLD = built.take<QPushButton>({"cmdBOLD_0", "cmdBOLD_1", "cmdBOLD_2", "cmdBOLD_3", "cmdBOLD_4",
                                         "cmdBOLD_5", "cmdBOLD_6", "cmdBOLD_7", "cmdBOLD_8"});
    c.cmdPROM = built.take<QPushButton>({"cmdPROM_0", "cmdPROM_1", "cmdPROM_2"});
    c.Command2 = built.take<QPushButton>(
        {"Command2_0", "Command2_1", "Command2_2", "Command2_3", "Command2_4", "Command2_5"});
    c.presets =
        built.take<QPushButton>({"Command3", "Command4", "Command5", "Command6", "Command7", "Command8"});
    c.Command1 = built.take<QPushButton>("Command1");
    c.Command9 = built.take<QPushButton>("Command9");
    c.Command12 = built.take<QPushButton>("Command12");
    c.Command13 = built.take<QPushButton>("Command13");
    c.Combo1 = built.take<QComboBox>("Combo1");
    c.Combo3 = built.take<QComboBox>("Combo3");
    c.Frame2 = built.take<QGroupBox>("Frame2");
    c.Label1 = built.take<QLabel>("Label1");
    c.Label2 = built.take<QLabel>("Label2");
    c.Label3 = built.take<QLabel>("Label3");
    c.Label4 = built.take<QLabel>("Label4");
    c.Label5 = built.take<QLabel>("Label5");
    c.Label6 = built.take<QLabel>("Label6");
    c.Label7 = built.take<QLabel>("Label7");
    c.Label8 = built.take<QLabel>("Label8");
    c.Label9 = built.take<QLabel>("Label9");
    c.Label10 = built.take<QLabel>("Label10");
    // The layout rules name the right group from the same table; the size
    // they are given does not change which controls they list.
    for (const Form1Layout::Left &left : layoutForm1(kMinimumOuterWidth, kMinimumOuterHeight).rightGroup)
        c.rightGroup.push_back(built.take<QWidget>(left.control.toLatin1().constData()));
    return c;
}

Form1Menu buildForm1Menu(QMenuBar &bar)
{
    std::vector<QObject *> made;
    std::map<QString, QMenu *> menus;
    for (const MenuDef &def : form1Menu()) {
        const QString name = QString::fromLatin1(def.name);
        const QString caption = QString::fromUtf8(def.caption);
        QMenu *parentMenu = def.parent ? menus.at(QString::fromLatin1(def.parent)) : nullptr;
        if (def.isMenu) {
            QMenu *menu = parentMenu ? parentMenu->addMenu(caption) : bar.addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name + QLatin1String("Menu"));
            menus.emplace(name, menu);
            made.push_back(menu);
            continue;
        }
        QAction *action = nullptr;
        if (caption == QLatin1String("-"))
            action = parentMenu->addSeparator();
        else if (parentMenu)
            action = parentMenu->addAction(caption);
        else
            action = bar.addAction(caption);
        action->setObjectName(name);
        // "Ctrl+H; Ctrl+F": the first is shown in the menu, both choose the item.
        if (def.shortcut)
            action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(def.shortcut)));
        made.push_back(action);
    }

    const Built built(made);
    Form1Menu m;
    m.file = built.take<QMenu>("file");
    m.tools = built.take<QMenu>("tools");
    m.RECENT = built.take<QMenu>("RECENT");
    m.SAVE = built.take<QAction>("SAVE");
    m.SAVEAS = built.take<QAction>("SAVEAS");
    m.OPEN = built.take<QAction>("OPEN");
    m.DRAFTS = built.take<QAction>("DRAFTS");
    m.NEWPOST = built.take<QAction>("NEWPOST");
    m.EXIT = built.take<QAction>("EXIT");
    m.DEFAULTFONT = built.take<QAction>("DEFAULTFONT");
    m.find = built.take<QAction>("find");
    m.REPLACE = built.take<QAction>("REPLACE");
    m.LIVEPREVIEW = built.take<QAction>("LIVEPREVIEW");
    m.SPELLCHECK = built.take<QAction>("SPELLCHECK");
    m.AUTODIRECTION = built.take<QAction>("AUTODIRECTION");
    m.PASTEMARKUP = built.take<QAction>("PASTEMARKUP");
    m.COPYFORMATTED = built.take<QAction>("COPYFORMATTED");
    m.CHECKPOST = built.take<QAction>("CHECKPOST");
    m.ABOUT = built.take<QAction>("ABOUT");
    return m;
}

} // namespace zarvelo
