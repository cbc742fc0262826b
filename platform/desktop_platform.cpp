#include "platform/desktop_platform.h"

#include "storage/data_folder.h"
#include "storage/text_lines.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include <memory>

#ifdef Q_OS_WIN
#include "declaration/hand_over.h"

#include <windows.h>
#endif

namespace {

// A box or a dialog comes over the window the user acted in, the overview
// too, and gives the keyboard back to it when it closes, never to a window
// behind it.
class OverOpener {
public:
    explicit OverOpener(QWidget *main)
        : opener_(QApplication::activeWindow() ? QApplication::activeWindow() : main)
    {
    }
    ~OverOpener()
    {
        if (opener_ && opener_->isVisible()) {
            opener_->raise();
            opener_->activateWindow();
            QApplication::setActiveWindow(opener_);
        }
    }
    QWidget *widget() const { return opener_; }

private:
    QPointer<QWidget> opener_;
};

} // namespace

MessageAnswer DesktopPlatform::message(
    const QString &text, MessageIcon icon, MessageButtons buttons)
{
    const OverOpener opener(window_);
    const QMessageBox::Icon boxIcon = icon == MessageIcon::Critical ? QMessageBox::Critical
        : icon == MessageIcon::Question                             ? QMessageBox::Question
        : icon == MessageIcon::Information                          ? QMessageBox::Information
                                                                    : QMessageBox::Warning;
    QMessageBox box(
        boxIcon, QStringLiteral("FIGYELEM!"), text, QMessageBox::NoButton, opener.widget());
    if (buttons == MessageButtons::Ok) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return MessageAnswer::Ok;
    }
    if (buttons == MessageButtons::SaveDiscardCancel) {
        QPushButton *save
            = box.addButton(QStringLiteral("Mentés és kilépés"), QMessageBox::AcceptRole);
        QPushButton *discard
            = box.addButton(QStringLiteral("Kilépés mentés nélkül"), QMessageBox::DestructiveRole);
        QPushButton *cancel = box.addButton(QStringLiteral("Mégse"), QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == save   ? MessageAnswer::Save
            : box.clickedButton() == discard ? MessageAnswer::Discard
                                             : MessageAnswer::Cancel;
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

namespace {

// Decided once: the files of a run stay in one place.
const DataFolder &data_folder()
{
    static const DataFolder folder = choose_data_folder(QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return folder;
}

} // namespace

QString DesktopPlatform::chooseSavePath(
    const QString &title, const QString &name, const QString &filter)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const OverOpener opener(window_);
    return QFileDialog::getSaveFileName(
        opener.widget(), title, QDir(documents).filePath(name), filter);
}

bool DesktopPlatform::openFile(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString DesktopPlatform::dataFolder() const
{
    return data_folder().path;
}

std::optional<Problem> DesktopPlatform::dataFolderMoved() const
{
    return data_folder().moved;
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

void DesktopPlatform::startScript(
    const QString &path, const QString &workingFolder, std::function<void(const ScriptEnd &)> ended)
{
    // Not owned: a script still running when the program ends goes on, as
    // destroying its QProcess would kill it.
    auto *process = new QProcess;
    process->setWorkingDirectory(workingFolder);
    process->setStandardInputFile(QProcess::nullDevice());
    QString error_log, interpreter;
    const auto output = std::make_shared<QByteArray>();
#ifdef Q_OS_WIN
    // A batch file runs in a console window of its own, shown normally, its
    // output there.
    const QString comspec = qEnvironmentVariable("ComSpec");
    process->setProgram(comspec.isEmpty() ? QStringLiteral("cmd.exe") : comspec);
    process->setNativeArguments(cmd_arguments(path));
    process->setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *args) {
        args->flags |= CREATE_NEW_CONSOLE;
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = SW_SHOWNORMAL;
    });
#else
    // An executable names its interpreter in its first line ("#!") or is a
    // program; any other script runs through /bin/sh, as a shell runs it.
    QFile script(path);
    const QByteArray head = open_for_reading(script) ? QByteArray() : script.readLine(4096);
    const bool runs_itself = QFileInfo(path).isExecutable()
        && (head.startsWith("#!")
            || head.startsWith("\x7f"
                               "ELF"));
    if (runs_itself) {
        process->setProgram(path);
    } else {
        process->setProgram(QStringLiteral("/bin/sh"));
        process->setArguments({path});
    }
    interpreter = head.startsWith("#!")
        ? QString::fromLocal8Bit(head.mid(2).trimmed()).section(u' ', 0, 0)
        : QString();
    // Its error output goes to a file, which outlives the program; its
    // output is read, for its last line. A log that cannot be a regular
    // file of its own (a folder of that name) gives way to nothing.
    error_log = QDir(workingFolder).filePath(QStringLiteral("atad_pennaro.log"));
    if (prepare_log(error_log))
        error_log.clear();
    process->setStandardErrorFile(error_log.isEmpty() ? QProcess::nullDevice() : error_log);
    QObject::connect(process, &QProcess::readyReadStandardOutput, [process, output] {
        // The tail is enough for its last line.
        output->append(process->readAllStandardOutput());
        if (output->size() > 4096)
            output->remove(0, output->size() - 4096);
    });
#endif
    // A script that does not start never finishes: each end is told once.
    const auto finish = [process, ended, error_log, output](ScriptEnd end) {
        if (!error_log.isEmpty())
            end.error_output = last_lines(error_log, 5);
        output->append(process->readAllStandardOutput());
        const QList<QByteArray> lines = output->trimmed().split('\n');
        end.output = QString::fromLocal8Bit(lines.last().trimmed());
        process->deleteLater();
        ended(end);
    };
    QObject::connect(process, &QProcess::errorOccurred,
        [finish, path, interpreter](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return;
            ScriptEnd end;
            end.started = false;
            // The system's reason, as the window can word it.
            if (!interpreter.isEmpty() && !QFileInfo(interpreter).isExecutable()) {
                end.start_error = FileError::NotFound;
                end.interpreter = interpreter;
            } else if (!QFileInfo(path).isReadable()) {
                end.start_error = FileError::NoPermission;
            }
            finish(end);
        });
    QObject::connect(process, &QProcess::finished, [finish](int code, QProcess::ExitStatus status) {
        ScriptEnd end;
        end.crashed = status == QProcess::CrashExit;
        end.exit_code = code;
        finish(end);
    });
    process->start();
}
