#include "literalconversion.h"
#include "preview/conversion.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zarvelo;

namespace {

const QString kOpen = namedQuoteOpening().toString();
const QString kName = namedQuoteNameClose().toString();
const auto html = [](int row) { return conversionRules()[size_t(row - 1)].html.toString(); };

// Tags whole, cut short, in mixed case; named quotes, stray brackets, breaks, Arabic, Unicode-folding
// letters.
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
    void convertsLikeTheLiteralConversion()
    {
        const std::pair<QString, QString> rows[] = {
            {"[b]x[/B] [B]<y & \"z\">", "<b>x</b> <b><y & \"z\">"},
            {"[FONT='A'][SIZE=4][COLOR=#FF0000]x[/COLOR][/SIZE][/FONT]",
             "<font face='A'><font size=4><font color=#FF0000>x</font></font></font>"},
            {"[URL=p]a[/URL][url]b[/URL][img]c.gif[/img][IMG]d[/IMG]",
             "<a href=p>a</a><a href>b</a><img src=c.gif><img src=d>"},
            {"a[1] [note]", "a[1> [note>"}, // every ] left becomes >
            {"[CODE][B]x[/B][/CODE][html]<p>[/html][Php]$a[/pHp]",
             html(3) + "<b>x</b>" + html(4) + html(5) + "<p>" + html(6) + html(7) + "$a" + html(8)},
            {"[center]a[/center][LEFT]b[/LEFT][Right][i]c[/i][u]د[/u]",
             "<p align='center'>a</p><p align='left'>b</p><p align='right'><i>c</i><u>د</u>"},
            {"a\r\nb\nc\rd", "a<br>\nb\nc<br>d"}, // CR LF keeps its LF, a lone LF passes
            {"", ""},
            {"[\u017FIZE=3]x[\u0130MG]", "[\u017FIZE=3>x[\u0130MG>"}, // non-ASCII makes no tag
            {"x[/QUOT", "x[/QUOT"},
            {"[QUOTE]a[/QUOTE][qUoTe=Ali]b[/quote]",
             html(1) + "a" + html(2) + kOpen + "Ali" + kName + "b" + html(2)},
            // A "[QUOTE=" inside a quoted name is found too; its name ends at the next "]" not yet taken.
            {"[QUOTE=a[QUOTE=b[QUOTE=c]x]y",
             kOpen + "a" + kOpen + "b" + kOpen + "c" + kName + "x" + kName + "y"},
            {"[QUOTE=a]x[QUOTE=b [quote=c",
             kOpen + "a" + kName + "x" + kOpen + "b [quote=c"}, // no ]: the step ends
            {"[QUOTE=a[B]b[/B]", kOpen + "a[B" + kName + "b</b>"},
            {"[QUOTE=[QUOTE]]", kOpen + "[QUOTE" + kName + ">"},
            {"[QUOTE=a\r\nb]c", kOpen + "a<br>\nb" + kName + "c"}};
        for (auto [post, expected] : rows) {
            QCOMPARE(convertMarkupToHtml(post), expected);
            QCOMPARE(test::literalConversion(post), expected);
            convertMarkupToHtml(post, post); // into the post's own string
            QCOMPARE(post, expected);
        }
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
        // Many blocks, a plain run longer than a block, named quotes whose names end blocks later.
        random.seed(7);
        QString post = QStringLiteral("[QUOTE=a") + QString(70000, u'x') + QStringLiteral("]b");
        while (post.size() < 400000)
            post += randomPost(random);
        QString joined;
        int blocks = 0;
        QVERIFY(convertMarkupToHtmlInBlocks(post, [&](QStringView block) {
            joined += block;
            return !block.isEmpty() && ++blocks > 0;
        }));
        QVERIFY(blocks > 10 && joined == convertMarkupToHtml(post));
        int calls = 0; // a sink that refuses a block gets nothing more
        QVERIFY(!convertMarkupToHtmlInBlocks(post, [&](QStringView) { return ++calls < 3; }));
        QCOMPARE(calls, 3);
    }
};

QTEST_APPLESS_MAIN(TestConversion)
#include "tst_core_conversion.moc"
