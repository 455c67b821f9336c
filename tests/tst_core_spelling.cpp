#include "coretest.h"
#include "spelling/hunspelldictionary.h"
#include "spelling/spellchecker.h"
#include "spelling/wordfinder.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

QString wordsOf(QStringView text, const QList<Word> &words)
{
    QStringList out;
    for (const Word &word : words)
        out.append(text.mid(word.start, word.length).toString());
    return out.join(u'|');
}

} // namespace

class TestCoreSpelling : public QObject
{
    Q_OBJECT
    SpellDictionaries m_system;

private slots:
    void initTestCase()
    {
        m_system = SpellDictionaries::load(SpellDictionaries::systemFolder());
        QVERIFY2(m_system.arabic && m_system.latin, "hunspell-ar and hunspell-en-us must be installed");
    }

    void findsProseWordsOnly_data()
    {
        // Tags, their values, addresses and code are no prose; words of two scripts split.
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("words");
        QTest::newRow("two scripts") << u"السلام عليكم، hello world. helloسلام"_s
                                     << u"السلام|عليكم|hello|world|hello|سلام"_s;
        QTest::newRow("tag values")
            << u"[URL=http://exampel.com/pge]نص[/URL] [FONT='Simplifyed Arabik']مرحبا[/FONT] "
               "[COLOR=#FFAAEE][SIZE=4][QUOTE=أحمدد]كلام[/QUOTE][/SIZE]"_s
            << u"نص|مرحبا|كلام"_s;
        QTest::newRow("addresses and code")
            << u"[b]bold[/b] [url=x]link[/url] [img]http://x.org/pic.gif[/img] [URL]wwww.exampel.com[/URL] "
               "[CODE]int mian()[/CODE] done [PHP]echo[/PHP]"_s
            << u"bold|link|done"_s;
        QTest::newRow("a value being typed") << u"hello [URL=http://exa"_s << u"hello"_s;
        QTest::newRow("bare addresses") << u"see www.exampel.com or me@exampel.org now"_s << u"see|or|now"_s;
        QTest::newRow("digits") << u"mp3 2nd PHP x86 ٣كتب I ok"_s << u"I|ok"_s;
        QTest::newRow("apostrophes") << u"don't 'quoted' it’s"_s << u"don't|quoted|it’s"_s;
        QTest::newRow("tatweel, harakat") << u"الســــلام السَّلامُ ـــ"_s << u"الســــلام|السَّلامُ"_s;
        QTest::newRow("the editor's line breaks") << u"ab\u2028cd\uE00Def"_s << u"ab|cd|ef"_s;
        QTest::newRow("brackets alone") << u"[مرحبا] [a b]"_s << u"مرحبا|a|b"_s;
    }

    void findsProseWordsOnly()
    {
        QFETCH(QString, text);
        QFETCH(QString, words);
        QCOMPARE(wordsOf(text, findWords(text)), words);
    }

    void checkedFormAndWordAt()
    {
        // Checked without tatweel and harakat, alef with hamza composed, one apostrophe.
        QCOMPARE(checkedForm(u"الســــلام السَّلامُ عَلَيْكُمْ هٰذا ا\u0654حمد don’t"_s),
                 u"السلام السلام عليكم هذا أحمد don't"_s);
        const QString text = u"[B]abc[/B] de"_s;
        QCOMPARE(wordAt(text, 3), (Word{3, 3, Script::Latin}));
        QCOMPARE(wordAt(text, 6), (Word{3, 3, Script::Latin}));               // just after the word
        QVERIFY(wordAt(text, 1).length == 0 && wordAt(text, 10).length == 0); // inside the tags
    }

    void marksMisspeltWords()
    {
        SpellChecker checker(m_system);
        const QString right = u"السلام عليكم و رحمة الله hello world الســــلام وَرَحْمَةُ اللَّهِ Hello Paris"_s;
        const QString wrong = u"ذهبت إلى المدرسةة the skool is big"_s;
        QCOMPARE(wordsOf(right, checker.misspeltWords(right)), QString());
        QCOMPARE(wordsOf(wrong, checker.misspeltWords(wrong)), u"المدرسةة|skool"_s);
    }

    void keepsPersonalWords()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"sub/words.txt"_s);
        {
            SpellChecker first(m_system, path);
            QVERIFY(first.isMisspelt(u"زارفيلو"_s, Script::Arabic));
            QVERIFY(first.addToPersonal(u"زارفِيلـو"_s, Script::Arabic));
            QVERIFY(!first.isMisspelt(u"زارفيلو"_s, Script::Arabic));
            // A second window adds its own word meanwhile; neither is lost.
            SpellChecker second(m_system, path);
            QVERIFY(second.addToPersonal(u"Zarvelo"_s, Script::Latin));
            QVERIFY(first.addToPersonal(u"Qwertyx"_s, Script::Latin));
        }
        QCOMPARE(QString::fromUtf8(test::contents(path)), u"زارفيلو\nZarvelo\nQwertyx\n"_s);
        SpellChecker restarted(m_system, path);
        QCOMPARE(restarted.misspeltWords(u"زارفيلو Zarvelo Qwertyx Zarvello"_s).size(), 1);
    }

    void dictionariesOfTheFolderOnly()
    {
        QTemporaryDir dir;
        QVERIFY(test::writeFile(dir.filePath(u"en_US.aff"_s), "SET ISO8859-1\nTRY aeiouc\xe9\n"));
        QVERIFY(!SpellDictionaries::load(dir.path()).latin); // an .aff without its .dic is none
        // Words go to the dictionary in its own encoding.
        QVERIFY(test::writeFile(dir.filePath(u"en_US.dic"_s), u"2\ncafé\nnaïve\n"_s.toLatin1()));
        SpellChecker checker(SpellDictionaries::load(dir.path()));
        QVERIFY(checker.hasDictionary(Script::Latin) && !checker.hasDictionary(Script::Arabic));
        const QString text = u"café naïve cafe ŵord"_s;
        QCOMPARE(wordsOf(text, checker.misspeltWords(text)), u"cafe|ŵord"_s);
        QCOMPARE(checker.suggestions(u"cafe"_s, Script::Latin), QStringList{u"café"_s});
    }
};

QTEST_GUILESS_MAIN(TestCoreSpelling)
#include "tst_core_spelling.moc"
