#include "featuretest.h"
#include "ui/highlightlayer.h"

#include <cmath>

namespace {

const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };

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
    void marksFollowEditsAndLayersDrawOverThem()
    {
        PostEditor editor;
        editor.setText(u"[COLOR=red]\r\nx\r\ny[/COLOR][/B]"_s);
        QTextDocument *doc = editor.document();
        const auto formatAt = [&](int position) {
            const QTextBlock block = doc->findBlock(position);
            const int at = position - block.position();
            for (const QTextLayout::FormatRange &range : block.layout()->formats())
                if (at >= range.start && at < range.start + range.length)
                    return range.format;
            return QTextCharFormat();
        };
        const auto state = [&] { return QList<int>{doc->availableUndoSteps(), doc->isModified()}; };
        const QList<int> before = state();
        QSignalSpy changes(doc, &QTextDocument::contentsChange);
        QSignalSpy edits(&editor, &PostEditor::textChanged);
        // Drawing, at once and later, is no change of the post: nothing watching it hears of one.
        PostHighlighter highlighter(doc);
        auto fromEnd = [&](int back) { return formatAt(doc->characterCount() - 1 - back); };
        auto wavy = [&](int n) { return fromEnd(n).underlineStyle() == QTextCharFormat::WaveUnderline; };
        QVERIFY(!wavy(10));                // "[/COLOR]" closes
        QVERIFY(wavy(2));                  // "[/B]" closes nothing
        QCoreApplication::processEvents(); // where a queued first drawing would run
        UnderlineLayer layer;
        highlighter.addLayer(&layer); // draws every paragraph again
        QVERIFY(changes.isEmpty() && edits.isEmpty());
        QCOMPARE(state(), before); // undo steps, modified
        // The last paragraph's markup was handed to the layer, and its colour is kept under the underline.
        QCOMPARE(layer.lastMarkup.size(), 2);
        QCOMPARE(layer.lastMarkup[0].start, 1);
        QCOMPARE(layer.lastMarkup[0].length, 8);
        QVERIFY(fromEnd(13).fontUnderline() && fromEnd(12).fontUnderline());
        QCOMPARE(fromEnd(12).foreground().color(), PostHighlighter::tagColor());
        highlighter.removeLayer(&layer);
        QVERIFY(!fromEnd(12).fontUnderline() && !fromEnd(13).fontUnderline());

        // An edit draws the paragraphs after it again.
        QCOMPARE(formatAt(7).foreground().color(), PostHighlighter::valueColor());
        editor.select(0, 11); // the opening, two paragraphs before its closing
        editor.setSelText(QString());
        QVERIFY(wavy(10));
        editor.undoWithSelection();
        QVERIFY(!wavy(10));
    }

    void coloursReadableOnTheEditor_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::newRow("tag") << PostHighlighter::tagColor();
        QTest::newRow("value") << PostHighlighter::valueColor();
    }

    void coloursReadableOnTheEditor()
    {
        QFETCH(QColor, color);
        auto luminance = [](const QColor &c) {
            return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
        };
        const double background = luminance(PostEditor().palette().color(QPalette::Base));
        QVERIFY2((background + 0.05) / (luminance(color) + 0.05) >= 4.5, qPrintable(color.name()));
    }
};

QTEST_MAIN(TestPostHighlighter)
#include "tst_posthighlighter.moc"
