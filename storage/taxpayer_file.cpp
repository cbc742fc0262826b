#include "storage/taxpayer_file.h"

#include "storage/charset_converter.h"
#include "storage/text_lines.h"

#include <QFile>
#include <QFileInfo>

TaxpayerLines taxpayer_entries(const QList<QByteArray> &lines)
{
    TaxpayerLines entries(31);
    for (qsizetype i = 0; i < lines.size() && i < 24; ++i) {
        QByteArray value = lines[i];
        const qsizetype comment = value.indexOf('\'');
        if (comment >= 0)
            value.truncate(comment);
        qsizetype end = value.size();
        while (end > 0 && value[end - 1] == ' ')
            --end;
        value.truncate(end);
        entries[i + 1] = value;
    }
    return entries;
}

TaxpayerData read_taxpayer_data(const QString &folder)
{
    TaxpayerData result;
    const QString source = folder + QStringLiteral("/adat2.txt");
    // A folder of that name counts too: the export is offered, and what
    // cannot be read is reported.
    result.present = QFileInfo::exists(source);
    if (!result.present)
        return result;
    const auto problem = [&](Problem::What what, const QString &path) -> Problem & {
        result.problems.append(Problem {what});
        result.problems.last().path = path;
        return result.problems.last();
    };

    QFile file(source);
    std::optional<FileError> error = open_for_reading(file);
    // A sane bound: the declaration needs 24 lines.
    const TextLines read = error ? TextLines {} : read_lines(file, 1000);
    if (read.has_nul)
        error = FileError::NotText;
    if (error) {
        problem(Problem::What::TaxpayerUnreadable, source).error = error;
        return result;
    }

    const ConvertedLines converted = charset_converter(read.lines);
    result.copy.emplace();
    for (const QByteArray &line : converted.lines)
        *result.copy += line + "\r\n";
    result.lines = taxpayer_entries(converted.lines);
    if (converted.lines.size() < 24)
        problem(Problem::What::TaxpayerTooShort, source).count = int(converted.lines.size());
    if (!converted.replaced_lines.isEmpty()) {
        Problem &replaced = problem(Problem::What::TaxpayerLettersReplaced, source);
        for (int line : converted.replaced_lines)
            replaced.lines.append({line, {}, {}});
    }
    // What was read otherwise than it stands, said line by line.
    const std::pair<Problem::What, const QList<int> &> told[]
        = {{Problem::What::TaxpayerLinesCut, read.cut_lines},
            {Problem::What::TaxpayerDoubledLineEnds, read.doubled_ends}};
    for (const auto &[what, numbers] : told) {
        if (numbers.isEmpty())
            continue;
        Problem &lines = problem(what, source);
        for (int line : numbers)
            lines.lines.append({line, {}, {}});
    }
    result.mode = QFileInfo(source).permissions();
    return result;
}

std::optional<Problem> write_taxpayer_copy(
    const QString &folder, const QByteArray &copy, QFileDevice::Permissions source_mode)
{
    // A copy no one can read or rewrite would fail every later start.
    const QFileDevice::Permissions mode
        = source_mode | QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QString path = folder + QStringLiteral("/adat22.txt");
    // Most starts find the copy as it was: nothing to write, nothing to
    // sync. Only a regular file is read back, and no more than the copy.
    QFile existing(path);
    const QFileInfo info(path);
    if (!info.isSymLink() && !open_for_reading(existing) && existing.size() == copy.size()
        && existing.read(copy.size() + 1) == copy && info.permissions() == mode)
        return std::nullopt;
    existing.close();
    // The copy holds what its source holds: it is as private as it.
    const auto error = write_file(path, copy, mode);
    if (!error)
        return std::nullopt;
    Problem problem(Problem::What::TaxpayerCopyNotWritten, path);
    problem.error = error;
    return problem;
}
