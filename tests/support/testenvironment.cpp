// Compiled into every test program: before main(), and so before any
// QApplication, the test goes on the offscreen platform (unless one was
// chosen) and its data, configuration and cache folders into one folder made
// fresh for this run and removed at its end, so a test run by hand behaves as
// under CTest and none touches the user's folders. Spell checking starts off
// there: a window test builds dozens of main windows, and each would open the
// dictionaries again; tst_spelling switches it on itself.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void prepareTestEnvironment()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Where the tests find the shipped data files and the built programs.
    qputenv("ZARVELO_SOURCE_DIR", ZARVELO_TEST_SOURCE_DIR);
    qputenv("ZARVELO_BINARY_DIR", ZARVELO_TEST_BINARY_DIR);
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/" ZARVELO_TEST_NAME "-XXXXXX"));
    const QDir folder(home.path());
    // QStandardPaths names the configuration folder after the program.
    const QString config = folder.filePath(QStringLiteral("config/" ZARVELO_TEST_NAME));
    const QByteArray spellingOff("[spelling]\nenabled=false\n");
    QFile preferences(config + QStringLiteral("/preferences.conf"));
    if (!home.isValid() || !QDir().mkpath(config) || !preferences.open(QIODevice::WriteOnly)
        || preferences.write(spellingOff) != spellingOff.size() || !preferences.flush())
        qFatal("test environment: no fresh folder for the test's files in %s", qPrintable(QDir::tempPath()));
    qputenv("XDG_DATA_HOME", folder.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", folder.filePath(QStringLiteral("cache")).toLocal8Bit());
}

} // namespace

Q_CONSTRUCTOR_FUNCTION(prepareTestEnvironment)
