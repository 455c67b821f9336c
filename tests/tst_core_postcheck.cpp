#include "postcheck/postcheck.h"

#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

// One problem as a row reads: line, text concerned, what is wrong, and the
// post its fix gives ("-": none).
QStringList rows(const QString &post, const ForumLimits &limits)
{
    QStringList out;
    for (const PostProblem &p : checkPost(post, limits).problems) {
        const QString fixed = p.fix ? withEdits(post, {*p.fix}) : u"-"_s;
        const QString text = post.mid(p.start, p.length);
        out << u"%1|%2|%3|%4"_s.arg(p.line).arg(text, problemDescription(p, limits), fixed);
    }
    return out;
}

const QString kTemplate = u"[FONT='Tahoma'][CENTER][SIZE=4][B][COLOR=0000FF]\r\nبسم الله الرحمن الرحيم\r\n"
                          u"[/FONT][/CENTER][/SIZE][/B][/COLOR]"_s;

} // namespace

class TestCorePostCheck : public QObject
{
    Q_OBJECT

private slots:
    void problems_data()
    {
        QTest::addColumn<QString>("post");
        QTest::addColumn<QStringList>("expected");
        const QString unclosed = u"وسم مفتوح لا يُغلق، فكل ما بعده يأخذ تنسيقه"_s;
        QTest::newRow("unclosed, closed at its paragraph's end")
            << u"a [B]bold\r\nnext"_s << QStringList{u"1|[B]|"_s + unclosed + u"|a [B]bold[/B]\r\nnext"_s};
        QTest::newRow("unclosed with nothing after it, taken away")
            << u"x [I]\nnext"_s << QStringList{u"1|[I]|"_s + unclosed + u"|x \nnext"_s};
        QTest::newRow("unclosed, closed before a right pair that runs on")
            << u"[B]a [I]b\r\nc[/I]"_s << QStringList{u"1|[B]|"_s + unclosed + u"|[B]a [/B][I]b\r\nc[/I]"_s};
        QTest::newRow("unclosed inside unclosed: innermost closed first")
            << u"[B]a [img]http://x.png"_s
            << QStringList{u"1|[B]|"_s + unclosed + u"|[B]a [img]http://x.png[/img][/B]"_s,
                           u"1|[img]|"_s + unclosed + u"|[B]a [img]http://x.png[/img]"_s};
        QTest::newRow("Arabic with harakat, tatweel and an emoji")
            << u"[B]مَرْحَبـــا 😀"_s << QStringList{u"1|[B]|"_s + unclosed + u"|[B]مَرْحَبـــا 😀[/B]"_s};
        QTest::newRow("stray closing tag, after lines of three kinds")
            << u"a\rb\nc\r\n[/u] x"_s
            << QStringList{u"4|[/u]|وسم إغلاق لا يسبقه وسم مفتوح من نوعه|a\rb\nc\r\n x"_s};
        QTest::newRow("closed in the wrong order")
            << u"[B][I]x[/B][/I]"_s
            << QStringList{u"1|[/B][/I]|وسوم إغلاق ليست بعكس ترتيب فتحها|[B][I]x[/I][/B]"_s};
        QTest::newRow("the template: its colour and its closing order")
            << kTemplate
            << QStringList{u"1|[COLOR=0000FF]|لون لا يعرفه المنتدى: اكتبه # وست خانات ست عشرية أو اسم لون|"
                           u"[FONT='Tahoma'][CENTER][SIZE=4][B][COLOR=#0000FF]\r\nبسم الله الرحمن الرحيم\r\n"
                           u"[/FONT][/CENTER][/SIZE][/B][/COLOR]"_s,
                           u"3|[/FONT][/CENTER][/SIZE][/B][/COLOR]|وسوم إغلاق ليست بعكس ترتيب فتحها|"
                           u"[FONT='Tahoma'][CENTER][SIZE=4][B][COLOR=0000FF]\r\nبسم الله الرحمن الرحيم\r\n"
                           u"[/COLOR][/B][/SIZE][/CENTER][/FONT]"_s};
        QTest::newRow("closed before a tag opened inside it, text between")
            << u"[B]a[I]b[/B]c[/I]"_s << QStringList{u"1|[/B]|أُغلق قبل \u2066[I]\u2069 المفتوح بعده|-"_s};
        QTest::newRow("empty pair, with an empty pair inside")
            << u"x[B][I][/I][/B]y"_s << QStringList{u"1|[B][I][/I][/B]|وسمان لا شيء بينهما|xy"_s};
        QTest::newRow("colour that is no colour")
            << u"[COLOR=#GG0000]x[/COLOR]"_s
            << QStringList{
                   u"1|[COLOR=#GG0000]|لون لا يعرفه المنتدى: اكتبه # وست خانات ست عشرية أو اسم لون|-"_s};
        QTest::newRow("size outside 1 to 7")
            << u"[SIZE=8]x[/SIZE]"_s << QStringList{u"1|[SIZE=8]|حجم خارج المدى من 1 إلى 7|-"_s};
        QTest::newRow("font name with a lone quote")
            << u"[FONT='Arial]x[/FONT]"_s
            << QStringList{u"1|[FONT='Arial]|علامة تنصيص بلا مقابل في اسم الخط|-"_s};
        QTest::newRow("link with spaces")
            << u"[URL=http://a b]x[/URL]"_s << QStringList{u"1|http://a b|في عنوان الرابط مسافات|-"_s};
        const QString noScheme = u"عنوان الرابط لا يبدأ بـ http أو https أو ftp أو mailto"_s;
        QTest::newRow("link without a scheme")
            << u"[URL=www.x.com]x[/URL]"_s
            << QStringList{u"1|www.x.com|"_s + noScheme + u"|[URL=http://www.x.com]x[/URL]"_s};
        QTest::newRow("link as its own text, without a scheme")
            << u"[url]x.com/a[/url]"_s
            << QStringList{u"1|x.com/a|"_s + noScheme + u"|[url]http://x.com/a[/url]"_s};
        QTest::newRow("link to a script: no obvious fix")
            << u"[URL=javascript:go()]x[/URL]"_s << QStringList{u"1|javascript:go()|"_s + noScheme + u"|-"_s};
        const QString image = u"عنوان الصورة لا يبدأ بـ http أو https"_s;
        QTest::newRow("image from ftp")
            << u"[img]ftp://x/p.gif[/img]"_s << QStringList{u"1|ftp://x/p.gif|"_s + image + u"|-"_s};
        QTest::newRow("image without a scheme")
            << u"[IMG]x/p.gif[/IMG]"_s
            << QStringList{u"1|x/p.gif|"_s + image + u"|[IMG]http://x/p.gif[/IMG]"_s};
        QTest::newRow("fourth quote inside quotes")
            << u"[QUOTE][QUOTE=a][QUOTE]\r\n[QUOTE]x[/QUOTE][/QUOTE][/QUOTE][/QUOTE]"_s
            << QStringList{u"2|[QUOTE]|اقتباس داخل اقتباس أعمق من \u20683\u2069 مستويات|-"_s};
        QTest::newRow("right tags, names and addresses")
            << u"[color=Red]x[/color] [URL=mailto:a@b.c]m[/URL] [img]https://x/y.png[/img] [SIZE=7][FONT=\"A "
               u"b\"]"
               u"y[/FONT][/SIZE] [URL=localhost:8080]z[/URL]"_s
            << QStringList{u"1|localhost:8080|"_s + noScheme
                           + u"|[color=Red]x[/color] [URL=mailto:a@b.c]m[/URL] "
                             u"[img]https://x/y.png[/img] [SIZE=7][FONT=\"A b\"]y[/FONT][/SIZE] "
                             u"[URL=http://localhost:8080]z[/URL]"_s};
    }

    void problems()
    {
        QFETCH(QString, post);
        QFETCH(QStringList, expected);
        QCOMPARE(rows(post, {}), expected);
    }

    void lengthAgainstTheForumsLimit()
    {
        const ForumLimits limits{6, 3};
        QVERIFY(rows(u"ab\r\ncd"_s, limits).isEmpty());
        QCOMPARE(rows(u"ab\r\ncd\r\nef"_s, limits),
                 QStringList{
                     u"2|\r\nef|المشاركة أطول من حد المنتدى (\u20686\u2069 حرف) بـ \u20684\u2069 حرف|-"_s});
    }

    void everythingFixed_data()
    {
        QTest::addColumn<QString>("post");
        QTest::addColumn<QString>("fixed");
        QTest::newRow("the template")
            << kTemplate
            << u"[FONT='Tahoma'][CENTER][SIZE=4][B][COLOR=#0000FF]\r\nبسم الله الرحمن "
               u"الرحيم\r\n[/COLOR][/B][/SIZE][/CENTER][/FONT]"_s;
        QTest::newRow("put in order, then found empty") << u"a[B][I][/B][/I]b"_s << u"ab"_s;
        QTest::newRow("closed, stray taken away, unfixable kept")
            << u"[B]x [I]\r\n[/U][SIZE=9]y[/SIZE]"_s << u"[B]x [/B]\r\n[SIZE=9]y[/SIZE]"_s;
        QTest::newRow("empty link: taken away, not given a scheme") << u"[URL=a.com][/URL]"_s << QString();
    }

    void everythingFixed()
    {
        QFETCH(QString, post);
        QFETCH(QString, fixed);
        QCOMPARE(withEdits(post, fixEverything(post, {})), fixed);
    }
};

QTEST_APPLESS_MAIN(TestCorePostCheck)
#include "tst_core_postcheck.moc"
