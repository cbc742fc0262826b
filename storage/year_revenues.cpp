#include "storage/year_revenues.h"

#include "evaluation/year_rules.h"
#include "storage/text_lines.h"
#include "storage/year_choice.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

bool holds_revenue(const QStringList &texts)
{
    return std::any_of(
        texts.begin(), texts.end(), [](const QString &text) { return !text.trimmed().isEmpty(); });
}

// Something of that name is there, a link to nothing too.
bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A year's file in the folder.
QString year_file_name(int year)
{
    return QStringLiteral("adat_%1.txt").arg(year);
}

Problem file_problem(Problem::What what, const QString &path, std::optional<FileError> error)
{
    Problem problem {what, path};
    problem.error = error;
    return problem;
}

// The change stopped at a file: `year` was not chosen.
YearChange stopped(const QString &path, std::optional<FileError> error, int year)
{
    YearChange change;
    change.stopped = file_problem(Problem::What::YearNotChanged, path, error);
    change.stopped->count = year;
    return change;
}

} // namespace

QString revenue_path(const QString &folder)
{
    return folder + QStringLiteral("/adat.txt");
}

QString year_revenue_path(const QString &folder, int year)
{
    return folder + u'/' + year_file_name(year);
}

QStringList year_revenue_file_names()
{
    QStringList names;
    for (const year_rules::Year &row : year_rules::years)
        names << year_file_name(row.year);
    return names;
}

YearInUse load_year_in_use(const QString &folder, std::optional<int> chosen, int today_year)
{
    YearInUse in_use;
    const QString adat = revenue_path(folder);
    std::optional<RevenueFile> saved;
    if (chosen) {
        in_use.year = *chosen;
    } else {
        saved = load_revenue_file(adat);
        in_use.year = year_rules::starting_year(holds_revenue(saved->texts)
                ? QFileInfo(adat).lastModified().date().year()
                : today_year);
    }
    // A change of year cut short left the year's own file: it is newer than
    // adat.txt. Only a regular file: the program makes no other.
    const QString own = year_revenue_path(folder, in_use.year);
    if (QFileInfo(own).isFile()) {
        auto read = read_revenue_file(own);
        if (auto *file = std::get_if<RevenueFile>(&read)) {
            in_use.file = std::move(*file);
            in_use.file.stamp = file_stamp(adat);
            return in_use;
        }
        // Its bytes are kept aside, when they can be, and adat.txt's
        // revenues taken: the exit would otherwise write empty fields over
        // them.
        in_use.own_file_problem
            = file_problem(Problem::What::YearCopyUnreadable, own, std::get<FileError>(read));
        in_use.own_file_problem->count = in_use.year;
        in_use.own_file_problem->other_path = move_aside(own).value_or(QString());
    }
    in_use.file = saved ? std::move(*saved) : load_revenue_file(adat);
    return in_use;
}

YearChange change_year(const QString &folder, int left, const QStringList &left_texts, int chosen,
    std::optional<int> chosen_in)
{
    // First the year left, so that nothing after it can lose it. A year
    // without revenues and without a file needs none: no file is no revenue.
    const QString left_path = year_revenue_path(folder, left);
    if (holds_revenue(left_texts) || present(left_path))
        if (const auto problem = save_revenue_file(left_path, left_texts))
            return stopped(left_path, problem->error, chosen);

    YearChange change;
    change.chosen.texts = QStringList(12, QString());
    const QString own = year_revenue_path(folder, chosen);
    if (present(own)) {
        auto read = read_revenue_file(own);
        if (const auto *error = std::get_if<FileError>(&read)) {
            // A folder or a FIFO of that name is not the program's: left as
            // it is. A file's bytes are kept beside it, and the year starts
            // empty.
            const auto aside = *error == FileError::Folder || *error == FileError::NotAFile
                ? std::nullopt
                : move_aside(own);
            if (!aside)
                return stopped(own, *error, chosen);
            change.chosen.problems
                .emplaceBack(file_problem(Problem::What::RevenuesMovedAside, own, *error))
                .other_path
                = *aside;
        } else {
            change.chosen = std::get<RevenueFile>(std::move(read));
        }
    }

    const QString adat = revenue_path(folder);
    if (const auto problem = save_revenue_file(adat, change.chosen.texts))
        return stopped(adat, problem->error, chosen);
    change.chosen.stamp = file_stamp(adat);
    if (const auto problem = save_year_choice(folder, chosen, chosen_in, false)) {
        // adat.txt holds the chosen year now, but the left year's own file
        // is its newer copy: the start and the exit take that.
        YearChange failed = stopped(problem->path, problem->error, chosen);
        failed.chosen.stamp = change.chosen.stamp;
        return failed;
    }
    // Now in adat.txt alone.
    QFile::remove(own);
    return change;
}

std::optional<Problem> settle_year_in_use(const QString &folder, int year)
{
    const QString own = year_revenue_path(folder, year);
    QFile file(own);
    if (QFileInfo(own).isFile() && !file.remove()) {
        Problem problem = file_problem(Problem::What::YearFileNotRemoved, own, file_error(file));
        problem.count = year;
        return problem;
    }
    return keep_year_if_unset(folder, year);
}

YearRevenues read_year_revenues(const QString &folder, int year)
{
    YearRevenues revenues;
    const QString path = year_revenue_path(folder, year);
    if (!present(path))
        return revenues;
    auto read = read_revenue_file(path);
    if (const auto *error = std::get_if<FileError>(&read)) {
        revenues.problem = file_problem(Problem::What::YearRevenuesUnreadable, path, *error);
        revenues.problem->count = year;
    } else {
        revenues.texts = std::get<RevenueFile>(read).texts;
    }
    return revenues;
}

QList<int> years_with_revenues(const QString &folder)
{
    QList<int> years;
    for (const year_rules::Year &row : year_rules::years) {
        const YearRevenues revenues = read_year_revenues(folder, row.year);
        if (!revenues.problem && holds_revenue(revenues.texts))
            years << row.year;
    }
    return years;
}
