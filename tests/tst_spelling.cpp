#include "featuretest.h"
#include "shell/spellingswitch.h"
#include "spelling/spellcheck.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace {

const QString kAdd = u"إضافة إلى القاموس"_s;
const QString kIgnore = u"تجاهل"_s;
const QString kText = u"[URL=http://wrnog.exmaple]نص[/URL] [FONT='Tahommma']كلام[/FONT]\r\n"
                      "الســــلام عَلَيْكُمْ [B]helo[/B] hello\nقرأت كتـابب helo"_s;
// Positions inside the words: the click goes beside the caret.
const qsizetype kHelo = kText.indexOf(u"helo"_s) + 1;
const qsizetype kKitab = kText.indexOf(u"كتـابب"_s) + 2;
// Opening the Arabic dictionary takes seconds, and minutes in the sanitizer
// build on a busy machine; the wait ends as soon as it is open.
constexpr int kDictionaryWait = 180000;

/** The underlined stretches of the whole post, "|"-separated. */
QString markedIn(const PostEditor &editor)
{
    QStringList out;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next())
        for (const QTextLayout::FormatRange &range : block.layout()->formats())
            if (SpellingLayer::isMisspeltFormat(range.format))
                out << block.text().mid(range.start, range.length);
    return out.join(u'|');
}

/** An editor checked against the system dictionaries. */
struct Checked
{
    /** Turns checking on and shows the post; false unless shown with its dictionaries opened. */
    bool open(const QString &post)
    {
        auto *highlighter = new PostHighlighter(editor.document());
        spell = new SpellCheck(editor, *highlighter, platform, {SpellDictionaries::systemFolder(), words()});
        highlighter->addLayer(&spell->layer());
        editor.setText(post);
        QSignalSpy loaded(spell, &SpellCheck::loaded);
        spell->setEnabled(true);
        editor.show();
        return QTest::qWaitForWindowExposed(&editor) && loaded.wait(kDictionaryWait);
    }

    QString words() const { return personal.filePath(u"words.txt"_s); } // the user's word list
    /** Opens the context menu on the character at the position and lists its entries. */
    QStringList menuAt(qsizetype position)
    {
        editor.select(position, 0);
        const QPoint at = editor.cursorRect().center() + QPoint(editor.isRightToLeft() ? -3 : 3, 0);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, editor.viewport()->mapToGlobal(at));
        QApplication::sendEvent(editor.viewport(), &event);
        const QList<QMenu *> menus = editor.findChildren<QMenu *>();
        if (menus.isEmpty())
            return {};
        menu = menus.last();
        QStringList entries;
        for (QAction *action : menu->actions())
            entries << (action->isSeparator() ? u"-"_s : action->text());
        menu->close(); // an open menu would take the typing that follows
        return entries;
    }
    bool choose(qsizetype position, const QString &entry)
    {
        const qsizetype index = menuAt(position).indexOf(entry);
        if (index >= 0)
            menu->actions().at(index)->trigger();
        return index >= 0;
    }

    QTemporaryDir personal;
    test::ScriptedPlatform platform;
    PostEditor editor;
    SpellCheck *spell = nullptr;
    QMenu *menu = nullptr;
};

} // namespace

class TestSpelling : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setLayoutDirection(Qt::RightToLeft);
        QFile::remove(preferencesPath());
    }

    void menuWithoutSpellingEntries_data()
    {
        QTest::addColumn<qsizetype>("at");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("a correct word") << kText.indexOf(u"hello"_s) << true;
        QTest::newRow("checking off") << kHelo << false;
    }

    void menuWithoutSpellingEntries()
    {
        QFETCH(qsizetype, at);
        QFETCH(bool, enabled);
        Checked c;
        QVERIFY(c.open(kText));
        c.spell->setEnabled(enabled);
        const QStringList entries = c.menuAt(at);
        QVERIFY2(!entries.isEmpty() && !entries.contains(kIgnore), qPrintable(entries.join(u',')));
    }

    void suggestionReplacesItsWord_data()
    {
        // After CR LF and after a lone LF.
        QTest::addColumn<qsizetype>("at");
        QTest::addColumn<QString>("suggestion");
        QTest::addColumn<QString>("result");
        QTest::newRow("English") << kHelo << u"hello"_s
                                 << QString(kText).replace(u"[B]helo"_s, u"[B]hello"_s);
        QTest::newRow("Arabic") << kKitab << u"كتاب"_s << QString(kText).replace(u"كتـابب"_s, u"كتاب"_s);
    }

    void suggestionReplacesItsWord()
    {
        QFETCH(qsizetype, at);
        QFETCH(QString, suggestion);
        QFETCH(QString, result);
        Checked c;
        QVERIFY(c.open(kText));
        const QStringList entries = c.menuAt(at);
        const qsizetype add = entries.indexOf(kAdd);
        const qsizetype suggested = entries.indexOf(suggestion);
        // Up to five suggestions, then the two entries, then the editor's own.
        QVERIFY2(add >= 1 && add <= 5, qPrintable(entries.join(u',')));
        QVERIFY2(suggested >= 0 && suggested < add, qPrintable(entries.join(u',')));
        QCOMPARE(entries.mid(add + 1, 2), QStringList({kIgnore, u"-"_s}));
        QVERIFY(c.choose(at, suggestion));
        QCOMPARE(c.editor.text(), result);
        c.editor.undoWithSelection(); // one undo step
        QCOMPARE(c.editor.text(), kText);
    }

    void marksMisspeltWordsAndTakesThemAway()
    {
        Checked c;
        QVERIFY(c.open(kText));
        QCOMPARE(markedIn(c.editor), u"helo|كتـابب|helo"_s);
        QSignalSpy changed(c.editor.document(), &QTextDocument::contentsChanged);
        c.spell->setEnabled(false);
        QCOMPARE(markedIn(c.editor), QString());
        c.spell->setEnabled(true);
        QCOMPARE(markedIn(c.editor), u"helo|كتـابب|helo"_s);
        QCOMPARE(changed.count(), 0); // redrawing is no edit
        // Typing re-checks the paragraph (words past one turn's time budget come a turn later).
        c.editor.select(0, 0);
        QTest::keyClicks(&c.editor, u"skool "_s);
        QTRY_COMPARE(markedIn(c.editor), u"skool|helo|كتـابب|helo"_s);
        const QString typed = c.editor.text();
        changed.clear();
        // Ignoring and adding take the word's marks away in every paragraph, and change no text.
        QVERIFY(c.choose(kHelo + 6, kIgnore));
        QCOMPARE(markedIn(c.editor), u"skool|كتـابب"_s);
        QVERIFY(!QFile::exists(c.words())); // ignoring lasts this run only
        QVERIFY(c.choose(2, kAdd));
        QCOMPARE(markedIn(c.editor), u"كتـابب"_s);
        QVERIFY(QFile::exists(c.words()) && c.platform.messages.isEmpty());
        // The word list cannot be written: the word is accepted all the same, and the user told.
        QVERIFY(QFile::remove(c.words()) && QDir().mkpath(c.words()));
        QVERIFY(c.choose(kKitab + 6, kAdd));
        QCOMPARE(markedIn(c.editor), QString());
        const QString told = c.platform.messages.value(0).text;
        QCOMPARE(c.platform.messages.size(), 1);
        QVERIFY2(told.startsWith(u"تعذر حفظ القاموس الشخصي في الملف:\n"_s + c.words()), qPrintable(told));
        QCOMPARE(c.editor.text(), typed);
        QCOMPARE(changed.count(), 0);
    }

    void missingDictionariesLeaveTheEditorWorking()
    {
        QTemporaryDir empty;
        test::ScriptedPlatform platform;
        PostEditor editor;
        QMenu tools;
        QAction *item = tools.addAction(u"التدقيق الإملائي"_s);
        auto *spelling =
            new SpellingSwitch(editor, *new PostHighlighter(editor.document()), platform, tools, *item,
                               [] { return u"[B][/B]"_s; }, {empty.path(), empty.filePath("w.txt")});
        SpellCheck *spell = &spelling->spellCheck();
        // The untouched template opens no dictionary; the first change does.
        editor.setText(u"[B][/B]"_s);
        QVERIFY(!spell->isEnabled());
        editor.setText(u"[B]x[/B]"_s);
        QVERIFY(spell->isEnabled());
        QVERIFY(QSignalSpy(spell, &SpellCheck::loaded).wait(kDictionaryWait));
        QVERIFY(item->isChecked() && tools.toolTipsVisible());
        const QString tip = item->toolTip();
        QVERIFY2(tip.contains(u"hunspell-ar"_s) && tip.contains(u"hunspell-en-us"_s), qPrintable(tip));
    }

    void switchIsKeptBetweenRuns()
    {
        {
            test::ScriptedPlatform platform;
            Form1 form(platform);
            QAction *item = form.menu().SPELLCHECK;
            QVERIFY(item->isCheckable() && item->isChecked());
            form.editor().setText(u"helo world"_s); // the first change opens the dictionaries
            form.show();
            QTRY_COMPARE_WITH_TIMEOUT(markedIn(form.editor()), u"helo"_s, kDictionaryWait);
            item->trigger();
            QCOMPARE(markedIn(form.editor()), QString());
        }
        test::ScriptedPlatform platform;
        QVERIFY(!Form1(platform).menu().SPELLCHECK->isChecked());
    }
};

QTEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
