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
        const QString tag = any(allowed);
        const QString kind = tag.section(u'=', 0, 0);
        return u"[%1]%2[/%3]"_s.arg(tag, words() + content(around + QStringList{kind}, depth - 1), kind);
    }

    const QStringList kWords = u"مرحبا بِسْمِ الرَّحْمَـــٰنِ forum 😀 عربي٣"_s.split(u' ');
    const QStringList kTags =
        u"B I U FONT='Tahoma' SIZE=1 SIZE=7 COLOR=#FF0000 COLOR=#00A0C8 URL=http://a.org/x"_s.split(u' ');
    QRandomGenerator m_random;
};

} // namespace

class TestMarkupFromHtml final : public QObject
{
    Q_OBJECT

private slots:
    void formatting_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("markup");
        QTest::newRow("no empty pairs") << u"<b></b>a<i> </i>b<u>\n</u>"_s << u"a b"_s;
        QTest::newRow("a tag over spaces is written once")
            << u"<b>one</b> <b>two</b>"_s << u"[B]one two[/B]"_s;
        QTest::newRow("link") << u"<a href=\"http://x.com/a b\">site</a>"_s
                              << u"[URL=http://x.com/a%20b]site[/URL]"_s;
        QTest::newRow("a link keeps the browser's colour, not the text's around it")
            << u"<font color=red><a href=a>x</a> y</font>"_s << u"[URL=a]x[/URL][COLOR=#FF0000] y[/COLOR]"_s;
        QTest::newRow("a picture inside the page has no address")
            << u"a<img src=\"data:image/png;base64,iVBORw0KGgo=\">b"_s << u"ab"_s;
        QTest::newRow("sizes by the nearest of seven")
            << u"<span style=\"font-size:14pt\">b</span><span style=\"font-size:20px\">c</span><font size=3>e</font>"_s
            << u"[SIZE=4]bc[/SIZE]e"_s;
        QTest::newRow("quotation") << u"<blockquote>said <b>so</b></blockquote>x"_s
                                   << u"[QUOTE]said [B]so[/B][/QUOTE]\r\nx"_s;
        QTest::newRow("preformatted keeps its spaces")
            << u"<pre>a  b\nc</pre>"_s << u"[CODE]a  b\r\nc[/CODE]"_s;
        QTest::newRow("code in a line") << u"run <code>ls -l</code> now"_s << u"run [CODE]ls -l[/CODE] now"_s;
        QTest::newRow("numbered list") << u"<ol><li>c</li><li>d</li></ol>"_s << u"1. c\r\n2. d"_s;
        QTest::newRow("table rows")
            << u"<table><tr><td>a</td><td>b<p>b2</p></td></tr><tr><td>c</td><td>d</td></tr></table>after"_s
            << u"a | b b2\r\nc | d\r\nafter"_s;
        QTest::newRow("pictures, one a link")
            << u"<img src=a.gif> <a href=\"u\">x<IMG alt=y SRC = \"b c.gif?x=1&amp;y\"></a>"_s
            << u"[img]a.gif[/img] [URL=u]x[img]b%20c.gif?x=1&y[/img][/URL]"_s;
        QTest::newRow("a bracket in an address")
            << u"<a href=\"x?a[1]=2\">y</a>"_s << u"[URL=x?a%5B1%5D=2]y[/URL]"_s;
        QTest::newRow("a division's last words end its line")
            << u"<div>a</div>b<div>c</div>d"_s << u"a\r\nb\r\nc\r\nd"_s;
        QTest::newRow("newer block elements are lines of their own")
            << u"<header>t</header><section>a</section>b"_s << u"t\r\na\r\nb"_s;
        // What a browser hides goes, all it holds with it.
        QTest::newRow("hidden by style")
            << u"a<span style=\"DISPLAY: none\">x</span> b<p style='mso-hide:all'>y</p>"_s << u"a b"_s;
        QTest::newRow("hidden by the attribute") << u"<span hidden>x</span>y"_s << u"y"_s;
        QTest::newRow("a '>' in a quoted value")
            << u"<span title=\"a>b\" style=\"display:none\">x</span>y"_s << u"y"_s;
        QTest::newRow("holding elements of its own kind")
            << u"<div style=\"display:none\"><div>x</div>y</div>z"_s << u"z"_s;
        QTest::newRow("a hidden picture") << u"a<img src=p.gif style=\"display:none\">b"_s << u"ab"_s;
        // Qt's reader, like an XML one, takes a '/' in a tag for one that holds nothing.
        QTest::newRow("closed at once by a '/' in its tag")
            << u"<span style=\"display:none\" / x>a</span>b"_s << u"ab"_s;
        QTest::newRow("closed by the element around it")
            << u"<b>a<span style=\"display:none\">x</b>c"_s << u"[B]a[/B]c"_s;
        QTest::newRow("a paragraph closed by the next") << u"<p style=\"display:none\">x<p>y"_s << u"y"_s;
        QTest::newRow("never closed: to the end") << u"a<div style=\"display:none\">b"_s << u"a"_s;
        QTest::newRow("a comment that looks like its end")
            << u"<span style=\"display:none\"><!-- </span> -->x</span>y"_s << u"y"_s;
    }

    // Pages that would take Qt's reader seconds are refused before it reads them.
    void costlyPages_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("refused");
        QTest::newRow("nested deep") << u"<div>"_s.repeated(15000) + u"x"_s << true;
        QTest::newRow("closed only at the end")
            << u"<span>x"_s.repeated(15000) + u"</span>"_s.repeated(15000) << true;
        QTest::newRow("closing what was never opened") << u"<q>x</z>"_s.repeated(15000) << true;
        QTest::newRow("names Qt reads and HTML has not") << u"<+b2>x"_s.repeated(15000) << true;
        QTest::newRow("too many tags") << u"<b>x</b>"_s.repeated(200000) << true;
        QTest::newRow("too many paragraphs") << u"<p>x"_s.repeated(40000) << true;
        QTest::newRow("paragraphs and cells are not nesting")
            << u"<table><tr><td><p><b>x"_s + u"<tr><td>a<td><p>b<p><i>c"_s.repeated(3000) << false;
        // Pictures Qt's reader would take in one by one, over the whole paragraph each time.
        const QString pictured = u"كلمة "_s.repeated(50) + u"<img src=a.gif>"_s;
        QTest::newRow("ten thousand pictures in a paragraph") << pictured.repeated(10000) << false;
        QTest::newRow("ten megabytes of words") << u"كلمة "_s.repeated(2000000) << false;
    }

    void costlyPages()
    {
        QFETCH(QString, html);
        QFETCH(bool, refused);
        QCOMPARE(!markupFromHtml(html).has_value(), refused);
    }

    void formatting()
    {
        QFETCH(QString, html);
        QFETCH(QString, markup);
        QCOMPARE(markupFromHtml(html).value_or(u"<refused>"_s), markup);
    }

    void samples_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("markup");
        // Made by scripts/richtext-samples.sh, but the word processor's, written by hand in the form such a
        // program gives (no such program runs here). A browser's copy names the page's font and black
        // everywhere.
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
               "الوسط[/FONT][/CENTER]\r\n\r\n• [FONT='Noto Sans Devanagari']بند أول[/FONT]"_s;
        // Office XML, styles and hidden text dropped, the Symbol bullet a bullet, its spaces one.
        QTest::newRow("word processor")
            << u"wordprocessor.html"_s
            << u"[FONT='Simplified Arabic'][SIZE=5][B]عنوان المقال[/B][/SIZE]\r\nهذا نص "
               "[COLOR=#C00000]أحمر[/COLOR] و[I]مائل[/I] بمسافتين.[/FONT]\r\n• [FONT='Simplified "
               "Arabic']البند الأول[/FONT]\r\n[CENTER][FONT='Simplified Arabic'][U]في الوسط[/U]"
               "[/FONT][/CENTER]\r\n\r\nEnglish text with a [URL=https://example.com/page]link"
               "[/URL].\r\n"_s;
    }

    void samples()
    {

        QFETCH(QString, file);
        QFETCH(QString, markup);
        QCOMPARE(markupFromHtml(sample(file)).value_or(u"<refused>"_s), markup);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("post");
        QTest::newRow("font, size, colour")
            << u"[FONT='Arial'][SIZE=4][COLOR=#FF0000]x[/COLOR][/SIZE][/FONT]"_s;
        QTest::newRow("coloured link") << u"[URL=a][COLOR=#00FF00]x[/COLOR][/URL] y"_s;
        QTest::newRow("alignments")
            << u"[CENTER]مرحبا[/CENTER]\r\n[RIGHT]right[/RIGHT]\r\n\r\n[LEFT]left[/LEFT]"_s;
        QTest::newRow("bold over a line break") << u"[B]a\r\nb[/B]"_s;
        QTest::newRow("blank first and last lines") << u"\r\nafter a blank line\r\n"_s;
    }

    void roundTrip()
    {
        QFETCH(QString, post);
        QCOMPARE(markupFromHtml(formattedCopyOf(post).html).value_or(u"<refused>"_s), post);
    }

    void randomRoundTrip()
    {
        for (quint32 seed = 1; seed <= 1000; ++seed) {
            const QString post = PostMaker(seed).post();
            const QString back = markupFromHtml(formattedCopyOf(post).html).value_or(u"<refused>"_s);
            if (back != post)
                QFAIL(qPrintable(u"seed %1:\n%2\nbecame\n%3"_s.arg(seed).arg(post, back)));
        }
    }
};

QTEST_MAIN(TestMarkupFromHtml)
#include "tst_markupfromhtml.moc"
