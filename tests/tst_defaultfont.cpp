#include "coretest.h"
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
const QString kMissing = u"هناك عطل في البرنامج\r\n\r\nتأكد من وجود الملف:\r\n\r\nsetting.vbe"_s;

/** A record written "0|Tahoma|توسيط|4|نعم|~", where "~" stands for the no-change marker. */
DefaultFontSettings rec(const QString &fields)
{
    const QStringList f = QString(fields).replace('~', kMarker).split('|');
    return {f[0], f[1], f[2], f[3], f[4], f[5]};
}

/** Writes the settings file, or removes it for a null text. */
bool writeText(const QString &text)
{
    return text.isNull() ? QFile::remove(kFile) || !QFile::exists(kFile)
                         : writeWindows1256File(kFile, text).ok;
}

/** The panel's font, bold, alignment, size, swatch (colour or text; width), on/off; "~": the marker. */
QString panelOf(const Form1 &form)
{
    const Form1Controls &c = form.controls();
    QStringList shown;
    for (const QLabel *label : {c.Label10, c.Label4, c.Label5, c.Label9})
        shown << label->text();
    const QLabel *swatch = c.Label7;
    shown << (swatch->text().isEmpty() ? swatch->palette().color(QPalette::Window).name() : swatch->text())
          << QString::number(swatch->width()) << (c.Frame2->isEnabled() ? "on" : "off");
    return shown.join(u'|').replace(kMarker, u"~"_s);
}

/** "Combo2=يمين" picks ("~": the marker), "Check1=1" ticks, "Command1=255" clicks with the colour dialog
    answering 255 (-1: cancelled), "Command3" clicks, "close" uses the close box. */
void act(QWidget &window, test::ScriptedPlatform &platform, const QString &steps)
{
    for (const QString &step : steps.split(';', Qt::SkipEmptyParts)) {
        const QString name = step.section('=', 0, 0);
        const QString value = step.section('=', 1).replace('~', kMarker);
        if (auto *combo = window.findChild<QComboBox *>(name))
            combo->setCurrentText(value);
        if (auto *check = window.findChild<QCheckBox *>(name))
            check->setChecked(value == "1");
        if (name == "Command1")
            platform.colorAnswers.enqueue(value.toInt() < 0 ? std::nullopt
                                                            : std::make_optional(value.toUInt()));
        if (auto *button = window.findChild<QPushButton *>(name))
            button->click();
        if (name == "close")
            window.close();
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
        // No settings file (a file cut short reads as none).
        QVERIFY(writeText(QString()));
        test::ScriptedPlatform platform;
        Form1 form(platform);
        QVERIFY(!form.formLoad());
        QCOMPARE(platform.endedWith, QList<int>{1});
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].text, kMissing);
        QVERIFY(platform.messages[0].title == "Zarvelo" && platform.messages[0].icon == MessageIcon::None);
        // Neither the panel nor the template ran: design captions, design text, nothing selected.
        QCOMPARE(panelOf(form), u"Times New Rom..|نعم|توسيط|4|#000040|25|on"_s);
        QCOMPARE(form.editor().text(), u"بسم الله الرحمن الرحيم"_s);
        QCOMPARE(form.editor().selLength(), 0);
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
        QVERIFY(writeText(settingsFileText(rec(settings))));
        test::ScriptedPlatform platform;
        Form1 form(platform);
        QVERIFY(form.formLoad());
        QVERIFY(platform.endedWith.isEmpty() && platform.messages.isEmpty());
        QCOMPARE(panelOf(form), panel);
        const DefaultFontTemplate post = buildDefaultFontTemplate(rec(settings));
        QCOMPARE(form.editor().text(), post.text);
        QCOMPARE(form.findChild<EditingCommands *>()->colorHex(), post.colorHex.value_or(QString()));
        // Applied again, the template replaces the whole post as one undo step.
        form.editor().setText("a post");
        APPLYDEFAULTFONT(rec(settings), form.editor(), {});
        QCOMPARE(form.editor().text(), post.text);
        form.editor().undoWithSelection();
        QCOMPARE(form.editor().text(), "a post");
        // Any part of an enabled panel opens the window once, a greyed-out one never.
        form.show();
        QStringList wrong;
        const Form1Controls &c = form.controls();
        for (QWidget *target :
             std::initializer_list<QWidget *>{c.Frame2, c.Label2, c.Label3, c.Label4, c.Label5, c.Label6,
                                              c.Label7, c.Label8, c.Label9, c.Label10}) {
            const QString part = target->objectName();
            const auto *label = qobject_cast<QLabel *>(target);
            if (label && label->sizeHint().width() > label->width())
                wrong << part + u" cut"_s;
            const int openings = test::inModal([&] { QTest::mouseClick(target, Qt::LeftButton); });
            if (openings != (panel.endsWith(u"on"_s) ? 1 : 0))
                wrong << part + u" opened %1 times"_s.arg(openings);
        }
        QCOMPARE(wrong, QStringList());
        // The menu item opens it even so; OK refreshes the panel and leaves the post alone.
        test::inModal([&] { form.menu().DEFAULTFONT->trigger(); },
                      [&](QDialog &w) { act(w, platform, "Combo1=Verdana;Check1=1;Command2"); });
        QCOMPARE(panelOf(form), u"Verdana|"_s + panel.section(u'|', 1, 5) + u"|off"_s);
        QCOMPARE(form.editor().text(), "a post");
        // Gone since start, the file is read again: the message, and no window.
        QVERIFY(writeText(QString()));
        QCOMPARE(test::inModal([&] { form.menu().DEFAULTFONT->trigger(); }), 0);
        QCOMPARE(platform.messages.value(0).text, kMissing);
    }

    void settingsFileInUtf8_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("panel");
        const QByteArray lines = u"\"0\"\n\"Tahoma\"\n\"يسار\"\n\"4\"\n\"نعم\"\n\" 255\"\n"_s.toUtf8();
        QTest::newRow("UTF-8, LF") << lines << u"Tahoma|نعم|يسار|4|#ff0000|25|on"_s;
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + lines << u"Tahoma|نعم|يسار|4|#ff0000|25|on"_s;
    }

    void settingsFileInUtf8()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, panel);
        QVERIFY(test::writeFile(kFile, bytes));
        test::ScriptedPlatform platform;
        Form1 form(platform);
        QVERIFY(form.formLoad());
        QCOMPARE(panelOf(form), panel);
    }

    void settingsWindow_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("steps"); // for act()
        QTest::addColumn<QString>("expected");
        const QString red = u"0|Tahoma|توسيط|4|نعم| 255"_s;
        const QString none = u"0|Tahoma|توسيط|4|نعم|~"_s;
        const QString off = u"1|Arial|يسار|7|~|~"_s;
        const QString markers = u"0|~|~|~|~|~"_s;
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
        QTest::newRow("red, then cancel keeps red") << none << u"Command1=255;Command1=-1;Command2"_s << red;
        QTest::newRow("red, then black") << none << u"Command1=255;Command1=0;Command2"_s << none;
        QTest::newRow("cancel") << kExample << u"Combo1=Verdana;Command1=255;Check1=1;Command3"_s << kExample;
        QTest::newRow("close box") << kExample << u"Combo1=Verdana;Command1=255;Check1=1;close"_s << kExample;
    }
    void settingsWindow()
    {
        QFETCH(QString, start);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        QVERIFY(writeText(settingsFileText(rec(start))));
        test::ScriptedPlatform platform;
        DefaultFontRecord record(platform);
        QSignalSpy saved(&record, &DefaultFontRecord::saved);
        frmdefaultfont window(record, platform, nullptr);
        QVERIFY(window.formLoad());
        window.show();
        act(window, platform, steps);
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

    void failedSettingsWriteKeepsTheWindowOpen()
    {
        // The choices stay in the window; file and record stay as they were.
        QVERIFY(writeText(settingsFileText(rec(kExample))));
        test::ScriptedPlatform platform;
        DefaultFontRecord record(platform);
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
