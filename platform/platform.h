#pragma once

#include "evaluation/problem.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Information for a note, Warning for what needs the user's care.
enum class MessageIcon { Information, Warning, Critical, Question };
// SaveDiscardCancel: "Mentés és kilépés", "Kilépés mentés nélkül", "Mégse".
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel };
enum class MessageAnswer { Ok, Yes, No, Save, Discard, Cancel };

// A message for the user, shown by the window in a "FIGYELEM!" box.
struct Notice {
    QString text;
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
    bool beep = false;
};

// How a hand-over script ended.
struct ScriptEnd {
    bool started = true;
    bool crashed = false;
    int exit_code = 0;
    QString error_output; // the last lines it wrote to its error output
    QString output; // the last line it wrote to its output, where it is read
    // Why it did not start: its interpreter (named by `interpreter`) is not
    // found (NotFound), it may not be run (NoPermission), or Other.
    FileError start_error = FileError::Other;
    QString interpreter;
    bool failed() const { return !started || crashed || exit_code != 0; }
};

// Everything the handlers need from the desktop. The program uses the real
// desktop; tests pass a fake that records the requests and never blocks.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal box titled "FIGYELEM!" with "OK", with "Igen" and "Nem", or
    // with the three answers of leaving with unsaved revenues.
    virtual MessageAnswer message(const QString &text, MessageIcon icon, MessageButtons buttons)
        = 0;
    virtual void beep() = 0;
    virtual QDate today() const = 0;
    // The folder of the data files and the hand-over script: beside the
    // program, or the user's data folder when the program is installed.
    virtual QString dataFolder() const = 0;
    // Why the data are not where the user may look for them, if so.
    virtual std::optional<Problem> dataFolderMoved() const = 0;
    // Where the form-filling program keeps its templates; a match in any counts.
    virtual QStringList templateFolders() const = 0;
    // The name of the hand-over script beside the program.
    virtual QString handOverScriptName() const = 0;
    // Starts the script on its own, not waited for, and calls `ended` when it
    // could not start or when it ends while the program runs.
    virtual void startScript(const QString &path, const QString &workingFolder,
        std::function<void(const ScriptEnd &)> ended)
        = 0;
    // The path the user chose in the desktop's save dialog, offered
    // `name` in the documents folder; empty when the user cancelled.
    virtual QString chooseSavePath(const QString &title, const QString &name, const QString &filter)
        = 0;
    // Opens the file in the desktop's viewer; false when nothing would.
    virtual bool openFile(const QString &path) = 0;
};
