#include "literalconversion.h"
#include "preview/conversion.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zarvelo;

namespace {

QString opening() { return namedQuoteOpening().toString(); }
QString nameClose() { return namedQuoteNameClose().toString(); }
QString html(int row) { return conversionRules()[size_t(row - 1)].html.toString(); }

/** The conversion made step by step: the named quotes, then each row. */
QString stepByStep(QString text)
{
    CONVERTNAMEDQUOTES(text);
    for (const ConversionRule &rule : conversionRules())
        REPLACEALL(text, rule.markup, rule.html);
    return text;
}

/** Posts made to trip the conversion: every tag whole, cut short and in mixed
    case, named quotes with and without their "]", stray brackets, every kind
    of line break, Arabic and Latin words, and letters outside ASCII that fold
    to ASCII ones in Unicode. */
class PostGenerator final
{
public:
    explicit PostGenerator(quint32 seed) : m_random(seed)
    {
        for (const ConversionRule &rule : conversionRules())
            m_tags.append(rule.markup.toString());
        m_tags.append(QStringLiteral("[QUOTE="));
        m_tags.append(QStringLiteral("[QUOTE=")); // named quotes twice as often
    }

    QString post()
    {
        QString text;
        const int tokens = int(m_random.bounded(48));
        for (int t = 0; t < tokens; ++t)
            text += token();
        return text;
    }

private:
    QString token()
    {
        static const QStringList others = {
            QStringLiteral("["), QStringLiteral("]"), QStringLiteral("]"), QStringLiteral("\r\n"),
            QStringLiteral("\r"), QStringLiteral("\n"), QStringLiteral(" "), QStringLiteral("="),
            QStringLiteral("Ali"), QStringLiteral("hello"), QStringLiteral("مرحبا"),
            QStringLiteral("المشاركة"), QStringLiteral("<&>'\""), QStringLiteral("😀"),
            QStringLiteral("[ſIZE="), QStringLiteral("[lin\u212A]"), QStringLiteral("[note]"),
            QStringLiteral("#FF0000"), QStringLiteral("'Arial'"), QStringLiteral("[/"),
        };
        const quint32 kind = m_random.bounded(10);
        if (kind < 5) {
            QString tag = m_tags[qsizetype(m_random.bounded(quint32(m_tags.size())))];
            if (m_random.bounded(5) == 0) // cut short: "[QUO", "[/CEN"
                tag.truncate(qsizetype(m_random.bounded(quint32(tag.size()))));
            for (QChar &c : tag) {
                if (c.unicode() < 128 && c.isLetter() && m_random.bounded(2))
                    c = c.isUpper() ? c.toLower() : c.toUpper();
            }
            return tag;
        }
        return others[qsizetype(m_random.bounded(quint32(others.size())))];
    }

    QRandomGenerator m_random;
    QStringList m_tags;
};

QString visible(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void longReplacementTexts_data();
    void longReplacementTexts();
    void tableKeepsTheOnePassSound();
    void convertsTheMarkup_data();
    void convertsTheMarkup();
    void namedQuotes_data();
    void namedQuotes();
    void replaceAllOnItsOwn_data();
    void replaceAllOnItsOwn();
    void matchesTheLiteralConversionOnRandomPosts();
};

void TestConversion::longReplacementTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("end");
    const QString quoteBox = QStringLiteral("margin-top: 5px; margin-bottom: 20px'><div class='smallfont' "
                                            "style='margin-bottom: 2px'>إقتباس:</div><table cellSpacing='0' "
                                            "cellPadding='6' width='90%' border='0'><tr><td class='alt2' "
                                            "style='border: 1px inset' bgcolor='#C0C0C0'><div>");
    const QString codeTable = QStringLiteral(":<div align='left'><table border='1' cellpadding='5' "
                                             "cellspacing='5' style='border-collapse: collapse' "
                                             "bordercolor='#111111' width='100%' ");
    const QString codeEnd = QStringLiteral("id='AutoNumber1' bgcolor=#C0C0C0'><tr><td bgcolor='#C0C0C0' "
                                           "align=left width='100%'>");
    QTest::newRow("named quote") << opening() << 316
                                 << QStringLiteral("<div style='margin-left: 20px; margin-right: 20px; ")
                                 << quoteBox << QStringLiteral("<div>المشاركة الأصلية بواسطة:<strong>");
    QTest::newRow("end of the quoted name") << nameClose() << 47 << QStringLiteral("</strong></div>")
                                            << QStringLiteral("</div><div")
                                            << QStringLiteral("<div style='font-style: italic'>");
    QTest::newRow("plain quote") << html(1) << 338
                                 << QStringLiteral("<div align='right' style='margin-left: 20px; margin-right: 20px; ")
                                 << quoteBox << QStringLiteral("<div><strong><div style='font-style: italic'>");
    QTest::newRow("code") << html(3) << 229 << QStringLiteral("<br>كود:<div") << codeTable << codeEnd;
    QTest::newRow("HTML code") << html(5) << 234 << QStringLiteral("<br>كود HTML:<div") << codeTable << codeEnd;
    QTest::newRow("PHP code") << html(7) << 233 << QStringLiteral("<br>كود PHP:<div") << codeTable << codeEnd;
}

void TestConversion::longReplacementTexts()
{
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(QString, start);
    QFETCH(QString, middle);
    QFETCH(QString, end);
    QCOMPARE(text.size(), qsizetype(length));
    QVERIFY2(text.startsWith(start), qPrintable(text));
    QVERIFY2(text.contains(middle), qPrintable(text));
    QVERIFY2(text.endsWith(end), qPrintable(text));
}

void TestConversion::tableKeepsTheOnePassSound()
{
    // The one-pass conversion relies on these: a tag's "[" is its first
    // character and its "]" its last, no tag begins another, and nothing put
    // in can form markup with the text around it.
    const auto &rules = conversionRules();
    QCOMPARE(rules.size(), size_t(32));
    QCOMPARE(rules[30].markup, QStringView(u"\r"));
    QCOMPARE(rules[31].markup, QStringView(u"]"));
    QStringList inserted = {opening(), nameClose()};
    for (size_t row = 0; row < 30; ++row) {
        const QStringView markup = rules[row].markup;
        QVERIFY(markup.startsWith(u'[') && markup.lastIndexOf(u'[') == 0);
        QVERIFY(!markup.contains(u']') || markup.indexOf(u']') == markup.size() - 1);
        for (size_t other = 0; other < 30; ++other) {
            if (other != row)
                QVERIFY2(!rules[other].markup.startsWith(markup, Qt::CaseInsensitive),
                         qPrintable(markup.toString()));
        }
        QVERIFY(!QStringView(u"[QUOTE=").startsWith(markup, Qt::CaseInsensitive));
    }
    for (const ConversionRule &rule : rules)
        inserted.append(rule.html.toString());
    for (const QString &text : inserted) {
        QVERIFY2(!text.contains(u'[') && !text.contains(u']') && !text.contains(u'\r'), qPrintable(text));
        QVERIFY(text.startsWith(u'<') || text == QLatin1String(">"));
    }
}

void TestConversion::convertsTheMarkup_data()
{
    QTest::addColumn<QString>("post");
    QTest::addColumn<QString>("expected");
    QTest::newRow("case is ignored, tags stand alone") << "[b]x[/B] [B]y" << "<b>x</b> <b>y";
    QTest::newRow("font, size and colour keep their values")
        << "[FONT='Arial'][SIZE=4][COLOR=#FF0000]x[/COLOR][/SIZE][/FONT]"
        << "<font face='Arial'><font size=4><font color=#FF0000>x</font></font></font>";
    QTest::newRow("link with a target") << "[URL=page.html]text[/URL]" << "<a href=page.html>text</a>";
    QTest::newRow("link without a target") << "[URL]page.html[/URL]" << "<a href>page.html</a>";
    QTest::newRow("image") << "[img]pic.gif[/img]" << "<img src=pic.gif>";
    QTest::newRow("image in capitals") << "[IMG]pic.gif[/IMG]" << "<img src=pic.gif>";
    QTest::newRow("named quote") << "[QUOTE=Ali]hello[/QUOTE]"
                                 << opening() + "Ali" + nameClose() + "hello" + html(2);
    QTest::newRow("plain quote") << "[QUOTE]hello[/QUOTE]" << html(1) + "hello" + html(2);
    QTest::newRow("every ] left becomes >") << "a[1] [note]" << "a[1> [note>";
    QTest::newRow("tags inside a code block") << "[CODE][B]x[/B][/CODE]" << html(3) + "<b>x</b>" + html(4);
    QTest::newRow("HTML and PHP blocks") << "[html]<p>[/html][Php]$a[/pHp]"
                                         << html(5) + "<p>" + html(6) + html(7) + "$a" + html(8);
    QTest::newRow("alignment") << "[center]a[/center][LEFT]b[/LEFT][Right]c[/Right]"
                               << "<p align='center'>a</p><p align='left'>b</p><p align='right'>c</p>";
    QTest::newRow("italic and underline") << "[i]a[/i][u]b[/u]" << "<i>a</i><u>b</u>";
    QTest::newRow("CR LF keeps its LF, a lone LF passes") << "a\r\nb\nc\rd" << "a<br>\nb\nc<br>d";
    QTest::newRow("HTML in the post is not escaped") << "<b> & \"x\" >" << "<b> & \"x\" >";
    QTest::newRow("Arabic text passes") << "[B]مرحبا[/B]" << "<b>مرحبا</b>";
    QTest::newRow("empty post") << "" << "";
    QTest::newRow("letters outside ASCII never make a tag")
        << QStringLiteral("[\u017FIZE=3]x[\u0130MG]") << QStringLiteral("[\u017FIZE=3>x[\u0130MG>");
    QTest::newRow("a tag cut short at the end") << "x[/QUOT" << "x[/QUOT";
}

void TestConversion::convertsTheMarkup()
{
    QFETCH(QString, post);
    QFETCH(QString, expected);
    QCOMPARE(convertMarkupToHtml(post), expected);
    QCOMPARE(stepByStep(post), expected);
    QCOMPARE(test::literalConversion(post), expected);

    // Into a string whose memory is reused, and into the post's own string.
    QString reused = QStringLiteral("stale text that must not show ").repeated(40);
    convertMarkupToHtml(post, reused);
    QCOMPARE(reused, expected);
    QString inPlace = post;
    convertMarkupToHtml(inPlace, inPlace);
    QCOMPARE(inPlace, expected);
}

void TestConversion::namedQuotes_data()
{
    QTest::addColumn<QString>("post");
    QTest::addColumn<QString>("expected");
    QTest::newRow("mixed case") << "[qUoTe=Ali]hi" << opening() + "Ali" + nameClose() + "hi";
    QTest::newRow("two in a row") << "[QUOTE=a]x[QUOTE=b]y"
                                  << opening() + "a" + nameClose() + "x" + opening() + "b" + nameClose() + "y";
    // The search from the start finds the second "[QUOTE=" inside the first
    // name; its name then ends at the next "]" not yet taken.
    QTest::newRow("a quote inside a quoted name") << "[QUOTE=a[QUOTE=b]x]y"
        << opening() + "a" + opening() + "b" + nameClose() + "x" + nameClose() + "y";
    QTest::newRow("three deep, one bracket short") << "[QUOTE=a[QUOTE=b[QUOTE=c]x]y"
        << opening() + "a" + opening() + "b" + opening() + "c" + nameClose() + "x" + nameClose() + "y";
    QTest::newRow("no ] after it: opened, then the step ends") << "[QUOTE=Ali hello [QUOTE=Omar"
                                                               << opening() + "Ali hello [QUOTE=Omar";
    QTest::newRow("the last one has no ]") << "[QUOTE=a]x[QUOTE=b [quote=c"
                                           << opening() + "a" + nameClose() + "x" + opening() + "b [quote=c";
    QTest::newRow("the name takes the ] of a tag") << "[QUOTE=a[B]b[/B]"
                                                   << opening() + "a[B" + nameClose() + "b</b>";
    QTest::newRow("with a plain quote in the name") << "[QUOTE=[QUOTE]]"
                                                    << opening() + "[QUOTE" + nameClose() + ">";
    QTest::newRow("name across a line break") << "[QUOTE=a\r\nb]c" << opening() + "a<br>\nb" + nameClose() + "c";
}

void TestConversion::namedQuotes()
{
    QFETCH(QString, post);
    QFETCH(QString, expected);
    QCOMPARE(convertMarkupToHtml(post), expected);
    QCOMPARE(stepByStep(post), expected);
    QCOMPARE(test::literalConversion(post), expected);
}

void TestConversion::replaceAllOnItsOwn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("any case") << "[b][B]" << "[B]" << "<b>" << "<b><b>";
    QTest::newRow("left to right, never overlapping") << "aaaaa" << "aa" << "x" << "xxa";
    QTest::newRow("nothing found") << "abc" << "[B]" << "<b>" << "abc";
    QTest::newRow("nothing to find") << "abc" << "" << "<b>" << "abc";
    QTest::newRow("at both ends") << "]a]" << "]" << ">" << ">a>";
}

void TestConversion::replaceAllOnItsOwn()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QString working = text;
    REPLACEALL(working, find, replacement);
    QCOMPARE(working, expected);
    if (!find.isEmpty()) {
        QString literal = text;
        test::literalReplaceAll(literal, find, replacement);
        QCOMPARE(literal, expected);
    }
}

void TestConversion::matchesTheLiteralConversionOnRandomPosts()
{
    // A fixed seed keeps a failure reproducible; ZARVELO_SEED tries others.
    bool given = false;
    const quint32 seed = quint32(qEnvironmentVariableIntValue("ZARVELO_SEED", &given));
    const quint32 used = given ? seed : 20240417u;
    PostGenerator generator(used);
    QString reused;
    for (int n = 0; n < 6000; ++n) {
        const QString post = generator.post();
        const QString expected = test::literalConversion(post);
        const QString message = QStringLiteral("seed %1, post %2: \"%3\"").arg(used).arg(n).arg(visible(post));
        convertMarkupToHtml(post, reused);
        QVERIFY2(reused == expected, qPrintable(message));
        QVERIFY2(stepByStep(post) == expected, qPrintable(message));
    }
}

QTEST_APPLESS_MAIN(TestConversion)
#include "tst_core_conversion.moc"
