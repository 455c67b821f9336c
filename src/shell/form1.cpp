#include "shell/form1.h"

#include "defaultfont/defaultfont.h"
#include "editing/editingcommands.h"
#include "highlight/posthighlighter.h"
#include "platform/commondialog.h"
#include "platform/platform.h"
#include "preview/previewcommand.h"
#include "shell/draftswiring.h"
#include "shell/form1table.h"
#include "shell/form3.h"
#include "shell/layoutrules.h"
#include "shell/livepreviewwiring.h"
#include "shell/postfiles.h"
#include "shell/spellingswitch.h"
#include "ui/buttonpictures.h"
#include "ui/captionfit.h"
#include "ui/controlbuilder.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <cmath>
#include <map>

namespace zarvelo {

Form1::Form1(Platform &platform, QWidget *parent)
    : QMainWindow(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(programName());
    setWindowIcon(programPicture(QStringLiteral("zarvelo")));
    setLayoutDirection(Qt::RightToLeft);
    setFont(windowFont());

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form1Client"));
    paintNavy(client);
    setCentralWidget(client);
    buildControls(client, form1Controls());
    m_text1 = findChild<PostEditor *>(QStringLiteral("Text1"));
    m_highlighter = new PostHighlighter(m_text1->document());
    m_commonDialog = new CommonDialog(platform, this);
    m_commonDialog->setObjectName(QStringLiteral("CommonDialog1"));

    // The font-name label reads left to right; everything else right to left.
    control<QLabel>(QStringLiteral("Label10"))->setLayoutDirection(Qt::LeftToRight);
    control<QLabel>(QStringLiteral("Label10"))->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto *banner = control<QLabel>(QStringLiteral("Label1"));
    banner->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    banner->hide();
    control<QLabel>(QStringLiteral("Label7"))->setFrameShape(QFrame::Box);
    control<QComboBox>(QStringLiteral("Combo1"))->addItems(form1FontNames());
    control<QComboBox>(QStringLiteral("Combo1"))->setEditText(fontListPlaceholder());
    auto *sizes = control<QComboBox>(QStringLiteral("Combo3"));
    for (int size = 1; size <= 7; ++size)
        sizes->addItem(QString::number(size));
    sizes->setCurrentIndex(-1);
    decorateButtons();
    fitEachCaption(client);
    buildMenu();

    // The commands behind the controls, each subsystem's in its own class.
    m_editingCommands = new EditingCommands(*this);
    new PostFiles(*this);
    m_defaultFont = new DefaultFont(*this);
    new PreviewCommand(*this);
    new LivePreviewOpener(*menuAction(QStringLiteral("LIVEPREVIEW")), *m_text1, platform, *this);
    wireDrafts(*this);
    wireSpellCheck(*m_text1, *m_highlighter, platform, *findChild<QMenu *>(QStringLiteral("tools")),
                   *menuAction(QStringLiteral("SPELLCHECK")));

    // The design client area; the window can never be made smaller than
    // its minimum outer size.
    client->setMinimumSize(int(std::ceil((kMinimumOuterWidth - kFrameAllowanceWidth) / kTwipsPerPixel)),
                           int(std::ceil((kMinimumOuterHeight - kFrameAllowanceHeight) / kTwipsPerPixel)));
    client->installEventFilter(this);
    resize(twipsToPixels(10215), twipsToPixels(7185) + menuBar()->sizeHint().height());
    applyLayout();
    m_text1->setFocus();
}

Form1::~Form1() = default;

bool Form1::formLoad()
{
    // The editing tables are constants; the default font comes next.
    if (!m_defaultFont->LOADDEFAULTFONT()) {
        // Without its settings file the program cannot start: the message
        // has been shown, and the window must never appear.
        m_platform.endProcess(1);
        return false;
    }
    m_defaultFont->REFRESHDEFAULTFONTPANEL();
    m_defaultFont->APPLYDEFAULTFONT();
    // The placeholder stays selected in the focused editor, so the user's
    // first keystrokes replace it.
    m_text1->setFocus();
    return true;
}

QAction *Form1::menuAction(const QString &name) const
{
    return findChild<QAction *>(name);
}

void Form1::buildMenu()
{
    std::map<QString, QMenu *> menus;
    for (const MenuDef &def : form1Menu()) {
        const QString name = QString::fromLatin1(def.name);
        const QString caption = QString::fromUtf8(def.caption);
        QMenu *parentMenu = def.parent ? menus.at(QString::fromLatin1(def.parent)) : nullptr;
        if (def.isMenu) {
            QMenu *menu = menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name + QLatin1String("Menu"));
            menus.emplace(name, menu);
            continue;
        }
        QAction *action = nullptr;
        if (caption == QLatin1String("-"))
            action = parentMenu->addSeparator();
        else if (parentMenu)
            action = parentMenu->addAction(caption);
        else
            action = menuBar()->addAction(caption);
        action->setObjectName(name);
        if (def.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(def.shortcut)));
    }
    connect(menuAction(QStringLiteral("ABOUT")), &QAction::triggered, this, &Form1::openAbout);
}

void Form1::decorateButtons()
{
    for (QPushButton *button : findChildren<QPushButton *>()) {
        const QIcon icon = buttonPicture(button->objectName(), button->font());
        if (icon.isNull())
            continue;
        button->setIcon(icon);
        button->setIconSize(button->size() - QSize(6, 6));
    }
}

void Form1::openAbout()
{
    Form3 about(this);
    about.exec();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        applyLayout();
    return QMainWindow::eventFilter(watched, event);
}

void Form1::applyLayout()
{
    const QSize client = centralWidget()->size();
    const Form1Layout layout = layoutForm1(client.width() * kTwipsPerPixel + kFrameAllowanceWidth,
                                           client.height() * kTwipsPerPixel + kFrameAllowanceHeight);

    auto *banner = control<QLabel>(QStringLiteral("Label1"));
    banner->setVisible(layout.bannerVisible);
    if (layout.bannerVisible) {
        banner->resize(twipsToPixels(layout.bannerWidth), banner->height());
        QString text = layout.bannerText;
        banner->setText(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    }
    for (const Form1Layout::Left &left : layout.rightGroup) {
        if (QWidget *widget = control<QWidget>(left.control))
            widget->move(twipsToPixels(left.left), widget->y());
    }
    m_text1->resize(twipsToPixels(layout.editorWidth), twipsToPixels(layout.editorHeight));
    auto moveTo = [this](const char *name, double left, double top) {
        QWidget *widget = control<QWidget>(QString::fromLatin1(name));
        widget->move(left < 0 ? widget->x() : twipsToPixels(left), twipsToPixels(top));
    };
    moveTo("Command9", layout.command9Left, layout.bottomRowTop);
    moveTo("Command12", -1, layout.bottomRowTop);
    moveTo("Command13", layout.command13Left, layout.bottomRowTop);
}

} // namespace zarvelo
