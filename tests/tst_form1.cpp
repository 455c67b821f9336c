#include "ui/posteditor.h"
#include "scriptedplatform.h"
#include "ui/controlbuilder.h"
#include "shell/form1.h"
#include "shell/form1table.h"
#include "shell/form3.h"
#include "shell/layoutrules.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace zarvelo;

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controlsStandWhereTheTableSays();
    void tabOrderFollowsTheTable();
    void menuTree();
    void layoutAtSampleWidths();
    void minimumSize();
    void aboutWindow();
    void renderToPng();
};

void TestForm1::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void TestForm1::controlsStandWhereTheTableSays()
{
    test::ScriptedPlatform platform;
    Form1 form(platform);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // At the design size every control stands at its design place, inside its
    // frame where it has one; Frame3 follows the right edge, 20 twips further.
    for (const ControlDef &def : form1Controls()) {
        QWidget *widget = form.control<QWidget>(QString::fromLatin1(def.name));
        QVERIFY2(widget, def.name);
        const QByteArray name(def.name);
        const QRect expected = twipsRect(name == "Frame3" ? 5180 : def.left, def.top, def.width, def.height);
        QCOMPARE(widget->pos(), expected.topLeft());
        QCOMPARE(widget->width(), expected.width());
        QCOMPARE(widget->parentWidget()->objectName(),
                 def.container ? QString::fromLatin1(def.container) : QStringLiteral("Form1Client"));
        QCOMPARE(widget->layoutDirection(), name == "Label10" ? Qt::LeftToRight : Qt::RightToLeft);
    }
    QVERIFY(!form.control<QLabel>(QStringLiteral("Label1"))->isVisible());
    QCOMPARE(form.windowTitle(), QStringLiteral("Zarvelo"));
    QVERIFY(form.findChild<QObject *>(QStringLiteral("CommonDialog1")));

    // What the tables cannot show: the lists' start state and the pictures.
    auto *fonts = form.control<QComboBox>(QStringLiteral("Combo1"));
    QVERIFY(fonts->isEditable());
    QCOMPARE(fonts->currentText(), QStringLiteral("نــــوع الـخــــــــط"));
    QCOMPARE(fonts->count(), 15);
    auto *sizes = form.control<QComboBox>(QStringLiteral("Combo3"));
    QVERIFY(!sizes->isEditable());
    QCOMPARE(sizes->currentText(), QString());
    for (const char *picture : {"cmdBOLD_0", "cmdPROM_2", "cmdBOLD_8", "Command3", "Command7"}) {
        auto *button = form.control<QPushButton>(QString::fromLatin1(picture));
        QVERIFY(!button->icon().isNull());
        QVERIFY(button->text().isEmpty());
        QCOMPARE(button->accessibleName(), button->toolTip());
    }
    // The editor keeps the usual text-box colours inside the navy window.
    QCOMPARE(form.editor().palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
    QCOMPARE(form.centralWidget()->palette().color(QPalette::Window), QColor(0x00, 0x00, 0x40));
}

void TestForm1::tabOrderFollowsTheTable()
{
    test::ScriptedPlatform platform;
    Form1 form(platform);
    const QStringList expected{
        "Text1",      "cmdBOLD_0", "cmdBOLD_1",  "cmdBOLD_2",  "cmdBOLD_3",  "cmdBOLD_4",  "cmdBOLD_5",
        "cmdPROM_0",  "cmdPROM_1", "cmdPROM_2",  "cmdBOLD_6",  "cmdBOLD_7",  "cmdBOLD_8",  "Combo1",
        "Combo3",     "Command1",  "Command2_0", "Command2_1", "Command2_2", "Command2_3", "Command2_4",
        "Command2_5", "Command4",  "Command5",   "Command6",   "Command7",   "Command8",   "Command12",
        "Command13",  "Command3",  "Command9"};
    QStringList walked;
    QWidget *widget = &form.editor();
    for (int i = 0; i < expected.size(); ++i) {
        walked << widget->objectName();
        widget = widget->nextInFocusChain();
        // The editable list has an inner line edit in the chain.
        while (widget && (widget->focusPolicy() & Qt::TabFocus) == 0)
            widget = widget->nextInFocusChain();
        if (widget && qobject_cast<QLineEdit *>(widget) && widget->parent()
            && widget->parent()->objectName() == QLatin1String("Combo1"))
            widget = widget->nextInFocusChain();
        while (widget && (widget->focusPolicy() & Qt::TabFocus) == 0)
            widget = widget->nextInFocusChain();
    }
    QCOMPARE(walked, expected);
    for (const char *name : {"Frame1", "Frame2", "Frame3", "Label1", "Label7", "Label10"})
        QCOMPARE(form.control<QWidget>(QString::fromLatin1(name))->focusPolicy(), Qt::NoFocus);
}

void TestForm1::menuTree()
{
    test::ScriptedPlatform platform;
    Form1 form(platform);
    // Each menu's entries in order, with their shortcuts; separators are not commands.
    QStringList tree;
    for (QAction *top : form.menuBar()->actions()) {
        tree << top->text();
        if (QMenu *menu = top->menu())
            for (QAction *action : menu->actions())
                tree << QStringLiteral("  ") + action->objectName() + QLatin1Char(' ')
                        + (action->isSeparator() ? QStringLiteral("-") : action->shortcut().toString());
    }
    QCOMPARE(tree,
             QStringList({QStringLiteral("&ملف"), "  SAVE Ctrl+S", "  SAVEAS F2", "  OPEN Ctrl+O",
                          "  DRAFTS Ctrl+Shift+T", "  NEWPOST Ctrl+N", "  sdsdsdsd -", "  EXIT ",
                          QStringLiteral("أدوات"), "  DEFAULTFONT ", "  ghghghgh -", "  find F3",
                          "  LIVEPREVIEW F5", "  SPELLCHECK ", QStringLiteral("عــن...")}));
    QCOMPARE(form.menuAction(QStringLiteral("NEWPOST"))->text(), QStringLiteral("مشاركة جديدة   "));
    QCOMPARE(form.menuAction(QStringLiteral("DRAFTS"))->text(), QStringLiteral("المسودات..."));
    QCOMPARE(form.menuAction(QStringLiteral("DEFAULTFONT"))->text(),
             QStringLiteral("إع&دادات الخط الإفتراضي..."));
    QVERIFY(!form.windowIcon().isNull());
}

void TestForm1::layoutAtSampleWidths()
{
    struct Sample
    {
        double width;
        bool banner;
        double bannerWidth;
        bool bannerText;
    };
    for (const Sample s :
         {Sample{10335, false, 0, false}, Sample{10590, false, 0, false}, Sample{10591, true, 201, false},
          Sample{11310, true, 920, false}, Sample{11311, true, 921, true}, Sample{12000, true, 1610, true}}) {
        const Form1Layout layout = layoutForm1(s.width, 5000);
        QCOMPARE(layout.bannerVisible, s.banner);
        if (s.banner) {
            QCOMPARE(layout.bannerWidth, s.bannerWidth);
            QCOMPARE(layout.bannerText.isEmpty(), !s.bannerText);
        }
        QCOMPARE(layout.editorWidth, s.width - 360);
        QCOMPARE(layout.editorHeight, 2195.0);
        QCOMPARE(layout.bottomRowTop, 3800.0);
        QCOMPARE(layout.command9Left, s.width - 3255);
        // The whole right group moves with the right edge.
        for (const Form1Layout::Left &left : layout.rightGroup) {
            const Form1Layout design = layoutForm1(10335, 5000);
            for (const Form1Layout::Left &d : design.rightGroup)
                if (d.control == left.control)
                    QCOMPARE(left.left - d.left, s.width - 10335);
        }
    }
    QCOMPARE(layoutForm1(12000, 5000).command13Left, 4912.5);
    QCOMPARE(layoutForm1(11311, 5000).bannerText,
             QStringLiteral("\r\nبرنامج\r\nZarvelo\r\nالإصدار\r\nالأول"));

    QCOMPARE(layoutForm1(10335, 7920).bottomRowTop, 6720.0);
}

void TestForm1::minimumSize()
{
    const Form1Layout small = layoutForm1(5000, 1000);
    QCOMPARE(small.outerWidth, 10335.0);
    QCOMPARE(small.outerHeight, 5000.0);
    QCOMPARE(small.editorHeight, 2195.0);

    test::ScriptedPlatform platform;
    Form1 form(platform);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resize(100, 100);
    QTest::qWait(10);
    QVERIFY(form.centralWidget()->width() * 15 + 120 >= 10335);
    QVERIFY(form.centralWidget()->height() * 15 + 735 >= 5000);

    // A wide window shows the banner with its five lines, and moves the right group.
    form.resize(twipsToPixels(12000 - 120), form.height());
    QTest::qWait(10);
    auto *banner = form.control<QLabel>(QStringLiteral("Label1"));
    QVERIFY(banner->isVisible());
    QCOMPARE(banner->text().count(QLatin1Char('\n')), 4);
    QCOMPARE(form.control<QWidget>(QStringLiteral("cmdBOLD_0"))->x(), twipsToPixels(12000 - 735));
    QCOMPARE(form.control<QWidget>(QStringLiteral("Command3"))->x(), twipsToPixels(3960));
}

void TestForm1::aboutWindow()
{
    QCOMPARE(Form3::description(),
             QStringLiteral("يساعدك هذا البرنامج على كتابة و تنسيق مشاركاتك داخل المنتديات\r\n")
                 + QString(27, QLatin1Char(' ')) + QStringLiteral("البرنامج من فكرة و تصميم:"));
    for (int opening = 0; opening < 2; ++opening) {
        test::ScriptedPlatform platform;
        Form1 form(platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // What the open window showed, gathered before it is closed so that a
        // failed check never leaves a modal window waiting.
        QString title, labelText, focusName;
        bool closedByEnter = false, modal = false, defaultButton = false, fixed = false, banner = false;
        QSize size;
        QTimer::singleShot(0, [&] {
            auto *about = qobject_cast<Form3 *>(QApplication::activeModalWidget());
            if (!about)
                return;
            title = about->windowTitle();
            modal = about->isModal();
            size = about->size();
            fixed = about->minimumSize() == about->maximumSize();
            labelText = about->findChild<QLabel *>(QStringLiteral("Label1"))->text();
            defaultButton = about->findChild<QPushButton *>(QStringLiteral("Command1"))->isDefault();
            focusName = about->focusWidget() ? about->focusWidget()->objectName() : QString();
            banner = !about->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull();
            const QString dir = QString::fromLocal8Bit(qgetenv("ZARVELO_BINARY_DIR"));
            if (!dir.isEmpty())
                about->grab().save(dir + QStringLiteral("/about.png"));
            QTest::keyClick(about->focusWidget() ? about->focusWidget() : about, Qt::Key_Return);
            closedByEnter = about->isHidden();
            if (!closedByEnter)
                about->reject();
        });
        form.menuAction(QStringLiteral("ABOUT"))->trigger();
        QCOMPARE(title, QStringLiteral("عن البرنامج"));
        QVERIFY(modal);
        QCOMPARE(size, QSize(316, 213));
        QVERIFY(fixed);
        QCOMPARE(labelText,
                 QString(Form3::description()).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        QVERIFY(defaultButton);
        QCOMPARE(focusName, QStringLiteral("Command1"));
        QVERIFY(banner);
        QVERIFY(closedByEnter);
        QVERIFY(!QApplication::activeModalWidget());
        // Closed means gone: the next opening builds it afresh.
        QVERIFY(!form.findChild<Form3 *>());
    }
}

void TestForm1::renderToPng()
{
    test::ScriptedPlatform platform;
    Form1 form(platform);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPixmap shot = form.grab();
    QCOMPARE(shot.size(), form.size());
    const QString dir = QString::fromLocal8Bit(qgetenv("ZARVELO_BINARY_DIR"));
    if (!dir.isEmpty()) {
        QVERIFY(shot.save(dir + QStringLiteral("/form1.png")));
        form.resize(twipsToPixels(12000 - 120), form.height());
        QTest::qWait(10);
        QVERIFY(form.grab().save(dir + QStringLiteral("/form1-wide.png")));
    }
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
