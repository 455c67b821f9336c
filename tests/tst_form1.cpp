#include "modalwindow.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "shell/form1table.h"
#include "shell/form3.h"
#include "shell/layoutrules.h"
#include "ui/controlbuilder.h"
#include "ui/posteditor.h"

#include <QTest>
#include <QtWidgets>

using namespace zarvelo;
using namespace Qt::StringLiterals;

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setLayoutDirection(Qt::RightToLeft);
        QApplication::setStyle(u"Fusion"_s);
    }

    void windowAsDesigned()
    {
        test::ScriptedPlatform platform;
        Form1 form(platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Every control at its design place and in its frame; Frame3 follows the right edge.
        for (const ControlDef &def : form1Controls()) {
            const QByteArray name(def.name);
            auto *widget = form.control<QWidget>(QString::fromLatin1(name));
            QVERIFY2(widget, def.name);
            const QRect expected =
                twipsRect(name == "Frame3" ? 5180 : def.left, def.top, def.width, def.height);
            QCOMPARE(widget->pos(), expected.topLeft());
            QCOMPARE(widget->width(), expected.width());
            QCOMPARE(widget->parentWidget()->objectName(),
                     def.container ? QString::fromLatin1(def.container) : u"Form1Client"_s);
            QCOMPARE(widget->layoutDirection(), name == "Label10" ? Qt::LeftToRight : Qt::RightToLeft);
        }
        // What the tables cannot show: the lists' start state, the pictures, the colours.
        QCOMPARE(form.control<QComboBox>(u"Combo1"_s)->currentText(), u"نــــوع الـخــــــــط"_s);
        QVERIFY(form.control<QComboBox>(u"Combo3"_s)->currentText().isEmpty());
        for (const char *picture : {"cmdBOLD_0", "cmdPROM_2", "cmdBOLD_8", "Command3", "Command7"}) {
            auto *button = form.control<QPushButton>(QString::fromLatin1(picture));
            QVERIFY2(!button->icon().isNull() && button->text().isEmpty(), picture);
            QCOMPARE(button->accessibleName(), button->toolTip());
        }
        QCOMPARE(form.editor().palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Base));
        QCOMPARE(form.centralWidget()->palette().color(QPalette::Window), QColor(0x00, 0x00, 0x40));
        QVERIFY(!form.windowIcon().isNull());

        // Tab walks the controls in design order, once round (the editable list's inner line edit aside).
        QStringList walked;
        QWidget *widget = &form.editor();
        do {
            if ((widget->focusPolicy() & Qt::TabFocus) != 0 && !widget->objectName().isEmpty())
                walked << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != &form.editor());
        const QString order = u"Text1 cmdBOLD_0 cmdBOLD_1 cmdBOLD_2 cmdBOLD_3 cmdBOLD_4 cmdBOLD_5 cmdPROM_0 "
                              u"cmdPROM_1 cmdPROM_2 cmdBOLD_6 cmdBOLD_7 cmdBOLD_8 Combo1 Combo3 Command1 "
                              u"Command2_0 Command2_1 Command2_2 Command2_3 Command2_4 Command2_5 Command4 "
                              u"Command5 Command6 Command7 Command8 Command12 Command13 Command3 Command9"_s;
        QCOMPARE(walked, order.split(u' '));

        // Each menu's entries in order, with their shortcuts; separators are not commands.
        QStringList tree;
        for (QAction *top : form.menuBar()->actions()) {
            tree << top->text();
            for (QAction *action : top->menu() ? top->menu()->actions() : QList<QAction *>())
                tree << u"  "_s + action->objectName() + u' '
                        + (action->isSeparator() ? u"-"_s : action->shortcut().toString());
        }
        QCOMPARE(tree,
                 QStringList({u"&ملف"_s, "  SAVE Ctrl+S", "  SAVEAS F2", "  OPEN Ctrl+O",
                              "  DRAFTS Ctrl+Shift+T", "  NEWPOST Ctrl+N", "  sdsdsdsd -", "  EXIT ",
                              u"أدوات"_s, "  DEFAULTFONT ", "  ghghghgh -", "  find F3", "  LIVEPREVIEW F5",
                              "  SPELLCHECK ", "  AUTODIRECTION ", u"عــن..."_s}));
        QCOMPARE(form.menuAction(u"DRAFTS"_s)->text(), u"المسودات..."_s);
        QCOMPARE(form.menuAction(u"NEWPOST"_s)->text(), u"مشاركة جديدة   "_s);
        QCOMPARE(form.menuAction(u"DEFAULTFONT"_s)->text(), u"إع&دادات الخط الإفتراضي..."_s);

        // The about window, gathered before it closes so that a failed check never leaves it waiting.
        QStringList seen;
        QCOMPARE(test::inModal(
                     [&] { form.menuAction(u"ABOUT"_s)->trigger(); },
                     [&](QDialog &about) {
                         auto *close = about.findChild<QPushButton *>(u"Command1"_s);
                         seen << about.windowTitle() << about.findChild<QLabel *>(u"Label1"_s)->text()
                              << u"%1x%2"_s.arg(about.width()).arg(about.height())
                              << (about.minimumSize() == about.maximumSize() ? u"fixed"_s : u"sizable"_s)
                              << (close->isDefault() && about.focusWidget() == close ? u"close"_s : u"-"_s);
                         QTest::keyClick(close, Qt::Key_Return);
                         seen << (about.isHidden() ? u"closed by Enter"_s : u"open"_s);
                     }),
                 1);
        QCOMPARE(seen,
                 QStringList({u"عن البرنامج"_s,
                              u"يساعدك هذا البرنامج على كتابة و تنسيق مشاركاتك داخل المنتديات\n"_s
                                  + QString(27, u' ') + u"البرنامج من فكرة و تصميم:"_s,
                              "316x213", "fixed", "close", "closed by Enter"}));
        QVERIFY(!form.findChild<Form3 *>());

        // Never smaller than the design size; a wide one shows the banner and moves the right group.
        form.resize(100, 100);
        QTest::qWait(10);
        QVERIFY(form.centralWidget()->width() * 15 + 120 >= 10335
                && form.centralWidget()->height() * 15 + 735 >= 5000);
        form.resize(twipsToPixels(12000 - 120), form.height());
        QTest::qWait(10);
        QVERIFY(form.control<QLabel>(u"Label1"_s)->isVisible());
        QCOMPARE(form.control<QLabel>(u"Label1"_s)->text().count(u'\n'), 4);
        QCOMPARE(form.control<QWidget>(u"cmdBOLD_0"_s)->x(), twipsToPixels(12000 - 735));
        QCOMPARE(form.control<QWidget>(u"Command3"_s)->x(), twipsToPixels(3960));

        // Menu items and buttons reach their commands.
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path())); // no settings file here
        platform.folder = dir.path();
        form.editor().setText(u"a post"_s);
        form.control<QPushButton>(u"Command9"_s)->click();
        QCOMPARE(platform.browserOpens, QStringList{dir.filePath(u"perview.html"_s)});
        platform.saveAnswers << dir.filePath(u"post.txt"_s);
        form.menuAction(u"SAVE"_s)->trigger();
        QCOMPARE(form.windowTitle(), u"Zarvelo  "_s + dir.filePath(u"post.txt"_s));
        form.menuAction(u"NEWPOST"_s)->trigger();
        QCOMPARE(form.windowTitle(), u"Zarvelo"_s);
        QCOMPARE(form.editor().selText(), u"بسم الله الرحمن الرحيم"_s); // the template, selected
        form.menuAction(u"OPEN"_s)->trigger();
        form.menuAction(u"SAVEAS"_s)->trigger();
        QCOMPARE(platform.fileDialogs.size(), 3);
        QVERIFY(!platform.fileDialogs[1].save && platform.fileDialogs[2].save);
        form.menuAction(u"DEFAULTFONT"_s)->trigger(); // the missing-file message, no window
        QCOMPARE(platform.messages.size(), 1);
        form.menuAction(u"EXIT"_s)->trigger();
        QCOMPARE(platform.endedWith, QList<int>{0});
    }

    void bannerAtSampleWidths()
    {
        const QString text = u"\r\nبرنامج\r\nZarvelo\r\nالإصدار\r\nالأول"_s;
        using Row = std::tuple<double, double, bool>; // window width, banner width (0: hidden), with text
        const Row rows[] = {{10335, 0, 0}, {10590, 0, 0}, {10591, 201, 0}, {11311, 921, 1}, {12000, 1610, 1}};
        for (const auto &[width, bannerWidth, withText] : rows) {
            const Form1Layout layout = layoutForm1(width, 5000);
            QVERIFY2(layout.bannerVisible == (bannerWidth > 0) && layout.bannerWidth == bannerWidth
                         && layout.bannerText == (withText ? text : QString()),
                     qPrintable(u"%1 twips wide"_s.arg(width)));
        }
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
