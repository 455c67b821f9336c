#include "scriptedplatform.h"
#include "search/form2.h"
#include "shell/form1.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

struct Fixture
{
    test::ScriptedPlatform platform;
    Form1 form{platform};

    explicit Fixture(const QString &post)
    {
        form.editor().setText(post);
        form.show();
        openFind();
    }
    void openFind() { form.menu().find->trigger(); }
    Form2 *find() { return form.findChild<FindWindowOpener *>()->window(); }
    QLineEdit *box() { return find()->findChild<QLineEdit *>(u"Text1"_s); }
    void click(const char *button) { find()->findChild<QPushButton *>(QLatin1String(button))->click(); }
    /** Searches by the button or by Return: "start+length/next start" of the post, or the message. */
    QString search(const QString &text, bool byReturn)
    {
        platform.messages.clear();
        box()->setText(text);
        if (byReturn)
            QTest::keyClick(box(), Qt::Key_Return);
        else
            click("Command1");
        const auto &said = platform.messages;
        const PostEditor &e = form.editor();
        return !said.isEmpty()
            ? u"%1|%2|%3"_s.arg(said.last().title, said.last().text).arg(int(said.last().icon))
            : u"%1+%2/%3"_s.arg(e.selStart()).arg(e.selLength()).arg(find()->searchStart());
    }
};

} // namespace

class TestFind : public QObject
{
    Q_OBJECT

private slots:
    void presses_data()
    {
        // "again": the box's text; "=text": a new post; "close …": closed and opened; "return ": by Return.
        QTest::addColumn<QString>("post");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("expected");
        const QString xabyab = u"xabyab"_s;
        const QString needle = u"يبحث"_s;
        const QString done = u"Zarvelo|تم البحث|1"_s;
        // clang-format off
        QTest::newRow("changed text goes on from the old start, case matters") << xabyab << QStringList{"ab", "x", "Ab", "b"} << QStringList{"1+2/4", done, done, "5+1/7"};
        QTest::newRow("overlapping matches are found once") << u"aaa"_s << QStringList{"aa", "aa"} << QStringList{"0+2/3", done};
        QTest::newRow("empty text does nothing") << xabyab << QStringList{"ab", ""} << QStringList{"1+2/4", "1+2/4"};
        QTest::newRow("each press reads the post, even shorter than the start") << xabyab << QStringList{"ab", "=abxab", "ab", "=a", "ab"} << QStringList{"1+2/4", "3+2/6", done};
        QTest::newRow("close button keeps text and place") << xabyab << QStringList{"ab", "close button", "again"} << QStringList{"1+2/4", "4+2/7"};
        QTest::newRow("return searches, escape hides") << xabyab << QStringList{"return ab", "close escape", "return again"} << QStringList{"1+2/4", "4+2/7"};
        QTest::newRow("close box unloads") << xabyab << QStringList{"ab", "ab", "close box", "again", "ab"} << QStringList{"1+2/4", "4+2/7", "4+2/1", "1+2/4"};
        QTest::newRow("arabic past CR LF and 32767") << QString(32763, u'-') + u"\r\n"_s + needle + QString(12231, u'-') + needle
                                                     << QStringList{needle, needle, needle} << QStringList{"32765+4/32770", "45000+4/45005", done};
        // clang-format on
    }

    void presses()
    {
        QFETCH(QString, post);
        QFETCH(QStringList, presses);
        QFETCH(QStringList, expected);
        Fixture f(post);
        QStringList got;
        for (const QString &press : presses) {
            const QString text = QString(press).remove(u"return "_s);
            if (press.startsWith(u'=')) {
                f.form.editor().setText(press.mid(1));
                continue;
            }
            if (!press.startsWith(u"close")) {
                got << f.search(text == u"again" ? f.box()->text() : text, text != press);
                continue;
            }
            if (press == u"close box")
                f.find()->close();
            else if (press == u"close escape")
                QTest::keyClick(f.box(), Qt::Key_Escape);
            else
                f.click("Command2");
            QVERIFY(!f.find() || f.find()->isHidden());
            f.openFind();
        }
        QCOMPARE(got, expected);
        QTRY_COMPARE(f.form.findChildren<Form2 *>().size(), 1); // a window closed by its box is deleted
    }

    void ownedModelessAndSelectsItsTextOnActivation()
    {
        Fixture f(u"xabyab"_s);
        QVERIFY(QTest::qWaitForWindowActive(f.find()));
        QVERIFY(f.find()->parentWidget() == &f.form && f.find()->isWindow() && !f.find()->isModal());
        // A match brings the main window forward; coming back, the search text is selected to be typed over.
        QCOMPARE(f.search(u"ab"_s, false), u"1+2/4"_s);
        QTRY_COMPARE(QApplication::activeWindow(), &f.form);
        QVERIFY(f.find()->isVisible() && !f.box()->hasSelectedText());
        f.find()->activateWindow();
        QTRY_COMPARE(f.box()->selectedText(), u"ab"_s);
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
