#include "storage/revenue_file.h"

#include "evaluation/number_text.h"
#include "storage/charset_converter.h"
#include "storage/text_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

RevenueFile unreadable(const QString &path, FileError error)
{
    RevenueFile result;
    result.texts = QStringList(12, QString());
    Problem &problem = result.problems.emplaceBack(Problem::What::RevenuesUnreadable, path);
    problem.error = error;
    // A folder is never replaced anyway; a FIFO or a device is left where it
    // is and replaced only if the user says so; a file's bytes are kept
    // beside it.
    if (error == FileError::Folder)
        return result;
    if (error == FileError::NotAFile) {
        result.ask_before_saving = true;
        return result;
    }
    const auto aside = move_aside(path);
    if (!aside) {
        result.ask_before_saving = true;
        return result;
    }
    problem.what = Problem::What::RevenuesMovedAside;
    problem.other_path = *aside;
    write_lines(path, QList<QByteArray>(36)); // the exit saves it again if this fails
    return result;
}

RevenueFile load(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        RevenueFile result;
        result.texts = QStringList(12, QString());
        // A new file holds 36 empty lines.
        if (const auto error = write_lines(path, QList<QByteArray>(36))) {
            result.problems.emplaceBack(Problem::What::RevenuesNotCreated, path).error = error;
        }
        return result;
    }
    auto read = read_revenue_file(path);
    if (const auto *error = std::get_if<FileError>(&read))
        return unreadable(path, *error);
    return std::get<RevenueFile>(std::move(read));
}

} // namespace

std::variant<RevenueFile, FileError> read_revenue_file(const QString &path)
{
    QFile file(path);
    if (const auto error = open_for_reading(file))
        return *error;
    // The twelve lines and the tail after them, in one pass; only the
    // twelve must be text.
    const TextLines read = read_lines(file, 100000);
    file.close();
    if (read.has_nul && read.nul_line <= 12)
        return FileError::NotText;

    RevenueFile result;
    result.texts = QStringList(12, QString());
    QList<Problem::Line> bad_lines;
    for (qsizetype i = 0; i < std::min<qsizetype>(read.lines.size(), 12); ++i) {
        // UTF-8 (an editor's) or the Windows-1250 that the save writes.
        const QString text = charset::decode_line(read.lines[i]);
        result.texts[i] = text;
        if (text.isEmpty())
            continue;
        if (const auto whole = number_text::read_whole32(text, number_text::Kind::Forints))
            result.revenue[i] = *whole;
        else // what a month command will take from it: the leading number
            bad_lines.append({int(i + 1), text,
                number_text::whole32(number_text::to_amount(text, number_text::Kind::Forints))});
    }
    if (!bad_lines.isEmpty()) {
        result.problems.emplaceBack(Problem::What::BadRevenueLines, path).lines = bad_lines;
    }
    // Past the twelfth line the file's normal tail is empty lines (a new
    // file has 36); any text there is neither read nor saved again.
    QList<Problem::Line> later;
    for (qsizetype i = 12; i < read.lines.size() && later.size() < 3; ++i)
        if (!read.lines[i].trimmed().isEmpty() && !read.lines[i].contains('\0'))
            later.append({int(i + 1), charset::decode_line(read.lines[i].left(64)), std::nullopt});
    if (!later.isEmpty())
        result.problems.emplaceBack(Problem::What::RevenueLinesAfterTwelfth, path).lines = later;
    return result;
}
RevenueFile load_revenue_file(const QString &path)
{
    RevenueFile result = load(path);
    result.stamp = file_stamp(path);
    return result;
}

std::optional<Problem> save_revenue_file(const QString &path, const QStringList &texts)
{
    QStringList saved;
    QList<QByteArray> lines;
    bool lossy = false;
    for (const QString &text : texts) {
        QString line = text;
        if (number_text::read_number(text, number_text::Kind::Forints)) {
            line = text.trimmed();
            for (QChar &c : line)
                if (c.isSpace())
                    c = QChar(0x00A0);
        }
        lines.append(charset::to_windows1250(line, &lossy));
        // Windows-1250 bytes that happen to be UTF-8 ("Őť" is D5 9D) would
        // be read back as another text.
        lossy = lossy || charset::decode_line(lines.last()) != line;
        saved.append(line);
    }
    // Windows-1250, which older copies read, unless a text has a character
    // it lacks or would read back otherwise: then UTF-8, which the load reads
    // too.
    if (lossy)
        for (qsizetype i = 0; i < saved.size(); ++i)
            lines[i] = saved[i].toUtf8();
    const auto error = write_lines(path, lines);
    if (!error)
        return std::nullopt;
    Problem problem {Problem::What::RevenuesNotSaved};
    problem.path = path;
    problem.error = error;
    return problem;
}
