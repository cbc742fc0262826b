#include "storage/year_choice.h"

#include "evaluation/year_rules.h"
#include "storage/text_lines.h"

#include <QFile>

namespace {

QString settings_path(const QString &folder)
{
    return folder + QStringLiteral("/pennaro.ini");
}

} // namespace

std::optional<int> read_year_choice(const QString &folder)
{
    QFile file(settings_path(folder));
    if (!QFile::exists(file.fileName()) || open_for_reading(file))
        return std::nullopt;
    for (const QByteArray &line : read_lines(file, 100).lines) {
        const QByteArray setting = line.trimmed();
        if (!setting.startsWith("adoev="))
            continue;
        bool number = false;
        const int year = setting.mid(6).trimmed().toInt(&number);
        if (number && year_rules::rules_for(year).year == year)
            return year;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Problem> save_year_choice(const QString &folder, int year)
{
    const QString path = settings_path(folder);
    const auto error = write_lines(path, {"adoev=" + QByteArray::number(year)});
    if (!error)
        return std::nullopt;
    Problem problem {Problem::What::YearNotSaved, path};
    problem.error = error;
    return problem;
}
