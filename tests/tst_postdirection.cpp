#include "highlight/markupscan.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/posteditor.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGlyphRun>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <vector>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

const QString kArabicLine = u"[B]مرحبا[/B] في [URL=http://a.com]منتدى[/URL]"_s;
const QString kLatinLine = u"Hello [B]world[/B] then عربي at the end."_s;
const QString kTagsLine = u"[COLOR=#FF0000][SIZE=4]تحذير:[/SIZE][/COLOR]"_s;

/** The post's characters from `start`, in their order on the screen from left to right. */
QString leftToRight(PostEditor &editor, qsizetype start, qsizetype length)
{
    std::vector<std::pair<qreal, QChar>> placed;
    for (qsizetype i = start; i < start + length; ++i) {
        editor.select(i, 1);
        const int at = editor.textCursor().selectionEnd() - 1;
        const QTextBlock block = editor.document()->findBlock(at);
        const QList<QGlyphRun> glyphs = block.layout()->glyphRuns(at - block.position(), 1);
        const qreal x = glyphs.isEmpty() ? -1 : glyphs.first().boundingRect().center().x();
        placed.emplace_back(x, editor.text()[i]);
    }
    std::stable_sort(placed.begin(), placed.end(), [](auto &a, auto &b) { return a.first < b.first; });
    QString out;
    for (const auto &[x, c] : placed)
        out += c;
    return out;
}

void type(QWidget &editor, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.isLetter() ? Qt::Key_A : Qt::Key_Space, Qt::NoModifier,
                        QString(c));
        QApplication::sendEvent(&editor, &press);
    }
}

/** "ltr" or "rtl", and the side the first line stands on. */
QString paragraphLook(PostEditor &editor)
{
    const QTextBlock block = editor.document()->firstBlock();
    editor.document()->documentLayout()->blockBoundingRect(block);
    const QTextLine line = block.layout()->lineAt(0);
    const QRectF text = line.naturalTextRect();
    const bool rtl = block.layout()->textOption().textDirection() == Qt::RightToLeft;
    return (rtl ? u"rtl "_s : u"ltr "_s) + (text.left() < 10 ? u"left"_s : u"right"_s);
}

/** A post editor shown at a width that fits the test lines on one line. */
struct Shown
{
    explicit Shown(const QString &text, bool ownDirections = true, bool rightToLeft = true)
    {
        editor.resize(900, 300);
        editor.setOwnDirections(ownDirections);
        editor.setAlignment(rightToLeft ? PostEditor::RightJustify : PostEditor::LeftJustify);
        editor.setRightToLeft(rightToLeft);
        editor.setText(text);
        editor.show();
        QApplication::processEvents();
    }
    PostEditor editor;
};

/** Random edits, each checked against a plain string of what the post must be. */
struct RandomEditing
{
    PostEditor &editor;
    QRandomGenerator random;
    QString model;

    QString any(const QStringList &from) { return from[random.bounded(int(from.size()))]; }

    QString step()
    {
        const qsizetype start = random.bounded(int(model.size()) + 1);
        const qsizetype length = random.bounded(3) == 0 ? random.bounded(int(model.size() - start) + 1) : 0;
        const auto splitsPair = [&](qsizetype at) { return at > 0 && model.mid(at - 1, 2) == u"\r\n"_s; };
        if (!splitsPair(start) && !splitsPair(start + length))
            editor.select(start, length);
        const qsizetype at = editor.selStart();
        const qsizetype selected = editor.selLength();
        const QString typed = any({u"["_s, u"]"_s, u"/"_s, u"="_s, u"B"_s, u"u"_s, u"#"_s, u"ن"_s, u" "_s});
        const QString snippet = any({u"[B]"_s, u"[/URL]"_s, u"[URL=http://a.com]"_s, u"[QUOTE=أحمد]"_s,
                                     u"x\r\ny"_s, u"\n"_s, u"[COLOR=#FF0000]ن"_s, u"[/B]ص"_s});
        switch (random.bounded(8)) {
        case 0:
        case 1:
            model.replace(at, selected, typed);
            type(editor, typed);
            return u"type "_s + typed;
        case 2:
            model.replace(at, selected, u"\r\n"_s);
            QTest::keyClick(&editor, Qt::Key_Return);
            return u"Enter"_s;
        case 3: {
            const qsizetype width = at > 1 && model.mid(at - 2, 2) == u"\r\n"_s ? 2 : 1;
            if (selected > 0)
                model.remove(at, selected);
            else if (at > 0)
                model.remove(at - width, width);
            QTest::keyClick(&editor, Qt::Key_Backspace);
            return u"Backspace"_s;
        }
        case 4:
            model.replace(at, selected, snippet);
            editor.setSelText(snippet);
            return u"write "_s + snippet;
        case 5:
            model.replace(at, selected, snippet);
            QApplication::clipboard()->setText(snippet);
            editor.paste();
            return u"paste "_s + snippet;
        case 6:
            editor.undoWithSelection();
            model = editor.text();
            return u"undo"_s;
        default:
            QTest::keyClick(&editor, Qt::Key_Right, Qt::ShiftModifier);
            return u"Shift+Right"_s;
        }
    }

    /** What is wrong after a step; "" when nothing is. */
    QString check(const QString &did)
    {
        const qsizetype start = editor.selStart();
        const qsizetype length = editor.selLength();
        if (editor.text() != model || editor.textLength() != model.size())
            return did + u": text "_s + editor.text() + u" instead of "_s + model;
        if (start + length > model.size() || editor.selText() != model.mid(start, length))
            return did + u": selection "_s + QString::number(start) + u"+"_s + QString::number(length);
        return {};
    }
};

} // namespace

class TestPostDirection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PostEditor::setTagFinder(&findIsolatedTags); }

    void tagsReadAsLeftToRightUnits_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("piece");
        QTest::addColumn<bool>("ownDirections");
        QTest::addColumn<QString>("onScreen");
        QTest::newRow("closing tag in Arabic") << kArabicLine << u"[/B]"_s << true << u"[/B]"_s;
        QTest::newRow("address in Arabic")
            << kArabicLine << u"[URL=http://a.com]"_s << true << u"[URL=http://a.com]"_s;
        QTest::newRow("closing tag in Latin") << kLatinLine << u"[/B]"_s << true << u"[/B]"_s;
        QTest::newRow("Arabic word between tags") << kArabicLine << u"مرحبا"_s << true << u"ابحرم"_s;
        QTest::newRow("colour before size")
            << kTagsLine << u"[COLOR=#FF0000]"_s << true << u"[COLOR=#FF0000]"_s;
        QTest::newRow("line of tags") << u"[B][/B]"_s << u"[/B]"_s << true << u"[/B]"_s;
        QTest::newRow("beside digits") << u"عدد 12[/SIZE]"_s << u"[/SIZE]"_s << true << u"[/SIZE]"_s;
        QTest::newRow("Arabic quoted name")
            << u"[QUOTE=أحمد]نص[/QUOTE]"_s << u"[QUOTE=أحمد]"_s << true << u"[QUOTE=دمحأ]"_s;
        QTest::newRow("switch off, Arabic") << kArabicLine << u"[/B]"_s << false << u"[/B]"_s;
    }

    void tagsReadAsLeftToRightUnits()
    {
        QFETCH(QString, line);
        QFETCH(QString, piece);
        QFETCH(bool, ownDirections);
        QFETCH(QString, onScreen);
        Shown shown(line, ownDirections);
        QCOMPARE(leftToRight(shown.editor, line.indexOf(piece), piece.size()), onScreen);
    }

    void paragraphsReadInTheirOwnDirection_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("ownDirections");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<QString>("look");
        QTest::newRow("Arabic") << kArabicLine << true << true << u"rtl right"_s;
        QTest::newRow("Latin") << kLatinLine << true << true << u"ltr left"_s;
        QTest::newRow("digits") << u"12345"_s << true << true << u"rtl right"_s;
        QTest::newRow("tags only, editor left to right") << u"[B][/B]"_s << true << false << u"ltr left"_s;
        QTest::newRow("switch off, Latin") << kLatinLine << false << true << u"rtl right"_s;
    }

    void paragraphsReadInTheirOwnDirection()
    {
        QFETCH(QString, line);
        QFETCH(bool, ownDirections);
        QFETCH(bool, rightToLeft);
        QFETCH(QString, look);
        Shown shown(line, ownDirections, rightToLeft);
        QCOMPARE(paragraphLook(shown.editor), look);
    }

    void keysMoveAndEraseOnePostCharacter_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        const int none = Qt::NoModifier;
        const int shift = Qt::ShiftModifier;
        QTest::newRow("Right over a tag")
            << u"ab[B]cd"_s << 1 << int(Qt::Key_Right) << none << 4 << u"ab[B]cd"_s << 5 << 0;
        QTest::newRow("Shift+Right selects")
            << u"ab[B]cd"_s << 1 << int(Qt::Key_Right) << shift << 3 << u"ab[B]cd"_s << 1 << 3;
        QTest::newRow("Backspace after a tag")
            << u"ab[B]cd"_s << 5 << int(Qt::Key_Backspace) << none << 1 << u"ab[Bcd"_s << 4 << 0;
        QTest::newRow("Delete before a tag")
            << u"ab[B]cd"_s << 2 << int(Qt::Key_Delete) << none << 1 << u"abB]cd"_s << 2 << 0;
        QTest::newRow("Backspace joins lines")
            << u"[B]\r\n[/B]"_s << 5 << int(Qt::Key_Backspace) << none << 1 << u"[B][/B]"_s << 3 << 0;
        QTest::newRow("Delete in a value")
            << u"[URL=ab]x"_s << 6 << int(Qt::Key_Delete) << none << 2 << u"[URL=ax"_s << 6 << 0;
    }

    void keysMoveAndEraseOnePostCharacter()
    {
        QFETCH(QString, line);
        QFETCH(int, caret);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, presses);
        QFETCH(QString, after);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        Shown shown(line);
        shown.editor.setSelStart(caret);
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(&shown.editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(shown.editor.text(), after);
        QCOMPARE(shown.editor.selStart(), selStart);
        QCOMPARE(shown.editor.selLength(), selLength);
    }

    void arrowsCrossAnArabicLineOneCharacterAPress()
    {
        // Left reads an Arabic line onwards: one press per character, tags and all.
        Shown shown(kArabicLine);
        shown.editor.setSelStart(0);
        int presses = 0;
        for (qsizetype before = -1; shown.editor.selStart() != before && presses < 200; ++presses) {
            before = shown.editor.selStart();
            QTest::keyClick(&shown.editor, Qt::Key_Left);
        }
        QCOMPARE(presses - 1, 45);
    }

    void doubleClickSelectsAWord()
    {
        Shown shown(kArabicLine);
        shown.editor.setSelStart(5);
        const QPoint at = shown.editor.cursorRect().center();
        QTest::mouseDClick(shown.editor.viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(shown.editor.selText(), u"مرحبا"_s);
    }

    void textSelectionsAndClipboardHoldThePostExactly_data()
    {
        QTest::addColumn<QString>("post");
        QTest::newRow("every line break") << u"\r\n\n\r\r\n\n\rسلام\r\r\nx"_s;
        QTest::newRow("breaks between letters") << u"ab\r\ncd\nef\rgh\r\n\r\nij"_s;
        QTest::newRow("no-break space, tab") << u"a\u00A0b\tc"_s;
        QTest::newRow("Arabic line") << kArabicLine;
        QTest::newRow("tags across line breaks") << u"[B]x[/B]\r\n[I]\ny\r[/I]"_s;
        QTest::newRow("the post's own isolates") << u"a\u2066[B]\u2069b\u2068c\u2067"_s;
    }

    void textSelectionsAndClipboardHoldThePostExactly()
    {
        QFETCH(QString, post);
        Shown shown(post);
        PostEditor &editor = shown.editor;
        QCOMPARE(editor.text(), post);
        QCOMPARE(editor.textLength(), post.size());
        // Every selection that does not split a CR LF pair is reachable, marks or none.
        const auto splitsPair = [&](qsizetype at) { return at > 0 && post.mid(at - 1, 2) == u"\r\n"_s; };
        for (qsizetype start = 0; start <= post.size(); ++start)
            for (qsizetype end = start; end <= post.size(); ++end) {
                if (splitsPair(start) || splitsPair(end))
                    continue;
                editor.select(start, end - start);
                QCOMPARE(editor.selStart(), start);
                QCOMPARE(editor.selLength(), end - start);
                QCOMPARE(editor.selText(), post.mid(start, end - start));
            }
        editor.selectAll();
        editor.copy();
        QCOMPARE(QApplication::clipboard()->text(), post);
    }

    void marksTakeNoUndoStepAndNoChangeOfTheirOwn()
    {
        Shown shown(u"نص "_s);
        PostEditor &editor = shown.editor;
        editor.document()->clearUndoRedoStacks();
        editor.setSelStart(3);
        QSignalSpy changed(&editor, &PostEditor::textChanged);
        type(editor, u"[B"_s);
        type(editor, u"]"_s); // makes a tag, and its marks
        QCOMPARE(changed.count(), 3);
        type(editor, u"كلمة"_s);
        QCOMPARE(changed.count(), 7);
        editor.undoWithSelection(); // typing is one step, as it always was
        QCOMPARE(editor.text(), u"نص "_s);
        editor.redo();
        QCOMPARE(editor.text(), u"نص [B]كلمة"_s);
        QCOMPARE(editor.selStart(), 10);
        editor.setSelStart(6);
        QTest::keyClick(&editor, Qt::Key_Backspace); // breaks the tag
        QCOMPARE(editor.text(), u"نص [Bكلمة"_s);
        editor.undoWithSelection();
        QCOMPARE(editor.text(), u"نص [B]كلمة"_s);
    }

    void aParagraphChangedInAnOpenEditIsLaidOutAgainWhenAsked()
    {
        Shown shown(QString(2000, u'x')); // many lines at this width
        QTextCursor edit(shown.editor.document());
        edit.beginEditBlock();
        edit.select(QTextCursor::Document);
        edit.insertText(u"قصير"_s);
        const QTextBlock block = shown.editor.document()->firstBlock();
        shown.editor.document()->documentLayout()->blockBoundingRect(block);
        const QTextLine last = block.layout()->lineAt(block.layout()->lineCount() - 1);
        QCOMPARE(last.textStart() + last.textLength(), 4);
        edit.endEditBlock();
    }

    void randomEditsKeepThePostExact_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("seed 1") << 1u;
        QTest::newRow("seed 2") << 2u;
    }

    void randomEditsKeepThePostExact()
    {
        QFETCH(quint32, seed);
        Shown shown{QString()};
        RandomEditing editing{shown.editor, QRandomGenerator(seed)};
        QStringList done;
        for (int step = 0; step < 700; ++step) {
            done << editing.step();
            const QString problem = editing.check(done.last());
            if (!problem.isEmpty())
                QFAIL(qPrintable(problem + u"\nafter: "_s + done.join(u" | "_s)));
        }
    }

    void screenshotsWithTheSwitchOnAndOff_data()
    {
        QTest::addColumn<bool>("ownDirections");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }

    void screenshotsWithTheSwitchOnAndOff()
    {
        QFETCH(bool, ownDirections);
        test::ScriptedPlatform platform;
        Form1 form(platform);
        form.show();
        PostEditor &editor = form.editor();
        editor.setOwnDirections(ownDirections);
        editor.setText(
            kArabicLine + u"\r\n"_s + kLatinLine + u"\r\n"_s + kTagsLine + u"\r\n[B][/B][I][/I]\r\n"_s
            + QString(u"[URL=http://example.com/forum]منتدى[/URL] كلام طويل في سطر يلتف "_s).repeated(4));
        QApplication::processEvents();
        const QString folder =
            qEnvironmentVariable("ZARVELO_BINARY_DIR", QDir::currentPath()) + u"/screenshots"_s;
        QDir().mkpath(folder);
        const QString name = folder + (ownDirections ? u"/direction-on.png"_s : u"/direction-off.png"_s);
        QVERIFY(form.grab().save(name));
    }

    void switchIsOnAndKeptBetweenRuns()
    {
        {
            test::ScriptedPlatform platform;
            Form1 form(platform);
            QAction *item = form.menu().AUTODIRECTION;
            QVERIFY(item->isChecked());
            QVERIFY(form.editor().ownDirections());
            QSignalSpy changed(&form.editor(), &PostEditor::textChanged);
            item->trigger(); // lays the post out again, and changes nothing in it
            QVERIFY(!form.editor().ownDirections());
            QCOMPARE(changed.count(), 0);
        }
        test::ScriptedPlatform platform;
        Form1 form(platform);
        QVERIFY(!form.menu().AUTODIRECTION->isChecked());
        QVERIFY(!form.editor().ownDirections());
        form.menu().AUTODIRECTION->trigger(); // on again for the next run
    }
};

QTEST_MAIN(TestPostDirection)
#include "tst_postdirection.moc"
