#include "featuretest.h"
#include "search/replacewindow.h"
#include "shell/spellingswitch.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSettings>

namespace {

struct Fixture
{
    test::ScriptedPlatform platform;
    Form1 form{platform};
    ReplaceWindow *window = nullptr;

    explicit Fixture(const QString &post)
    {
        form.editor().setText(post);
        form.show();
    }
    ReplaceWindow *open()
    {
        form.menu().REPLACE->trigger();
        return window = form.findChild<ReplaceWindowOpener *>()->window();
    }
    template <typename T>
    T *part(const char *name)
    {
        return (window ? window : open())->findChild<T *>(QLatin1String(name));
    }
    /** Runs one action; says where the selection is then, with any message shown. */
    QString act(const QString &action)
    {
        PostEditor &e = form.editor();
        platform.messages.clear();
        const QStringList words = action.split(u' ');
        if (words[0] == u"select")
            e.select(words[1].section(u'+', 0, 0).toInt(), words[1].section(u'+', 1).toInt());
        else if (words[0] == u"return")
            QTest::keyClick(part<QLineEdit>("txtFIND"), Qt::Key_Return);
        else if (words[0] == u"undo")
            QTest::keyClick(&e, Qt::Key_Z, Qt::ControlModifier);
        else if (words[0] == u"post")
            return e.text();
        else
            part<QPushButton>(words[0].toLatin1().constData())->click();
        QString said = u"%1+%2"_s.arg(e.selStart()).arg(e.selLength());
        for (const auto &message : std::as_const(platform.messages))
            said += u' ' + message.title + u' ' + message.text;
        return said;
    }
};

} // namespace

class TestReplace : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings(preferencesPath(), QSettings::IniFormat).remove(u"search"_s); }

    void steps_data()
    {
        QTest::addColumn<QString>("post");
        QTest::addColumn<QStringList>("fields"); // search text, replacement, options switched
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("expected");
        const QString mixed = u"👍 الإسْلامُ\r\nالإســلام\nإسلام [B]الاسلام[/B]\r"_s;
        const QString lines = u"سلام\r\nسلام\r\nسلام"_s;
        // clang-format off
        QTest::newRow("next and previous go round") << u"سلامٌ عليكم\r\nالسلام والسَّلام"_s << QStringList{u"سلام"_s, u""_s}
            << QStringList{"select 0+0", "cmdNEXT", "cmdNEXT", "cmdNEXT", "cmdNEXT", "cmdPREVIOUS", "cmdPREVIOUS", "return"}
            << QStringList{"0+0", "0+5", "15+4", "23+6", u"0+5 Zarvelo بلغ البحث نهاية المشاركة فعاد إلى أولها"_s, u"23+6 Zarvelo بلغ البحث أول المشاركة فعاد إلى آخرها"_s, "15+4", "23+6"};
        QTest::newRow("replace one, then the next") << u"قط قطة قط"_s << QStringList{u"قط"_s, u"هر"_s, u"chkWORD"_s}
            << QStringList{"select 0+0", "cmdREPLACE", "cmdREPLACE", "cmdREPLACE", "post", "undo", "post"}
            << QStringList{"0+0", "0+2", "7+2", u"9+0 Zarvelo لا يوجد في المشاركة ما يطابق نص البحث"_s, u"هر قطة هر"_s, "7+2", u"هر قطة قط"_s};
        QTest::newRow("replace all, one undo") << mixed << QStringList{u"الإسلام"_s, u""_s}
            << QStringList{"select 0+0", "cmdREPLACEALL", "post", "undo", "post"}
            << QStringList{"0+0", u"15+0 Zarvelo تم استبدال 3"_s, u"👍 \r\n\nإسلام [B][/B]\r"_s, "0+0", mixed};
        QTest::newRow("replace all in the lines selected") << lines << QStringList{u"سلام"_s, u"هلا"_s}
            << QStringList{"select 2+10", "cmdREPLACEALL", "post", "undo"}
            << QStringList{"2+10", u"2+9 Zarvelo تم استبدال 1"_s, u"سلام\r\nهلا\r\nسلام"_s, "2+10"};
        QTest::newRow("a word selected is no place to replace in") << lines << QStringList{u"سلام"_s, u"هلا"_s}
            << QStringList{"select 0+4", "cmdREPLACEALL", "post"}
            << QStringList{"0+4", u"13+0 Zarvelo تم استبدال 3"_s, u"هلا\r\nهلا\r\nهلا"_s};
        // clang-format on
    }

    void steps()
    {
        QFETCH(QString, post);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, expected);
        Fixture f(post);
        f.part<QLineEdit>("txtFIND")->setText(fields[0]);
        f.part<QLineEdit>("txtREPLACE")->setText(fields[1]);
        for (const QString &option : fields.mid(2))
            f.part<QCheckBox>(option.toLatin1().constData())->toggle();
        QStringList seen;
        for (const QString &action : std::as_const(actions))
            seen << f.act(action);
        QCOMPARE(seen, expected);
    }

    void opening()
    {
        Fixture f(u"سطر أول\r\nالإسلام هنا"_s);
        QCOMPARE(f.form.menu().REPLACE->shortcuts(), QKeySequence::listFromString(u"Ctrl+H; Ctrl+F"_s));
        f.form.editor().select(0, 9);
        QLineEdit *find = f.part<QLineEdit>("txtFIND");
        QCOMPARE(find->text(), u""_s);
        f.form.editor().select(9, 7);
        ReplaceWindow *window = f.open();
        QCOMPARE(find->text(), u"الإسلام"_s);
        QCOMPARE(find->selectedText(), u"الإسلام"_s);
        QCOMPARE(window->focusWidget(), find);
        QCOMPARE(find->nextInFocusChain(), f.part<QLineEdit>("txtREPLACE"));
        QCOMPARE(QAccessible::queryAccessibleInterface(find)->text(QAccessible::Name), u"ابحث عن:"_s);
        f.part<QLineEdit>("txtREPLACE")->setText(u"هلا\r\nسطر"_s);
        QCOMPARE(f.part<QLineEdit>("txtREPLACE")->text(), u"هلا"_s);
        QCOMPARE(window->windowTitle(), u"بحث واستبدال"_s);

        QImage shot = f.form.grab().toImage();
        QPainter(&shot).drawPixmap(shot.rect().center() - window->rect().center(), window->grab());
        const QString folder = qEnvironmentVariable("ZARVELO_BINARY_DIR") + u"/screenshots"_s;
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(shot.save(folder + u"/frmreplace.png"_s));
    }

    void matchesDrawnWhileOpen()
    {
        Fixture f(u"قال [B]الإسْلامُ[/B] هنا"_s);
        f.part<QLineEdit>("txtFIND")->setText(u"الاسلام"_s);
        const auto drawn = [&f] {
            QStringList ranges;
            for (const QTextLayout::FormatRange &range :
                 f.form.editor().document()->firstBlock().layout()->formats())
                if (range.format.background() == MatchLayer::matchFormat().background())
                    ranges << u"%1+%2"_s.arg(range.start).arg(range.length);
            return ranges.join(u' ');
        };
        QTRY_COMPARE(drawn(), u"9+9"_s);
        QTest::keyClick(f.part<QLineEdit>("txtFIND"), Qt::Key_Escape);
        QCOMPARE(f.window->isVisible(), false);
        QCOMPARE(drawn(), u""_s);
    }

    void optionsKept()
    {
        Fixture(u""_s).part<QCheckBox>("chkTEH")->setChecked(true);
        QCOMPARE(Fixture(u""_s).part<QCheckBox>("chkTEH")->isChecked(), true);
    }
};

QTEST_MAIN(TestReplace)
#include "tst_replace.moc"
