#include "storage/year_choice.h"

#include "evaluation/number_text.h"
#include "evaluation/year_rules.h"
#include "storage/text_lines.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

const QByteArray year_key = QByteArrayLiteral("adoev=");
const QByteArray chosen_in_key = QByteArrayLiteral("adoev_valasztva=");

QString settings_path(const QString &folder)
{
    return folder + QStringLiteral("/pennaro.ini");
}

// The file's lines; none when there is no file or it cannot be read, and
// then why.
QList<QByteArray> settings_lines(const QString &folder, std::optional<FileError> *error = nullptr)
{
    QFile file(settings_path(folder));
    if (!QFileInfo::exists(file.fileName()) && !QFileInfo(file.fileName()).isSymLink())
        return {};
    if (const auto failed = open_for_reading(file)) {
        if (error)
            *error = failed;
        return {};
    }
    const TextLines read = read_lines(file, 1000);
    if (read.has_nul && error)
        *error = FileError::NotText;
    return read.has_nul ? QList<QByteArray>() : read.lines;
}

// The file with the lines starting with one of `keys` replaced by
// `replacing`; `what` when it cannot be written.
std::optional<Problem> replace_settings(const QString &folder, const QList<QByteArray> &keys,
    const QList<QByteArray> &replacing, Problem::What what)
{
    QList<QByteArray> lines;
    for (const QByteArray &line : settings_lines(folder))
        if (!line.trimmed().isEmpty()
            && std::none_of(keys.begin(), keys.end(),
                [&line](const QByteArray &key) { return line.trimmed().startsWith(key); }))
            lines << line;
    lines << replacing;
    const QString path = settings_path(folder);
    const auto error = write_lines(path, lines);
    if (!error)
        return std::nullopt;
    Problem problem {what, path};
    problem.error = error;
    return problem;
}

// The master-data fields' keys: the six texts of text_fields, then the
// employment and the year's course.
const char *const master_keys[]
    = {"minimalber", "garantalt", "szja", "tb", "szocho", "koltseghanyad", "allas", "menet"};
constexpr int employment_key = 6, course_key = 7;

// The course kept for the year, when the text is one the year can take.
std::optional<YearCourse> kept_course(const QString &value, int year)
{
    const auto course = read_course_text(value, year);
    return course && !course_fault(*course, year) ? course : std::nullopt;
}

// Whether a kept text is a figure its field takes: a wage a whole number of
// forints above 0, a rate or the cost ratio 0 to 100 percent, the
// employment "fo" or "mellek", a course of the year; by the field's place
// in master_keys.
bool fits_field(int field, const QString &value, int year)
{
    if (field == course_key)
        return kept_course(value, year).has_value();
    if (field <= 1) {
        const auto wage = number_text::read_whole32(value, number_text::Kind::Forints);
        return wage && *wage > 0;
    }
    if (field <= 5) {
        const auto percent = number_text::read_number(value);
        return percent && *percent >= 0 && *percent <= 100;
    }
    return value == QStringLiteral("fo") || value == QStringLiteral("mellek");
}

// The texts of the master data, in the order of master_keys.
template<typename Texts> auto text_fields(Texts &texts)
{
    return std::array {&texts.minimum_wage, &texts.guaranteed_minimum, &texts.szja, &texts.tb,
        &texts.szocho, &texts.cost_ratio};
}

} // namespace

YearChoice read_year_choice(const QString &folder)
{
    YearChoice choice;
    std::optional<FileError> error;
    const QList<QByteArray> lines = settings_lines(folder, &error);
    const auto unusable = [&](std::optional<FileError> why, const QByteArray &line) {
        choice.problem = Problem {Problem::What::YearChoiceUnusable, settings_path(folder)};
        choice.problem->error = why;
        choice.problem->text = QString::fromUtf8(line);
        return choice;
    };
    if (error) {
        unusable(error, {});
        // A file's bytes are kept beside it, never written over; a folder
        // or a FIFO of that name stays.
        if (*error != FileError::Folder && *error != FileError::NotAFile)
            choice.problem->other_path = move_aside(settings_path(folder)).value_or(QString());
        return choice;
    }
    for (const QByteArray &line : lines) {
        const QByteArray setting = line.trimmed();
        bool number = false;
        if (setting.startsWith(chosen_in_key)) {
            const int year = setting.mid(chosen_in_key.size()).trimmed().toInt(&number);
            if (number)
                choice.chosen_in = year;
        }
        if (!setting.startsWith(year_key) || choice.year)
            continue;
        const int year = setting.mid(year_key.size()).trimmed().toInt(&number);
        if (!number || year_rules::rules_for(year).year != year)
            return unusable(std::nullopt, setting);
        choice.year = year;
    }
    return choice;
}

std::optional<Problem> save_year_choice(
    const QString &folder, int year, std::optional<int> chosen_in, bool forget_master)
{
    QList<QByteArray> lines {year_key + QByteArray::number(year)};
    if (chosen_in)
        lines << chosen_in_key + QByteArray::number(*chosen_in);
    QList<QByteArray> replaced {year_key, chosen_in_key};
    if (forget_master)
        replaced << QByteArray::number(year) + '.';
    return replace_settings(folder, replaced, lines, Problem::What::YearNotSaved);
}

std::optional<Problem> keep_year_if_unset(const QString &folder, int year)
{
    std::optional<FileError> error;
    const QList<QByteArray> lines = settings_lines(folder, &error);
    if (error || std::any_of(lines.begin(), lines.end(), [](const QByteArray &line) {
            return line.trimmed().startsWith(year_key);
        }))
        return std::nullopt;
    return replace_settings(
        folder, {year_key}, {year_key + QByteArray::number(year)}, Problem::What::YearNotSaved);
}

KeptMasterData read_master_choice(const QString &folder, int year)
{
    KeptMasterData kept;
    MasterDataTexts texts;
    texts.year = year;
    const auto fields = text_fields(texts);
    const QByteArray prefix = QByteArray::number(year) + '.';
    const QList<QByteArray> lines = settings_lines(folder);
    QList<Problem::Line> unusable;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray &line = lines[n];
        if (!line.startsWith(prefix))
            continue;
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.mid(prefix.size(), equals - prefix.size());
        const QString value = QString::fromUtf8(line.mid(equals + 1)).trimmed();
        const auto index = std::find(std::begin(master_keys), std::end(master_keys), key);
        // A line without "=", or a figure its field would not take, is
        // not used: the field keeps the table's.
        if (equals < 0 || index == std::end(master_keys)
            || (!value.isEmpty()
                && !fits_field(int(index - std::begin(master_keys)), value, year))) {
            unusable.append({int(n + 1), QString::fromUtf8(line), std::nullopt});
            continue;
        }
        const int i = int(index - std::begin(master_keys));
        if (i < int(fields.size()))
            *fields[i] = value;
        else if (i == employment_key)
            texts.main_employment = value != QStringLiteral("mellek");
        else if (!value.isEmpty())
            texts.course = *kept_course(value, year);
        kept.texts = texts;
    }
    if (!unusable.isEmpty()) {
        kept.problem = Problem {Problem::What::KeptMasterDataUnusable, settings_path(folder)};
        kept.problem->lines = unusable;
        kept.problem->count = year;
    }
    return kept;
}

std::optional<Problem> save_master_choice(const QString &folder, const MasterDataTexts &texts)
{
    const auto fields = text_fields(texts);
    const QByteArray prefix = QByteArray::number(texts.year) + '.';
    QList<QByteArray> lines;
    // Only a figure its field takes is kept: an empty field, or one that
    // does not read, takes the table's at the next start.
    for (int i = 0; i < int(fields.size()); ++i)
        if (!fields[i]->isEmpty() && fits_field(i, *fields[i], texts.year))
            lines << prefix + master_keys[i] + '=' + fields[i]->toUtf8();
    lines << prefix + master_keys[employment_key] + '=' + (texts.main_employment ? "fo" : "mellek");
    // A course is kept only when it is not the whole year, and can be taken.
    if (!whole_year(texts.course, texts.year) && !course_fault(texts.course, texts.year))
        lines << prefix + master_keys[course_key] + '='
                + course_text(texts.course, texts.year).toUtf8();
    return replace_settings(folder, {prefix}, lines, Problem::What::MasterDataNotSaved);
}
