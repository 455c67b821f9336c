#include "editing/posteditor.h"
#include "scriptedplatform.h"
#include "search/form2.h"
#include "shell/controlbuilder.h"
#include "shell/form1.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace zarvelo;

namespace {

/** The main window, shown, with its find window opened from the menu. */
struct Fixture
{
    test::ScriptedPlatform platform;
    Form1 form{platform};

    Fixture(const QString &post)
    {
        form.editor().setText(post);
        form.show();
        openFind();
    }
    FindWindowOpener &opener() { return *form.findChild<FindWindowOpener *>(); }
    Form2 *find() { return opener().window(); }
    void openFind() { form.menuAction(QStringLiteral("find"))->trigger(); }
    QLineEdit *searchBox() { return find()->findChild<QLineEdit *>(QStringLiteral("Text1")); }
    QPushButton *button(const char *name) { return find()->findChild<QPushButton *>(QLatin1String(name)); }
    void search(const QString &text)
    {
        searchBox()->setText(text);
        button("Command1")->click();
    }
    int doneMessages() const
    {
        int count = 0;
        for (const auto &message : platform.messages)
            count += message.text == QStringLiteral("تم البحث") && message.title == QStringLiteral("Zarvelo")
                     && message.icon == MessageIcon::Information;
        return count;
    }
};

} // namespace

class TestFind : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowDefinition();
    void stepsThroughTheMatches_data();
    void stepsThroughTheMatches();
    void closeButtonKeepsStateCloseBoxUnloads();
    void editsBetweenPresses();
    void emptySearchTextDoesNothing();
    void matchesPast32767();
    void activationSelectsTheSearchText();
    void renderToPng();
};

void TestFind::initTestCase()
{
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void TestFind::windowDefinition()
{
    Fixture f(QStringLiteral("post"));
    Form2 *find = f.find();
    QVERIFY(find);
    QVERIFY(QTest::qWaitForWindowExposed(find));
    QCOMPARE(find->parentWidget(), &f.form);
    QVERIFY(find->isWindow());
    QVERIFY(!find->isModal());
    QCOMPARE(find->windowTitle(), QStringLiteral("بحث في المشاركة"));
    QCOMPARE(find->size(), QSize(twipsToPixels(2895), twipsToPixels(1395)));
    QCOMPARE(find->minimumSize(), find->maximumSize());
    // Centred on the screen, up to the frame the window manager adds.
    const QRect screen = find->screen()->availableGeometry();
    const int frame = find->frameGeometry().width() - find->width();
    QVERIFY(qAbs(find->frameGeometry().center().x() - screen.center().x()) <= frame);
    QVERIFY(qAbs(find->frameGeometry().center().y() - screen.center().y()) <= frame);

    struct Expected
    {
        const char *name;
        QRect twips;
        QString text;
    };
    for (const Expected &e : {Expected{"Label1", {2040, 120, 735, 255}, QStringLiteral("نص البحث:")},
                              Expected{"Text1", {120, 360, 2655, 375}, QString()},
                              Expected{"Command1", {1800, 900, 700, 375}, QStringLiteral("ابـحــث")},
                              Expected{"Command2", {380, 900, 700, 375}, QStringLiteral("إغلاق")}}) {
        QWidget *widget = find->findChild<QWidget *>(QLatin1String(e.name));
        QVERIFY2(widget, e.name);
        const QRect design = twipsRect(e.twips.x(), e.twips.y(), e.twips.width(), e.twips.height());
        if (qobject_cast<QLabel *>(widget)) {
            // The label may grow to the left to show its whole caption.
            QCOMPARE(widget->geometry().right(), design.right());
            QCOMPARE(widget->geometry().top(), design.top());
            QVERIFY(widget->width() >= qMax(design.width(), widget->sizeHint().width()));
        } else {
            QCOMPARE(widget->geometry(), design);
        }
        QCOMPARE(widget->property("text").toString(), e.text);
    }

    // Colours: navy window and label with light blue text, light blue button
    // faces, an ordinary text box.
    const QColor navy(0x00, 0x00, 0x40), lightBlue(0xD5, 0xE6, 0xFA);
    QCOMPARE(find->palette().color(QPalette::Window), navy);
    const QPalette label = find->findChild<QLabel *>(QStringLiteral("Label1"))->palette();
    QCOMPARE(label.color(QPalette::Window), navy);
    QCOMPARE(label.color(QPalette::WindowText), lightBlue);
    QCOMPARE(f.button("Command1")->palette().color(QPalette::Button), lightBlue);
    QCOMPARE(f.button("Command2")->palette().color(QPalette::Button), lightBlue);
    QCOMPARE(f.searchBox()->palette().color(QPalette::Base), QApplication::palette(f.searchBox()).color(QPalette::Base));
    QCOMPARE(f.searchBox()->palette().color(QPalette::Text), QApplication::palette(f.searchBox()).color(QPalette::Text));

    // Tab order: search text, search button, close button.
    QCOMPARE(f.searchBox()->nextInFocusChain(), f.button("Command1"));
    QCOMPARE(f.button("Command1")->nextInFocusChain(), f.button("Command2"));
    QCOMPARE(find->findChild<QLabel *>(QStringLiteral("Label1"))->focusPolicy(), Qt::NoFocus);
}

// Presses of the search button, each with its search text; the result of each
// press is "selection start/search start", or "done" for the message.
void TestFind::stepsThroughTheMatches_data()
{
    QTest::addColumn<QString>("post");
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("ab in xabyab") << QStringLiteral("xabyab") << QStringList{"ab", "ab", "ab", "ab"}
                                  << QStringList{"1/4", "4/7", "done", "done"};
    QTest::newRow("Ab in xabyab") << QStringLiteral("xabyab") << QStringList{"Ab"} << QStringList{"done"};
    QTest::newRow("aa in aaa") << QStringLiteral("aaa") << QStringList{"aa", "aa"} << QStringList{"0/3", "done"};
    QTest::newRow("changed text goes on from the old start")
        << QStringLiteral("xabyab") << QStringList{"ab", "x", "b"} << QStringList{"1/4", "done", "5/7"};
    QTest::newRow("arabic over CR LF") << QStringLiteral("سلام\r\nسلام") << QStringList{"سلام", "سلام"}
                                       << QStringList{"0/5", "6/11"};
}

void TestFind::stepsThroughTheMatches()
{
    QFETCH(QString, post);
    QFETCH(QStringList, presses);
    QFETCH(QStringList, expected);
    Fixture f(post);
    QStringList got;
    for (const QString &text : presses) {
        const int before = f.doneMessages();
        f.search(text);
        if (f.doneMessages() > before) {
            got << QStringLiteral("done");
            QCOMPARE(f.find()->foundPosition(), qsizetype(0));
            continue;
        }
        got << QStringLiteral("%1/%2").arg(f.form.editor().selStart()).arg(f.find()->searchStart());
        QCOMPARE(f.form.editor().selLength(), text.size());
        QCOMPARE(f.form.editor().selText(), text);
        QCOMPARE(f.find()->foundPosition(), f.form.editor().selStart() + 1);
    }
    QCOMPARE(got, expected);
    QCOMPARE(f.platform.messages.size(), f.doneMessages());
}

void TestFind::closeButtonKeepsStateCloseBoxUnloads()
{
    Fixture f(QStringLiteral("xabyab"));
    f.search(QStringLiteral("ab"));
    f.search(QStringLiteral("ab"));
    f.search(QStringLiteral("ab"));
    QCOMPARE(f.doneMessages(), 1);

    // The close button hides: the same window comes back with its state.
    Form2 *first = f.find();
    f.button("Command2")->click();
    QVERIFY(first->isHidden());
    QCOMPARE(f.find(), first);
    f.openFind();
    QCOMPARE(f.find(), first);
    QVERIFY(first->isVisible());
    QCOMPARE(f.searchBox()->text(), QStringLiteral("ab"));
    f.button("Command1")->click();
    QCOMPARE(f.doneMessages(), 2);

    // The close box unloads: the next opening is a fresh window from the start.
    QVERIFY(first->close());
    QCOMPARE(first->searchStart(), qsizetype(1));
    QVERIFY(!f.find());
    f.openFind();
    QVERIFY(f.find() && f.find() != first);
    QCOMPARE(f.searchBox()->text(), QString());
    QCOMPARE(f.find()->searchStart(), qsizetype(1));
    f.search(QStringLiteral("ab"));
    QCOMPARE(f.form.editor().selStart(), qsizetype(1));
    QCOMPARE(f.doneMessages(), 2);
    QTRY_VERIFY(f.form.findChildren<Form2 *>().size() == 1); // the old one is deleted
}

void TestFind::editsBetweenPresses()
{
    Fixture f(QStringLiteral("xabyab"));
    f.search(QStringLiteral("ab"));
    QCOMPARE(f.find()->postCopy(), QStringLiteral("xabyab"));
    // The next press reads the edited post; the start position is not moved.
    f.form.editor().setText(QStringLiteral("abab"));
    f.search(QStringLiteral("ab"));
    QCOMPARE(f.find()->postCopy(), QStringLiteral("abab"));
    QCOMPARE(f.doneMessages(), 1); // "abab" holds nothing at or after position 4 but "b"
    f.form.editor().setText(QStringLiteral("xabyabab"));
    f.search(QStringLiteral("ab"));
    QCOMPARE(f.form.editor().selStart(), qsizetype(4));
}

void TestFind::emptySearchTextDoesNothing()
{
    Fixture f(QStringLiteral("xabyab"));
    f.form.editor().select(2, 3);
    f.search(QString());
    QCOMPARE(f.platform.dialogCount(), 0);
    QCOMPARE(f.form.editor().selStart(), qsizetype(2));
    QCOMPARE(f.form.editor().selLength(), qsizetype(3));
    QCOMPARE(f.find()->searchStart(), qsizetype(1));
}

void TestFind::matchesPast32767()
{
    QString post(50000, QLatin1Char('-'));
    post.replace(32765, 5, QStringLiteral("يبحث"));
    post.replace(45000, 4, QStringLiteral("يبحث"));
    Fixture f(post);
    f.search(QStringLiteral("يبحث"));
    QCOMPARE(f.form.editor().selStart(), qsizetype(32765));
    QCOMPARE(f.find()->searchStart(), qsizetype(32770));
    f.search(QStringLiteral("يبحث"));
    QCOMPARE(f.form.editor().selStart(), qsizetype(45000));
    QCOMPARE(f.form.editor().selText(), QStringLiteral("يبحث"));
    QCOMPARE(f.find()->searchStart(), qsizetype(45005));
    f.search(QStringLiteral("يبحث"));
    QCOMPARE(f.doneMessages(), 1);
}

void TestFind::activationSelectsTheSearchText()
{
    Fixture f(QStringLiteral("xabyab"));
    QVERIFY(QTest::qWaitForWindowActive(f.find()));
    QTest::keyClicks(f.searchBox(), QStringLiteral("ab"));
    f.button("Command1")->click();
    // A match brings the main window forward; the find window stays loaded.
    QTRY_COMPARE(QApplication::activeWindow(), &f.form);
    QVERIFY(f.find()->isVisible());
    QVERIFY(!f.searchBox()->hasSelectedText());
    f.find()->activateWindow();
    QTRY_COMPARE(QGuiApplication::focusWindow(), f.find()->windowHandle());
    QCOMPARE(f.searchBox()->selectedText(), QStringLiteral("ab"));
    QVERIFY(f.searchBox()->hasFocus());
    // Typing replaces the old text.
    QTest::keyClicks(f.searchBox(), QStringLiteral("y"));
    QCOMPARE(f.searchBox()->text(), QStringLiteral("y"));
}

void TestFind::renderToPng()
{
    Fixture f(QStringLiteral("xabyab"));
    f.searchBox()->setText(QStringLiteral("ab"));
    QVERIFY(QTest::qWaitForWindowExposed(f.find()));
    const QPixmap shot = f.find()->grab();
    QCOMPARE(shot.size(), f.find()->size());
    const QString dir = QString::fromLocal8Bit(qgetenv("ZARVELO_BINARY_DIR"));
    if (!dir.isEmpty())
        QVERIFY(shot.save(dir + QStringLiteral("/form2.png")));
}

QTEST_MAIN(TestFind)
#include "tst_find.moc"
