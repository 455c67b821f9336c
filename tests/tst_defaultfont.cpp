#include "defaultfont/defaultfont.h"
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/frmdefaultfont.h"
#include "defaultfont/settingsfile.h"
#include "editing/editingcommands.h"
#include "platform/commondialog.h"
#include "platform/textfile.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/posteditor.h"

#include <QTest>
#include <QtWidgets>

using namespace zarvelo;

namespace {

const QString kMarker = QStringLiteral("لا تغيير");
const QString kFile = QStringLiteral("setting.vbe");
const QString kExample = QStringLiteral("0|Tahoma|توسيط|4|نعم| 16711680");
const QString kFiveLines = QStringLiteral("\"1\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n");

/** A record written "0|Tahoma|توسيط|4|نعم|~", where "~" stands for the no-change marker. */
DefaultFontSettings rec(const QString &fields)
{
    const QStringList f = QString(fields).replace('~', kMarker).split('|');
    return {f[0], f[1], f[2], f[3], f[4], f[5]};
}

void writeText(const QString &text, const QString &name = kFile)
{
    QVERIFY(writeWindows1256File(name, text).ok);
}

/** The panel's font name, bold, alignment, size, swatch (colour or text, and width), clickability. */
QString panelOf(const Form1 &form)
{
    QStringList shown;
    for (const char *name : {"Label10", "Label4", "Label5", "Label9"})
        shown << form.findChild<QLabel *>(name)->text();
    const auto *swatch = form.findChild<QLabel *>("Label7");
    const QString face =
        swatch->text().isEmpty() ? swatch->palette().color(QPalette::Window).name() : swatch->text();
    shown << face + '/' + QString::number(swatch->width())
          << (form.findChild<QWidget *>("Frame2")->isEnabled() ? "on" : "off");
    return shown.join('|').replace(kMarker, "~");
}

/** Runs open(), lets look() act in the first settings window it opens, and closes every one: no test can
    hang in a modal loop. Returns how many windows opened. */
int runSettingsWindows(const std::function<void()> &open,
                       const std::function<void(frmdefaultfont &)> &look = {})
{
    int openings = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *window = qobject_cast<frmdefaultfont *>(QApplication::activeModalWidget())) {
            if (++openings == 1 && look)
                look(*window);
            window->reject();
        }
    });
    closer.start(0);
    open();
    QCoreApplication::processEvents();
    return openings;
}

/** "Combo2=يمين" picks ("~": the marker), "Check1=1" ticks, "Command1=255" clicks with the colour dialog
    answering 255 (-1: cancelled), "Command3" clicks, "Return" presses the key. */
void act(frmdefaultfont &window, test::ScriptedPlatform &platform, const QString &steps)
{
    for (const QString &step : steps.split(';')) {
        const QString name = step.section('=', 0, 0), value = step.section('=', 1).replace('~', kMarker);
        if (auto *combo = window.findChild<QComboBox *>(name))
            combo->setCurrentText(value);
        if (auto *check = window.findChild<QCheckBox *>(name))
            check->setChecked(value == "1");
        if (name == "Command1")
            platform.colorAnswers.enqueue(value.toInt() < 0 ? std::nullopt
                                                            : std::optional<quint32>(value.toUInt()));
        if (auto *button = window.findChild<QPushButton *>(name))
            button->click();
        if (name == "Return")
            QTest::keyClick(&window, Qt::Key_Return);
    }
}

} // namespace

class TestDefaultFont : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QVERIFY(QDir::setCurrent(m_dir.path())); // where the settings file is looked for
    }

    void init()
    {
        for (const QString &name : QDir::current().entryList(QDir::Files))
            QVERIFY(QFile::remove(name));
    }

    void startUpAndPanel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("settings"); // "-": no file, "5": five lines
        QTest::addColumn<QString>("colorHex"); // "-": the start fails
        QTest::addColumn<QString>("panel");
        QTest::newRow("no file") << kFile << "-"
                                 << "-"
                                 << "";
        QTest::newRow("five lines") << kFile << "5"
                                    << "-"
                                    << "";
        QTest::newRow("example") << kFile << kExample << "0000FF"
                                 << "Tahoma|نعم|توسيط|4|#0000ff/25|on";
        QTest::newRow("capitals") << "SETTING.VBE" << kExample << "0000FF"
                                  << "Tahoma|نعم|توسيط|4|#0000ff/25|on";
        QTest::newRow("15 characters whole") << kFile << "0|Times New Roman|x|7|نعم|~"
                                             << ""
                                             << "Times New Roman|نعم|x|7|~/41|on";
        QTest::newRow("cut, off") << kFile << "1|Microsoft Sans Serif|يسار|1|~| 255"
                                  << ""
                                  << "Microsoft Sans ..|~|يسار|1|#ff0000/25|off";
    }

    void startUpAndPanel()
    {
        QFETCH(QString, name);
        QFETCH(QString, settings);
        QFETCH(QString, colorHex);
        QFETCH(QString, panel);
        if (settings != "-")
            writeText(settings == "5" ? kFiveLines : settingsFileText(rec(settings)), name);
        test::ScriptedPlatform platform;
        Form1 form(platform);
        const bool starts = colorHex != "-";
        QCOMPARE(form.formLoad(), starts);
        QCOMPARE(platform.endedWith, starts ? QList<int>() : QList<int>{1});
        QCOMPARE(platform.messages.size(), starts ? 0 : 1);
        if (!starts) {
            QCOMPARE(platform.messages[0].text,
                     "هناك عطل في البرنامج\r\n\r\nتأكد من وجود الملف:\r\n\r\nsetting.vbe");
            QVERIFY(platform.messages[0].title == "Zarvelo"
                    && platform.messages[0].icon == MessageIcon::None);
            QCOMPARE(form.editor().text(), templatePlaceholder()); // nothing after the failed read ran
            return;
        }
        QVERIFY(form.defaultFont().settings() == rec(settings));
        QCOMPARE(panelOf(form), panel);
        const DefaultFontTemplate post = buildDefaultFontTemplate(form.defaultFont().settings());
        QCOMPARE(form.editor().text(), post.text);
        QCOMPARE(form.editor().selText(), templatePlaceholder());
        QCOMPARE(form.editingCommands().colorHex(), colorHex);
        // The editor has the focus, so the first keystrokes replace the placeholder.
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClicks(QApplication::focusWidget(), "abc");
        QCOMPARE(form.editor().text(), QString(post.text).replace(post.selStart, 22, "abc"));
        // Applied again, the template replaces the whole post (not wraps it) as one undo step.
        form.editor().setText("a post");
        form.defaultFont().APPLYDEFAULTFONT();
        form.editor().undo();
        QCOMPARE(form.editor().text(), "a post");
        // Every part of an enabled panel opens the window once (a label's click does not reach the frame
        // too); a greyed-out one takes no clicks; the menu item always opens it.
        for (const char *part : {"Frame2", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7",
                                 "Label8", "Label9", "Label10", ""}) {
            auto *target = *part ? form.findChild<QWidget *>(part) : nullptr;
            auto *label = qobject_cast<QLabel *>(target);
            QVERIFY2(!label || label->sizeHint().width() <= label->width(), part); // read whole
            QCOMPARE(runSettingsWindows([&] {
                         *part ? QTest::mouseClick(target, Qt::LeftButton)
                               : form.menuAction("DEFAULTFONT")->trigger();
                     }),
                     panel.endsWith("on") || !*part ? 1 : 0);
        }
    }

    void settingsWindow_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>(
            "steps"); // for act(); "!remove", "!cut", "!fail", "!close" change the world
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");
        const QString red = "0|Tahoma|توسيط|4|نعم| 255", none = "0|Tahoma|توسيط|4|نعم|~";
        QTest::newRow("unchanged") << kExample << "Return" << kExample << "";
        QTest::newRow("off") << "1|Arial|يسار|7|~|~"
                             << "Return"
                             << "1|Arial|يسار|7|~|~"
                             << "";
        QTest::newRow("hand-edited 2, stored 0") << "2|~|~|~|~|~"
                                                 << "Return"
                                                 << "0|~|~|~|~|~"
                                                 << "";
        QTest::newRow("no item matches, kept") << "0|Comic|x|9|yes| 9"
                                               << "Return"
                                               << "0|Comic|x|9|نعم| 9"
                                               << "";
        QTest::newRow("saved colour, cancel at first click, no change")
            << red << "Command1=-1;Combo1=~;Combo2=~;Combo3=~;Check2=0;Return"
            << "0|~|~|~|~|~"
            << "";
        QTest::newRow("new choices, off")
            << "0|~|~|~|~|~"
            << "Command1=255;Combo1=Microsoft Sans Serif;Combo2=يمين;Combo3=7;Check2=1;Check1=1;Return"
            << "1|Microsoft Sans Serif|يمين|7|نعم| 255"
            << "";
        QTest::newRow("switched back on") << "1|Arial|يسار|7|~|~"
                                          << "Check1=0;Return"
                                          << "0|Arial|يسار|7|~|~"
                                          << "";
        QTest::newRow("saved colour, black") << kExample << "Command1=0;Return" << none << "";
        QTest::newRow("saved colour, the same again")
            << kExample << "Command1=16711680;Return" << kExample << "";
        QTest::newRow("red, then cancel keeps red") << none << "Command1=255;Command1=-1;Return" << red << "";
        QTest::newRow("red, then black") << none << "Command1=255;Command1=0;Return" << none << "";
        // Cancel, the close box, and the mended faults leave the file, the record, the panel and the post.
        const QString choices = "Combo1=Verdana;Command1=255;Check1=1;";
        QTest::newRow("cancel") << kExample << choices + "Command3" << kExample << "";
        QTest::newRow("close box") << kExample << choices + "!close" << kExample << "";
        QTest::newRow("file removed") << kExample << "!remove" << kExample << settingsMissingMessage();
        QTest::newRow("file cut") << kExample << "!cut" << kExample << settingsMissingMessage();
        QTest::newRow("write fails, window stays") << kExample << "!fail;" + choices + "Command2" << kExample
                                                   << "تعذر حفظ الإعدادات في الملف:\r\n\u2068"
                + QDir::toNativeSeparators(QDir::current().absoluteFilePath(kFile))
                + "\u2069\r\n\r\n\u2068Permission denied\u2069";
    }

    void settingsWindow()
    {
        QFETCH(QString, start);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        writeText(settingsFileText(rec(start)));
        test::ScriptedPlatform platform;
        Form1 form(platform);
        QVERIFY(form.formLoad());
        const QString panel = panelOf(form);
        form.editor().setText("my post");
        form.commonDialog().setColor(16711680); // the window's colour dialog is its own, starting at black
        if (steps.startsWith("!remove"))
            QVERIFY(QFile::remove(kFile));
        if (steps.startsWith("!cut"))
            writeText(kFiveLines);
        platform.failWritesTo = steps.startsWith("!fail") ? kFile : QString();
        bool open = false, greyedRight = true;
        const int openings =
            runSettingsWindows([&] { form.menuAction("DEFAULTFONT")->trigger(); },
                               [&](frmdefaultfont &w) {
                                   act(w, platform, steps);
                                   if (steps.contains("!close"))
                                       w.close();
                                   open = w.isVisible();
                                   for (const char *name : {"Combo1", "Combo2", "Combo3", "Label1", "Label2",
                                                            "Label3", "Label4", "Check2", "Command1"})
                                       greyedRight &= w.findChild<QWidget *>(name)->isEnabled()
                                           != w.findChild<QCheckBox *>("Check1")->isChecked();
                               });
        QCOMPARE(openings, message == settingsMissingMessage() ? 0 : 1);
        QCOMPARE(open, steps.startsWith("!fail"));
        QVERIFY(greyedRight); // the off switch greys the nine inputs, and only it
        QCOMPARE(platform.colorDialogStarts.size(), steps.count("Command1"));
        QCOMPARE(platform.colorDialogStarts.value(0), 0u);
        const QString onDisk = steps == "!remove" ? ""
            : steps == "!cut"                     ? kFiveLines
                                                  : settingsFileText(rec(expected));
        QCOMPARE(readWindows1256File(kFile).text, onDisk);
        QVERIFY(form.defaultFont().settings() == rec(expected));
        QCOMPARE(platform.messages.size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(platform.messages.value(0).text, message);
        QVERIFY(platform.endedWith.isEmpty()
                && (message.isEmpty() || platform.messages[0].title == "Zarvelo"));
        QCOMPARE(form.editor().text(), "my post"); // the post is never touched
        Form1 fresh(platform);
        QVERIFY(expected == start || fresh.formLoad());
        QCOMPARE(panelOf(form),
                 expected == start ? panel : panelOf(fresh)); // refreshed as a fresh start shows it
    }
};

QTEST_MAIN(TestDefaultFont)
#include "tst_defaultfont.moc"
