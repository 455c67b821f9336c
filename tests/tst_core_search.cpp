#include "highlight/markupscan.h"
#include "search/textmatch.h"

#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** The default options with one of them switched. */
MatchOptions with(bool MatchOptions::*option, bool on)
{
    MatchOptions options;
    options.*option = on;
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

Q_DECLARE_METATYPE(zarvelo::MatchOptions)

class TestCoreSearch : public QObject
{
    Q_OBJECT

private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("post");
        QTest::addColumn<QString>("searchText");
        QTest::addColumn<MatchOptions>("options");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("harakat in the post and the search text, the last kept in the match") << u"الإسْلامُ دين"_s << u"الإسلامَ"_s << MatchOptions() << u"0+9"_s;
        QTest::newRow("harakat not ignored") << u"الإسْلامُ دين الإسلام"_s << u"الإسلام"_s << with(&MatchOptions::ignoreHarakat, false) << u"14+7"_s;
        QTest::newRow("a haraka sought when not ignored") << u"سَلام"_s << u"َ"_s << with(&MatchOptions::ignoreHarakat, false) << u"1+1"_s;
        QTest::newRow("tatweel") << u"الإســلام"_s << u"الإسلام"_s << MatchOptions() << u"0+9"_s;
        QTest::newRow("tatweel not ignored") << u"الإســلام"_s << u"الإسلام"_s << with(&MatchOptions::ignoreTatweel, false) << u""_s;
        QTest::newRow("hamza forms") << u"أحمد وإحسان آمن ٱلله"_s << u"احمد"_s << MatchOptions() << u"0+4"_s;
        QTest::newRow("hamza forms kept apart") << u"أحمد احمد"_s << u"احمد"_s << with(&MatchOptions::alefForms, false) << u"5+4"_s;
        QTest::newRow("alef maqsura kept apart") << u"مصطفى مصطفي"_s << u"مصطفي"_s << MatchOptions() << u"6+5"_s;
        QTest::newRow("alef maqsura as yeh") << u"مصطفى مصطفي"_s << u"مصطفي"_s << with(&MatchOptions::yehForms, true) << u"0+5 6+5"_s;
        QTest::newRow("teh marbuta kept apart") << u"مدرسة مدرسه"_s << u"مدرسه"_s << MatchOptions() << u"6+5"_s;
        QTest::newRow("teh marbuta as heh") << u"مدرسة مدرسه"_s << u"مدرسه"_s << with(&MatchOptions::tehMarbuta, true) << u"0+5 6+5"_s;
        QTest::newRow("arabic-indic digits") << u"سنة ١٤٤٥ و 1445 ۱۴۴۵"_s << u"1445"_s << MatchOptions() << u"4+4 11+4 16+4"_s;
        QTest::newRow("arabic-indic digits apart") << u"سنة ١٤٤٥ و 1445"_s << u"١٤٤٥"_s << with(&MatchOptions::ignoreHarakat, false) << u"4+4"_s;
        QTest::newRow("letter case") << u"Hello HELLO Ünal ünal"_s << u"hello"_s << MatchOptions() << u"0+5 6+5"_s;
        QTest::newRow("letter case kept") << u"Hello HELLO"_s << u"HELLO"_s << with(&MatchOptions::matchCase, true) << u"6+5"_s;
        QTest::newRow("inside words") << u"الكتاب والكتاب كتابٌ"_s << u"كتاب"_s << MatchOptions() << u"2+4 10+4 15+5"_s;
        QTest::newRow("whole word, tanween after it") << u"الكتاب والكتاب كتابٌ"_s << u"كتاب"_s << with(&MatchOptions::wholeWord, true) << u"15+5"_s;
        QTest::newRow("in tags and values") << u"[COLOR=red]red\r\n[/COLOR]\r[B]Red\n[/B]"_s << u"red"_s << MatchOptions() << u"7+3 11+3 28+3"_s;
        QTest::newRow("tags skipped on every line, text beside them kept") << u"[COLOR=red]red\r\n[/COLOR]\r[B]Red\n[/B]"_s << u"red"_s << with(&MatchOptions::skipTags, true) << u"11+3 28+3"_s;
        QTest::newRow("never ends inside a tag") << u"red[/COLOR]"_s << u"d[/"_s << with(&MatchOptions::skipTags, true) << u""_s;
        QTest::newRow("never between CR and LF") << u"a\r\nb\nc\r"_s << u"\n"_s << MatchOptions() << u"4+1"_s;
        QTest::newRow("never inside an emoji sequence") << u"👨‍👩‍👧 👨"_s << u"👨"_s << MatchOptions() << u"9+2"_s;
        QTest::newRow("an emoji, thirty marks, a joiner and an emoji are one") << u"👍"_s + u"ْ"_s.repeated(30) + u"\u200D👍 👍"_s << u"👍"_s << MatchOptions() << u"36+2"_s;
        QTest::newRow("matches never overlap") << u"ااااا"_s << u"أا"_s << MatchOptions() << u"0+2 2+2"_s;
        // clang-format on
    }

    void matches()
    {
        QFETCH(QString, post);
        QFETCH(QString, searchText);
        QFETCH(MatchOptions, options);
        QFETCH(QString, expected);
        const TextMatcher matcher(searchText, options);
        QCOMPARE(listed(matcher.findAll(post, postMarkup(post, highlighted))), expected);
    }
};

QTEST_GUILESS_MAIN(TestCoreSearch)
#include "tst_core_search.moc"
