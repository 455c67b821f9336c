#include "highlight/posthighlighter.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/highlightlayer.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <cmath>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** The format drawn at a document position. */
QTextCharFormat formatAt(PostEditor &editor, int documentPosition)
{
    const QTextBlock block = editor.document()->findBlock(documentPosition);
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (documentPosition - block.position() >= range.start
            && documentPosition - block.position() < range.start + range.length)
            return range.format;
    }
    return {};
}

/** Underlines whole paragraphs and keeps the markup it was given. */
struct UnderlineLayer final : HighlightLayer
{
    QList<QTextLayout::FormatRange> lastMarkup;
    void decorate(const QString &text, const QList<QTextLayout::FormatRange> &markup,
                  QList<QTextLayout::FormatRange> &formats) override
    {
        lastMarkup = markup;
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        formats.append({0, int(text.size()), underline});
    }
};

} // namespace

class TestPostHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void unmatchedClosingTagMarkedAfterEdits()
    {
        PostEditor editor;
        PostHighlighter highlighter(editor.document());
        editor.setText(u"[COLOR=red]\r\nx\r\ny[/COLOR][/B]"_s);
        auto wavy = [&](qsizetype fromEnd) {
            const int at = editor.document()->characterCount() - 1 - int(fromEnd);
            return formatAt(editor, at).underlineStyle() == QTextCharFormat::WaveUnderline;
        };
        QVERIFY(!wavy(10) && wavy(2)); // "[/COLOR]" closes, "[/B]" closes nothing
        QCOMPARE(formatAt(editor, 7).foreground().color(), PostHighlighter::valueColor());
        editor.select(0, 11); // the opening, two paragraphs before its closing
        editor.setSelText(QString());
        QVERIFY(wavy(10));
        editor.undoWithSelection();
        QVERIFY(!wavy(10));
    }

    void drawingChangesNothing()
    {
        // The same start and edits with and without the highlighter give the
        // same text, selection and undo steps.
        QTemporaryDir dir;
        QVERIFY(QFile::copy(qEnvironmentVariable("ZARVELO_SOURCE_DIR") + u"/data/setting.vbe"_s,
                            dir.filePath(u"setting.vbe"_s)));
        QVERIFY(QDir::setCurrent(dir.path()));
        QList<QList<qsizetype>> states;
        QStringList texts;
        for (const bool highlighted : {false, true}) {
            test::ScriptedPlatform platform;
            Form1 form(platform);
            QCOMPARE(form.editor().document()->findChild<PostHighlighter *>(), &form.highlighter());
            if (!highlighted)
                form.highlighter().setDocument(nullptr);
            QVERIFY(form.formLoad());
            QSignalSpy edits(&form.editor(), &PostEditor::textChanged);
            form.show();
            QCoreApplication::processEvents();
            PostEditor &editor = form.editor();
            QList<qsizetype> state{editor.selStart(), editor.selLength(),
                                   editor.document()->availableUndoSteps(), edits.size()};
            editor.setText(u"[QUOTE=Ali]a\r\nb\nc\r[/QUOTE][/B]"_s);
            editor.select(3, 4);
            editor.setSelText(u"[B]x[/B]"_s);
            QTest::keyClicks(&editor, u"[I]y"_s);
            state << editor.selStart() << editor.textLength() << editor.document()->availableUndoSteps();
            editor.undoWithSelection();
            state << editor.selStart() << editor.selLength() << editor.document()->availableUndoSteps();
            states << state;
            texts << editor.text();
        }
        QVERIFY(states[0][1] > 0); // the template's placeholder stays selected
        QCOMPARE(states[1], states[0]);
        QCOMPARE(texts[1], texts[0]);
    }

    void layersDrawOverTheMarkup()
    {
        PostEditor editor;
        PostHighlighter highlighter(editor.document());
        editor.setText(u"[B]a"_s);
        UnderlineLayer layer;
        QSignalSpy changes(editor.document(), &QTextDocument::contentsChange);
        QSignalSpy edits(&editor, &PostEditor::textChanged);
        const bool modified = editor.document()->isModified();
        highlighter.addLayer(&layer); // draws every paragraph again, which is no change of the post
        QVERIFY(changes.isEmpty() && edits.isEmpty() && editor.document()->isModified() == modified);
        QVERIFY(layer.lastMarkup.size() == 1 && layer.lastMarkup[0].length == 3);
        QVERIFY(formatAt(editor, 1).fontUnderline() && formatAt(editor, 3).fontUnderline());
        QCOMPARE(formatAt(editor, 1).foreground().color(),
                 PostHighlighter::tagColor()); // kept under the mark
        highlighter.removeLayer(&layer);
        QVERIFY(!formatAt(editor, 1).fontUnderline() && !formatAt(editor, 3).fontUnderline());
    }

    void coloursReadableOnTheEditor()
    {
        auto luminance = [](const QColor &c) {
            auto channel = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
        };
        const double background = luminance(PostEditor().palette().color(QPalette::Base));
        for (const QColor &color : {PostHighlighter::tagColor(), PostHighlighter::valueColor()})
            QVERIFY2((background + 0.05) / (luminance(color) + 0.05) >= 4.5, qPrintable(color.name()));
    }
};

QTEST_MAIN(TestPostHighlighter)
#include "tst_posthighlighter.moc"
