#include "drafts/draftstore.h"

#include <QDir>
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

    void put(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(store.folder());
        QFile file(store.folder() + u'/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
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
        QTest::newRow("CR LF, lone LF, lone CR, CR CR LF")
            << u"a\r\nb\nc\rd\r\r\ne\n\r"_s << u"/home/u/post.txt"_s;
        QTest::newRow("outside the Arabic code page, a file name with a line break")
            << u"😀 中文 ש ñ ‍‌ \u2028 ـ"_s << u"/tmp/a\nb \"c\".txt"_s;
        QTest::newRow("NUL and a 20000-character post") << u"\0"_s + QString(20000, u'س') << QString();
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
        QVERIFY2(!drafts[0].damaged && drafts[0].id == id, qPrintable(drafts[0].problem));
        QCOMPARE(drafts[0].text, text);
        QCOMPARE(drafts[0].fileName, file);
        QCOMPARE(drafts[0].saved, QDateTime::fromSecsSinceEpoch(1'800'000'002, Qt::UTC));
        // The body is the post's own UTF-8, line breaks byte for byte.
        QFile raw(folder.store.folder() + u'/' + id);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(raw.readAll().endsWith('\n' + text.toUtf8()));
    }

    void damagedFilesAreListed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray whole = encodeDraft(QDateTime::currentDateTimeUtc(), QString(), u"نص كامل"_s);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut short") << whole.chopped(1);
        QTest::newRow("bytes added") << whole + 'x';
        QTest::newRow("not a header") << QByteArray("hello\nworld");
        QTest::newRow("other version")
            << "{\"zarvelo-draft\":2,\"saved\":\"2026-01-01T00:00:00.000Z\",\"bytes\":0}\n"_ba;
        QTest::newRow("no time") << "{\"zarvelo-draft\":1,\"bytes\":1}\nx"_ba;
        QTest::newRow("broken UTF-8")
            << encodeDraft(QDateTime::currentDateTimeUtc(), QString(), u"ab"_s).replace("ab", "\xC3\x28");
    }
    void damagedFilesAreListed()
    {
        QFETCH(QByteArray, bytes);
        Folder folder;
        QVERIFY(folder.store.write(folder.store.newId(), u"sound"_s, QString()).ok);
        folder.put(u"bad.draft"_s, bytes);
        folder.put(u"other.txt"_s, "not a draft at all"); // not ours: neither listed nor removed
        QStringList listed; // the damaged file listed with its problem and time, the sound one whole
        for (const Draft &d : folder.store.list()) {
            QVERIFY(d.saved.isValid() && d.damaged == (d.problem.size() > 0)
                    && d.damaged == d.text.isEmpty());
            listed << (d.damaged ? d.id : d.text);
        }
        listed.sort();
        QCOMPARE(listed, (QStringList{u"bad.draft"_s, u"sound"_s}));
    }

    void keepsTheNewestFifty()
    {
        Folder folder;
        QStringList ids, expected;
        for (int i = 0; i < 55; ++i) {
            ids << folder.store.newId();
            QVERIFY(folder.store.write(ids.last(), QString::number(i), QString()).ok);
            if (i == 30) // written again, the third draft is newer than the ones after it
                QVERIFY(folder.store.write(ids[2], u"third, again"_s, QString()).ok);
            if (i != 2 && i >= 6)
                expected.prepend(QString::number(i));
            if (i == 30)
                expected.prepend(u"third, again"_s);
        }
        std::vector<Draft> drafts = folder.store.list();
        QStringList texts;
        for (const Draft &draft : drafts)
            texts << draft.text;
        QCOMPARE(texts, expected); // 0, 1, 3, 4 and 5 went, oldest first
        // Writing an existing draft again never removes another.
        folder.put(u"old.draft"_s, encodeDraft(QDateTime::fromSecsSinceEpoch(0), QString(), u"old"_s));
        QVERIFY(folder.store.write(ids[2], u"third, once more"_s, QString()).ok);
        QCOMPARE(folder.store.list().size(), size_t(51));
        QVERIFY(folder.store.write(folder.store.newId(), u"new"_s, QString()).ok);
        drafts = folder.store.list();
        QCOMPARE(drafts.size(), size_t(50));
        QVERIFY(
            std::none_of(drafts.begin(), drafts.end(), [](const Draft &d) { return d.text == u"old"_s; }));
    }
};

QTEST_GUILESS_MAIN(TestDraftStore)
#include "tst_core_draftstore.moc"
