#include "search/findstep.h"
#include "shell/postfile.h"

#include <QTest>

using namespace zarvelo;

class TestCorePostFile : public QObject
{
    Q_OBJECT

private slots:
    void loadLimit_data();
    void loadLimit();
    void findSequences_data();
    void findSequences();
    void findPastSixteenBits();
};

void TestCorePostFile::loadLimit_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("limitPassed");

    const QString line = QStringLiteral("سطر Line\r\n"); // 10 characters
    QTest::newRow("empty") << QString() << QString() << false;
    QTest::newRow("exactly 20000") << line.repeated(2000) << line.repeated(2000) << false;
    QTest::newRow("20001") << line.repeated(2000) + QStringLiteral("x")
                           << line.repeated(2000) + QStringLiteral("x") << true;
    QTest::newRow("25000") << line.repeated(2500) << line.repeated(2000) + QStringLiteral("س") << true;
    // The cut may fall inside a CR LF pair; the CR stays alone.
    const QString cr = QString(20000, QLatin1Char('a')) + QStringLiteral("\r\nb");
    QTest::newRow("cut in CR LF") << cr << QString(20000, QLatin1Char('a')) + QStringLiteral("\r") << true;
    const QString lf = QStringLiteral("a\nb\rc\r\n");
    QTest::newRow("line breaks unchanged") << lf << lf << false;
}

void TestCorePostFile::loadLimit()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QFETCH(bool, limitPassed);
    const LoadedPost loaded = limitLoadedPost(file);
    QCOMPARE(loaded.limitPassed, limitPassed);
    QCOMPARE(loaded.text.size(), expected.size());
    QCOMPARE(loaded.text, expected);
}

// Each press is a search text; the expected row lists "found/next" pairs, with
// 0 for a press that finds nothing and "-" for one that does nothing.
void TestCorePostFile::findSequences_data()
{
    QTest::addColumn<QString>("post");
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("ab in xabyab") << QStringLiteral("xabyab") << QStringList{"ab", "ab", "ab", "ab"}
                                  << QStringList{"2/4", "5/7", "0/7", "0/7"};
    QTest::newRow("changed text from the old start")
        << QStringLiteral("xabyab") << QStringList{"ab", "x", "a", "b"}
        << QStringList{"2/4", "0/4", "5/6", "6/7"};
    QTest::newRow("empty does nothing") << QStringLiteral("xabyab") << QStringList{"ab", "", "ab"}
                                        << QStringList{"2/4", "-/4", "5/7"};
    QTest::newRow("arabic and CR LF") << QStringLiteral("سلام\r\nسلام") << QStringList{"\r\nس", "سلام", "لام"}
                                      << QStringList{"5/8", "0/8", "8/11"};
    QTest::newRow("empty post") << QString() << QStringList{"a"} << QStringList{"0/1"};
}

void TestCorePostFile::findSequences()
{
    QFETCH(QString, post);
    QFETCH(QStringList, presses);
    QFETCH(QStringList, expected);
    qsizetype start = 1;
    QStringList got;
    for (const QString &text : presses) {
        const FindStep step = findStep(post, text, start);
        if (step.outcome == FindStep::Skipped)
            got << QStringLiteral("-/%1").arg(step.nextStart);
        else
            got << QStringLiteral("%1/%2").arg(step.found).arg(step.nextStart);
        QCOMPARE(step.outcome == FindStep::Found, step.found > 0);
        start = step.nextStart;
    }
    QCOMPARE(got, expected);
}

void TestCorePostFile::findPastSixteenBits()
{
    // Matches on both sides of 32767, and one that ends across it.
    QString post(70000, QLatin1Char('.'));
    post.replace(32760, 10, QStringLiteral("needle0123"));
    post.replace(40000, 6, QStringLiteral("needle"));
    post.replace(69994, 6, QStringLiteral("needle"));
    qsizetype start = 1;
    QList<qsizetype> found;
    for (int press = 0; press < 4; ++press) {
        const FindStep step = findStep(post, QStringLiteral("needle"), start);
        found << step.found;
        start = step.nextStart;
    }
    QCOMPARE(found, (QList<qsizetype>{32761, 40001, 69995, 0}));
    QCOMPARE(start, qsizetype(70001));
    // A start past the end of a post that has since been shortened.
    QCOMPARE(findStep(QStringLiteral("ab"), QStringLiteral("a"), 5).outcome, FindStep::NotFound);
}

QTEST_APPLESS_MAIN(TestCorePostFile)
#include "tst_core_postfile.moc"
