#include "search/findstep.h"
#include "shell/postfile.h"

#include <QTest>

using namespace zarvelo;

class TestPostFileCore : public QObject
{
    Q_OBJECT

private slots:
    void loadLimit_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qsizetype>("loaded");
        QTest::addColumn<bool>("passed");
        QTest::newRow("empty") << QString() << qsizetype(0) << false;
        QTest::newRow("20000 whole") << QString(20000, u'x') << qsizetype(20000) << false;
        QTest::newRow("20001 whole, still told") << QString(20001, u'x') << qsizetype(20001) << true;
        QTest::newRow("25000 cut after 20001") << QString(25000, u'x') << qsizetype(20001) << true;
        QTest::newRow("cut inside CR LF keeps the CR")
            << QString(20000, u'x') + QStringLiteral("\r\nmore") << qsizetype(20001) << true;
        QTest::newRow("an emoji is one character, never cut")
            << QString(19999, u'x') + QStringLiteral("😀😀😀") << qsizetype(20003) << true;
    }
    void loadLimit()
    {
        QFETCH(QString, file);
        QFETCH(qsizetype, loaded);
        QFETCH(bool, passed);
        const LoadedPost post = limitLoadedPost(file);
        QCOMPARE(post.text, file.left(loaded));
        QCOMPARE(post.limitPassed, passed);
    }

    void findSteps()
    {
        // Each press starts where the last match ended; no match leaves the start alone.
        FindStep step = findStep(u"xabyab", u"ab", 1);
        QCOMPARE(step.outcome, FindStep::Found);
        QCOMPARE(step.found, 2);
        QCOMPARE(step.nextStart, 4);
        step = findStep(u"xabyab", u"ab", step.nextStart);
        QCOMPARE(step.found, 5);
        QCOMPARE(step.nextStart, 7);
        step = findStep(u"xabyab", u"ab", step.nextStart);
        QCOMPARE(step.outcome, FindStep::NotFound);
        QCOMPARE(step.nextStart, 7);
        QCOMPARE(findStep(u"xabyab", u"Ab", 1).outcome, FindStep::NotFound);
        QCOMPARE(findStep(u"aaa", u"aa", findStep(u"aaa", u"aa", 1).nextStart).outcome, FindStep::NotFound);
        QCOMPARE(findStep(u"abc", u"", 1).outcome, FindStep::Skipped);

        // Positions are not 16-bit: a match far past 32 767 is found and passed.
        const QString post = QString(70000, u'-') + QStringLiteral("needle");
        step = findStep(post, u"needle", 40000);
        QCOMPARE(step.found, 70001);
        QCOMPARE(step.nextStart, 70007);
    }
};

QTEST_APPLESS_MAIN(TestPostFileCore)
#include "tst_core_postfile.moc"
