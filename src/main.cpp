#include "platform/codepagecheck.h"
#include "platform/qtplatform.h"
#include "shell/commandline.h"
#include "shell/form1.h"
#include "shell/startup.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// Qt would abort with its own message when there is no display to open a
// window on; say it plainly instead.
bool haveDisplay()
{
#if defined(Q_OS_LINUX)
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    // Read before any window, so that --help and --version need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const zarvelo::CommandLine line = zarvelo::readCommandLine(arguments, QDir::currentPath());
    if (line.action != zarvelo::CommandLine::Action::Run) {
        const bool wrong = line.action == zarvelo::CommandLine::Action::Wrong;
        std::fputs(line.output.toLocal8Bit().constData(), wrong ? stderr : stdout);
        return wrong ? 2 : 0;
    }
    if (!haveDisplay()) {
        std::fputs("zarvelo: there is no display to show the window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set).\nStart it from a desktop session, or on a virtual "
                   "display: see the README.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    // Lower case, so the user's data folder is the one the launcher seeds with the
    // default settings (~/.local/share/zarvelo) and drafts live beside it.
    QApplication::setApplicationName(QStringLiteral("zarvelo"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QApplication::setStyle(QStringLiteral("Fusion"));
    zarvelo::setUpArabicLook(app);

    zarvelo::QtPlatform platform;
    if (!zarvelo::checkWindows1256(platform))
        return 1;
    // Each post given opens in a window of its own, started as usual; the
    // program ends when the last window closes.
    const QStringList posts = line.files.isEmpty() ? QStringList{QString()} : line.files;
    std::vector<std::unique_ptr<zarvelo::Form1>> windows;
    for (const QString &post : posts) {
        auto &window = *windows.emplace_back(std::make_unique<zarvelo::Form1>(platform));
        if (!window.formLoad())
            return 1;
        window.show();
        if (!post.isEmpty())
            window.openPost(post);
    }
    return QApplication::exec();
}
