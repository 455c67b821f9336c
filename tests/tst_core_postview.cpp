#include "highlight/markupscan.h"
#include "livepreview/postcount.h"
#include "shell/postfile.h"

#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

// Paragraphs joined by "|"; marked: a tag in <>, a value in {}, a closing tag that closes nothing in !!.
QString marked(const QString &post)
{
    OpenTagCounts open{};
    QStringList paragraphs;
    for (const QString &paragraph : post.split(u'|')) {
        QList<MarkupSpan> spans;
        scanMarkup(paragraph, open, spans);
        QString out = paragraph; // marked from the last span back, so earlier positions still hold
        for (auto s = spans.crbegin(); s != spans.crend(); ++s) {
            const char *marks = s->kind == MarkupKind::Tag ? "<>"
                : s->kind == MarkupKind::Value             ? "{}"
                                                           : "!!";
            out.insert(s->start + s->length, QLatin1Char(marks[1])).insert(s->start, QLatin1Char(marks[0]));
        }
        paragraphs << out;
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
        // clang-format off
        QTest::newRow("tags") << u"[b][CENTER]x[/center][/B]"_s << u"<[b]><[CENTER]>x<[/center]><[/B]>"_s;
        QTest::newRow("values") << u"[FONT='Arial'][SIZE=4]x[/SIZE][/FONT]"_s << u"<[FONT=>{'Arial'}<]><[SIZE=>{4}<]>x<[/SIZE]><[/FONT]>"_s;
        QTest::newRow("links") << u"[url=a.html]t[/URL][URL]a[/URL]"_s << u"<[url=>{a.html}<]>t<[/URL]><[URL><]>a<[/URL]>"_s;
        QTest::newRow("a close too many") << u"[QUOTE=Ali][img]p[/IMG][/QUOTE][/QUOTE]"_s
                                          << u"<[QUOTE=>{Ali}<]><[img]>p<[/IMG]><[/QUOTE]>![/QUOTE]!"_s;
        QTest::newRow("close before open, kinds apart") << u"[/I][B][/I][/B][/B][I]"_s << u"![/I]!<[B]>![/I]!<[/B]>![/B]!<[I]>"_s;
        QTest::newRow("values cut short") << u"[COLOR=#FF0000|x [SIZE=4[B]"_s << u"<[COLOR=>{#FF0000}|x <[SIZE=>{4}<[B]>"_s;
        QTest::newRow("no tags") << u"[note] a[1] [/] [BB] [/RIGHT [ı] [İMG]"_s << u"[note] a[1] [/] [BB] [/RIGHT [ı] [İMG]"_s;
        // clang-format on
    }

    void markup()
    {
        QFETCH(QString, post);
        QFETCH(QString, expected);
        QCOMPARE(marked(post), expected);
    }

    void counts_data()
    {
        // CR LF counts two characters.
        QTest::addColumn<QString>("post");
        QTest::addColumn<qsizetype>("characters");
        QTest::addColumn<qsizetype>("lines");
        QTest::newRow("empty") << QString() << qsizetype(0) << qsizetype(1);
        QTest::newRow("mixed breaks") << u"\r\r\n\n\r"_s << qsizetype(5) << qsizetype(5);
    }

    void counts()
    {
        QFETCH(QString, post);
        QFETCH(qsizetype, characters);
        QFETCH(qsizetype, lines);
        const PostCount counted = countPost(post);
        QCOMPARE(counted.characters, characters);
        QCOMPARE(counted.lines, lines);
    }

    void limits()
    {
        QVERIFY(!postCountText({20000, 1}, 20000, 20000).contains(QStringLiteral("تنبيه")));
        QCOMPARE(postCountText({20001, 3}, 20000, 30000),
                 QStringLiteral(
                     "عدد الأحرف: \u206620001 / 30000\u2069    عدد الأسطر: 3    تنبيه: المشاركة أطول من "
                     "20000 حرف، وفتحها من ملف يقطعها عند هذا الحد"));
        QCOMPARE(postCountText({10005, 2}, 20000, 10000),
                 QStringLiteral(
                     "عدد الأحرف: \u206610005 / 10000\u2069    عدد الأسطر: 2    تنبيه: المشاركة أطول من "
                     "حد المنتدى بـ 5 حرف"));
        // An emoji at the load limit comes in whole.
        const QString file = QString(19999, u'x') + QStringLiteral("😀😀😀");
        const LoadedPost post = limitLoadedPost(file);
        QVERIFY(post.text == file.left(20003) && post.limitPassed);
        const LoadedPost lines = limitLoadedPost(QString(15000, u'\n'));
        QCOMPARE(lines.text, QStringLiteral("\r\n").repeated(10001));
        QVERIFY(lines.limitPassed);
        QVERIFY(lines.cut);
    }
};

QTEST_APPLESS_MAIN(TestCorePostView)
#include "tst_core_postview.moc"
