#pragma once

#include "platform/platform.h"

class QWidget;

class DesktopPlatform : public Platform {
public:
    void setWindow(QWidget *window) { window_ = window; }

    MessageAnswer message(const QString &text, MessageIcon icon, MessageButtons buttons) override;
    void beep() override;
    QDate today() const override;
    QString dataFolder() const override;
    std::optional<Problem> dataFolderMoved() const override;
    QStringList templateFolders() const override;
    QString handOverScriptName() const override;
    void startScript(const QString &path, const QString &workingFolder,
        std::function<void(const ScriptEnd &)> ended) override;
    QString chooseSavePath(
        const QString &title, const QString &name, const QString &filter) override;
    bool openFile(const QString &path) override;

private:
    QWidget *window_ = nullptr;
};
