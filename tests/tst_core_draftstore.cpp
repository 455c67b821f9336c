#include "coretest.h"
#include "drafts/draftstore.h"
#include "drafts/runrecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** A store in a fresh folder whose clock moves one second per reading, so order never ties. */
struct Folder
{
    QTemporaryDir dir;
    qint64 seconds = 0;
    DraftStore store{dir.filePath(u"drafts"_s),
                     [this] { return QDateTime::fromSecsSinceEpoch(1'800'000'000 + ++seconds, Qt::UTC); }};

    bool put(const QString &name, const QByteArray &bytes) const
    {
        return test::writeFile(store.folder() + u'/' + name, bytes);
    }
};

} // namespace

class TestDraftStore : public QObject
{
    Q_OBJECT

private slots:
    void comesBackExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("file");
        QTest::newRow("scripts, joiners, a new line in the file name")
            << u"😀 中文 ש ñ ‍‌ \u2028 ـ"_s << u"/tmp/a\nb \"c\".txt"_s;
        QTest::newRow("a nul, long, no file") << u"\0"_s + QString(20000, u'س') << QString();
    }

    void comesBackExactly()
    {
        QFETCH(QString, text);
        QFETCH(QString, file);
        Folder folder;
        const QString id = folder.store.newId();
        QVERIFY(folder.store.write(id, text, file).ok);
        const std::vector<Draft> drafts = folder.store.list();
        QCOMPARE(drafts.size(), size_t(1));
        QVERIFY2(!drafts[0].damaged, qPrintable(drafts[0].problem));
        QCOMPARE(drafts[0].id, id);
        QCOMPARE(drafts[0].text, text);
        QCOMPARE(drafts[0].fileName, file);
        QCOMPARE(drafts[0].saved, QDateTime::fromSecsSinceEpoch(1'800'000'002, Qt::UTC));
        // The body is the post's own UTF-8, line breaks byte for byte.
        QVERIFY(test::contents(folder.store.folder() + u'/' + id).endsWith('\n' + text.toUtf8()));
    }

    void damagedDraftsAreListedAsDamaged()
    {
        Folder folder;
        QVERIFY(folder.store.write(folder.store.newId(), u"sound"_s, QString()).ok);
        const QByteArray whole = encodeDraft(QDateTime::currentDateTimeUtc(), QString(), u"نص كامل"_s);
        const QByteArray damaged[] = {
            QByteArray(),
            whole.chopped(1),
            whole + 'x',
            "hello\nworld",
            "{\"zarvelo-draft\":2,\"saved\":\"2026-01-01T00:00:00.000Z\",\"bytes\":0}\n", // another version
            "{\"zarvelo-draft\":1,\"bytes\":1}\nx",                                       // no time
            encodeDraft(QDateTime::currentDateTimeUtc(), QString(), u"ab"_s).replace("ab", "\xC3\x28")};
        QStringList expected{u"sound"_s};
        for (const QByteArray &bytes : damaged) {
            expected << u"bad%1.draft"_s.arg(expected.size());
            QVERIFY(folder.put(expected.last(), bytes));
        }
        QVERIFY(folder.put(u"other.txt"_s, "not a draft at all")); // not ours: neither listed nor removed
        QStringList listed; // a damaged file listed with its problem and time, the sound one whole
        for (const Draft &d : folder.store.list()) {
            QVERIFY(d.saved.isValid());
            QCOMPARE(d.problem.isEmpty(), !d.damaged);
            QCOMPARE(d.text.isEmpty(), d.damaged);
            listed << (d.damaged ? d.id : d.text);
        }
        listed.sort();
        expected.sort();
        QCOMPARE(listed, expected);
        QVERIFY(QFile::exists(folder.store.folder() + u"/other.txt"_s));
    }

    void keepsTheNewestFifty()
    {
        Folder folder;
        QStringList ids, expected;
        for (int i = 0; i < 55; ++i) {
            ids << folder.store.newId();
            QVERIFY(folder.store.write(ids.last(), QString::number(i), QString()).ok);
            if (i != 2 && i >= 6)
                expected.prepend(QString::number(i));
            if (i == 30) { // written again, the third draft is newer than the ones after it
                QVERIFY(folder.store.write(ids[2], u"third, again"_s, QString()).ok);
                expected.prepend(u"third, again"_s);
            }
        }
        QStringList texts;
        for (const Draft &draft : folder.store.list())
            texts << draft.text;
        QCOMPARE(texts, expected); // 0, 1, 3, 4 and 5 went, oldest first
        // Writing an existing draft again never removes another.
        QVERIFY(
            folder.put(u"old.draft"_s, encodeDraft(QDateTime::fromSecsSinceEpoch(0), QString(), u"old"_s)));
        QVERIFY(folder.store.write(ids[2], u"third, once more"_s, QString()).ok);
        QCOMPARE(folder.store.list().size(), size_t(51));
        QVERIFY(folder.store.write(folder.store.newId(), u"new"_s, QString()).ok);
        QCOMPARE(folder.store.list().size(), size_t(50));
        for (const Draft &draft : folder.store.list())
            QVERIFY(draft.text != u"old"_s);
    }

    void runsStillRecordedKeepTheirNewestDraft()
    {
        Folder folder;
        RunRecord running(folder.store.folder()); // another program, still running
        QVERIFY(running.start());
        QVERIFY(folder.put(u"crashed.run"_s, QByteArray())); // a record no program holds
        for (const QString &run : {running.id(), u"crashed"_s, u"ended"_s})
            for (int i = 0; i < 2; ++i)
                QVERIFY(folder.put(
                    run + QString::number(i) + u".draft"_s,
                    encodeDraft(QDateTime::fromSecsSinceEpoch(i), {}, run + QString::number(i), run)));
        RunRecord mine(folder.store.folder());
        folder.store.setRun(&mine);
        for (int i = 0; i < 50; ++i)
            QVERIFY(folder.store.write(folder.store.newId(), QString::number(i), QString()).ok);
        QStringList others;
        for (const Draft &draft : folder.store.list())
            if (draft.run != mine.id())
                others << draft.text;
        QCOMPARE(others, QStringList({u"crashed1"_s, running.id() + u'1'}));
        QCOMPARE(RunRecord::claimEndedRuns(folder.store.folder()), QStringList{u"crashed"_s});
        QCOMPARE(RunRecord::claimEndedRuns(folder.store.folder()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestDraftStore)
#include "tst_core_draftstore.moc"
