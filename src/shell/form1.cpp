#include "shell/form1.h"

#include "defaultfont/defaultfont.h"
#include "defaultfont/defaultfontrecord.h"
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/frmdefaultfont.h"
#include "editing/editingcommands.h"
#include "editing/tagtables.h"
#include "highlight/markupscan.h"
#include "highlight/posthighlighter.h"
#include "platform/commondialog.h"
#include "platform/drawingstamp.h"
#include "platform/platform.h"
#include "preview/previewcommand.h"
#include "search/form2.h"
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
#include "ui/fontnames.h"
#include "ui/listpicker.h"
#include "ui/lookcache.h"
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
    // The editors isolate the very tags the highlighting colours.
    PostEditor::setTagFinder(&findIsolatedTags);
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
    // No font is chosen at start, as after every pick: the list keeps the
    // prompt its table gives it, and its first entry is the first the arrow
    // keys reach.
    auto *fonts = control<QComboBox>(QStringLiteral("Combo1"));
    fonts->setPlaceholderText(fontListPlaceholder());
    fonts->addItems(fontNames());
    auto *sizes = control<QComboBox>(QStringLiteral("Combo3"));
    for (int size = 1; size <= 7; ++size)
        sizes->addItem(QString::number(size));
    sizes->setCurrentIndex(-1);
    // What is drawn and measured in the controls' fonts is kept between
    // starts: a start does it again only when the fonts, or the program,
    // have changed. Not kept, it is done again next time; nothing is lost.
    const QString folder = m_platform.cacheFolder();
    LookCache kept(folder.isEmpty() ? QString() : folder + QLatin1String("/look"),
                   folder.isEmpty() ? QByteArray() : drawingStamp());
    decorateButtons(kept);
    fitEachCaption(client, &kept);
    buildMenu();

    createCommands(kept);
    kept.save();

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
    m_panel->REFRESHDEFAULTFONTPANEL();
    applyTemplate();
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
}

void Form1::decorateButtons(LookCache &kept)
{
    for (QPushButton *button : findChildren<QPushButton *>()) {
        const QIcon icon = buttonPicture(button->objectName(), button->font(), &kept);
        if (icon.isNull())
            continue;
        button->setIcon(icon);
        button->setIconSize(button->size() - QSize(6, 6));
    }
}

void Form1::applyTemplate()
{
    // The template's colour digits go where the colour button leaves its own.
    APPLYDEFAULTFONT(m_defaultFont->settings(), *m_text1,
                     [this](const QString &hex) { m_editingCommands->setColorHex(hex); });
}

void Form1::createCommands(LookCache &kept)
{
    auto button = [this](const QString &name) {
        auto *found = control<QPushButton>(name);
        Q_ASSERT_X(found, "Form1", qPrintable(name));
        return found;
    };
    auto menu = [this](const char *name) { return menuAction(QString::fromLatin1(name)); };

    auto *fonts = control<QComboBox>(QStringLiteral("Combo1"));
    auto *sizes = control<QComboBox>(QStringLiteral("Combo3"));
    auto *editing = new EditingCommands(*m_text1, m_platform, *m_commonDialog, *fonts, *sizes, this);
    m_editingCommands = editing;
    auto onArray = [&](const char *array, int count, void (EditingCommands::*handler)(int)) {
        for (int i = 0; i < count; ++i) {
            connect(button(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(i)), &QPushButton::clicked,
                    editing, [editing, handler, i] { (editing->*handler)(i); });
        }
    };
    onArray("cmdBOLD", int(TagTable.size()), &EditingCommands::cmdBOLD_Click);
    onArray("cmdPROM", int(PromptTagTable.size()), &EditingCommands::cmdPROM_Click);
    onArray("Command2", int(StockPhrase.size()), &EditingCommands::Command2_Click);
    // The presets are the buttons Command3 to Command8, in that order.
    for (int i = 0; i < int(PresetStyles.size()); ++i) {
        connect(button(QStringLiteral("Command%1").arg(3 + i)), &QPushButton::clicked, editing,
                [editing, i] { editing->preset_Click(i); });
    }
    connect(button(QStringLiteral("Command1")), &QPushButton::clicked, editing,
            &EditingCommands::Command1_Click);
    connect(button(QStringLiteral("Command12")), &QPushButton::clicked, editing,
            &EditingCommands::Command12_Click);
    connect(button(QStringLiteral("Command13")), &QPushButton::clicked, editing,
            &EditingCommands::Command13_Click);
    // Only a user's pick runs a command: never the list's text being set
    // back afterwards, nor browsing the closed list with the keyboard.
    connect(new ListPicker(*fonts), &ListPicker::picked, editing, &EditingCommands::Combo1_Click);
    connect(new ListPicker(*sizes), &ListPicker::picked, editing, &EditingCommands::Combo3_Click);

    auto *preview = new PreviewCommand(*m_text1, m_platform, this);
    connect(button(QStringLiteral("Command9")), &QPushButton::clicked, preview,
            &PreviewCommand::Command9_Click);

    m_defaultFont = new DefaultFontRecord(m_platform, this);
    DefaultFontPanelControls panel;
    panel.frame = control<QWidget>(QStringLiteral("Frame2"));
    panel.fontName = control<QLabel>(QStringLiteral("Label10"));
    panel.bold = control<QLabel>(QStringLiteral("Label4"));
    panel.alignment = control<QLabel>(QStringLiteral("Label5"));
    panel.size = control<QLabel>(QStringLiteral("Label9"));
    panel.swatch = control<QLabel>(QStringLiteral("Label7"));
    for (const char *name : {"Label2", "Label3", "Label6", "Label8"})
        panel.captions << control<QLabel>(QString::fromLatin1(name));
    m_panel = new DefaultFontPanel(*m_defaultFont, panel, &kept, this);
    connect(m_defaultFont, &DefaultFontRecord::saved, m_panel, &DefaultFontPanel::REFRESHDEFAULTFONTPANEL);
    auto openSettings = [this] { openDefaultFontWindow(*m_defaultFont, m_platform, this); };
    connect(m_panel, &DefaultFontPanel::clicked, this, openSettings);
    connect(menu("DEFAULTFONT"), &QAction::triggered, this, openSettings);

    auto *files = new PostFiles(
        *m_text1, m_platform, *m_commonDialog, [this] { applyTemplate(); }, this);
    connect(files, &PostFiles::titleChanged, this, &QWidget::setWindowTitle);
    connect(menu("NEWPOST"), &QAction::triggered, files, &PostFiles::NEWPOST);
    connect(menu("OPEN"), &QAction::triggered, files, &PostFiles::OPEN);
    connect(menu("SAVE"), &QAction::triggered, files, &PostFiles::SAVE);
    connect(menu("SAVEAS"), &QAction::triggered, files, &PostFiles::SAVEAS);
    connect(menu("EXIT"), &QAction::triggered, files, &PostFiles::EXIT);

    new LivePreviewOpener(*menu("LIVEPREVIEW"), *m_text1, m_platform, *this);
    wireDrafts(
        *m_text1, m_platform, *files, *menu("DRAFTS"),
        [this] { return buildDefaultFontTemplate(m_defaultFont->settings()).text; }, *this);

    wireSpellCheck(*m_text1, *m_highlighter, m_platform, *findChild<QMenu *>(QStringLiteral("tools")),
                   *menu("SPELLCHECK"),
                   [this] { return buildDefaultFontTemplate(m_defaultFont->settings()).text; });
    wireOwnDirections(*m_text1, *menu("AUTODIRECTION"));

    auto *find = new FindWindowOpener(*m_text1, m_platform, this);
    connect(menu("find"), &QAction::triggered, find, &FindWindowOpener::open);
    connect(menu("ABOUT"), &QAction::triggered, this, [this] {
        Form3 about(this);
        about.exec();
    });
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
