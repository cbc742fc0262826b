#pragma once

#include "evaluation/problem.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The files the program saves in the data folder, each replaced in one step.
inline const QStringList saved_files = {QStringLiteral("adat.txt"), QStringLiteral("adat22.txt"),
    QStringLiteral("felad.imp"), QStringLiteral("pennaro.ini")};

// Whether a file can be created in the folder, as the data files will be.
bool folder_is_writable(const QString &folder);

// Where the data files live (adat.txt, adat2.txt, adat22.txt, felad.imp and
// the hand-over script). An installed program - its folder is <prefix>/bin
// and <prefix>/share/pennaro exists - keeps them in the user's data folder,
// so that nothing is written under the prefix. A copy in a folder of its own
// keeps them beside itself, unless it cannot write there.
struct DataFolder {
    QString path;
    // A copy of its own that cannot write its folder, where adat.txt or
    // adat2.txt lies unused: the user must know where the data went.
    std::optional<Problem> moved;
};
DataFolder choose_data_folder(const QString &program_folder, const QString &user_folder,
    const std::function<bool(const QString &)> &writable = folder_is_writable);
