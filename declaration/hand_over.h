#pragma once

#include <QString>

// The arguments that have cmd.exe run the batch file at `path`, whatever the
// path holds. Inside the quotes cmd takes blanks, ( ) & ^ as they are; only
// "%" it expands even there, so each becomes "%%cd:~,%": a "%" and an empty
// substring of %cd%, which starts no variable name.
QString cmd_arguments(const QString &path);
