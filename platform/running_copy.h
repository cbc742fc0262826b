#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// The copy that holds a data folder listens on a local socket named after
// the folder; a second copy started on it asks the first to come to the
// front instead of opening a window of its own.
class RunningCopy : public QObject {
    Q_OBJECT

public:
    explicit RunningCopy(QObject *parent = nullptr);
    ~RunningCopy() override;

    // Listens for later copies on `folder`; `show` brings the window to the
    // front. False when it cannot listen.
    bool listen(const QString &folder, std::function<void()> show);

    // Asks the copy holding `folder` to come to the front; true when it
    // said it did.
    static bool ask_to_show(const QString &folder);

private:
    struct Channel;
    std::unique_ptr<Channel> channel_;
    std::function<void()> show_;
};
