#include "defaultfont/defaultfont.h"
#include "defaultfont/defaultfontrecord.h"
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/frmdefaultfont.h"
#include "defaultfont/settingsfile.h"
#include "editing/editingcommands.h"
#include "modalwindow.h"
#include "platform/textfile.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/posteditor.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

const QString kMarker = u"لا تغيير"_s;
const QString kFile = u"setting.vbe"_s;
const QString kExample = u"0|Tahoma|توسيط|4|نعم| 16711680"_s;
const QString kFiveLines = u"\"1\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n"_s;

/** A record written "0|Tahoma|توسيط|4|نعم|~", where "~" stands for the no-change marker. */
DefaultFontSettings rec(const QString &fields)
{
    const QStringList f = QString(fields).replace('~', kMarker).split('|');
    return {f[0], f[1], f[2], f[3], f[4], f[5]};
}

void writeText(const QString &text)
{
    QVERIFY(writeWindows1256File(kFile, text).ok);
}

/** The panel's font, bold, alignment, size, swatch (colour or text; width), on/off; "~": the marker. */
QString panelOf(const Form1 &form)
{
    QStringList shown;
    for (const char *name : {"Label10", "Label4", "Label5", "Label9"})
        shown << form.findChild<QLabel *>(name)->text();
    const auto *swatch = form.findChild<QLabel *>("Label7");
    shown << (swatch->text().isEmpty() ? swatch->palette().color(QPalette::Window).name() : swatch->text())
          << QString::number(swatch->width())
          << (form.findChild<QWidget *>("Frame2")->isEnabled() ? "on" : "off");
    return shown.join(u'|').replace(kMarker, u"~"_s);
}

/** "Combo2=يمين" picks ("~": the marker), "Check1=1" ticks, "Command1=255" clicks with the colour dialog
    answering 255 (-1: cancelled), "Command3" clicks. */
void act(QWidget &window, test::ScriptedPlatform &platform, const QString &steps)
{
    for (const QString &step : steps.split(';', Qt::SkipEmptyParts)) {
        const QString name = step.section('=', 0, 0), value = step.section('=', 1).replace('~', kMarker);
        if (auto *combo = window.findChild<QComboBox *>(name))
            combo->setCurrentText(value);
        if (auto *check = window.findChild<QCheckBox *>(name))
            check->setChecked(value == "1");
        if (name == "Command1")
            platform.colorAnswers.enqueue(value.toInt() < 0 ? std::nullopt
                                                            : std::make_optional(value.toUInt()));
        if (auto *button = window.findChild<QPushButton *>(name))
            button->click();
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
        QApplication::setStyle(u"Fusion"_s);
        QVERIFY(QDir::setCurrent(m_dir.path())); // where the settings file is looked for
    }

    void failedReadAtStartRunsNothingAfterIt()
    {
        for (const QString &file : {QString(), kFiveLines}) { // none, or cut short
            file.isNull() ? void(QFile::remove(kFile)) : writeText(file);
            test::ScriptedPlatform platform;
            Form1 form(platform);
            const QString designPanel = panelOf(form);
            QCOMPARE(designPanel, u"Times New Rom..|نعم|توسيط|4|#000040|25|on"_s);
            QVERIFY(!form.formLoad());
            QCOMPARE(platform.endedWith, QList<int>{1});
            QCOMPARE(platform.messages.size(), 1);
            QCOMPARE(platform.messages[0].text,
                     u"هناك عطل في البرنامج\r\n\r\nتأكد من وجود الملف:\r\n\r\nsetting.vbe"_s);
            QVERIFY(platform.messages[0].title == "Zarvelo"
                    && platform.messages[0].icon == MessageIcon::None);
            // Neither the panel nor the template ran: design captions, design text, nothing selected.
            QCOMPARE(panelOf(form), designPanel);
            QCOMPARE(form.editor().text(), u"بسم الله الرحمن الرحيم"_s);
            QCOMPARE(form.editor().selLength(), 0);
        }
    }

    void startUpAndPanel_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("panel");
        QTest::newRow("example") << kExample << u"Tahoma|نعم|توسيط|4|#0000ff|25|on"_s;
        QTest::newRow("15 characters whole")
            << u"0|Times New Roman|x|7|نعم|~"_s << u"Times New Roman|نعم|x|7|~|41|on"_s;
        QTest::newRow("cut, off") << u"1|Microsoft Sans Serif|يسار|1|~| 255"_s
                                  << u"Microsoft Sans ..|~|يسار|1|#ff0000|25|off"_s;
    }
    void startUpAndPanel()
    {
        QFETCH(QString, settings);
        QFETCH(QString, panel);
        writeText(settingsFileText(rec(settings)));
        test::ScriptedPlatform platform;
        Form1 form(platform);
        QVERIFY(form.formLoad());
        QVERIFY(platform.endedWith.isEmpty() && platform.messages.isEmpty());
        QVERIFY(form.findChild<DefaultFontRecord *>()->settings() == rec(settings));
        QCOMPARE(panelOf(form), panel);
        const DefaultFontTemplate post = buildDefaultFontTemplate(rec(settings));
        QCOMPARE(form.editor().text(), post.text);
        QCOMPARE(form.findChild<EditingCommands *>()->colorHex(), post.colorHex.value_or(QString()));
        // The editor has the focus, so the first keystrokes replace the placeholder.
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClicks(QApplication::focusWidget(), "abc");
        QCOMPARE(form.editor().text(), QString(post.text).replace(post.selStart, 22, "abc"));
        // Applied again, the template replaces the whole post as one undo step.
        form.editor().setText("a post");
        APPLYDEFAULTFONT(rec(settings), form.editor(), {});
        QCOMPARE(form.editor().text(), post.text);
        form.editor().undoWithSelection();
        QCOMPARE(form.editor().text(), "a post");
        // Any part of an enabled panel opens the window once, a greyed-out one never; the menu item always.
        for (const char *part : {"Frame2", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7",
                                 "Label8", "Label9", "Label10", ""}) {
            auto *target = *part ? form.findChild<QWidget *>(part) : nullptr;
            auto *label = qobject_cast<QLabel *>(target);
            QVERIFY2(!label || label->sizeHint().width() <= label->width(), part); // read whole
            QCOMPARE(test::inModal([&] {
                         *part ? QTest::mouseClick(target, Qt::LeftButton)
                               : form.menuAction("DEFAULTFONT")->trigger();
                     }),
                     panel.endsWith(u"on"_s) || !*part ? 1 : 0);
        }
        // OK refreshes the panel and leaves the post alone.
        test::inModal([&] { form.menuAction("DEFAULTFONT")->trigger(); },
                      [&](QDialog &w) { act(w, platform, "Combo1=Verdana;Check1=1;Command2"); });
        QCOMPARE(panelOf(form), u"Verdana|"_s + panel.section(u'|', 1, 5) + u"|off"_s);
        QCOMPARE(form.editor().text(), "a post");
    }

    void settingsWindow_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("steps"); // for act()
        QTest::addColumn<QString>("expected");
        const QString red = u"0|Tahoma|توسيط|4|نعم| 255"_s, none = u"0|Tahoma|توسيط|4|نعم|~"_s;
        const QString off = u"1|Arial|يسار|7|~|~"_s, markers = u"0|~|~|~|~|~"_s;
        QTest::newRow("unchanged") << kExample << u"Command2"_s << kExample;
        QTest::newRow("off") << off << u"Command2"_s << off;
        QTest::newRow("hand-edited 2, stored 0") << u"2|~|~|~|~|~"_s << u"Command2"_s << markers;
        QTest::newRow("no item matches, kept")
            << u"0|Comic|x|9|yes| 9"_s << u"Command2"_s << u"0|Comic|x|9|نعم| 9"_s;
        QTest::newRow("saved colour, cancel at first click, no change")
            << red << u"Command1=-1;Combo1=~;Combo2=~;Combo3=~;Check2=0;Command2"_s << markers;
        QTest::newRow("new choices, off")
            << markers
            << u"Command1=255;Combo1=Microsoft Sans Serif;Combo2=يمين;Combo3=7;Check2=1;Check1=1;Command2"_s
            << u"1|Microsoft Sans Serif|يمين|7|نعم| 255"_s;
        QTest::newRow("switched back on") << off << u"Check1=0;Command2"_s << u"0|Arial|يسار|7|~|~"_s;
        QTest::newRow("saved colour, black") << kExample << u"Command1=0;Command2"_s << none;
        QTest::newRow("red, then cancel keeps red") << none << u"Command1=255;Command1=-1;Command2"_s << red;
        QTest::newRow("red, then black") << none << u"Command1=255;Command1=0;Command2"_s << none;
        QTest::newRow("cancel") << kExample << u"Combo1=Verdana;Command1=255;Check1=1;Command3"_s << kExample;
        QTest::newRow("close box") << kExample << u"Combo1=Verdana;Command1=255;Check1=1"_s << kExample;
    }
    void settingsWindow()
    {
        QFETCH(QString, start);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        writeText(settingsFileText(rec(start)));
        test::ScriptedPlatform platform;
        DefaultFontRecord record(platform);
        QSignalSpy saved(&record, &DefaultFontRecord::saved);
        frmdefaultfont window(record, platform, nullptr);
        QVERIFY(window.formLoad());
        window.show();
        act(window, platform, steps);
        if (window.isVisible())
            window.close(); // the close box
        QVERIFY(window.isHidden());
        // The off switch greys the nine inputs, and only it.
        const bool off = window.findChild<QCheckBox *>("Check1")->isChecked();
        for (const char *name :
             {"Combo1", "Combo2", "Combo3", "Label1", "Label2", "Label3", "Label4", "Check2", "Command1"})
            QVERIFY2(window.findChild<QWidget *>(name)->isEnabled() != off, name);
        // The window's colour dialog is its own, starting at black.
        QCOMPARE(platform.colorDialogStarts.size(), steps.count("Command1"));
        QCOMPARE(platform.colorDialogStarts.value(0), 0u);
        QCOMPARE(readWindows1256File(kFile).text, settingsFileText(rec(expected)));
        QVERIFY(record.settings() == rec(expected));
        QCOMPARE(saved.size(), steps.endsWith("Command2") ? 1 : 0);
        QVERIFY(platform.messages.isEmpty());
    }

    void settingsWindowFailures()
    {
        writeText(settingsFileText(rec(kExample)));
        test::ScriptedPlatform platform;
        DefaultFontRecord record(platform);
        QVERIFY(record.LOADDEFAULTFONT());
        // The file cut or gone since start: the message, and the window stays shut.
        for (const QString &file : {kFiveLines, QString()}) {
            file.isNull() ? void(QFile::remove(kFile)) : writeText(file);
            frmdefaultfont window(record, platform, nullptr);
            QVERIFY(!window.formLoad());
            QCOMPARE(platform.messages.takeLast().text, settingsMissingMessage());
        }
        // A write that fails keeps the window open with the choices; file and record stay.
        writeText(settingsFileText(rec(kExample)));
        platform.failWritesTo = kFile;
        frmdefaultfont window(record, platform, nullptr);
        QVERIFY(window.formLoad());
        window.show();
        act(window, platform, "Combo1=Verdana;Command2");
        QVERIFY(window.isVisible());
        QCOMPARE(window.chosenSettings().FontName, "Verdana");
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].text,
                 "تعذر حفظ الإعدادات في الملف:\r\n\u2066"
                     + QDir::toNativeSeparators(QDir::current().absoluteFilePath(kFile))
                     + "\u2069\r\n\r\n\u2068Permission denied\u2069");
        QCOMPARE(readWindows1256File(kFile).text, settingsFileText(rec(kExample)));
        QVERIFY(record.settings() == rec(kExample) && platform.endedWith.isEmpty());
    }
};

QTEST_MAIN(TestDefaultFont)
#include "tst_defaultfont.moc"
