#include "highlight/markupscan.h"
#include "livepreview/postcount.h"
#include "search/findstep.h"
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
    void markup()
    {
        const std::pair<QString, QString> rows[] = {
            {u"[b][CENTER]x[/center][/B]"_s, u"<[b]><[CENTER]>x<[/center]><[/B]>"_s},
            {u"[FONT='Arial'][SIZE=4]x[/SIZE][/FONT]"_s,
             u"<[FONT=>{'Arial'}<]><[SIZE=>{4}<]>x<[/SIZE]><[/FONT]>"_s},
            {u"[url=a.html]t[/URL][URL]a[/URL]"_s, u"<[url=>{a.html}<]>t<[/URL]><[URL><]>a<[/URL]>"_s},
            {u"[QUOTE=Ali][img]p[/IMG][/QUOTE][/QUOTE]"_s,
             u"<[QUOTE=>{Ali}<]><[img]>p<[/IMG]><[/QUOTE]>![/QUOTE]!"_s},
            // A close before its open, kinds kept apart, counts carried over paragraphs.
            {u"[/I][B][/I][/B][/B][I]"_s, u"![/I]!<[B]>![/I]!<[/B]>![/B]!<[I]>"_s},
            {u"[CODE][CODE]|[/CODE]|[/CODE][/CODE]"_s, u"<[CODE]><[CODE]>|<[/CODE]>|<[/CODE]>![/CODE]!"_s},
            {u"[COLOR=#FF0000|x [SIZE=4[B]"_s, u"<[COLOR=>{#FF0000}|x <[SIZE=>{4}<[B]>"_s},
            {u"[note] a[1] [/] [BB] [/RIGHT [ı] [İMG]"_s, u"[note] a[1] [/] [BB] [/RIGHT [ı] [İMG]"_s}};
        for (const auto &[post, expected] : rows)
            QCOMPARE(marked(post), expected);
    }

    void countsLimitsAndFindSteps()
    {
        // Characters and lines; CR LF counts two characters.
        const std::tuple<QString, qsizetype, qsizetype> rows[] = {
            {QString(), 0, 1}, {u"a\r\nb\r\n"_s, 6, 3}, {u"a\nb\rc"_s, 5, 3}, {u"\r\r\n\n\r"_s, 5, 5}};
        for (const auto &[post, characters, lines] : rows) {
            const PostCount counted = countPost(post);
            QVERIFY2(counted.characters == characters && counted.lines == lines,
                     qPrintable(post.toUtf8().toHex()));
        }
        QVERIFY(!postCountText({20000, 1}, 20000).contains(QStringLiteral("تنبيه")));
        QCOMPARE(
            postCountText({20001, 3}, 20000),
            QStringLiteral("عدد الأحرف: 20001    عدد الأسطر: 3    تنبيه: المشاركة أطول من 20000 حرف، وفتحها "
                           "من ملف يقطعها عند هذا الحد"));
        // An emoji at the load limit comes in whole.
        const QString file = QString(19999, u'x') + QStringLiteral("😀😀😀");
        const LoadedPost post = limitLoadedPost(file);
        QVERIFY(post.text == file.left(20003) && post.limitPassed);
        // Each find press starts where the last match ended, so overlapping matches are not found twice.
        const FindStep first = findStep(u"aaa", u"aa", 1), second = findStep(u"aaa", u"aa", first.nextStart);
        QVERIFY(first.outcome == FindStep::Found && first.found == 1 && first.nextStart == 3);
        QVERIFY(second.outcome == FindStep::NotFound && second.nextStart == 3);
    }
};

QTEST_APPLESS_MAIN(TestCorePostView)
#include "tst_core_postview.moc"
