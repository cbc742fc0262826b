#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the program answers on the terminal, in Hungarian, when it is
// started with --help or --version; nothing when it opens its window.
std::optional<QString> command_line_answer(const QStringList &arguments);
