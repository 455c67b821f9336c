#include "shell/form1.h"

#include "defaultfont/defaultfont.h"
#include "defaultfont/defaultfontrecord.h"
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/frmdefaultfont.h"
#include "drafts/keptpostbar.h"
#include "editing/editingcommands.h"
#include "editing/tagtables.h"
#include "highlight/markupscan.h"
#include "highlight/posthighlighter.h"
#include "platform/commondialog.h"
#include "platform/drawingstamp.h"
#include "platform/platform.h"
#include "preview/previewcommand.h"
#include "richtext/clipboardcommands.h"
#include "search/form2.h"
#include "search/replacewindow.h"
#include "shell/draftswiring.h"
#include "shell/filedrop.h"
#include "shell/form3.h"
#include "shell/layoutrules.h"
#include "shell/livepreviewwiring.h"
#include "shell/postcheckwiring.h"
#include "shell/postfiles.h"
#include "shell/recentmenu.h"
#include "shell/spellingswitch.h"
#include "shell/windowkeys.h"
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
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

#include <cmath>

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
    m_controls = buildForm1Controls(client);
    m_editorTopLeft = editor().pos();
    m_keptPostBar = new KeptPostBar(client);
    m_highlighter = new PostHighlighter(editor().document());
    m_commonDialog = new CommonDialog(platform, this);
    m_commonDialog->setObjectName(QStringLiteral("CommonDialog1"));

    // The font-name label reads left to right; everything else right to left.
    m_controls.Label10->setLayoutDirection(Qt::LeftToRight);
    m_controls.Label10->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_controls.Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_controls.Label1->hide();
    m_controls.Label7->setFrameShape(QFrame::Box);
    // No font is chosen at start, as after every pick: the list keeps the
    // prompt its table gives it, and its first entry is the first the arrow
    // keys reach.
    QComboBox *fonts = m_controls.Combo1;
    fonts->setPlaceholderText(fontListPlaceholder());
    fonts->addItems(fontNames());
    QComboBox *sizes = m_controls.Combo3;
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
    m_menu = buildForm1Menu(*menuBar());

    createCommands(kept);
    kept.save();

    // The design client area; the window can never be made smaller than
    // its minimum outer size.
    client->setMinimumSize(int(std::ceil((kMinimumOuterWidth - kFrameAllowanceWidth) / kTwipsPerPixel)),
                           int(std::ceil((kMinimumOuterHeight - kFrameAllowanceHeight) / kTwipsPerPixel)));
    client->installEventFilter(this);
    resize(twipsToPixels(10215), twipsToPixels(7185) + menuBar()->sizeHint().height());
    applyLayout();
    editor().setFocus();
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
    // first keystrokes replace it; a post kept by a crash is offered beside
    // it, never in its place.
    m_drafts->offerCrashedRunsPost();
    editor().setFocus();
    return true;
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
    APPLYDEFAULTFONT(m_defaultFont->settings(), editor(),
                     [this](const QString &hex) { m_editingCommands->setColorHex(hex); });
}

void Form1::createCommands(LookCache &kept)
{
    const Form1Controls &c = m_controls;
    auto *editing = new EditingCommands(editor(), m_platform, *m_commonDialog, *c.Combo1, *c.Combo3, this);
    m_editingCommands = editing;
    // The button arrays are as long as the tables their commands index.
    static_assert(std::tuple_size_v<decltype(c.cmdBOLD)> == std::tuple_size_v<decltype(TagTable)>);
    static_assert(std::tuple_size_v<decltype(c.cmdPROM)> == std::tuple_size_v<decltype(PromptTagTable)>);
    static_assert(std::tuple_size_v<decltype(c.Command2)> == std::tuple_size_v<decltype(StockPhrase)>);
    static_assert(std::tuple_size_v<decltype(c.presets)> == std::tuple_size_v<decltype(PresetStyles)>);
    auto onArray = [editing](const auto &buttons, void (EditingCommands::*handler)(int)) {
        for (int i = 0; i < int(buttons.size()); ++i)
            connect(buttons[i], &QPushButton::clicked, editing,
                    [editing, handler, i] { (editing->*handler)(i); });
    };
    onArray(c.cmdBOLD, &EditingCommands::cmdBOLD_Click);
    onArray(c.cmdPROM, &EditingCommands::cmdPROM_Click);
    onArray(c.Command2, &EditingCommands::Command2_Click);
    onArray(c.presets, &EditingCommands::preset_Click);
    connect(c.Command1, &QPushButton::clicked, editing, &EditingCommands::Command1_Click);
    connect(c.Command12, &QPushButton::clicked, editing, &EditingCommands::Command12_Click);
    connect(c.Command13, &QPushButton::clicked, editing, &EditingCommands::Command13_Click);
    // Only a user's pick runs a command: never the list's text being set
    // back afterwards, nor browsing the closed list with the keyboard.
    connect(new ListPicker(*c.Combo1), &ListPicker::picked, editing, &EditingCommands::Combo1_Click);
    connect(new ListPicker(*c.Combo3), &ListPicker::picked, editing, &EditingCommands::Combo3_Click);

    auto *preview = new PreviewCommand(editor(), m_platform, this);
    connect(c.Command9, &QPushButton::clicked, preview, &PreviewCommand::Command9_Click);

    m_defaultFont = new DefaultFontRecord(m_platform, this);
    DefaultFontPanelControls panel;
    panel.frame = c.Frame2;
    panel.fontName = c.Label10;
    panel.bold = c.Label4;
    panel.alignment = c.Label5;
    panel.size = c.Label9;
    panel.swatch = c.Label7;
    panel.captions = {c.Label2, c.Label3, c.Label6, c.Label8};
    m_panel = new DefaultFontPanel(*m_defaultFont, panel, &kept, this);
    connect(m_defaultFont, &DefaultFontRecord::saved, m_panel, &DefaultFontPanel::REFRESHDEFAULTFONTPANEL);

    auto *files = new PostFiles(
        editor(), m_platform, *m_commonDialog, [this] { applyTemplate(); }, this);
    connect(files, &PostFiles::titleChanged, this, &QWidget::setWindowTitle);
    connect(m_menu.NEWPOST, &QAction::triggered, files, &PostFiles::NEWPOST);
    connect(m_menu.OPEN, &QAction::triggered, files, &PostFiles::OPEN);
    connect(m_menu.SAVE, &QAction::triggered, files, &PostFiles::SAVE);
    connect(m_menu.SAVEAS, &QAction::triggered, files, &PostFiles::SAVEAS);
    // Exit and the close box take one road: the window's closing.
    connect(m_menu.EXIT, &QAction::triggered, this, &QWidget::close);
    m_files = files;
    createFileHabits(*files, *editing);

    // Each window opened from a menu item, and each feature switch, is an
    // object made with what it uses, whose slot the item runs.
    const auto untouchedTemplate = [this] {
        return buildDefaultFontTemplate(m_defaultFont->settings()).text;
    };
    auto *settings = new DefaultFontWindowOpener(*m_defaultFont, m_platform, this);
    connect(m_menu.DEFAULTFONT, &QAction::triggered, settings, &DefaultFontWindowOpener::open);
    connect(m_panel, &DefaultFontPanel::clicked, settings, &DefaultFontWindowOpener::open);
    auto *find = new FindWindowOpener(editor(), m_platform, this);
    connect(m_menu.find, &QAction::triggered, find, &FindWindowOpener::open);
    // Skipping tags reads them as the highlighting colours them.
    const MarkupFinder markup = [](QStringView line, QList<TextRange> &stretches) {
        QList<IsolatedTag> tags;
        findIsolatedTags(line, tags);
        for (const IsolatedTag &tag : std::as_const(tags))
            stretches.append({tag.start, tag.length});
    };
    auto *replace = new ReplaceWindowOpener(editor(), m_platform, markup, preferencesPath(), this);
    // The matches are drawn while the highlighter lives, and go with it.
    replace->setParent(m_highlighter);
    m_highlighter->addLayer(&replace->layer());
    connect(replace, &ReplaceWindowOpener::highlightsChanged, m_highlighter, &PostHighlighter::rehighlight);
    connect(m_menu.REPLACE, &QAction::triggered, replace, &ReplaceWindowOpener::open);
    auto *livePreview = new LivePreviewOpener(editor(), m_platform, *this);
    connect(m_menu.LIVEPREVIEW, &QAction::triggered, livePreview, &LivePreviewOpener::toggle);
    auto *check = new PostCheckOpener(editor(), *this);
    connect(m_menu.CHECKPOST, &QAction::triggered, check, &PostCheckOpener::open);
    livePreview->setForumLimit(check->limits().characters);
    connect(check, &PostCheckOpener::forumLimitChanged, livePreview, &LivePreviewOpener::setForumLimit);
    m_drafts = new Drafts(editor(), m_platform, *files, untouchedTemplate, *this, *m_keptPostBar);
    connect(m_menu.DRAFTS, &QAction::triggered, m_drafts, &Drafts::open);
    connect(m_keptPostBar, &KeptPostBar::shownChanged, this, &Form1::applyLayout);
    auto *about = new AboutWindowOpener(this);
    connect(m_menu.ABOUT, &QAction::triggered, about, &AboutWindowOpener::open);
    // The switch checks its item as the preferences say before the item's
    // toggles reach it, so starting opens no dictionary.
    auto *spelling = new SpellingSwitch(editor(), *m_highlighter, m_platform, *m_menu.tools,
                                        *m_menu.SPELLCHECK, untouchedTemplate);
    connect(m_menu.SPELLCHECK, &QAction::toggled, spelling, &SpellingSwitch::setOn);
    auto *directions = new DirectionSwitch(editor(), *m_menu.AUTODIRECTION);
    connect(m_menu.AUTODIRECTION, &QAction::toggled, directions, &DirectionSwitch::setOn);
    auto *clipboard = new ClipboardCommands(editor(), m_platform, this);
    connect(m_menu.PASTEMARKUP, &QAction::triggered, clipboard, &ClipboardCommands::PASTEMARKUP);
    connect(m_menu.COPYFORMATTED, &QAction::triggered, clipboard, &ClipboardCommands::COPYFORMATTED);
    // The formatted paste heads the editor's own menu too, above what the
    // spelling puts there.
    editor().addContextMenuHook([paste = m_menu.PASTEMARKUP](QMenu &menu, const QTextCursor &) {
        QAction *first = menu.actions().value(0);
        menu.insertAction(first, paste);
        if (first)
            menu.insertSeparator(first);
    });
}

bool Form1::openPost(const QString &path)
{
    return m_files->openPost(path);
}

void Form1::createFileHabits(PostFiles &files, EditingCommands &editing)
{
    const RecentPosts recentPosts(preferencesPath());
    // The file dialogs start in the last post's folder from the start on.
    const QStringList last = recentPosts.paths();
    if (!last.isEmpty())
        m_commonDialog->offer(QFileInfo(last.first()).absolutePath() + u'/');
    auto *recent = new RecentMenu(
        *m_menu.RECENT, recentPosts, [&files](const QString &path) { return files.openPost(path); }, this);
    const auto remember = [&files, recent] { recent->add(files.CurrentFileName()); };
    connect(&files, &PostFiles::postOpened, recent, remember);
    connect(&files, &PostFiles::postSaved, recent, remember);

    // Opened once the drop is over, so that a message Open shows does not
    // keep the file manager waiting on its drag. One post per window: the
    // first file dropped is the one opened.
    auto *drop = new FileDrop(*this, *editor().viewport());
    connect(
        drop, &FileDrop::dropped, &files,
        [&files](const QStringList &paths) { files.openPost(paths.first()); }, Qt::QueuedConnection);

    new WindowKeys(*this, editor(), *menuBar());
    // Bold, italic and underline as their buttons, from the keyboard.
    const QKeySequence tagKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_B), QKeySequence(Qt::CTRL | Qt::Key_I),
                                    QKeySequence(Qt::CTRL | Qt::Key_U)};
    for (int i = 0; i < 3; ++i) {
        connect(new QShortcut(tagKeys[i], this), &QShortcut::activated, &editing,
                [&editing, i] { editing.cmdBOLD_Click(i); });
    }
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

    QLabel *banner = m_controls.Label1;
    banner->setVisible(layout.bannerVisible);
    if (layout.bannerVisible) {
        banner->resize(twipsToPixels(layout.bannerWidth), banner->height());
        QString text = layout.bannerText;
        banner->setText(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    }
    // The right group was taken from the list the rules give, in its order.
    for (qsizetype i = 0; i < layout.rightGroup.size(); ++i) {
        QWidget *widget = m_controls.rightGroup[std::size_t(i)];
        widget->move(twipsToPixels(layout.rightGroup[i].left), widget->y());
    }
    const int editorWidth = twipsToPixels(layout.editorWidth);
    const int bar = m_keptPostBar->isVisibleTo(centralWidget()) ? m_keptPostBar->sizeHint().height() : 0;
    m_keptPostBar->setGeometry(m_editorTopLeft.x(), m_editorTopLeft.y(), editorWidth, bar);
    editor().setGeometry(m_editorTopLeft.x(), m_editorTopLeft.y() + bar, editorWidth,
                         twipsToPixels(layout.editorHeight) - bar);
    auto moveTo = [](QWidget *widget, double left, double top) {
        widget->move(left < 0 ? widget->x() : twipsToPixels(left), twipsToPixels(top));
    };
    moveTo(m_controls.Command9, layout.command9Left, layout.bottomRowTop);
    moveTo(m_controls.Command12, -1, layout.bottomRowTop);
    moveTo(m_controls.Command13, layout.command13Left, layout.bottomRowTop);
}

} // namespace zarvelo
