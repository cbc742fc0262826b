#include "platform/desktop_platform.h"
#include "window/fo.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DesktopPlatform platform;
    fo window(platform);
    platform.setWindow(&window);
    window.show();
    return app.exec();
}
