#include "highlight/markupscan.h"
#include "livepreview/postcount.h"

#include <QTest>

using namespace zarvelo;

namespace {

// Paragraphs joined by "|"; in the result a tag stands in <>, a value in {}
// and a closing tag that closes nothing in !!.
QString marked(const QString &post)
{
    OpenTagCounts open{};
    QStringList paragraphs;
    for (const QString &paragraph : post.split(u'|')) {
        QList<MarkupSpan> spans;
        scanMarkup(paragraph, open, spans);
        QString out;
        qsizetype at = 0;
        for (const MarkupSpan &span : spans) {
            const char *marks = span.kind == MarkupKind::Tag ? "<>"
                : span.kind == MarkupKind::Value             ? "{}"
                                                             : "!!";
            out += paragraph.mid(at, span.start - at) + QLatin1Char(marks[0])
                + paragraph.mid(span.start, span.length) + QLatin1Char(marks[1]);
            at = span.start + span.length;
        }
        paragraphs << out + paragraph.mid(at);
    }
    return paragraphs.join(u'|');
}

} // namespace

class TestCorePostView : public QObject
{
    Q_OBJECT

private slots:
    void markup_data()
    {
        QTest::addColumn<QString>("post");
        QTest::addColumn<QString>("expected");
        QTest::newRow("any case, nested") << "[b][CENTER]x[/center][/B]"
                                          << "<[b]><[CENTER]>x<[/center]><[/B]>";
        QTest::newRow("valued") << "[FONT='Arial'][SIZE=4]x[/SIZE][/FONT]"
                                << "<[FONT=>{'Arial'}<]><[SIZE=>{4}<]>x<[/SIZE]><[/FONT]>";
        QTest::newRow("links") << "[url=a.html]t[/URL][URL]a[/URL]"
                               << "<[url=>{a.html}<]>t<[/URL]><[URL><]>a<[/URL]>";
        QTest::newRow("quote and image") << "[QUOTE=Ali][img]p[/IMG][/QUOTE][/QUOTE]"
                                         << "<[QUOTE=>{Ali}<]><[img]>p<[/IMG]><[/QUOTE]>![/QUOTE]!";
        QTest::newRow("close before open") << "[/I][I]"
                                           << "![/I]!<[I]>";
        QTest::newRow("kinds kept apart") << "[B][/I][/B][/B]"
                                          << "<[B]>![/I]!<[/B]>![/B]!";
        QTest::newRow("carried over paragraphs") << "[CODE][CODE]|[/CODE]|[/CODE][/CODE]"
                                                 << "<[CODE]><[CODE]>|<[/CODE]>|<[/CODE]>![/CODE]!";
        QTest::newRow("value to the end") << "[COLOR=#FF0000|x"
                                          << "<[COLOR=>{#FF0000}|x";
        QTest::newRow("tag inside a value") << "[SIZE=4[B]"
                                            << "<[SIZE=>{4}<[B]>";
        QTest::newRow("not markup") << "[note] a[1] [/] [BB] [/RIGHT [ı] [İMG]"
                                    << "[note] a[1] [/] [BB] [/RIGHT [ı] [İMG]";
    }

    void markup()
    {
        QFETCH(QString, post);
        QFETCH(QString, expected);
        QCOMPARE(marked(post), expected);
    }

    void count_data()
    {
        QTest::addColumn<QString>("post");
        QTest::addColumn<qsizetype>("characters");
        QTest::addColumn<qsizetype>("lines");
        QTest::newRow("empty") << "" << qsizetype(0) << qsizetype(1);
        QTest::newRow("CR LF counts two") << "a\r\nb\r\n" << qsizetype(6) << qsizetype(3);
        QTest::newRow("lone LF and CR") << "a\nb\rc" << qsizetype(5) << qsizetype(3);
        QTest::newRow("CR before CR LF, LF CR") << "\r\r\n\n\r" << qsizetype(5) << qsizetype(5);
    }

    void count()
    {
        QFETCH(QString, post);
        QFETCH(qsizetype, characters);
        QFETCH(qsizetype, lines);
        const PostCount counted = countPost(post);
        QCOMPARE(counted.characters, characters);
        QCOMPARE(counted.lines, lines);
    }

    void warningAboveTheLoadLimit()
    {
        QVERIFY(!postCountText({20000, 1}, 20000).contains(QStringLiteral("تنبيه")));
        QCOMPARE(
            postCountText({20001, 3}, 20000),
            QStringLiteral("عدد الأحرف: 20001    عدد الأسطر: 3    تنبيه: المشاركة أطول من 20000 حرف، وفتحها "
                           "من ملف يقطعها عند هذا الحد"));
    }
};

QTEST_APPLESS_MAIN(TestCorePostView)
#include "tst_core_postview.moc"
