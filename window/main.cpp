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
    speak_hungarian(app);
    DesktopPlatform platform;
    fo window(platform);
    platform.setWindow(&window);
    window.show();
    return app.exec();
}
