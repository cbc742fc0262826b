#pragma once

#include "platform/platform.h"

#include <QGuiApplication>
#include <QList>
#include <QTemporaryDir>
#include <QWindow>

// Records what the handlers ask of the desktop and answers from a script.
class FakePlatform : public Platform {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
        bool over_window; // the active window was on the screen when it came
    };

    MessageAnswer message(const QString &text, MessageIcon icon, MessageButtons buttons) override
    {
        const QWindow *window = QGuiApplication::focusWindow();
        messages.append({text, icon, buttons, window && window->isExposed()});
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        return answers.isEmpty() ? MessageAnswer::No : answers.takeFirst();
    }
    void beep() override { ++beeps; }
    QDate today() const override
    {
        ++today_calls;
        return date;
    }
    QString dataFolder() const override { return folder.path(); }
    QStringList templateFolders() const override { return {templates.path()}; }
    QString handOverScriptName() const override { return QStringLiteral("atad_pennaro.sh"); }
    bool startScript(const QString &path, const QString &workingFolder) override
    {
        started.append(path + u'|' + workingFolder);
        return !startFails;
    }

    // The only message so far starts with `text` and has this icon.
    bool said(const QString &text, MessageIcon icon = MessageIcon::Warning) const
    {
        return messages.size() == 1 && messages[0].text.startsWith(text)
            && messages[0].icon == icon;
    }

    QList<Message> messages;
    QList<MessageAnswer> answers; // for Igen/Nem boxes, in order; then Nem
    int beeps = 0;
    mutable int today_calls = 0;
    QDate date {2026, 12, 6};
    QTemporaryDir folder;
    QTemporaryDir templates;
    QStringList started;
    bool startFails = false;
};
