#include "ui/posteditor.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using zarvelo::PostEditor;
using namespace Qt::StringLiterals;

class TestPostEditor : public QObject
{
    Q_OBJECT

private slots:
    void positionsOutOfReachAreBroughtIn()
    {
        PostEditor editor;
        const QString text = u"ab\r\ncd\nef\rgh\r\n\r\nij"_s;
        editor.setText(text);
        editor.setSelStart(6);
        QCOMPARE(editor.selLength(), 0);
        editor.setSelLength(1000);
        QCOMPARE(editor.selLength(), text.size() - 6);
        editor.setSelStart(3); // between CR and LF: before the pair
        QCOMPARE(editor.selStart(), 2);
        editor.setSelStart(99);
        QCOMPARE(editor.selStart(), text.size());
    }

    void editsKeepLineBreaksAndUndoOneByOne()
    {
        PostEditor editor;
        editor.setText(u"one\r\ntwo three"_s);
        editor.select(5, 3); // "two"
        editor.setSelText(u"[B]two\r\n2[/B]"_s);
        QCOMPARE(editor.text(), u"one\r\n[B]two\r\n2[/B] three"_s);
        QCOMPARE(editor.selStart(), 5 + 13); // the caret after what was written
        QCOMPARE(editor.selLength(), 0);
        editor.setSelStart(0);
        editor.setSelText(u"\n"_s); // at the caret: inserted
        QCOMPARE(editor.selStart(), 1);
        // Enter and Shift+Enter both write CR LF.
        QTest::keyClick(&editor, Qt::Key_Return);
        QCOMPARE(editor.selStart(), 3);
        QTest::keyClick(&editor, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(&editor, u"x"_s);
        QCOMPARE(editor.text(), u"\n\r\n\r\nxone\r\n[B]two\r\n2[/B] three"_s);
        // Paste keeps lone LFs and CRs.
        QApplication::clipboard()->setText(u"a\nb\r\nc\rd"_s);
        editor.setSelStart(6);
        editor.paste();
        QCOMPARE(editor.text(), u"\n\r\n\r\nxa\nb\r\nc\rdone\r\n[B]two\r\n2[/B] three"_s);
        // Undo takes back one change at a time, with the selection it started from.
        editor.setText(u"one two\r\nthree"_s);
        editor.document()->clearUndoRedoStacks();
        editor.select(4, 8); // "two\r\nthr"
        editor.setSelText(u"[B]two\r\nthr[/B]"_s);
        editor.select(4, 15);
        QTest::keyClicks(&editor, u"z"_s);
        QCOMPARE(editor.text(), u"one zee"_s);
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier); // the typing
        QCOMPARE(editor.text(), u"one [B]two\r\nthr[/B]ee"_s);
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier); // the programmatic change
        QCOMPARE(editor.text(), u"one two\r\nthree"_s);
        QCOMPARE(editor.selStart(), 4);
        QCOMPARE(editor.selLength(), 8);
    }
};

QTEST_MAIN(TestPostEditor)
#include "tst_posteditor.moc"
