#include "platform/desktop_platform.h"
#include "platform/font_configuration.h"
#include "platform/running_copy.h"
#include "storage/folder_lock.h"
#include "window/command_line.h"
#include "window/fo.h"
#include "window/language.h"
#include "window/messages.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <future>

namespace {

// Qt's X and Wayland platforms need a display; without one they abort.
bool display_available()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
        || qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version answer on the terminal, before any window (and
    // without a display); so do a wrong option and a missing display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const auto answer = command_line_answer(arguments, display_available())) {
        std::fputs(answer->text.toLocal8Bit().constData(), answer->status ? stderr : stdout);
        return answer->status;
    }

    // Read on another core while Qt connects to the display.
    auto font_configuration = read_font_configuration();
    QApplication app(argc, argv);
    // Names the user's data folder of an installed copy.
    QApplication::setApplicationName(QStringLiteral("pennaro"));
    // Ties the window to its menu entry: docks and task bars show its icon
    // and name.
    QGuiApplication::setDesktopFileName(QStringLiteral("hu.pennaro.Pennaro"));
    DesktopPlatform platform;
    // The data folder is found and locked while the window is made.
    FolderLock lock;
    auto locking = std::async(
        std::launch::async, [&platform, &lock] { return lock.take(platform.dataFolder()); });
    font_configuration.wait();
    fo window(platform);
    // A second copy on the same data folder ends before it touches a file,
    // and brings the running copy's window to the front.
    if (const auto problem = locking.get()) {
        if (problem->what == Problem::What::LockNotTaken) {
            window.note_at_start(*problem);
        } else {
            if (RunningCopy::ask_to_show(platform.dataFolder()))
                return 0;
            const Notice notice = notice_for(*problem, {});
            platform.message(notice.text, notice.icon, notice.buttons);
            return 1;
        }
    }
    platform.setWindow(&window);
    window.show();
    RunningCopy running;
    // Listening costs the start nothing: it begins once the window is up.
    QMetaObject::invokeMethod(
        &app,
        [&running, &window, &platform] {
            running.listen(platform.dataFolder(), [&window] {
                window.showNormal();
                window.raise();
                window.activateWindow();
            });
        },
        Qt::QueuedConnection);
    // Qt's texts are needed only once the user acts, and the icon is
    // decoded for the task bar: both after the window has appeared, not on
    // the way to it.
    QMetaObject::invokeMethod(
        &app,
        [&app] {
            QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/pennaro.png")));
            speak_hungarian(app);
        },
        Qt::QueuedConnection);
    return app.exec();
}
