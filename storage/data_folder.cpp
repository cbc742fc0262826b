#include "storage/data_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

bool folder_is_writable(const QString &folder)
{
    // Asked of the file system itself: permissions alone do not tell of a
    // read-only medium, and root passes every permission check.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("pennaro-XXXXXX")));
    return probe.open();
}

QString choose_data_folder(const QString &program_folder, const QString &user_folder)
{
    const QDir program(program_folder);
    const bool installed = QFileInfo(program_folder).fileName() == QStringLiteral("bin")
        && QFileInfo(program.filePath(QStringLiteral("../share/pennaro"))).isDir();
    if (!installed && folder_is_writable(program_folder))
        return QDir::cleanPath(program_folder);
    QDir().mkpath(user_folder);
    return QDir::cleanPath(user_folder);
}
