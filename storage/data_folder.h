#pragma once

#include <QString>

// Where the data files live (adat.txt, adat2.txt, adat22.txt, felad.imp and
// the hand-over script). An installed program - its folder is <prefix>/bin
// and <prefix>/share/pennaro exists - keeps them in the user's data folder,
// so that nothing is written under the prefix. A copy in a folder of its own
// keeps them beside itself, unless it cannot write there.
QString choose_data_folder(const QString &program_folder, const QString &user_folder);

// Whether a file can be created in the folder, as the data files will be.
bool folder_is_writable(const QString &folder);
