#include "highlight/posthighlighter.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "shell/spellingswitch.h"
#include "spelling/spellcheck.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

using namespace zarvelo;

namespace {

/** The underlined stretches of the whole post, "|"-separated. */
QString markedIn(const PostEditor &editor)
{
    QStringList out;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
            if (SpellingLayer::isMisspeltFormat(range.format))
                out << block.text().mid(range.start, range.length);
        }
    }
    return out.join(QLatin1Char('|'));
}

/** An editor checked against the given dictionaries, shown, with the
    dictionaries opened. */
struct Checked
{
    /** `words`: the user's word list, in the temporary folder. */
    explicit Checked(const QString &words = QStringLiteral("words.txt"))
    {
        auto *highlighter = new PostHighlighter(editor.document());
        spell = new SpellCheck(editor, *highlighter, platform,
                               {SpellDictionaries::systemFolder(), personal.filePath(words)});
        highlighter->addLayer(&spell->layer());
        QSignalSpy loaded(spell, &SpellCheck::loaded);
        spell->setEnabled(true);
        editor.resize(600, 300);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QVERIFY(loaded.wait(10000));
    }

    QString marked() const { return markedIn(editor); }

    /** Opens the context menu on the character at the exact position. */
    QMenu *contextMenuAt(qsizetype position)
    {
        editor.select(position, 0);
        const QPoint at =
            editor.cursorRect().center() + QPoint(editor.layoutDirection() == Qt::RightToLeft ? -3 : 3, 0);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, editor.viewport()->mapToGlobal(at));
        QApplication::sendEvent(editor.viewport(), &event);
        const QList<QMenu *> menus = editor.findChildren<QMenu *>();
        return menus.isEmpty() ? nullptr : menus.last();
    }

    QTemporaryDir personal;
    test::ScriptedPlatform platform;
    PostEditor editor;
    SpellCheck *spell = nullptr;
};

QStringList texts(const QMenu &menu)
{
    QStringList out;
    for (QAction *action : menu.actions())
        out << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return out;
}

} // namespace

class TestSpelling : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void marksMisspeltWordsButNeverMarkup();
    void suggestionReplacesExactlyTheWord_data();
    void suggestionReplacesExactlyTheWord();
    void addAndIgnoreTakeTheMarkAway_data();
    void addAndIgnoreTakeTheMarkAway();
    void missingDictionariesLeaveTheEditorWorking();
    void switchIsKeptBetweenRuns();
};

void TestSpelling::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QFile::remove(preferencesPath());
}

void TestSpelling::marksMisspeltWordsButNeverMarkup()
{
    Checked checked;
    checked.editor.setText(
        QStringLiteral("[URL=http://wrnog.exmaple]نص[/URL] [FONT='Tahommma']كلام[/FONT]\r\n"
                       "الســــلام عَلَيْكُمْ كتابب hello helo\nسلاام"));
    QCOMPARE(checked.marked(), QStringLiteral("كتابب|helo|سلاام"));
    // A correct word, a tag value and a misspelt word with checking off get
    // no spelling entries in the menu.
    QSignalSpy changed(checked.editor.document(), &QTextDocument::contentsChanged);
    for (qsizetype at : {95, 10, 87}) {
        checked.spell->setEnabled(at != 87);
        QMenu *menu = checked.contextMenuAt(at);
        const QStringList entries = texts(*menu);
        menu->close(); // an open menu would take the typing below
        QVERIFY2(!entries.isEmpty() && !entries.contains(QStringLiteral("تجاهل")),
                 qPrintable(entries.join(u',')));
    }
    QCOMPARE(checked.marked(), QString());
    checked.spell->setEnabled(true);
    QCOMPARE(checked.marked(), QStringLiteral("كتابب|helo|سلاام"));
    QCOMPARE(changed.count(), 0); // redrawing is no edit
    // Typing re-checks the paragraph.
    checked.editor.select(0, 0);
    QTest::keyClicks(&checked.editor, QStringLiteral("skool "));
    QCOMPARE(checked.marked(), QStringLiteral("skool|كتابب|helo|سلاام"));
}

void TestSpelling::suggestionReplacesExactlyTheWord_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("at");
    QTest::addColumn<QString>("suggestion");
    QTest::addColumn<QString>("result");
    QTest::newRow("latin") << QStringLiteral("[B]helo[/B] world") << qsizetype(4) << QStringLiteral("hello")
                           << QStringLiteral("[B]hello[/B] world");
    // After a CR LF and a lone LF, and with tatweel inside the word.
    QTest::newRow("arabic, later paragraph")
        << QStringLiteral("نص\r\nأ\nقرأت كتـابب اليوم") << qsizetype(11) << QStringLiteral("كتاب")
        << QStringLiteral("نص\r\nأ\nقرأت كتاب اليوم");
}

void TestSpelling::suggestionReplacesExactlyTheWord()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, at);
    QFETCH(QString, suggestion);
    QFETCH(QString, result);
    Checked checked;
    checked.editor.setText(text);
    QMenu *menu = checked.contextMenuAt(at);
    const QStringList entries = menu ? texts(*menu) : QStringList();
    // Up to five suggestions, then the two entries, then the editor's own.
    const qsizetype add = entries.indexOf(QStringLiteral("إضافة إلى القاموس"));
    QVERIFY2(add >= 1 && add <= 5, qPrintable(entries.join(u',')));
    QCOMPARE(entries.mid(add + 1, 2), QStringList({QStringLiteral("تجاهل"), QStringLiteral("-")}));
    QVERIFY2(entries.indexOf(suggestion) >= 0 && entries.indexOf(suggestion) < add,
             qPrintable(entries.join(u',')));

    menu->actions().at(entries.indexOf(suggestion))->trigger();
    menu->close();
    QCOMPARE(checked.editor.text(), result);
    // One undo brings the word back, the next one the empty editor.
    checked.editor.undoWithSelection();
    QCOMPARE(checked.editor.text(), text);
    checked.editor.undoWithSelection();
    QCOMPARE(checked.editor.text(), QString());
}

void TestSpelling::addAndIgnoreTakeTheMarkAway_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<int>("messages");
    QTest::newRow("add") << QStringLiteral("إضافة إلى القاموس") << true << 0;
    QTest::newRow("ignore") << QStringLiteral("تجاهل") << false << 0;
    // A folder that cannot be made: the word is accepted, and the user told.
    QTest::newRow("add, not saved") << QStringLiteral("إضافة إلى القاموس") << false << 1;
}

void TestSpelling::addAndIgnoreTakeTheMarkAway()
{
    QFETCH(QString, entry);
    QFETCH(bool, kept);
    QFETCH(int, messages);
    const QString words = messages ? QStringLiteral("words.txt/in/file") : QStringLiteral("words.txt");
    Checked checked(words);
    if (messages > 0) // a file stands where the folder would go
        QVERIFY(QFile(checked.personal.filePath(QStringLiteral("words.txt"))).open(QIODevice::WriteOnly));
    checked.editor.setText(QStringLiteral("Zarvelo\r\nZarvelo wrold"));
    QCOMPARE(checked.marked(), QStringLiteral("Zarvelo|Zarvelo|wrold"));
    QMenu *menu = checked.contextMenuAt(2);
    const qsizetype index = texts(*menu).indexOf(entry);
    QVERIFY(index >= 0);
    QSignalSpy changed(checked.editor.document(), &QTextDocument::contentsChanged);
    menu->actions().at(index)->trigger();
    menu->close();
    QCOMPARE(checked.marked(), QStringLiteral("wrold"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(checked.editor.text(), QStringLiteral("Zarvelo\r\nZarvelo wrold"));
    QCOMPARE(QFile::exists(checked.personal.filePath(words)), kept);
    QCOMPARE(checked.platform.messages.size(), messages);
}

void TestSpelling::missingDictionariesLeaveTheEditorWorking()
{
    QTemporaryDir empty;
    test::ScriptedPlatform platform;
    PostEditor editor;
    QMenu tools;
    QAction *item = tools.addAction(QStringLiteral("التدقيق الإملائي"));
    auto *highlighter = new PostHighlighter(editor.document());
    SpellCheck *spell =
        wireSpellCheck(editor, *highlighter, platform, tools, *item, [] { return QStringLiteral("[B][/B]"); },
                       {empty.path(), empty.filePath("w.txt")});
    // The untouched template opens no dictionary; the first change does.
    editor.setText(QStringLiteral("[B][/B]"));
    QVERIFY(!spell->isEnabled());
    editor.setText(QStringLiteral("[B]x[/B]"));
    QVERIFY(spell->isEnabled());
    QSignalSpy loaded(spell, &SpellCheck::loaded);
    QVERIFY(loaded.wait(10000));
    QVERIFY(item->isChecked());
    QVERIFY(item->toolTip().contains(QLatin1String("hunspell-ar")));
    QVERIFY(item->toolTip().contains(QLatin1String("hunspell-en-us")));
    QVERIFY(tools.toolTipsVisible());

    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.setText(QStringLiteral("كتابب"));
    QTest::keyClicks(&editor, QStringLiteral(" helo"));
    QCOMPARE(editor.text(), QStringLiteral("كتابب helo"));
    QVERIFY(editor.document()->firstBlock().layout()->formats().isEmpty());
}

void TestSpelling::switchIsKeptBetweenRuns()
{
    {
        test::ScriptedPlatform platform;
        Form1 form(platform);
        QAction *item = form.menuAction(QStringLiteral("SPELLCHECK"));
        QVERIFY(item->isCheckable());
        QVERIFY(item->isChecked());
        QCOMPARE(item->text(), QStringLiteral("التدقيق الإملائي"));
        // The first change to the post opens the dictionaries.
        form.editor().setText(QStringLiteral("helo world"));
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(markedIn(form.editor()), QStringLiteral("helo"), 10000);
        item->trigger();
        QCOMPARE(markedIn(form.editor()), QString());
    }
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(!form.menuAction(QStringLiteral("SPELLCHECK"))->isChecked());
    QVERIFY(QFile::exists(preferencesPath()));
}

QTEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
