#include "ui/posteditor.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

using zarvelo::PostEditor;

class TestPostEditor : public QObject
{
    Q_OBJECT

private slots:
    void keepsLineBreaksExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("crlf") << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("lone lf") << QStringLiteral("a\nb\n\n");
        QTest::newRow("lone cr") << QStringLiteral("a\rb\r");
        QTest::newRow("mixed") << QStringLiteral("\r\n\n\r\r\n\n\rسلام\r\r\nx");
        QTest::newRow("nbsp and tab") << QStringLiteral("a\u00A0b\tc");
    }

    void keepsLineBreaksExactly()
    {
        QFETCH(QString, text);
        PostEditor editor;
        editor.setText(text);
        QCOMPARE(editor.text(), text);
        QCOMPARE(editor.textLength(), text.size());
        editor.selectAll();
        QCOMPARE(editor.selText(), text);
        QCOMPARE(editor.selLength(), text.size());
    }

    void positionsCountExactCharacters()
    {
        PostEditor editor;
        const QString text = QStringLiteral("ab\r\ncd\nef\rgh\r\n\r\nij");
        editor.setText(text);
        // Every position of the text that does not split a CR LF pair is reachable.
        for (qsizetype start = 0; start <= text.size(); ++start) {
            if (start > 0 && text[start - 1] == u'\r' && start < text.size() && text[start] == u'\n')
                continue;
            for (qsizetype end = start; end <= text.size(); ++end) {
                if (end > 0 && text[end - 1] == u'\r' && end < text.size() && text[end] == u'\n')
                    continue;
                editor.select(start, end - start);
                QCOMPARE(editor.selStart(), start);
                QCOMPARE(editor.selLength(), end - start);
                QCOMPARE(editor.selText(), text.mid(start, end - start));
            }
        }
        editor.setSelStart(6);
        QCOMPARE(editor.selLength(), 0);
        editor.setSelLength(1000);
        QCOMPARE(editor.selLength(), text.size() - 6);
        editor.setSelStart(3); // between CR and LF: before the pair
        QCOMPARE(editor.selStart(), 2);
        editor.setSelStart(99);
        QCOMPARE(editor.selStart(), text.size());
    }

    void selectedTextWriteLeavesCaretAfter()
    {
        PostEditor editor;
        editor.setText(QStringLiteral("one\r\ntwo three"));
        editor.select(5, 3); // "two"
        editor.setSelText(QStringLiteral("[B]two\r\n2[/B]"));
        QCOMPARE(editor.text(), QStringLiteral("one\r\n[B]two\r\n2[/B] three"));
        QCOMPARE(editor.selStart(), 5 + 13);
        QCOMPARE(editor.selLength(), 0);
        // Writing at the caret inserts.
        editor.setSelStart(0);
        editor.setSelText(QStringLiteral("\n"));
        QCOMPARE(editor.text(), QStringLiteral("\none\r\n[B]two\r\n2[/B] three"));
        QCOMPARE(editor.selStart(), 1);
    }

    void enterInsertsCrLf()
    {
        PostEditor editor;
        editor.setText(QStringLiteral("ab"));
        editor.setSelStart(1);
        QTest::keyClick(&editor, Qt::Key_Return);
        QCOMPARE(editor.text(), QStringLiteral("a\r\nb"));
        QCOMPARE(editor.selStart(), 3);
        QTest::keyClick(&editor, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(&editor, QStringLiteral("x"));
        QCOMPARE(editor.text(), QStringLiteral("a\r\n\r\nxb"));
    }

    void undoRestoresTextAndSelection()
    {
        PostEditor editor;
        editor.setText(QStringLiteral("one two\r\nthree"));
        editor.document()->clearUndoRedoStacks();
        editor.select(4, 8); // "two\r\nthr"
        editor.setSelText(QStringLiteral("[B]two\r\nthr[/B]"));
        editor.select(4, 15);
        QTest::keyClicks(&editor, QStringLiteral("z"));
        QCOMPARE(editor.text(), QStringLiteral("one zee"));

        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier); // the typing
        QCOMPARE(editor.text(), QStringLiteral("one [B]two\r\nthr[/B]ee"));
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier); // the programmatic change
        QCOMPARE(editor.text(), QStringLiteral("one two\r\nthree"));
        QCOMPARE(editor.selStart(), 4);
        QCOMPARE(editor.selLength(), 8);
    }

    void pasteKeepsLineBreaks()
    {
        PostEditor editor;
        editor.setText(QStringLiteral("[]"));
        editor.setSelStart(1);
        QApplication::clipboard()->setText(QStringLiteral("a\nb\r\nc\rd"));
        editor.paste();
        QCOMPARE(editor.text(), QStringLiteral("[a\nb\r\nc\rd]"));
        editor.select(1, 8);
        editor.copy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\nb\r\nc\rd"));
    }
};

QTEST_MAIN(TestPostEditor)
#include "tst_posteditor.moc"
