// Before main(), every test program goes on the offscreen platform (unless one
// was chosen), its data, configuration and cache folders into a fresh folder,
// and spell checking off there (tst_spelling switches it on itself).

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void prepareTestEnvironment()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
