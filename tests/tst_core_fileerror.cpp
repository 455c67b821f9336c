#include "platform/fileerror.h"
#include "platform/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;

class TestFileError : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void failuresSayWhyInArabic_data();
    void failuresSayWhyInArabic();
    void fullDiskIsNamed();
};

void TestFileError::failuresSayWhyInArabic_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("path"); // inside the test's folder; "file" exists there, "dir" is a folder
    QTest::addColumn<QString>("sentence");
    QTest::newRow("read, no such file") << false << "missing.txt"
                                        << "الملف غير موجود.";
    QTest::newRow("read, no such folder") << false << "nowhere/post.txt"
                                          << "المجلد غير موجود.";
    QTest::newRow("read a folder") << false << "dir"
                                   << "هذا الاسم لمجلد وليس لملف.";
    QTest::newRow("write, no such folder") << true << "nowhere/post.txt"
                                           << "المجلد غير موجود.";
    QTest::newRow("write over a folder") << true << "dir"
                                         << "هذا الاسم لمجلد وليس لملف.";
    QTest::newRow("write under a file") << true << "file/post.txt"
                                        << "جزء من المسار ملف وليس مجلداً.";
}

void TestFileError::failuresSayWhyInArabic()
{
    QFETCH(bool, write);
    QFETCH(QString, path);
    QFETCH(QString, sentence);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("dir")));
    QFile file(m_dir.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    const QString full = m_dir.filePath(path);
    const QString error =
        write ? writeWindows1256File(full, QStringLiteral("نص")).error : readWindows1256File(full).error;
    // The sentence first, the system's own words kept after it as a detail.
    const QStringList lines = error.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.value(0), sentence);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[1].startsWith(QLatin1Char('(')) && lines[1].size() > 2);
}

void TestFileError::fullDiskIsNamed()
{
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        QSKIP("no /dev/full here");
    QCOMPARE(full.write("x", 1), -1);
    QVERIFY(fileFailureReason(full, FileAction::Write)
                .startsWith(QStringLiteral("لا توجد مساحة كافية على القرص.")));
    QCOMPARE(fileFailureReason(QFileDevice::NoError, QString(), FileAction::Read, QString()), QString());
}

QTEST_GUILESS_MAIN(TestFileError)
#include "tst_core_fileerror.moc"
