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

    explicit Fixture(const QString &post) { form.editor().setText(post), form.show(), openFind(); }
    void openFind() { form.menu().find->trigger(); }
    Form2 *find() { return form.findChild<FindWindowOpener *>()->window(); }
    QLineEdit *box() { return find()->findChild<QLineEdit *>(u"Text1"_s); }
    void click(const char *button) { find()->findChild<QPushButton *>(QLatin1String(button))->click(); }
    /** Searches by the button or by Return: "start+length/next start" of the post, or the message. */
    QString search(const QString &text, bool byReturn)
    {
        auto &said = platform.messages = {};
        box()->setText(text);
        byReturn ? QTest::keyClick(box(), Qt::Key_Return) : click("Command1");
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
    void presses()
    {
        // "again": the box's text; "=text": a new post; "close …": closed and opened; "return ": by Return.
        const QString xabyab = u"xabyab"_s, needle = u"يبحث"_s;
        const QString done = u"Zarvelo|تم البحث|%1"_s.arg(int(MessageIcon::Information));
        // clang-format off
        const struct { const char *name; QString post; QStringList presses, expected; } rows[] = {
            {"ab in xabyab", xabyab, {"ab", "ab", "ab", "ab"}, {"1+2/4", "4+2/7", done, done}},
            {"changed text goes on from the old start, case matters", xabyab, {"ab", "x", "Ab", "b"}, {"1+2/4", done, done, "5+1/7"}},
            {"empty text does nothing", xabyab, {"ab", ""}, {"1+2/4", "1+2/4"}},
            {"each press reads the post, even shorter than the start", xabyab, {"ab", "=abxab", "ab", "=a", "ab"}, {"1+2/4", "3+2/6", done}},
            {"close button keeps text and place", xabyab, {"ab", "close button", "again"}, {"1+2/4", "4+2/7"}},
            {"return searches, escape hides", xabyab, {"return ab", "close escape", "return again"}, {"1+2/4", "4+2/7"}},
            {"close box unloads", xabyab, {"ab", "ab", "close box", "again", "ab"}, {"1+2/4", "4+2/7", "4+2/1", "1+2/4"}},
            {"arabic past CR LF and 32767", QString(32763, u'-') + u"\r\n"_s + needle + QString(12231, u'-') + needle,
             {needle, needle, needle}, {"32765+4/32770", "45000+4/45005", done}},
        };
        // clang-format on
        for (const auto &row : rows) {
            Fixture f(row.post);
            QStringList got;
            for (const QString &press : row.presses) {
                const QString text = QString(press).remove(u"return "_s);
                if (press.startsWith(u'=')) {
                    f.form.editor().setText(press.mid(1));
                } else if (press.startsWith(u"close")) {
                    press == u"close box"          ? void(f.find()->close())
                        : press == u"close escape" ? QTest::keyClick(f.box(), Qt::Key_Escape)
                                                   : f.click("Command2");
                    QVERIFY2(!f.find() || f.find()->isHidden(), row.name);
                    f.openFind();
                } else {
                    got << f.search(text == u"again" ? f.box()->text() : text, text != press);
                }
            }
            QCOMPARE(row.name + (u": "_s + got.join(u", ")), row.name + (u": "_s + row.expected.join(u", ")));
            QTRY_COMPARE(f.form.findChildren<Form2 *>().size(), 1); // a window closed by its box is deleted
        }
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
