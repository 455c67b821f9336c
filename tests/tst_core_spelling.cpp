#include "spelling/hunspelldictionary.h"
#include "spelling/spellchecker.h"
#include "spelling/wordfinder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

QString wordsOf(QStringView text, const QList<Word> &words)
{
    QStringList out;
    for (const Word &word : words)
        out.append(text.mid(word.start, word.length).toString());
    return out.join(QLatin1Char('|'));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestCoreSpelling : public QObject
{
    Q_OBJECT
    SpellDictionaries m_system;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_system = SpellDictionaries::load(SpellDictionaries::systemFolder());
        QVERIFY2(m_system.arabic && m_system.latin, "hunspell-ar and hunspell-en-us must be installed");
    }

    void findsProseWordsOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("words");
        QTest::newRow("arabic and latin, scripts split")
            << u"السلام عليكم، hello world. helloسلام"_s << u"السلام|عليكم|hello|world|hello|سلام"_s;
        QTest::newRow("tag values") << u"[URL=http://exampel.com/pge]نص[/URL] [FONT='Simplifyed Arabik']مرحبا"
                                       "[/FONT] [COLOR=#FFAAEE][SIZE=4][QUOTE=أحمدد]كلام[/QUOTE][/SIZE]"_s
                                    << u"نص|مرحبا|كلام"_s;
        QTest::newRow("lower-case tags, addresses and code")
            << u"[b]bold[/b] [url=x]link[/url] [img]http://x.org/pic.gif[/img] [URL]wwww.exampel.com[/URL] "
               "[CODE]int mian()[/CODE] done [PHP]echo[/PHP]"_s
            << u"bold|link|done"_s;
        QTest::newRow("value being typed") << u"hello [URL=http://exa"_s << u"hello"_s;
        QTest::newRow("bare addresses") << u"see www.exampel.com or me@exampel.org now"_s << u"see|or|now"_s;
        QTest::newRow("digits and capitals") << u"mp3 2nd PHP x86 ٣كتب I ok"_s << u"I|ok"_s;
        QTest::newRow("apostrophes") << u"don't 'quoted' it’s"_s << u"don't|quoted|it’s"_s;
        QTest::newRow("tatweel and harakat inside") << u"الســــلام السَّلامُ ـــ"_s << u"الســــلام|السَّلامُ"_s;
        QTest::newRow("editor line breaks") << u"ab\u2028cd\uE00Def"_s << u"ab|cd|ef"_s;
        QTest::newRow("brackets around prose") << u"[مرحبا] [a b]"_s << u"مرحبا|a|b"_s;
    }
    void findsProseWordsOnly()
    {
        QFETCH(QString, text);
        QFETCH(QString, words);
        QCOMPARE(wordsOf(text, findWords(text)), words);
    }

    void checkedFormDropsTatweelAndHarakat()
    {
        const QStringList pairs{u"الســــلام"_s,
                                u"السلام"_s,
                                u"السَّلامُ عَلَيْكُمْ"_s,
                                u"السلام عليكم"_s,
                                u"هٰذا"_s /* superscript alef */,
                                u"هذا"_s,
                                u"ا\u0654حمد"_s,
                                u"أحمد"_s,
                                u"don’t"_s,
                                u"don't"_s};
        for (qsizetype i = 0; i < pairs.size(); i += 2)
            QCOMPARE(checkedForm(pairs[i]), pairs[i + 1]);
    }

    void wordAtPosition()
    {
        const QString text = u"[B]abc[/B] de"_s;
        QCOMPARE(wordAt(text, 3), (Word{3, 3, Script::Latin}));
        QCOMPARE(wordAt(text, 6), (Word{3, 3, Script::Latin})); // just after the word
        QCOMPARE(wordAt(text, 11), (Word{11, 2, Script::Latin}));
        QCOMPARE(wordAt(text, 1).length, 0); // inside the tag
        QCOMPARE(wordAt(text, 10).length, 0);
    }

    void marksMisspeltWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("misspelt");
        QTest::newRow("correct, with tatweel and harakat, capitalised")
            << u"السلام عليكم و رحمة الله hello world الســــلام وَرَحْمَةُ اللَّهِ Hello Paris"_s << QString();
        QTest::newRow("misspelt") << u"ذهبت إلى المدرسةة the skool is big"_s << u"المدرسةة|skool"_s;
    }
    void marksMisspeltWords()
    {
        QFETCH(QString, text);
        QFETCH(QString, misspelt);
        SpellChecker checker(m_system);
        QCOMPARE(wordsOf(text, checker.misspeltWords(text)), misspelt);
        // The second look comes from the kept verdicts and must agree.
        QCOMPARE(wordsOf(text, checker.misspeltWords(text)), misspelt);
    }

    void suggestsSpellings()
    {
        SpellChecker checker(m_system);
        for (const auto &[word, script, right] : {std::tuple(u"كتـابب"_s, Script::Arabic, u"كتاب"_s),
                                                  std::tuple(u"helo"_s, Script::Latin, u"hello"_s)}) {
            const QStringList offered = checker.suggestions(word, script);
            QVERIFY2(offered.contains(right) && offered.size() <= 5, qPrintable(offered.join(u' ')));
        }
    }

    void personalWordsSurviveARestart()
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
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), u"زارفيلو\nZarvelo\nQwertyx\n"_s);
        QCOMPARE(QDir(dir.filePath(u"sub"_s)).entryList(QDir::Files), QStringList{"words.txt"});
        SpellChecker restarted(m_system, path);
        QCOMPARE(restarted.misspeltWords(u"زارفيلو Zarvelo Qwertyx Zarvello"_s).size(), 1);
    }

    void ignoredWordsLastOneRun()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"words.txt"_s);
        SpellChecker checker(m_system, path);
        QVERIFY(checker.isMisspelt(u"helo"_s, Script::Latin)); // the verdict is kept...
        checker.ignore(u"helo"_s);
        QVERIFY(!checker.isMisspelt(u"helo"_s, Script::Latin)); // ...and ignoring wins over it
        QVERIFY(!QFile::exists(path));
        QVERIFY(SpellChecker(m_system, path).isMisspelt(u"helo"_s, Script::Latin));
    }

    void missingDictionariesCheckNothing()
    {
        QTemporaryDir empty;
        SpellChecker checker(SpellDictionaries::load(empty.path()));
        QVERIFY(!checker.hasDictionary(Script::Arabic) && !checker.hasDictionary(Script::Latin));
        QVERIFY(checker.misspeltWords(u"كتابب helo"_s).isEmpty());
        QVERIFY(checker.suggestions(u"helo"_s, Script::Latin).isEmpty());
        QVERIFY(checker.addToPersonal(u"helo"_s, Script::Latin));
        // An .aff without its .dic is no dictionary either.
        writeFile(empty.filePath(u"en_US.aff"_s), "SET UTF-8\n");
        QVERIFY(!SpellDictionaries::load(empty.path()).latin);
    }

    void wordsGoInTheDictionarysOwnEncoding()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(u"en_US.aff"_s), "SET ISO8859-1\nTRY aeiouc\xe9\n");
        writeFile(dir.filePath(u"en_US.dic"_s), u"2\ncafé\nnaïve\n"_s.toLatin1());
        SpellChecker checker(SpellDictionaries::load(dir.path()));
        QVERIFY(checker.hasDictionary(Script::Latin) && !checker.hasDictionary(Script::Arabic));
        const QString text = u"café naïve cafe ŵord"_s;
        QCOMPARE(wordsOf(text, checker.misspeltWords(text)), u"cafe|ŵord"_s);
        QCOMPARE(checker.suggestions(u"cafe"_s, Script::Latin), QStringList{u"café"_s});
    }
};

QTEST_GUILESS_MAIN(TestCoreSpelling)
#include "tst_core_spelling.moc"
