#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the program says on the terminal instead of opening its window, and
// the status it ends with: 0 after --help or --version, 2 for an option it
// does not know, 1 when there is no display to open the window on.
struct CommandLineAnswer {
    QString text;
    int status = 0;
};

// Nothing when the program opens its window. `display` says whether the
// desktop has one (an X or Wayland display, or a Qt platform given).
std::optional<CommandLineAnswer> command_line_answer(const QStringList &arguments, bool display);
