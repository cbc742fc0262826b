#pragma once

#include "platform/platform.h"

#include <QList>
#include <QTemporaryDir>

// Records what the handlers ask of the desktop and answers from a script.
class FakePlatform : public Platform {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer message(const QString &text, MessageIcon icon, MessageButtons buttons) override
    {
        messages.append({text, icon, buttons});
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        return answers.isEmpty() ? MessageAnswer::No : answers.takeFirst();
    }
    void beep() override { ++beeps; }
    QDate today() const override { return date; }
    QString programFolder() const override { return folder.path(); }
    QStringList templateFolders() const override { return {templates.path()}; }
    QString handOverScriptName() const override { return QStringLiteral("atad_pennaro.sh"); }
    std::optional<QString> startScript(const QString &path, const QString &workingFolder) override
    {
        started.append(path + u'|' + workingFolder);
        return startError;
    }
    void quit() override { ++quits; }

    // The only message so far starts with `text` and has this icon.
    bool said(const QString &text, MessageIcon icon = MessageIcon::Warning) const
    {
        return messages.size() == 1 && messages[0].text.startsWith(text)
            && messages[0].icon == icon;
    }

    QList<Message> messages;
    QList<MessageAnswer> answers; // for Igen/Nem boxes, in order; then Nem
    int beeps = 0;
    int quits = 0;
    QDate date {2026, 12, 6};
    QTemporaryDir folder;
    QTemporaryDir templates;
    QStringList started;
    std::optional<QString> startError;
};
