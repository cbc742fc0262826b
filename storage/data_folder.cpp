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

DataFolder choose_data_folder(const QString &program_folder, const QString &user_folder,
    const std::function<bool(const QString &)> &writable)
{
    const QDir program(program_folder);
    const bool installed = QFileInfo(program_folder).fileName() == QStringLiteral("bin")
        && QFileInfo(program.filePath(QStringLiteral("../share/pennaro"))).isDir();
    if (!installed && writable(program_folder))
        return {QDir::cleanPath(program_folder), std::nullopt};
    QDir().mkpath(user_folder);
    DataFolder chosen {QDir::cleanPath(user_folder), std::nullopt};
    if (installed)
        return chosen;
    QStringList left;
    for (const char *name : {"adat.txt", "adat2.txt"})
        if (QFileInfo::exists(program.filePath(name)))
            left.append(QString::fromLatin1(name));
    if (!left.isEmpty()) {
        chosen.moved = Problem {Problem::What::DataFolderMoved, chosen.path};
        chosen.moved->other_path = QDir::cleanPath(program_folder);
        chosen.moved->text = left.join(QStringLiteral(", "));
    }
    return chosen;
}
