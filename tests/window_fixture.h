#pragma once

#include "fake_platform.h"
#include "ui_fo.h"
#include "window/fo.h"

#include <QApplication>
#include <QTest>

#include <memory>

// A fresh, shown and active window on a fake desktop for each test.
struct WindowFixture {
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<fo> window;

    void open()
    {
        platform = std::make_unique<FakePlatform>();
        prepare(*platform);
        window = std::make_unique<fo>(*platform);
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void close()
    {
        window.reset();
        platform.reset();
    }
    // Files and answers the platform needs before the window starts.
    virtual void prepare(FakePlatform &) { }
    virtual ~WindowFixture() = default;

    Ui::fo &ui() const { return window->form(); }
};

inline QString hungarian_blanks(QString text)
{
    return text.replace(u' ', QChar(0x00A0));
}
