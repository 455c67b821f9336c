#include "spelling/hunspelldictionary.h"
#include "spelling/spellchecker.h"
#include "spelling/wordfinder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;

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

private slots:
    void initTestCase();
    void findsProseWordsOnly_data();
    void findsProseWordsOnly();
    void checkedFormDropsTatweelAndHarakat_data();
    void checkedFormDropsTatweelAndHarakat();
    void wordAtPosition();
    void marksMisspeltWords_data();
    void marksMisspeltWords();
    void suggestsSpellings();
    void personalWordsSurviveARestart();
    void ignoredWordsLastOneRun();
    void missingDictionariesCheckNothing();
    void wordsGoInTheDictionarysOwnEncoding();

private:
    SpellDictionaries m_system;
};

void TestCoreSpelling::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_system = SpellDictionaries::load(SpellDictionaries::systemFolder());
    QVERIFY2(m_system.arabic && m_system.latin, "hunspell-ar and hunspell-en-us must be installed");
}

void TestCoreSpelling::findsProseWordsOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("words");
    QTest::newRow("arabic and latin")
        << QStringLiteral("السلام عليكم، hello world.") << QStringLiteral("السلام|عليكم|hello|world");
    QTest::newRow("link address") << QStringLiteral("[URL=http://exampel.com/pge]نص الرابط[/URL]")
                                  << QStringLiteral("نص|الرابط");
    QTest::newRow("font name") << QStringLiteral("[FONT='Simplifyed Arabik']مرحبا[/FONT]")
                               << QStringLiteral("مرحبا");
    QTest::newRow("colour size quote")
        << QStringLiteral("[COLOR=#FFAAEE][SIZE=4][QUOTE=أحمدد]كلام[/QUOTE][/SIZE][/COLOR]")
        << QStringLiteral("كلام");
    QTest::newRow("lower-case tags") << QStringLiteral("[b]bold[/b] [url=x]link[/url]")
                                     << QStringLiteral("bold|link");
    QTest::newRow("picture address") << QStringLiteral("[img]http://x.org/pic.gif[/img] صورة")
                                     << QStringLiteral("صورة");
    QTest::newRow("link without value")
        << QStringLiteral("[URL]wwww.exampel.com[/URL] and") << QStringLiteral("and");
    QTest::newRow("code") << QStringLiteral("[CODE]int mian()[/CODE] done [PHP]echo[/PHP]")
                          << QStringLiteral("done");
    QTest::newRow("value being typed") << QStringLiteral("hello [URL=http://exa") << QStringLiteral("hello");
    QTest::newRow("bare addresses") << QStringLiteral("see www.exampel.com or me@exampel.org now")
                                    << QStringLiteral("see|or|now");
    QTest::newRow("digits and capitals")
        << QStringLiteral("mp3 2nd PHP x86 ٣كتب I ok") << QStringLiteral("I|ok");
    QTest::newRow("apostrophes") << QStringLiteral("don't 'quoted' it’s")
                                 << QStringLiteral("don't|quoted|it’s");
    QTest::newRow("tatweel and harakat inside")
        << QStringLiteral("الســــلام السَّلامُ ـــ") << QStringLiteral("الســــلام|السَّلامُ");
    QTest::newRow("scripts split") << QStringLiteral("helloسلام") << QStringLiteral("hello|سلام");
    QTest::newRow("editor line breaks") << QStringLiteral("ab\u2028cd\uE00Def") << QStringLiteral("ab|cd|ef");
    QTest::newRow("brackets around prose") << QStringLiteral("[مرحبا] [a b]") << QStringLiteral("مرحبا|a|b");
}

void TestCoreSpelling::findsProseWordsOnly()
{
    QFETCH(QString, text);
    QFETCH(QString, words);
    QCOMPARE(wordsOf(text, findWords(text)), words);
}

void TestCoreSpelling::checkedFormDropsTatweelAndHarakat_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("form");
    QTest::newRow("tatweel") << QStringLiteral("الســــلام") << QStringLiteral("السلام");
    QTest::newRow("harakat and shadda") << QStringLiteral("السَّلامُ عَلَيْكُمْ") << QStringLiteral("السلام عليكم");
    QTest::newRow("superscript alef") << QStringLiteral("هٰذا") << QStringLiteral("هذا");
    QTest::newRow("decomposed hamza") << QStringLiteral("ا\u0654حمد") << QStringLiteral("أحمد");
    QTest::newRow("typographic apostrophe") << QStringLiteral("don’t") << QStringLiteral("don't");
}

void TestCoreSpelling::checkedFormDropsTatweelAndHarakat()
{
    QFETCH(QString, word);
    QFETCH(QString, form);
    QCOMPARE(checkedForm(word), form);
}

void TestCoreSpelling::wordAtPosition()
{
    const QString text = QStringLiteral("[B]abc[/B] de");
    QCOMPARE(wordAt(text, 3), (Word{3, 3, Script::Latin}));
    QCOMPARE(wordAt(text, 6), (Word{3, 3, Script::Latin})); // just after the word
    QCOMPARE(wordAt(text, 11), (Word{11, 2, Script::Latin}));
    QCOMPARE(wordAt(text, 1).length, 0); // inside the tag
    QCOMPARE(wordAt(text, 10).length, 0);
}

void TestCoreSpelling::marksMisspeltWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("misspelt");
    QTest::newRow("correct") << QStringLiteral("السلام عليكم و رحمة الله hello world") << QString();
    QTest::newRow("misspelt") << QStringLiteral("ذهبت إلى المدرسةة the skool is big")
                              << QStringLiteral("المدرسةة|skool");
    QTest::newRow("tatweel and harakat") << QStringLiteral("الســــلام عَلَيْكُمْ وَرَحْمَةُ اللَّهِ") << QString();
    QTest::newRow("markup never") << QStringLiteral(
        "[URL=http://wrnog.exmaple]نص[/URL] [FONT='Tahommma']كلام[/FONT] [QUOTE=زيدد]x[/QUOTE]")
                                  << QString();
    QTest::newRow("capitalised") << QStringLiteral("Hello Paris") << QString();
}

void TestCoreSpelling::marksMisspeltWords()
{
    QFETCH(QString, text);
    QFETCH(QString, misspelt);
    SpellChecker checker(m_system);
    QCOMPARE(wordsOf(text, checker.misspeltWords(text)), misspelt);
    // The second look comes from the kept verdicts and must agree.
    QCOMPARE(wordsOf(text, checker.misspeltWords(text)), misspelt);
}

void TestCoreSpelling::suggestsSpellings()
{
    SpellChecker checker(m_system);
    const QStringList arabic = checker.suggestions(QStringLiteral("كتـابب"), Script::Arabic);
    QVERIFY2(arabic.contains(QStringLiteral("كتاب")), qPrintable(arabic.join(u' ')));
    QVERIFY(arabic.size() <= 5);
    const QStringList latin = checker.suggestions(QStringLiteral("helo"), Script::Latin);
    QVERIFY2(latin.contains(QStringLiteral("hello")), qPrintable(latin.join(u' ')));
    QVERIFY(latin.size() <= 5);
}

void TestCoreSpelling::personalWordsSurviveARestart()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/words.txt"));
    {
        SpellChecker first(m_system, path);
        QVERIFY(first.isMisspelt(QStringLiteral("زارفيلو"), Script::Arabic));
        QVERIFY(first.addToPersonal(QStringLiteral("زارفِيلـو"), Script::Arabic));
        QVERIFY(!first.isMisspelt(QStringLiteral("زارفيلو"), Script::Arabic));
        // A second window adds its own word meanwhile; neither is lost.
        SpellChecker second(m_system, path);
        QVERIFY(second.addToPersonal(QStringLiteral("Zarvelo"), Script::Latin));
        QVERIFY(first.addToPersonal(QStringLiteral("Qwertyx"), Script::Latin));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("زارفيلو\nZarvelo\nQwertyx\n"));
    QCOMPARE(QDir(dir.filePath(QStringLiteral("sub"))).entryList(QDir::Files), QStringList{"words.txt"});

    SpellChecker restarted(m_system, path);
    QCOMPARE(restarted.misspeltWords(QStringLiteral("زارفيلو Zarvelo Qwertyx Zarvello")).size(), 1);
}

void TestCoreSpelling::ignoredWordsLastOneRun()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words.txt"));
    SpellChecker checker(m_system, path);
    QVERIFY(checker.isMisspelt(QStringLiteral("helo"), Script::Latin)); // the verdict is kept...
    checker.ignore(QStringLiteral("helo"));
    QVERIFY(!checker.isMisspelt(QStringLiteral("helo"), Script::Latin)); // ...and ignoring wins over it
    QVERIFY(!QFile::exists(path));
    SpellChecker next(m_system, path);
    QVERIFY(next.isMisspelt(QStringLiteral("helo"), Script::Latin));
}

void TestCoreSpelling::missingDictionariesCheckNothing()
{
    QTemporaryDir empty;
    SpellChecker checker(SpellDictionaries::load(empty.path()));
    QVERIFY(!checker.hasDictionary(Script::Arabic));
    QVERIFY(!checker.hasDictionary(Script::Latin));
    QVERIFY(checker.misspeltWords(QStringLiteral("كتابب helo")).isEmpty());
    QVERIFY(checker.suggestions(QStringLiteral("helo"), Script::Latin).isEmpty());
    QVERIFY(checker.addToPersonal(QStringLiteral("helo"), Script::Latin));

    // An .aff without its .dic is no dictionary either.
    writeFile(empty.filePath(QStringLiteral("en_US.aff")), "SET UTF-8\n");
    QVERIFY(!SpellDictionaries::load(empty.path()).latin);
}

void TestCoreSpelling::wordsGoInTheDictionarysOwnEncoding()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("en_US.aff")), "SET ISO8859-1\nTRY aeiouc\xe9\n");
    writeFile(dir.filePath(QStringLiteral("en_US.dic")), QStringLiteral("2\ncafé\nnaïve\n").toLatin1());
    SpellChecker checker(SpellDictionaries::load(dir.path()));
    QVERIFY(checker.hasDictionary(Script::Latin));
    QVERIFY(!checker.hasDictionary(Script::Arabic));
    QCOMPARE(wordsOf(u"café naïve cafe ŵord", checker.misspeltWords(u"café naïve cafe ŵord")),
             QStringLiteral("cafe|ŵord"));
    QCOMPARE(checker.suggestions(QStringLiteral("cafe"), Script::Latin), QStringList{QStringLiteral("café")});
}

QTEST_GUILESS_MAIN(TestCoreSpelling)
#include "tst_core_spelling.moc"
