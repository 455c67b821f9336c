#include "search/findstep.h"
#include "shell/postfile.h"

#include <QTest>

using namespace zarvelo;

class TestPostFileCore : public QObject
{
    Q_OBJECT

private slots:
    // The limits at 20000 and 20001 characters and the cut inside CR LF are
    // seen through the file commands; what they cannot show is checked here.
    void anEmojiAtTheLimitIsNeverCut()
    {
        const QString file = QString(19999, u'x') + QStringLiteral("😀😀😀");
        const LoadedPost post = limitLoadedPost(file);
        QCOMPARE(post.text, file.left(20003));
        QVERIFY(post.limitPassed);
    }

    void overlappingMatchesAreNotFoundTwice()
    {
        // Each press starts where the last match ended.
        const FindStep first = findStep(u"aaa", u"aa", 1);
        QVERIFY(first.outcome == FindStep::Found && first.found == 1 && first.nextStart == 3);
        const FindStep second = findStep(u"aaa", u"aa", first.nextStart);
        QCOMPARE(second.outcome, FindStep::NotFound);
        QCOMPARE(second.nextStart, 3);
    }
};

QTEST_APPLESS_MAIN(TestPostFileCore)
#include "tst_core_postfile.moc"
