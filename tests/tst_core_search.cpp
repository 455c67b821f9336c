#include "highlight/markupscan.h"
#include "search/textmatch.h"

#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** Options from the defaults, changed by words such as "-harakat +word". */
MatchOptions optionsFrom(const QString &changes)
{
    MatchOptions options;
    const std::pair<const char *, bool MatchOptions::*> names[]{
        {"harakat", &MatchOptions::ignoreHarakat}, {"tatweel", &MatchOptions::ignoreTatweel},
        {"alef", &MatchOptions::alefForms},        {"yeh", &MatchOptions::yehForms},
        {"teh", &MatchOptions::tehMarbuta},        {"case", &MatchOptions::matchCase},
        {"word", &MatchOptions::wholeWord},        {"tags", &MatchOptions::skipTags},
    };
    for (const QString &change : changes.split(u' ', Qt::SkipEmptyParts)) {
        for (const auto &[name, field] : names) {
            if (change.mid(1) == QLatin1String(name))
                options.*field = change.front() == u'+';
        }
    }
    return options;
}

/** The markup the highlighting colours, tag, value and "]" apart. */
const MarkupFinder highlighted = [](QStringView line, QList<TextRange> &stretches) {
    OpenTagCounts open{};
    QList<MarkupSpan> spans;
    scanMarkup(line, open, spans);
    for (const MarkupSpan &span : std::as_const(spans))
        stretches.append({span.start, span.length});
};

/** "start+length" of each range, space apart. */
QString listed(const QList<TextRange> &ranges)
{
    QStringList out;
    for (const TextRange &range : ranges)
        out << u"%1+%2"_s.arg(range.start).arg(range.length);
    return out.join(u' ');
}

} // namespace

class TestCoreSearch : public QObject
{
    Q_OBJECT

private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("post");
        QTest::addColumn<QString>("searchText");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("expected");
        const QString harakat = u"الإسْلامُ دين"_s;
        const QString kitab = u"الكتاب والكتاب كتابٌ"_s;
        const QString tags = u"[COLOR=red]red[/COLOR] [B]Red[/B]"_s;
        // clang-format off
        QTest::newRow("harakat in the post, the last one kept in the match") << harakat << u"الإسلام"_s << u""_s << u"0+9"_s;
        QTest::newRow("harakat in the search text") << u"الإسلام"_s << u"الإسْلامَ"_s << u""_s << u"0+7"_s;
        QTest::newRow("harakat not ignored") << harakat + u" الإسلام"_s << u"الإسلام"_s << u"-harakat"_s << u"14+7"_s;
        QTest::newRow("letter before a haraka not ignored") << u"سَ"_s << u"س"_s << u"-harakat"_s << u"0+1"_s;
        QTest::newRow("shadda and superscript alef") << u"هٰذا محمّد"_s << u"هذا محمد"_s << u""_s << u"0+10"_s;
        QTest::newRow("only harakat: nothing to seek") << u"سَلام"_s << u"َ"_s << u""_s << u""_s;
        QTest::newRow("a haraka sought when not ignored") << u"سَلام"_s << u"َ"_s << u"-harakat"_s << u"1+1"_s;
        QTest::newRow("tatweel") << u"الإســلام"_s << u"الإسلام"_s << u""_s << u"0+9"_s;
        QTest::newRow("tatweel not ignored") << u"الإســلام"_s << u"الإسلام"_s << u"-tatweel"_s << u""_s;
        QTest::newRow("hamza forms") << u"أحمد وإحسان آمن ٱلله"_s << u"احمد"_s << u""_s << u"0+4"_s;
        QTest::newRow("hamza form in the search text") << u"احسان وإحسان"_s << u"أحسان"_s << u""_s << u"0+5 7+5"_s;
        QTest::newRow("hamza forms kept apart") << u"أحمد احمد"_s << u"احمد"_s << u"-alef"_s << u"5+4"_s;
        QTest::newRow("alef maqsura kept apart") << u"مصطفى مصطفي"_s << u"مصطفي"_s << u""_s << u"6+5"_s;
        QTest::newRow("alef maqsura as yeh") << u"مصطفى مصطفي"_s << u"مصطفي"_s << u"+yeh"_s << u"0+5 6+5"_s;
        QTest::newRow("teh marbuta kept apart") << u"مدرسة مدرسه"_s << u"مدرسه"_s << u""_s << u"6+5"_s;
        QTest::newRow("teh marbuta as heh") << u"مدرسة مدرسه"_s << u"مدرسه"_s << u"+teh"_s << u"0+5 6+5"_s;
        QTest::newRow("arabic-indic digits") << u"سنة ١٤٤٥ و 1445 ۱۴۴۵"_s << u"1445"_s << u""_s << u"4+4 11+4 16+4"_s;
        QTest::newRow("arabic-indic digits apart") << u"سنة ١٤٤٥ و 1445"_s << u"١٤٤٥"_s << u"-harakat"_s << u"4+4"_s;
        QTest::newRow("letter case") << u"Hello HELLO Ünal ünal"_s << u"hello"_s << u""_s << u"0+5 6+5"_s;
        QTest::newRow("letter case beyond latin") << u"Hello HELLO Ünal ünal"_s << u"ünal"_s << u""_s << u"12+4 17+4"_s;
        QTest::newRow("letter case kept") << u"Hello HELLO"_s << u"HELLO"_s << u"+case"_s << u"6+5"_s;
        QTest::newRow("inside words") << kitab << u"كتاب"_s << u""_s << u"2+4 10+4 15+5"_s;
        QTest::newRow("whole word, tanween after it") << kitab << u"كتاب"_s << u"+word"_s << u"15+5"_s;
        QTest::newRow("whole word at the start") << u"ab abc"_s << u"ab"_s << u"+word"_s << u"0+2"_s;
        QTest::newRow("in tags and values") << tags << u"red"_s << u""_s << u"7+3 11+3 26+3"_s;
        QTest::newRow("tags skipped, text beside them kept") << tags << u"red"_s << u"+tags"_s << u"11+3 26+3"_s;
        QTest::newRow("a whole tag may be sought") << tags << u"[b]"_s << u"+tags"_s << u"23+3"_s;
        QTest::newRow("never ends inside a tag") << tags << u"d[/"_s << u"+tags"_s << u""_s;
        QTest::newRow("beside CR LF") << u"a\r\nسلام\r\n"_s << u"سلام"_s << u""_s << u"3+4"_s;
        QTest::newRow("never between CR and LF") << u"a\r\nb\nc\r"_s << u"\n"_s << u""_s << u"4+1"_s;
        QTest::newRow("never inside an emoji with its skin tone") << u"👍🏽 ok 👍"_s << u"👍"_s << u""_s << u"8+2"_s;
        QTest::newRow("never inside an emoji sequence") << u"👨‍👩‍👧 👨"_s << u"👨"_s << u""_s << u"9+2"_s;
        QTest::newRow("never before its variation selector") << u"❤️ ❤"_s << u"❤"_s << u""_s << u"3+1"_s;
        QTest::newRow("matches never overlap") << u"ااااا"_s << u"أا"_s << u""_s << u"0+2 2+2"_s;
        // clang-format on
    }

    void matches()
    {
        QFETCH(QString, post);
        QFETCH(QString, searchText);
        QFETCH(QString, options);
        QFETCH(QString, expected);
        const TextMatcher matcher(searchText, optionsFrom(options));
        QCOMPARE(listed(matcher.findAll(post, postMarkup(post, highlighted))), expected);
    }

    void markupOfEachLine()
    {
        const QString post = u"[B]a\r\n[I]b\n[U]\rc[/U]"_s;
        QCOMPARE(listed(postMarkup(post, highlighted)), u"0+3 6+3 11+3 16+4"_s);
    }

    void replacing_data()
    {
        QTest::addColumn<QString>("post");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("harakat go with the word") << u"قال: الإسْلامُ\r\nوالإســلام!"_s << u"الدين"_s << u"قال: الدين\r\nوالدين!"_s;
        QTest::newRow("deleted, line breaks kept") << u"الإسلام\rالإسلام\n"_s << u""_s << u"\r\n"_s;
        // clang-format on
    }

    void replacing()
    {
        QFETCH(QString, post);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        const TextMatcher matcher(u"الاسلام"_s, MatchOptions());
        QCOMPARE(replaceMatches(post, matcher.findAll(post), replacement), expected);
    }
};

QTEST_GUILESS_MAIN(TestCoreSearch)
#include "tst_core_search.moc"
