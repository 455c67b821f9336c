// Compiled into every test program, so that a test run by hand behaves as
// under CTest: before main() and before any QApplication exists, the test is
// put on the offscreen platform (unless one was chosen), and XDG_DATA_HOME,
// XDG_CONFIG_HOME and XDG_CACHE_HOME point into one folder made fresh for
// this run and removed at its end. Drafts, the personal word list, the
// preferences and the look cache of the windows a test builds therefore go
// there, never to the user's folders, and no run sees what another left.
// There spell checking starts switched off: a window test builds dozens of
// main windows, and each would open the dictionaries again; tst_spelling
// switches it on itself.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

void setDefault(const char *name, const QByteArray &value)
{
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, value);
}

void prepareTestEnvironment()
{
    setDefault("QT_QPA_PLATFORM", "offscreen");
    // Where the tests find the shipped data files and the built programs.
    setDefault("ZARVELO_SOURCE_DIR", ZARVELO_TEST_SOURCE_DIR);
    setDefault("ZARVELO_BINARY_DIR", ZARVELO_TEST_BINARY_DIR);

    // Removed when the program ends (a static's destructor, after main()).
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/" ZARVELO_TEST_NAME "-XXXXXX"));
    const QDir folder(home.path());
    const QString config = folder.filePath(QStringLiteral("config"));
    // The preferences are read from the folder named after the program, as
    // QStandardPaths names it for a program without an organisation.
    QFile preferences(config + QStringLiteral("/" ZARVELO_TEST_NAME "/preferences.conf"));
    const QByteArray spellingOff("[spelling]\nenabled=false\n");
    if (!home.isValid() || !QDir().mkpath(config + QStringLiteral("/" ZARVELO_TEST_NAME))
        || !preferences.open(QIODevice::WriteOnly) || preferences.write(spellingOff) != spellingOff.size()
        || !preferences.flush()) {
        std::fprintf(stderr, "test environment: no fresh folder for the test's files in %s\n",
                     qPrintable(QDir::tempPath()));
        std::exit(1);
    }
    qputenv("XDG_DATA_HOME", folder.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qputenv("XDG_CACHE_HOME", folder.filePath(QStringLiteral("cache")).toLocal8Bit());
}

} // namespace

Q_CONSTRUCTOR_FUNCTION(prepareTestEnvironment)
