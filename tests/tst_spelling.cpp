#include "featuretest.h"
#include "shell/spellingswitch.h"
#include "spelling/spellcheck.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QStandardPaths>

#include <tuple>

namespace {

const QString kAdd = u"إضافة إلى القاموس"_s, kIgnore = u"تجاهل"_s;

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

/** A shown editor checked against the system dictionaries, already opened. */
struct Checked
{
    Checked()
    {
        auto *highlighter = new PostHighlighter(editor.document());
        spell = new SpellCheck(editor, *highlighter, platform, {SpellDictionaries::systemFolder(), words()});
        highlighter->addLayer(&spell->layer());
        QSignalSpy loaded(spell, &SpellCheck::loaded);
        spell->setEnabled(true);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QVERIFY(loaded.wait(10000));
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

    void marksMisspeltWordsAndActsOnThemFromTheMenu()
    {
        Checked c;
        const QString text = u"[URL=http://wrnog.exmaple]نص[/URL] [FONT='Tahommma']كلام[/FONT]\r\n"
                             "الســــلام عَلَيْكُمْ [B]helo[/B] hello\nقرأت كتـابب helo"_s;
        c.editor.setText(text);
        QCOMPARE(markedIn(c.editor), u"helo|كتـابب|helo"_s);
        QSignalSpy changed(c.editor.document(), &QTextDocument::contentsChanged);
        // Positions inside the words: the click goes beside the caret.
        const qsizetype helo = text.indexOf(u"helo"_s) + 1, kitab = text.indexOf(u"كتـابب"_s) + 2;
        // A correct word, a tag value and a misspelt word with checking off get no spelling entries.
        for (qsizetype at : {text.indexOf(u"hello"_s), qsizetype(10), helo}) {
            c.spell->setEnabled(at != helo);
            const QStringList entries = c.menuAt(at);
            QVERIFY2(!entries.isEmpty() && !entries.contains(kIgnore), qPrintable(entries.join(u',')));
        }
        QCOMPARE(markedIn(c.editor), QString());
        c.spell->setEnabled(true);
        QCOMPARE(markedIn(c.editor), u"helo|كتـابب|helo"_s);
        QCOMPARE(changed.count(), 0); // redrawing is no edit
        // Each suggestion replaces just its word, after CR LF and lone LF, as one undo step.
        for (const auto &[at, suggestion, result] :
             {std::tuple(helo, u"hello"_s, QString(text).replace(u"[B]helo"_s, u"[B]hello"_s)),
              std::tuple(kitab, u"كتاب"_s, QString(text).replace(u"كتـابب"_s, u"كتاب"_s))}) {
            const QStringList entries = c.menuAt(at);
            const qsizetype add = entries.indexOf(kAdd), suggested = entries.indexOf(suggestion);
            // Up to five suggestions, then the two entries, then the editor's own.
            QVERIFY2(add >= 1 && add <= 5 && suggested >= 0 && suggested < add
                         && entries.mid(add + 1, 2) == QStringList({kIgnore, u"-"_s}),
                     qPrintable(suggestion + u": "_s + entries.join(u',')));
            QVERIFY(c.choose(at, suggestion));
            QCOMPARE(c.editor.text(), result);
            c.editor.undoWithSelection();
            QCOMPARE(c.editor.text(), text);
        }
        // Typing re-checks the paragraph (words past one turn's time budget come a turn later).
        c.editor.select(0, 0);
        QTest::keyClicks(&c.editor, u"skool "_s);
        QTRY_COMPARE(markedIn(c.editor), u"skool|helo|كتـابب|helo"_s);
        const QString typed = c.editor.text();
        changed.clear();
        // Ignoring and adding take the word's marks away in every paragraph, and change no text.
        QVERIFY(c.choose(helo + 6, kIgnore));
        QCOMPARE(markedIn(c.editor), u"skool|كتـابب"_s);
        QVERIFY(!QFile::exists(c.words())); // ignoring lasts this run only
        QVERIFY(c.choose(2, kAdd));
        QCOMPARE(markedIn(c.editor), u"كتـابب"_s);
        QVERIFY(QFile::exists(c.words()) && c.platform.messages.isEmpty());
        // The word list cannot be written: the word is accepted all the same, and the user told.
        QVERIFY(QFile::remove(c.words()) && QDir().mkpath(c.words()));
        QVERIFY(c.choose(kitab + 6, kAdd));
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
        auto *spell = wireSpellCheck(editor, *new PostHighlighter(editor.document()), platform, tools, *item,
                                     [] { return u"[B][/B]"_s; }, {empty.path(), empty.filePath("w.txt")});
        // The untouched template opens no dictionary; the first change does.
        editor.setText(u"[B][/B]"_s);
        QVERIFY(!spell->isEnabled());
        editor.setText(u"[B]x[/B]"_s);
        QVERIFY(spell->isEnabled());
        QVERIFY(QSignalSpy(spell, &SpellCheck::loaded).wait(10000));
        QVERIFY(item->isChecked() && tools.toolTipsVisible());
        const QString tip = item->toolTip();
        QVERIFY2(tip.contains(u"hunspell-ar"_s) && tip.contains(u"hunspell-en-us"_s), qPrintable(tip));
        editor.setText(u"كتابب helo"_s);
        QVERIFY(editor.document()->firstBlock().layout()->formats().isEmpty());
    }

    void switchIsKeptBetweenRuns()
    {
        {
            test::ScriptedPlatform platform;
            Form1 form(platform);
            QAction *item = form.menuAction(u"SPELLCHECK"_s);
            QVERIFY(item->isCheckable() && item->isChecked());
            QCOMPARE(item->text(), u"التدقيق الإملائي"_s);
            form.editor().setText(u"helo world"_s); // the first change opens the dictionaries
            form.show();
            QTRY_COMPARE_WITH_TIMEOUT(markedIn(form.editor()), u"helo"_s, 10000);
            item->trigger();
            QCOMPARE(markedIn(form.editor()), QString());
        }
        test::ScriptedPlatform platform;
        QVERIFY(!Form1(platform).menuAction(u"SPELLCHECK"_s)->isChecked());
        QVERIFY(QFile::exists(preferencesPath()));
    }
};

QTEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
