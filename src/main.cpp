#include "platform/codepagecheck.h"
#include "platform/qtplatform.h"
#include "shell/form1.h"
#include "shell/startup.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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
    zarvelo::Form1 window(platform);
    if (!window.formLoad())
        return 1;
    window.show();
    return QApplication::exec();
}
