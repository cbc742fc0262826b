#pragma once

#include "fake_platform.h"
#include "ui_fo.h"
#include "window/fo.h"

#include <QApplication>
#include <QTest>

#include <QFile>

#include <functional>
#include <memory>

// A fresh, shown and active window on a fake desktop for each test.
struct WindowFixture {
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<fo> window;

    // `prepare` lays files beside the program before it starts.
    void open(const std::function<void(FakePlatform &)> &prepare = {})
    {
        platform = std::make_unique<FakePlatform>();
        if (prepare)
            prepare(*platform);
        window = std::make_unique<fo>(*platform);
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The start-up messages come once the window is painted.
        for (int i = 0; i < 100 && !window->startup_done(); ++i)
            QCoreApplication::processEvents();
        QVERIFY(window->startup_done());
    }
    void close()
    {
        window.reset();
        platform.reset();
    }
    QString path(const QString &name) const { return platform->folder.filePath(name); }

    Ui::fo &ui() const { return window->form(); }
};

inline void put_file(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray file_bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The texts with the Hungarian group separator for the blanks.
inline QString hungarian_blanks(QString text)
{
    return text.replace(u' ', QChar(0x00A0));
}
inline QStringList hungarian_blanks(QStringList texts)
{
    return texts.replaceInStrings(QStringLiteral(" "), QString(QChar(0x00A0)));
}
