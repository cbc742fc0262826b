#include "platform/desktop_platform.h"

#include "storage/data_folder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include "declaration/hand_over.h"

#include <windows.h>
#endif

MessageAnswer DesktopPlatform::message(
    const QString &text, MessageIcon icon, MessageButtons buttons)
{
    const QMessageBox::Icon boxIcon = icon == MessageIcon::Critical ? QMessageBox::Critical
        : icon == MessageIcon::Question                             ? QMessageBox::Question
                                                                    : QMessageBox::Warning;
    QMessageBox box(boxIcon, QStringLiteral("FIGYELEM!"), text, QMessageBox::NoButton, window_);
    if (buttons == MessageButtons::Ok) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return MessageAnswer::Ok;
    }
    QPushButton *yes = box.addButton(QStringLiteral("Igen"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("Nem"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void DesktopPlatform::beep()
{
    QApplication::beep();
}

QDate DesktopPlatform::today() const
{
    return QDate::currentDate();
}

QString DesktopPlatform::dataFolder() const
{
    // Decided once: the files of a run stay in one place.
    static const QString folder = choose_data_folder(QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return folder;
}

QStringList DesktopPlatform::templateFolders() const
{
#ifdef Q_OS_WIN
    return {QStringLiteral("C:/Users/Public/abevjava/nyomtatvanyok")};
#else
    // The form program installs for one user or system-wide.
    return {QDir::homePath() + QStringLiteral("/abevjava/nyomtatvanyok"),
        QStringLiteral("/usr/share/abevjava/nyomtatvanyok")};
#endif
}

QString DesktopPlatform::handOverScriptName() const
{
#ifdef Q_OS_WIN
    return QStringLiteral("atad_pennaro.bat");
#else
    return QStringLiteral("atad_pennaro.sh");
#endif
}

bool DesktopPlatform::startScript(const QString &path, const QString &workingFolder)
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
#ifdef Q_OS_WIN
    // A batch file runs in a console window of its own, shown normally.
    const QString comspec = qEnvironmentVariable("ComSpec");
    process.setProgram(comspec.isEmpty() ? QStringLiteral("cmd.exe") : comspec);
    process.setNativeArguments(cmd_arguments(path));
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *args) {
        args->flags |= CREATE_NEW_CONSOLE;
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = SW_SHOWNORMAL;
    });
#else
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({path});
#endif
    return process.startDetached();
}
