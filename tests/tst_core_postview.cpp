#include "highlight/markupscan.h"
#include "livepreview/postcount.h"

#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

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
        QTest::newRow("any case, nested")
            << u"[b][CENTER]x[/center][/B]"_s << u"<[b]><[CENTER]>x<[/center]><[/B]>"_s;
        QTest::newRow("valued") << u"[FONT='Arial'][SIZE=4]x[/SIZE][/FONT]"_s
                                << u"<[FONT=>{'Arial'}<]><[SIZE=>{4}<]>x<[/SIZE]><[/FONT]>"_s;
        QTest::newRow("links") << u"[url=a.html]t[/URL][URL]a[/URL]"_s
                               << u"<[url=>{a.html}<]>t<[/URL]><[URL><]>a<[/URL]>"_s;
        QTest::newRow("quote and image") << u"[QUOTE=Ali][img]p[/IMG][/QUOTE][/QUOTE]"_s
                                         << u"<[QUOTE=>{Ali}<]><[img]>p<[/IMG]><[/QUOTE]>![/QUOTE]!"_s;
        QTest::newRow("close before open, kinds kept apart")
            << u"[/I][B][/I][/B][/B][I]"_s << u"![/I]!<[B]>![/I]!<[/B]>![/B]!<[I]>"_s;
        QTest::newRow("carried over paragraphs")
            << u"[CODE][CODE]|[/CODE]|[/CODE][/CODE]"_s << u"<[CODE]><[CODE]>|<[/CODE]>|<[/CODE]>![/CODE]!"_s;
        QTest::newRow("value to the end, tag inside a value")
            << u"[COLOR=#FF0000|x [SIZE=4[B]"_s << u"<[COLOR=>{#FF0000}|x <[SIZE=>{4}<[B]>"_s;
        QTest::newRow("not markup") << u"[note] a[1] [/] [BB] [/RIGHT [ı] [İMG]"_s
                                    << u"[note] a[1] [/] [BB] [/RIGHT [ı] [İMG]"_s;
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
        QTest::newRow("empty") << QString() << qsizetype(0) << qsizetype(1);
        QTest::newRow("CR LF counts two") << u"a\r\nb\r\n"_s << qsizetype(6) << qsizetype(3);
        QTest::newRow("lone LF and CR") << u"a\nb\rc"_s << qsizetype(5) << qsizetype(3);
        QTest::newRow("CR before CR LF, LF CR") << u"\r\r\n\n\r"_s << qsizetype(5) << qsizetype(5);
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
