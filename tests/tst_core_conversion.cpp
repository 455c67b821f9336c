#include "literalconversion.h"
#include "preview/conversion.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zarvelo;

namespace {

const QString kOpen = namedQuoteOpening().toString();
const QString kName = namedQuoteNameClose().toString();
QString html(int row)
{
    return conversionRules()[size_t(row - 1)].html.toString();
}

/** A post to trip the conversion: tags whole, cut short and in mixed case, named quotes, stray
    brackets, line breaks, Arabic, and letters outside ASCII that fold to ASCII ones in Unicode. */
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
    void converts_data();
    void converts();
    void matchesTheLiteralConversionOnRandomPosts();
    void blocksMakeTheSameHtml();
};

void TestConversion::converts_data()
{
    QTest::addColumn<QString>("post");
    QTest::addColumn<QString>("expected");
    QTest::newRow("case, lone tags, HTML") << "[b]x[/B] [B]<y & \"z\">"
                                           << "<b>x</b> <b><y & \"z\">";
    QTest::newRow("values kept") << "[FONT='A'][SIZE=4][COLOR=#FF0000]x[/COLOR][/SIZE][/FONT]"
                                 << "<font face='A'><font size=4><font color=#FF0000>x</font></font></font>";
    QTest::newRow("links, images") << "[URL=p]a[/URL][url]b[/URL][img]c.gif[/img][IMG]d[/IMG]"
                                   << "<a href=p>a</a><a href>b</a><img src=c.gif><img src=d>";
    QTest::newRow("every ] left becomes >") << "a[1] [note]"
                                            << "a[1> [note>";
    QTest::newRow("code blocks") << "[CODE][B]x[/B][/CODE][html]<p>[/html][Php]$a[/pHp]"
                                 << html(3) + "<b>x</b>" + html(4) + html(5) + "<p>" + html(6) + html(7)
            + "$a" + html(8);
    QTest::newRow("alignment, italic, underline")
        << "[center]a[/center][LEFT]b[/LEFT][Right][i]c[/i][u]د[/u]"
        << "<p align='center'>a</p><p align='left'>b</p><p align='right'><i>c</i><u>د</u>";
    QTest::newRow("CR LF keeps its LF, a lone LF passes") << "a\r\nb\nc\rd"
                                                          << "a<br>\nb\nc<br>d";
    QTest::newRow("empty post") << ""
                                << "";
    QTest::newRow("non-ASCII makes no tag") << "[\u017FIZE=3]x[\u0130MG]"
                                            << "[\u017FIZE=3>x[\u0130MG>";
    QTest::newRow("a tag cut short at the end") << "x[/QUOT"
                                                << "x[/QUOT";
    QTest::newRow("quotes") << "[QUOTE]a[/QUOTE][qUoTe=Ali]b[/quote]"
                            << html(1) + "a" + html(2) + kOpen + "Ali" + kName + "b" + html(2);
    // A "[QUOTE=" inside a quoted name is found too; its name ends at the next "]" not yet taken.
    QTest::newRow("quotes inside quoted names, one ] short")
        << "[QUOTE=a[QUOTE=b[QUOTE=c]x]y"
        << kOpen + "a" + kOpen + "b" + kOpen + "c" + kName + "x" + kName + "y";
    QTest::newRow("no ] after it: opened, then the step ends")
        << "[QUOTE=a]x[QUOTE=b [quote=c" << kOpen + "a" + kName + "x" + kOpen + "b [quote=c";
    QTest::newRow("the name takes the ] of a tag") << "[QUOTE=a[B]b[/B]" << kOpen + "a[B" + kName + "b</b>";
    QTest::newRow("a plain quote in the name") << "[QUOTE=[QUOTE]]" << kOpen + "[QUOTE" + kName + ">";
    QTest::newRow("name across a line break") << "[QUOTE=a\r\nb]c" << kOpen + "a<br>\nb" + kName + "c";
}

void TestConversion::converts()
{
    QFETCH(QString, post);
    QFETCH(QString, expected);
    QCOMPARE(convertMarkupToHtml(post), expected);
    QCOMPARE(test::literalConversion(post), expected);
    convertMarkupToHtml(post, post); // into the post's own string
    QCOMPARE(post, expected);
}

void TestConversion::matchesTheLiteralConversionOnRandomPosts()
{
    // A fixed seed keeps a failure reproducible; ZARVELO_SEED tries others.
    const QByteArray given = qgetenv("ZARVELO_SEED");
    const quint32 seed = given.isEmpty() ? 20240417u : given.toUInt();
    QRandomGenerator random(seed);
    QString reused = QStringLiteral("stale text that must not show ").repeated(40); // memory reused
    for (int n = 0; n < 6000; ++n) {
        const QString post = randomPost(random);
        const QString expected = test::literalConversion(post);
        const QString message = QStringLiteral("seed %1, post %2: \"%3\"").arg(seed).arg(n).arg(post);
        convertMarkupToHtml(post, reused);
        QVERIFY2(reused == expected, qPrintable(message));
    }
}

void TestConversion::blocksMakeTheSameHtml()
{
    // Long enough for many blocks, with a plain run longer than a block and
    // named quotes whose names end blocks later.
    QRandomGenerator random(7);
    QString post = QStringLiteral("[QUOTE=a") + QString(70000, u'x') + QStringLiteral("]b");
    while (post.size() < 400000)
        post += randomPost(random);
    const QString expected = convertMarkupToHtml(post);
    QString joined;
    int blocks = 0;
    QVERIFY(convertMarkupToHtmlInBlocks(post, [&](QStringView block) {
        joined += block;
        return !block.isEmpty() && ++blocks > 0;
    }));
    QVERIFY(blocks > 10);
    QVERIFY(joined == expected);

    // A sink that refuses a block gets nothing more.
    int calls = 0;
    QVERIFY(!convertMarkupToHtmlInBlocks(post, [&](QStringView) { return ++calls < 3; }));
    QCOMPARE(calls, 3);
}

QTEST_APPLESS_MAIN(TestConversion)
#include "tst_core_conversion.moc"
