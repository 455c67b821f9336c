#include "literalconversion.h"
#include "preview/conversion.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

// The HTML of quotes and code blocks as the forum writes it, lone apostrophes and unclosed tags included.
const QString kQuote =
    u"<div align='right' style='margin-left: 20px; margin-right: 20px; margin-top: 5px; "
    u"margin-bottom: 20px'><div class='smallfont' style='margin-bottom: 2px'>إقتباس:</div>"
    u"<table cellSpacing='0' cellPadding='6' width='90%' border='0'><tr><td class='alt2' "
    u"style='border: 1px inset' bgcolor='#C0C0C0'><div><strong><div style='font-style: italic'>"_s;
const QString kQuoteEnd = u"</div></td></tr></table></div>"_s;
const QString kOpen =
    u"<div style='margin-left: 20px; margin-right: 20px; margin-top: 5px; margin-bottom: 20px'>"
    u"<div class='smallfont' style='margin-bottom: 2px'>إقتباس:</div><table cellSpacing='0' "
    u"cellPadding='6' width='90%' border='0'><tr><td class='alt2' style='border: 1px inset' "
    u"bgcolor='#C0C0C0'><div>المشاركة الأصلية بواسطة:<strong>"_s;
const QString kName = u"</strong></div><div style='font-style: italic'>"_s;
// A code block's opening after its caption.
const QString kBlock =
    u"<div align='left'><table border='1' cellpadding='5' cellspacing='5' style='border-collapse: "
    u"collapse' bordercolor='#111111' width='100%' id='AutoNumber1' bgcolor=#C0C0C0'><tr>"
    u"<td bgcolor='#C0C0C0' align=left width='100%'>"_s;
const QString kBlockEnd = u"</td></tr></table></div>"_s;

// Tags whole, cut short, in mixed case; named quotes, stray brackets, breaks, Arabic, case-folding letters.
QString randomPost(QRandomGenerator &random)
{
    static const QStringList others = {"[",       "]",           "]",      "\r\n",    "\r",      "\n",
                                       " ",       "=",           "Ali",    "مرحبا",   "<&>'\"",  "😀",
                                       "[ſIZE=",  "[lin\u212A]", "[note]", "#FF0000", "'Arial'", "[/",
                                       "[QUOTE=", "[QUOTE=",     "[quote="};
    const auto &rules = conversionRules();
    QString text;
    for (int t = int(random.bounded(48)); t > 0; --t) {
        const quint32 pick = random.bounded(quint32(rules.size() + others.size()));
        QString token = pick < others.size() ? others[pick] : rules[pick - others.size()].markup.toString();
        if (random.bounded(10) == 0) // cut short: "[QUO", "[/CEN"
            token.truncate(qsizetype(random.bounded(quint32(token.size()))));
        for (QChar &c : token)
            c = c.unicode() < 128 && random.bounded(2) ? (c.isUpper() ? c.toLower() : c.toUpper()) : c;
        text += token;
    }
    return text;
}

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void convertsAsTheForum_data()
    {
        QTest::addColumn<QString>("post");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bold, any case") << u"[b]x[/B] [B]<y & \"z\">"_s << u"<b>x</b> <b><y & \"z\">"_s;
        QTest::newRow("font, size, colour")
            << u"[FONT='A'][SIZE=4][COLOR=#FF0000]x[/COLOR][/SIZE][/FONT]"_s
            << u"<font face='A'><font size=4><font color=#FF0000>x</font></font></font>"_s;
        QTest::newRow("links and pictures") << u"[URL=p]a[/URL][url]b[/URL][img]c.gif[/img][IMG]d[/IMG]"_s
                                            << u"<a href=p>a</a><a href>b</a><img src=c.gif><img src=d>"_s;
        QTest::newRow("code blocks") << u"[CODE][B]x[/B][/CODE][html]<p>[/html][Php]$a[/pHp]"_s
                                     << u"<br>كود:"_s + kBlock + u"<b>x</b>"_s + kBlockEnd
                + u"<br>كود HTML:"_s + kBlock + u"<p>"_s + kBlockEnd + u"<br>كود PHP:"_s + kBlock + u"$a"_s
                + kBlockEnd;
        QTest::newRow("alignment")
            << u"[center]a[/center][LEFT]b[/LEFT][Right][i]c[/i][u]د[/u]"_s
            << u"<p align='center'>a</p><p align='left'>b</p><p align='right'><i>c</i><u>د</u>"_s;
        QTest::newRow("CR LF keeps its LF, a lone LF passes") << u"a\r\nb\nc\rd"_s << u"a<br>\nb\nc<br>d"_s;
        QTest::newRow("non-ASCII makes no tag")
            << u"[\u017FIZE=3]x[\u0130MG]"_s << u"[\u017FIZE=3>x[\u0130MG>"_s;
        QTest::newRow("plain and named quote")
            << u"[QUOTE]a[/QUOTE][qUoTe=Ali]b[/quote]"_s
            << kQuote + u"a"_s + kQuoteEnd + kOpen + u"Ali"_s + kName + u"b"_s + kQuoteEnd;
        // A "[QUOTE=" inside a quoted name is found too; its name ends at the next "]" not yet taken.
        QTest::newRow("quote in a name")
            << u"[QUOTE=a[QUOTE=b[QUOTE=c]x]y"_s
            << kOpen + u"a"_s + kOpen + u"b"_s + kOpen + u"c"_s + kName + u"x"_s + kName + u"y"_s;
        QTest::newRow("name without ] ends the step")
            << u"[QUOTE=a]x[QUOTE=b [quote=c"_s << kOpen + u"a"_s + kName + u"x"_s + kOpen + u"b [quote=c"_s;
        QTest::newRow("tag in a name") << u"[QUOTE=a[B]b[/B]"_s << kOpen + u"a[B"_s + kName + u"b</b>"_s;
        QTest::newRow("plain quote in a name")
            << u"[QUOTE=[QUOTE]]"_s << kOpen + u"[QUOTE"_s + kName + u">"_s;
        QTest::newRow("break in a name") << u"[QUOTE=a\r\nb]c"_s << kOpen + u"a<br>\nb"_s + kName + u"c"_s;
    }

    void convertsAsTheForum()
    {
        QFETCH(QString, post);
        QFETCH(QString, expected);
        QCOMPARE(convertMarkupToHtml(post), expected);
        QCOMPARE(test::literalConversion(post), expected);
        convertMarkupToHtml(post, post); // into the post's own string
        QCOMPARE(post, expected);
    }

    void convertsLikeTheLiteralConversion()
    {
        // A fixed seed keeps a failure reproducible; ZARVELO_SEED tries others.
        const QByteArray given = qgetenv("ZARVELO_SEED");
        const quint32 seed = given.isEmpty() ? 20240417u : given.toUInt();
        QRandomGenerator random(seed);
        QString reused = QStringLiteral("stale text that must not show ").repeated(40); // memory reused
        for (int n = 0; n < 6000; ++n) {
            const QString post = randomPost(random);
            convertMarkupToHtml(post, reused);
            QVERIFY2(reused == test::literalConversion(post),
                     qPrintable(QStringLiteral("seed %1, post %2: \"%3\"").arg(seed).arg(n).arg(post)));
        }
    }

    void convertsInBlocks()
    {
        // Many blocks, a plain run longer than a block, named quotes whose names end blocks later.
        QRandomGenerator random(7);
        QString post = QStringLiteral("[QUOTE=a") + QString(70000, u'x') + QStringLiteral("]b");
        while (post.size() < 400000)
            post += randomPost(random);
        QString joined;
        int blocks = 0;
        QVERIFY(convertMarkupToHtmlInBlocks(post, [&](QStringView block) {
            joined += block;
            return !block.isEmpty() && ++blocks > 0;
        }));
        QVERIFY(blocks > 10);
        QCOMPARE(joined, convertMarkupToHtml(post));
        int calls = 0; // a sink that refuses a block gets nothing more
        QVERIFY(!convertMarkupToHtmlInBlocks(post, [&](QStringView) { return ++calls < 3; }));
        QCOMPARE(calls, 3);
    }
};

QTEST_APPLESS_MAIN(TestConversion)
#include "tst_core_conversion.moc"
