// Formatted text read into markup, without a window: what each kind of
// formatting becomes, the clipboard HTML of real browsers and word
// processors, and the post copied as formatted text coming back unchanged.

#include "richtext/formattedcopy.h"
#include "richtext/markupfromhtml.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

QString sample(const QString &name)
{
    QFile file(QStringLiteral(ZARVELO_TEST_SOURCE_DIR "/tests/data/richtext/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : u"<unreadable>"_s;
}

/** A random post in the form the reader writes: well nested, no kind inside
    itself, no colour or underline around a link, a word between tags side by
    side and at each line's start, alignments around whole lines. */
class PostMaker final
{
public:
    explicit PostMaker(quint32 seed)
        : m_random(seed)
    {}

    QString post()
    {
        QStringList groups;
        QString before = u"-"_s;
        for (int g = pick(3); g >= 0; --g) {
            QStringList lines;
            for (int i = pick(2); i >= 0; --i)
                lines << (pick(6) ? words() + content({}, 2) : QString());
            QString side = QStringList{QString(), u"LEFT"_s, u"CENTER"_s, u"RIGHT"_s}[pick(4)];
            const QString text = lines.join(u"\r\n"_s);
            side = side == before || lines.first().isEmpty() || lines.last().isEmpty() ? QString() : side;
            before = lines.join(QString()).isEmpty() ? before : side; // it goes on over blank lines
            groups << (side.isEmpty() ? text : u"[%1]%2[/%1]"_s.arg(side, text));
        }
        return groups.join(u"\r\n"_s);
    }

private:
    int pick(int n) { return int(m_random.bounded(n)); }
    QString any(const QStringList &list) { return list[pick(int(list.size()))]; }

    QString words()
    {
        QString text = any(kWords);
        while (pick(3) == 0)
            text += u' ' + any(kWords);
        return text;
    }

    QString content(const QStringList &around, int depth)
    {
        QString text;
        for (int i = pick(3); i > 0; --i)
            text += (pick(2) ? u" "_s : QString()) + (depth ? tagged(around, depth) : u"[img]p.gif[/img]"_s)
                + (pick(2) ? u" "_s : QString()) + words();
        return text;
    }

    QString tagged(const QStringList &around, int depth)
    {
        QStringList allowed;
        for (const QString &tag : kTags) {
            const QString kind = tag.section(u'=', 0, 0);
            const bool link = kind == u"URL" && (around.contains(u"COLOR"_s) || around.contains(u"U"_s));
            if (!around.contains(kind) && !link && !(kind == u"U" && around.contains(u"URL"_s)))
                allowed << tag;
        }
        if (allowed.isEmpty())
            return u"[img]http://a.org/p.gif[/img]"_s;
        const QString tag = any(allowed);
        const QString kind = tag.section(u'=', 0, 0);
        return u"[%1]%2[/%3]"_s.arg(tag, words() + content(around + QStringList{kind}, depth - 1), kind);
    }

    const QStringList kWords{u"مرحبا"_s, u"بِسْمِ"_s, u"الرَّحْمَـــٰنِ"_s, u"forum"_s, u"😀"_s, u"عربي٣"_s};
    const QStringList kTags{u"B"_s,
                            u"I"_s,
                            u"U"_s,
                            u"FONT='Tahoma'"_s,
                            u"SIZE=1"_s,
                            u"SIZE=7"_s,
                            u"COLOR=#FF0000"_s,
                            u"COLOR=#00A0C8"_s,
                            u"URL=http://a.org/x"_s};
    QRandomGenerator m_random;
};

} // namespace

class TestMarkupFromHtml final : public QObject
{
    Q_OBJECT

private slots:
    void formatting_data();
    void formatting();
    void samples_data();
    void samples();
    void roundTrip_data();
    void roundTrip();
    void randomRoundTrip();
};

void TestMarkupFromHtml::formatting_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("markup");
    QTest::newRow("bold, italic, underline")
        << u"<b>a <i>b</i></b> <u>c</u>"_s << u"[B]a [I]b[/I][/B] [U]c[/U]"_s;
    QTest::newRow("tags that begin and end together open in one order")
        << u"<i><u><b>x</b></u></i>"_s << u"[B][I][U]x[/U][/I][/B]"_s;
    QTest::newRow("the tag that goes on longer opens first")
        << u"<i>a<b>b</b></i><b>c</b>"_s << u"[I]a[B]b[/B][/I][B]c[/B]"_s;
    QTest::newRow("no empty pairs") << u"<b></b>a<i> </i>b<u>\n</u>"_s << u"a b"_s;
    QTest::newRow("a tag over spaces is written once") << u"<b>one</b> <b>two</b>"_s << u"[B]one two[/B]"_s;
    QTest::newRow("link") << u"<a href=\"http://x.com/a b\">site</a>"_s
                          << u"[URL=http://x.com/a%20b]site[/URL]"_s;
    QTest::newRow("a link keeps the browser's colour, not the text's around it")
        << u"<font color=red><a href=a>x</a> y</font>"_s << u"[URL=a]x[/URL][COLOR=#FF0000] y[/COLOR]"_s;
    QTest::newRow("a link's own colour goes inside it")
        << u"<span style=\"color:#1a0dab\">a <a href=b style=\"color:#1a0dab\">c</a></span>"_s
        << u"[COLOR=#1A0DAB]a [/COLOR][URL=b][COLOR=#1A0DAB]c[/COLOR][/URL]"_s;
    QTest::newRow("picture") << u"<b>x<img src=\"p.gif\"></b>"_s << u"[B]x[img]p.gif[/img][/B]"_s;
    QTest::newRow("a picture inside the page has no address")
        << u"a<img src=\"data:image/png;base64,iVBORw0KGgo=\">b"_s << u"ab"_s;
    QTest::newRow("font, not its generic family")
        << u"<span style=\"font-family:'Simplified Arabic', serif\">نص</span>"_s
        << u"[FONT='Simplified Arabic']نص[/FONT]"_s;
    QTest::newRow("sizes by the nearest of seven")
        << u"<font size=1>a</font><span style=\"font-size:14pt\">b</span><span "
           u"style=\"font-size:20px\">c</span>"
           "<span style=\"font-size:x-large\">d</span><font size=3>e</font><span style=\"font-size:48px\">f</span>"_s
        << u"[SIZE=1]a[/SIZE][SIZE=4]bc[/SIZE][SIZE=5]d[/SIZE]e[SIZE=7]f[/SIZE]"_s;
    QTest::newRow("colour as six capital digits")
        << u"<span style=\"color: rgb(32, 33, 36)\">x</span>"_s << u"[COLOR=#202124]x[/COLOR]"_s;
    QTest::newRow("alignments, not the side a paragraph starts from")
        << u"<p align=center>a</p><p dir=rtl style=\"text-align:right\">ب</p><p align=right>c</p>"
           "<p style=\"text-align:left\">d</p>"_s
        << u"[CENTER]a[/CENTER]\r\nب\r\n[RIGHT]c[/RIGHT]\r\nd"_s;
    QTest::newRow("quotation") << u"<blockquote>said <b>so</b></blockquote>x"_s
                               << u"[QUOTE]said [B]so[/B][/QUOTE]\r\nx"_s;
    QTest::newRow("preformatted keeps its spaces") << u"<pre>a  b\nc</pre>"_s << u"[CODE]a  b\r\nc[/CODE]"_s;
    QTest::newRow("code in a line") << u"run <code>ls -l</code> now"_s << u"run [CODE]ls -l[/CODE] now"_s;
    QTest::newRow("headings") << u"<h1>T</h1><h3>S</h3><p>x</p>"_s
                              << u"[B][SIZE=6]T[/SIZE]\r\n[SIZE=4]S[/SIZE][/B]\r\nx"_s;
    QTest::newRow("lists") << u"<ul><li>a</li><li>b</li></ul><ol><li>c</li><li>d</li></ol>"_s
                           << u"• a\r\n• b\r\n1. c\r\n2. d"_s;
    QTest::newRow("table rows")
        << u"<table><tr><td>a</td><td>b<p>b2</p></td></tr><tr><td>c</td><td>d</td></tr></table>after"_s
        << u"a | b b2\r\nc | d\r\nafter"_s;
    QTest::newRow("what has no tag is dropped")
        << u"<style>p{color:red}</style><script>x()</script><!-- note --><p>a</p>"_s
        << u"[COLOR=#FF0000]a[/COLOR]"_s;
    QTest::newRow("one space wherever the page shows space") << u"  a&nbsp;&nbsp; b\n\t c  "_s << u"a b c"_s;
    QTest::newRow("Arabic words in spans of their own")
        << u"<span>مرحبا</span>\n<span>بكم</span><span> </span><span>جميعاً</span>"_s << u"مرحبا بكم جميعاً"_s;
    QTest::newRow("line breaks and paragraphs")
        << u"a<br>b<p>c</p>d<br><br><p>e</p>"_s << u"a\r\nb\r\nc\r\nd\r\n\r\ne"_s;
    QTest::newRow("an empty paragraph is a blank line")
        << u"<p>a</p><p><br></p><p>b</p>"_s << u"a\r\n\r\nb"_s;
    QTest::newRow("a tag goes on over a break") << u"<b>a<br>b</b>"_s << u"[B]a\r\nb[/B]"_s;
    QTest::newRow("a tag ends before a break") << u"<b>a</b><br>b"_s << u"[B]a[/B]\r\nb"_s;
    QTest::newRow("a bracket in an address")
        << u"<a href=\"x?a[1]=2\">y</a>"_s << u"[URL=x?a%5B1%5D=2]y[/URL]"_s;
    QTest::newRow("nothing") << QString() << QString();
    QTest::newRow("nested too deep to read in time") << u"<div>"_s.repeated(2001) + u"x"_s << u"<refused>"_s;
    QTest::newRow("many paragraphs are not nesting")
        << u"<p>x"_s.repeated(2001) + u"<div>y"_s << u"x\r\n"_s.repeated(2001) + u"y"_s;
}

void TestMarkupFromHtml::formatting()
{
    QFETCH(QString, html);
    QFETCH(QString, markup);
    QCOMPARE(markupFromHtml(html).value_or(u"<refused>"_s), markup);
}

void TestMarkupFromHtml::samples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("markup");
    // A browser's copy names the page's font and black on every paragraph.
    QTest::newRow("Chromium")
        << u"chromium.html"_s
        << u"[FONT='Noto Naskh Arabic'][COLOR=#000000][SIZE=5][B]عنوان المقال[/B][/SIZE]\r\n"
           "هذه [B]فقرة[/B] فيها [I]كلمات[/I] مائلة و[/COLOR][URL=https://example.com/ar]رابط إلى "
           "موقع[/URL][COLOR=#000000].[/COLOR]\r\n[COLOR=#1A7F37]نص ملون بسطرين في المصدر[/COLOR]"
           "[/FONT]\r\n• [FONT='Noto Naskh Arabic'][COLOR=#000000]البند الأول[/COLOR][/FONT]\r\n"
           "• [FONT='Noto Naskh Arabic'][COLOR=#000000]البند الثاني[/COLOR][/FONT]\r\n[CENTER]"
           "[FONT='Noto Naskh Arabic'][COLOR=#000000]فقرة في الوسط[/COLOR][/FONT][/CENTER]\r\n"
           "[FONT='Noto Naskh Arabic'][COLOR=#000000]English [U]underlined[/U] words.[/COLOR][/FONT]"_s;
    QTest::newRow("Firefox")
        << u"firefox.html"_s
        << u"[SIZE=5][B]عنوان المقال[/B][/SIZE]\r\nهذه [B]فقرة[/B] فيها [I]كلمات[/I] مائلة و"
           "[URL=https://example.com/ar]رابط إلى موقع[/URL].\r\nنص ملون بسطرين في المصدر\r\n"
           "• البند الأول\r\n• البند الثاني\r\n[CENTER]فقرة في الوسط[/CENTER]\r\n"
           "English [U]underlined[/U] words."_s;
    // Right-aligned right-to-left paragraphs are the natural ones; the empty one is a blank line.
    QTest::newRow("LibreOffice")
        << u"libreoffice.html"_s
        << u"[FONT='Noto Sans Devanagari']هذه فقرة [B]عريضة[/B] وكلمة [COLOR=#C9211E]حمراء"
           "[/COLOR] و[I]مائلة[/I][/FONT].\r\n[CENTER][FONT='Noto Sans Devanagari']سطر في "
           "الوسط[/FONT][/CENTER]\r\n\r\n• [FONT='Noto Sans Devanagari']بند أول[/FONT]\r\n"
           "• [FONT='Noto Sans Devanagari']بند ثان\r\nالفقرة الأخيرة[/FONT]"_s;
    // Office XML and styles dropped, the Symbol bullet a bullet, its spaces one.
    QTest::newRow("word processor")
        << u"wordprocessor.html"_s
        << u"[FONT='Simplified Arabic'][SIZE=5][B]عنوان المقال[/B][/SIZE]\r\nهذا نص "
           "[COLOR=#C00000]أحمر[/COLOR] و[I]مائل[/I] بمسافتين.[/FONT]\r\n• [FONT='Simplified "
           "Arabic']البند الأول[/FONT]\r\n[CENTER][FONT='Simplified Arabic'][U]في الوسط[/U]"
           "[/FONT][/CENTER]\r\n\r\nEnglish text with a [URL=https://example.com/page]link"
           "[/URL].\r\n"_s;
}

void TestMarkupFromHtml::samples()
{

    QFETCH(QString, file);
    QFETCH(QString, markup);
    QCOMPARE(markupFromHtml(sample(file)).value_or(u"<refused>"_s), markup);
}

void TestMarkupFromHtml::roundTrip_data()
{
    QTest::addColumn<QString>("post");
    QTest::newRow("bold") << u"[B]a[/B] b"_s;
    QTest::newRow("font, size, colour") << u"[FONT='Arial'][SIZE=4][COLOR=#FF0000]x[/COLOR][/SIZE][/FONT]"_s;
    QTest::newRow("link and picture")
        << u"[URL=http://example.com/page]موقع[/URL] و [img]http://example.com/p.gif[/img]"_s;
    QTest::newRow("coloured link") << u"[URL=a][COLOR=#00FF00]x[/COLOR][/URL] y"_s;
    QTest::newRow("alignments")
        << u"[CENTER]مرحبا[/CENTER]\r\n[RIGHT]right[/RIGHT]\r\n\r\n[LEFT]left[/LEFT]"_s;
    QTest::newRow("alignment over lines") << u"[CENTER][B]a[/B] b\r\nc[/CENTER]\r\nd"_s;
    QTest::newRow("bold over a line break") << u"[B]a\r\nb[/B]"_s;
    QTest::newRow("harakat, tatweel, emoji") << u"بِسْمِ اللَّهِ [I]الرَّحْمَـــٰنِ[/I] 😀"_s;
    QTest::newRow("blank first and last lines") << u"\r\nafter a blank line\r\n"_s;
    QTest::newRow("sizes") << u"[SIZE=1]a[/SIZE] [SIZE=2]b[/SIZE] [SIZE=7]c[/SIZE]"_s;
    QTest::newRow("plain") << u"سطر أول\r\nسطر ثان"_s;
}

void TestMarkupFromHtml::roundTrip()
{
    QFETCH(QString, post);
    QCOMPARE(markupFromHtml(formattedCopyOf(post).html).value_or(u"<refused>"_s), post);
}

void TestMarkupFromHtml::randomRoundTrip()
{
    for (quint32 seed = 1; seed <= 1000; ++seed) {
        const QString post = PostMaker(seed).post();
        const QString back = markupFromHtml(formattedCopyOf(post).html).value_or(u"<refused>"_s);
        if (back != post)
            QFAIL(qPrintable(u"seed %1:\n%2\nbecame\n%3"_s.arg(seed).arg(post, back)));
    }
}

QTEST_MAIN(TestMarkupFromHtml)
#include "tst_markupfromhtml.moc"
