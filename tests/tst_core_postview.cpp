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
        QTest::newRow("any case") << "[b]x[/B]"
                                  << "<[b]>x<[/B]>";
        QTest::newRow("nested") << "[CENTER][U]x[/u][/CENTER]"
                                << "<[CENTER]><[U]>x<[/u]><[/CENTER]>";
        QTest::newRow("font value") << "[FONT='Arial']x[/FONT]"
                                    << "<[FONT=>{'Arial'}<]>x<[/FONT]>";
        QTest::newRow("colour and size") << "[COLOR=#FF0000][SIZE=4]x[/SIZE][/COLOR]"
                                         << "<[COLOR=>{#FF0000}<]><[SIZE=>{4}<]>x<[/SIZE]><[/COLOR]>";
        QTest::newRow("link with address") << "[url=a.html]t[/URL]"
                                           << "<[url=>{a.html}<]>t<[/URL]>";
        QTest::newRow("link without") << "[URL]a[/URL]"
                                      << "<[URL><]>a<[/URL]>";
        QTest::newRow("image") << "[img]p.gif[/IMG]"
                               << "<[img]>p.gif<[/IMG]>";
        QTest::newRow("named quote") << "[QUOTE=Ali]hi[/QUOTE][/QUOTE]"
                                     << "<[QUOTE=>{Ali}<]>hi<[/QUOTE]>![/QUOTE]!";
        QTest::newRow("plain quote") << "[QUOTE]a[/quote]"
                                     << "<[QUOTE]>a<[/quote]>";
        QTest::newRow("code kinds") << "[CODE][HTML][PHP][/PHP][/HTML][/CODE]"
                                    << "<[CODE]><[HTML]><[PHP]><[/PHP]><[/HTML]><[/CODE]>";
        QTest::newRow("close before open") << "[/I][I]"
                                           << "![/I]!<[I]>";
        QTest::newRow("other kind open") << "[B][/I][/B][/B]"
                                         << "<[B]>![/I]!<[/B]>![/B]!";
        QTest::newRow("open carried on") << "[B]a|b[/B]|[/B]"
                                         << "<[B]>a|b<[/B]>|![/B]!";
        QTest::newRow("two opens, two closes") << "[LEFT][LEFT]|[/LEFT]|[/LEFT][/LEFT]"
                                               << "<[LEFT]><[LEFT]>|<[/LEFT]>|<[/LEFT]>![/LEFT]!";
        QTest::newRow("value to the end") << "[COLOR=#FF0000|x"
                                          << "<[COLOR=>{#FF0000}|x";
        QTest::newRow("tag inside a value") << "[SIZE=4[B]"
                                            << "<[SIZE=>{4}<[B]>";
        QTest::newRow("empty value") << "[FONT=]"
                                     << "<[FONT=><]>";
        QTest::newRow("not markup") << "[note] a[1] [ b ] [/] [BB] [/RIGHT"
                                    << "[note] a[1] [ b ] [/] [BB] [/RIGHT";
        QTest::newRow("ASCII case only") << "[ı]x[/ı] [İMG]"
                                         << "[ı]x[/ı] [İMG]";
        QTest::newRow("empty") << ""
                               << "";
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
        QTest::newRow("CR LF counts two") << "a\r\nb" << qsizetype(4) << qsizetype(2);
        QTest::newRow("lone LF and CR") << "a\nb\rc" << qsizetype(5) << qsizetype(3);
        QTest::newRow("CR before CR LF") << "\r\r\n" << qsizetype(3) << qsizetype(3);
        QTest::newRow("LF CR is two") << "\n\r" << qsizetype(2) << qsizetype(3);
        QTest::newRow("ends in a break") << "ab\r\n" << qsizetype(4) << qsizetype(2);
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
        const QString atLimit = postCountText({20000, 1}, 20000);
        const QString above = postCountText({20001, 3}, 20000);
        QVERIFY(atLimit.contains(QStringLiteral("20000")) && !atLimit.contains(QStringLiteral("تنبيه")));
        QVERIFY(above.contains(QStringLiteral("20001")) && above.contains(QStringLiteral("3")));
        QVERIFY(above.contains(QStringLiteral("تنبيه: المشاركة أطول من 20000 حرف")));
    }
};

QTEST_APPLESS_MAIN(TestCorePostView)
#include "tst_core_postview.moc"
