#include "platform/desktop_platform.h"
#include "window/fo.h"
#include "window/language.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Names the user's data folder of an installed copy.
    QApplication::setApplicationName(QStringLiteral("pennaro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/pennaro.png")));
    DesktopPlatform platform;
    fo window(platform);
    platform.setWindow(&window);
    window.show();
    // Qt's texts are needed only once the user acts: loaded after the window
    // has appeared, not on the way to it.
    QMetaObject::invokeMethod(
        &app, [&app] { speak_hungarian(app); }, Qt::QueuedConnection);
    return app.exec();
}
