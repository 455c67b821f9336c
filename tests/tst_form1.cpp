#include "modalwindow.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "shell/form3.h"
#include "ui/posteditor.h"

#include <QTest>
#include <QtWidgets>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** The control a user knows by what it reads, or by what it says when
    pointed at; nullptr when no control of the window reads so. */
QWidget *controlReading(const Form1 &form, const QString &label)
{
    for (QWidget *widget : form.centralWidget()->findChildren<QWidget *>()) {
        const auto *button = qobject_cast<QAbstractButton *>(widget);
        const auto *frame = qobject_cast<QGroupBox *>(widget);
        const auto *text = qobject_cast<QLabel *>(widget);
        if (widget->accessibleName() == label || (button && button->text() == label)
            || (frame && frame->title() == label) || (text && text->text() == label))
            return widget;
    }
    return nullptr;
}

/** Where a menu item stands: its menu's title, its place there (separators
    count) and its shortcut; empty when no item reads so. */
QString placeOfItem(const Form1 &form, const QString &caption)
{
    const QList<QAction *> bar = form.menuBar()->actions();
    for (qsizetype top = 0; top < bar.size(); ++top) {
        if (bar[top]->text() == caption)
            return u"bar %1"_s.arg(top);
        const QList<QAction *> items = bar[top]->menu() ? bar[top]->menu()->actions() : QList<QAction *>();
        for (qsizetype i = 0; i < items.size(); ++i)
            if (items[i]->text() == caption)
                return u"%1 %2 %3"_s.arg(bar[top]->text()).arg(i).arg(items[i]->shortcut().toString());
    }
    return {};
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setLayoutDirection(Qt::RightToLeft);
        QApplication::setStyle(u"Fusion"_s);
    }

    void controlsStandWhereTheyAreDrawn_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QRect>("geometry"); // in its frame, or in the window
        QTest::addColumn<bool>("picture");   // shows a picture and no caption

        QTest::newRow("bold") << u"اسود عريض"_s << QRect(640, 41, 25, 25) << true;
        QTest::newRow("PHP code") << u"كود PHP"_s << QRect(352, 41, 25, 25) << true;
        QTest::newRow("font colour") << u"لون الخط..."_s << QRect(352, 16, 73, 21) << false;
        QTest::newRow("Andalus preset") << u"خط أندلس حجم 7"_s << QRect(264, 16, 73, 47) << true;
        QTest::newRow("default font") << u"الخط الإفتراضي"_s << QRect(8, 2, 109, 97) << false;
        QTest::newRow("flip") << u"قلب محاذاة المحرر"_s << QRect(272, 448, 145, 20) << false;
        QTest::newRow("preview") << u"مـــعايــنـه"_s << QRect(472, 448, 145, 20) << false;
    }

    void controlsStandWhereTheyAreDrawn()
    {
        QFETCH(QString, label);
        QFETCH(QRect, geometry);
        QFETCH(bool, picture);
        test::ScriptedPlatform platform;
        Form1 form(platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget *control = controlReading(form, label);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        auto *button = qobject_cast<QPushButton *>(control);
        QCOMPARE(button && !button->icon().isNull() && button->text().isEmpty(), picture);
    }

    void windowStartsAsDrawn()
    {
        test::ScriptedPlatform platform;
        Form1 form(platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const Form1Controls &c = form.controls();
        QCOMPARE(form.editor().geometry(), QRect(8, 104, 665, 341));
        QCOMPARE(c.Combo1->currentText(), u"نــــوع الـخــــــــط"_s);
        QCOMPARE(c.Combo3->currentText(), QString());
        // The font name reads left to right in a window that reads right to left.
        QCOMPARE(c.Label10->layoutDirection(), Qt::LeftToRight);
        QCOMPARE(form.centralWidget()->palette().color(QPalette::Window), QColor(0x00, 0x00, 0x40));
    }

    void tabWalksTheControlsInOrder()
    {
        test::ScriptedPlatform platform;
        Form1 form(platform);
        // Once round from the editor; the font list's own line edit has no name.
        QStringList walked;
        QWidget *widget = &form.editor();
        do {
            if ((widget->focusPolicy() & Qt::TabFocus) != 0 && !widget->objectName().isEmpty()
                && widget->isVisibleTo(&form))
                walked << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != &form.editor());
        const QString order = u"Text1 cmdBOLD_0 cmdBOLD_1 cmdBOLD_2 cmdBOLD_3 cmdBOLD_4 cmdBOLD_5 cmdPROM_0 "
                              u"cmdPROM_1 cmdPROM_2 cmdBOLD_6 cmdBOLD_7 cmdBOLD_8 Combo1 Combo3 Command1 "
                              u"Command2_0 Command2_1 Command2_2 Command2_3 Command2_4 Command2_5 Command4 "
                              u"Command5 Command6 Command7 Command8 Command12 Command13 Command3 Command9"_s;
        QCOMPARE(walked, order.split(u' '));
    }

    void menuItems_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("place"); // its menu, its place there and its shortcut

        QTest::newRow("save") << u"حفظ"_s << u"&ملف 0 Ctrl+S"_s;
        QTest::newRow("save as") << u"حفظ باسم..."_s << u"&ملف 1 F2"_s;
        QTest::newRow("open") << u"فتح..."_s << u"&ملف 2 Ctrl+O"_s;
        QTest::newRow("recent posts") << u"المشاركات الأخيرة"_s << u"&ملف 3 "_s;
        QTest::newRow("drafts") << u"المسودات..."_s << u"&ملف 4 Ctrl+Shift+T"_s;
        QTest::newRow("new post") << u"مشاركة جديدة   "_s << u"&ملف 5 Ctrl+N"_s;
        QTest::newRow("exit, past a separator") << u"خروج"_s << u"&ملف 7 Ctrl+Q"_s;
        QTest::newRow("default font") << u"إع&دادات الخط الإفتراضي..."_s << u"أدوات 0 "_s;
        QTest::newRow("find, past a separator") << u"بحث..."_s << u"أدوات 2 F3"_s;
        QTest::newRow("find and replace") << u"بحث واستبدال..."_s << u"أدوات 3 Ctrl+H"_s;
        QTest::newRow("live preview") << u"معاينة مباشرة"_s << u"أدوات 4 F5"_s;
        QTest::newRow("spelling") << u"التدقيق الإملائي"_s << u"أدوات 5 "_s;
        QTest::newRow("paragraph direction") << u"اتجاه الفقرة من نصها"_s << u"أدوات 6 "_s;
        QTest::newRow("paste with formatting") << u"لصق مع التنسيق"_s << u"أدوات 7 Ctrl+Shift+V"_s;
        QTest::newRow("copy formatted") << u"نسخ المشاركة منسقة"_s << u"أدوات 8 Ctrl+Shift+C"_s;
        QTest::newRow("post check") << u"فحص المشاركة"_s << u"أدوات 9 F7"_s;
        QTest::newRow("about, on the bar") << u"عــن..."_s << u"bar 2"_s;
    }

    void menuItems()
    {
        QFETCH(QString, caption);
        QFETCH(QString, place);
        test::ScriptedPlatform platform;
        const Form1 form(platform);
        QCOMPARE(placeOfItem(form, caption), place);
    }

    void buttonsRunTheirCommands_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("result"); // of the button on "abc", selected

        QTest::newRow("PHP") << u"كود PHP"_s << u"[PHP]abc[/PHP]"_s;
        QTest::newRow("link") << u"إضافة لينك"_s << u"[URL=A]abc[/URL]"_s;
        QTest::newRow("quote") << u"إقتباس"_s << u"[QUOTE=A]abc[/QUOTE]"_s;
        QTest::newRow("sans serif") << u"خط سيرف حجم 3"_s
                                    << u"[FONT='MS Sans Serif'][SIZE=4][B]abc[/B][/SIZE][/FONT]"_s;
        QTest::newRow("Koufi") << u"خط كوفي حجم 6"_s
                               << u"[FONT='Monotype Koufi'][SIZE=6][B]abc[/B][/SIZE][/FONT]"_s;
        QTest::newRow("thanks") << u"شكر"_s << u"abc ألف شكر لك أخي الكريم"_s;
    }

    void buttonsRunTheirCommands()
    {
        QFETCH(QString, label);
        QFETCH(QString, result);
        test::ScriptedPlatform platform;
        platform.inputAnswers << u"A"_s;
        Form1 form(platform);
        form.editor().setText(u"abc"_s);
        form.editor().select(0, 3);
        auto *button = qobject_cast<QPushButton *>(controlReading(form, label));
        QVERIFY(button);
        button->click();
        QCOMPARE(form.editor().text(), result);
    }

    void menuItemsAndButtonsRunTheirCommands()
    {
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path())); // no settings file here
        test::ScriptedPlatform platform;
        platform.folder = dir.path();
        Form1 form(platform);
        form.editor().setText(u"a post"_s);
        form.controls().Command9->click();
        QCOMPARE(platform.browserOpens, QStringList{dir.filePath(u"perview.html"_s)});
        platform.saveAnswers << dir.filePath(u"post.txt"_s);
        form.menu().SAVE->trigger();
        QCOMPARE(form.windowTitle(), u"Zarvelo  "_s + dir.filePath(u"post.txt"_s));
        form.menu().NEWPOST->trigger();
        QCOMPARE(form.windowTitle(), u"Zarvelo"_s);
        QCOMPARE(form.editor().selText(), u"بسم الله الرحمن الرحيم"_s); // the template, selected
        form.menu().SAVEAS->trigger();
        QCOMPARE(platform.fileDialogs.size(), 2);
        QVERIFY(platform.fileDialogs[1].save);
    }

    void aboutWindow()
    {
        test::ScriptedPlatform platform;
        Form1 form(platform);
        // Gathered before it closes, so that a failed check never leaves it waiting.
        QStringList seen;
        const auto look = [&seen](QDialog &about) {
            auto *close = about.findChild<QPushButton *>(u"Command1"_s);
            seen << about.windowTitle();
            seen << about.findChild<QLabel *>(u"Label1"_s)->text();
            seen << u"%1x%2"_s.arg(about.width()).arg(about.height());
            seen << (about.minimumSize() == about.maximumSize() ? u"fixed"_s : u"sizable"_s);
            seen << (close->isDefault() && about.focusWidget() == close ? u"close"_s : u"-"_s);
            QTest::keyClick(close, Qt::Key_Return);
            seen << (about.isHidden() ? u"closed by Enter"_s : u"open"_s);
        };
        QCOMPARE(test::inModal([&] { form.menu().ABOUT->trigger(); }, look), 1);
        const QString description = u"يساعدك هذا البرنامج على كتابة و تنسيق مشاركاتك داخل المنتديات\n"_s
            + QString(27, u' ') + u"البرنامج من فكرة و تصميم:"_s;
        QCOMPARE(
            seen,
            QStringList({u"عن البرنامج"_s, description, "316x213", "fixed", "close", "closed by Enter"}));
        QVERIFY(!form.findChild<Form3 *>());
    }

    void resizing_data()
    {
        QTest::addColumn<int>("width"); // asked for, in pixels
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<int>("bannerLines"); // -1: hidden
        QTest::addColumn<int>("boldLeft");

        QTest::newRow("never narrower than drawn") << 100 << 681 << -1 << 640;
        QTest::newRow("the widest without the banner") << 698 << 698 << -1 << 657;
        QTest::newRow("the narrowest with it, empty") << 699 << 699 << 0 << 658;
        QTest::newRow("the widest with it empty") << 746 << 746 << 0 << 705;
        QTest::newRow("the narrowest with its lines") << 747 << 747 << 4 << 706;
    }

    void resizing()
    {
        QFETCH(int, width);
        QFETCH(int, clientWidth);
        QFETCH(int, bannerLines);
        QFETCH(int, boldLeft);
        test::ScriptedPlatform platform;
        Form1 form(platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.resize(width, 100);
        QTRY_COMPARE(form.centralWidget()->width(), clientWidth);
        QCOMPARE(form.centralWidget()->height(), 285); // never lower than drawn either
        const QLabel *banner = form.controls().Label1;
        QCOMPARE(banner->isVisible() ? int(banner->text().count(u'\n')) : -1, bannerLines);
        QCOMPARE(form.controls().cmdBOLD[0]->x(), boldLeft);
        QCOMPARE(form.controls().presets[0]->x(), 264); // the left group stays
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
