#include "declaration/hand_over.h"
#include "declaration/import_file.h"
#include "declaration/period.h"
#include "evaluation/due_dates.h"
#include "evaluation/engine.h"
#include "evaluation/number_text.h"
#include "inputs/field_text.h"
#include "storage/charset_converter.h"
#include "storage/data_folder.h"
#include "storage/folder_lock.h"
#include "storage/revenue_file.h"
#include "storage/taxpayer_file.h"
#include "storage/text_lines.h"
#include "storage/year_choice.h"
#include "storage/year_revenues.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace number_text;
using number_text::Kind;
using Bytes = QByteArray;
using Args = QList<QByteArray>;

namespace {

// In the rows "_" stands for the no-break blank between digit groups, "|"
// for a line end.
QString text(const Bytes &utf8)
{
    return QString::fromUtf8(utf8).replace(u'_', QChar(0x00A0));
}
Bytes row(const QString &text)
{
    return QString(text).replace(QChar(0x00A0), u'_').toUtf8();
}
Bytes number(double value)
{
    return Bytes::number(value, 'g', 17);
}
template<typename Int> Bytes number(std::optional<Int> value)
{
    return value ? Bytes::number(*value) : "none";
}
Bytes bytes_of(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : Bytes();
}
void put(const QString &path, const Bytes &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// The revenues after the ":", each "<amount>" or "<amount>*<months>".
MonthlyRevenue revenues_in(const Bytes &input)
{
    MonthlyRevenue revenue {};
    int month = 0;
    for (const Bytes &item : input.mid(input.indexOf(':') + 2).split(' ')) {
        const Args parts = item.split('*');
        for (int i = 0; i < parts.value(1, "1").toInt(); ++i)
            revenue.at(month++) = parts[0].toInt();
    }
    return revenue;
}

// "<month> main|side [wage=|G=|ratio=|year=|course=|tb=<value>]: <revenues>", each
// revenue "<amount>" or "<amount>*<months>": SZJA, TB, its base, Szocho, its
// base and, at a quarter's end, "| <quarter's SZJA>" and from 2023 "| <the
// quarter's TB> <Szocho>", "carried <amount>" after the SZJA when some is.
Bytes evaluation(const Bytes &input, const Args &)
{
    const Args head = input.left(input.indexOf(':')).split(' ');
    MasterData data {200000, 260000, 0.15, 0.185, 0.13, 40, head[1] == "main"};
    for (const Bytes &setting : head.mid(2)) {
        const Bytes value = setting.mid(setting.indexOf('=') + 1);
        if (setting.startsWith("wage="))
            data.minimum_wage = value.toInt();
        else if (setting.startsWith("G="))
            data.guaranteed_minimum = value.toInt();
        else if (setting.startsWith("ratio="))
            data.cost_ratio = qint16(value.toInt());
        else if (setting.startsWith("year="))
            data.year = value.toInt();
        else if (setting.startsWith("course="))
            data.course = read_course_text(QString::fromLatin1(value), data.year).value();
        else
            data.tb_rate = value.toDouble();
    }
    const MonthlyRevenue revenue = revenues_in(input);
    const auto r = evaluate(data, revenue, head[0].toInt());
    if (!r)
        return "none";
    const Bytes due = Args {number(r->szja_amount), number(r->tb_amount), number(r->tb_base),
                          number(r->szocho_amount), number(r->szocho_base)}
                          .join(' ')
        + (r->insured ? "" : " uninsured");
    const Bytes carried
        = r->quarter_szja_carried ? " carried " + number(r->quarter_szja_carried) : "";
    const Bytes quarter = r->quarter_szja ? due + " | " + number(*r->quarter_szja) + carried : due;
    const auto totals = r->quarter_totals;
    if (!totals)
        return quarter;
    return quarter + " | " + number(totals->tb) + ' ' + number(totals->szocho);
}

// "<month> ratio=<cost ratio> wage=<minimum wage> [year=<year>
// [course=<course>]]: <revenues>" as above:
// where the revenue passed the flat-rate ceiling, the month, the revenue
// then and the ceiling.
Bytes ceiling(const Bytes &input, const Args &)
{
    const Args head = input.left(input.indexOf(':')).split(' ');
    MasterData data {
        head[2].mid(5).toInt(), 0, 0.15, 0.185, 0.13, qint16(head[1].mid(6).toInt()), true};
    if (head.size() > 3)
        data.year = head[3].mid(5).toInt();
    if (head.size() > 4)
        data.course = read_course_text(QString::fromLatin1(head[4].mid(7)), data.year).value();
    const MonthlyRevenue revenue = revenues_in(input);
    const auto over = revenue_ceiling_exceeded(data, revenue, head[0].toInt());
    return over ? Args {number(over->month), number(over->revenue), number(over->ceiling)}.join(' ')
                : "none";
}

// "<year> <course as kept>": why it is refused, else its words; whether the
// kept text reads back the same.
Bytes course(const Bytes &input, const Args &)
{
    const int year = input.left(4).toInt();
    const QString kept = QString::fromLatin1(input.mid(5));
    const auto read = read_course_text(kept, year);
    if (!read)
        return "unreadable";
    static const char *const faults[] = {"first outside the year", "last outside the year",
        "last before first", "period reversed", "period outside", "overlap"};
    if (const auto fault = course_fault(*read, year))
        return faults[int(fault->what)]
            + (fault->period < 0 ? Bytes() : " " + number(fault->period))
            + (fault->other < 0 ? Bytes() : " " + number(fault->other));
    const Bytes back = course_text(*read, year) == kept ? "" : " (kept otherwise)";
    return course_description(*read, year).toUtf8() + back;
}

// March 2026's declaration in main employment, taxpayer entries "v1" to "v24"
// with entry 3 the number 1, changed by "side", "year=<year>", "base=<Szocho
// base>" and "<entry>=<bytes>", ";" between them: its lines that start with
// one of the args (all without args), "|" between them, or why it was refused.
Bytes declaration(const Bytes &changes, const Args &codes)
{
    Declaration d {
        TaxpayerLines(31), {2026, "20260301", "20260331"}, 48100, 38025, 260000, 292500, true};
    for (int i = 1; i <= 24; ++i)
        d.taxpayer[i] = i == 3 ? "1" : "v" + Bytes::number(i);
    for (const Bytes &change : changes.split(';')) {
        const Bytes value = change.mid(change.indexOf('=') + 1);
        if (change == "side")
            d.main_employment = false;
        else if (change.startsWith("year="))
            d.period.year = value.toInt();
        else if (change.startsWith("base="))
            d.szocho_base = value.toDouble();
        else if (!change.isEmpty())
            d.taxpayer[change.left(change.indexOf('=')).toInt()] = value;
    }
    const ImportFile file = import_file(d);
    if (file.problem)
        return "refused: " + file.problem->text.toUtf8() + file.bytes;
    if (!file.bytes.endsWith("\r\n"))
        return "no line end";
    Args lines;
    for (const QString &line :
        QString::fromLatin1(file.bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        for (const Bytes &code : codes.isEmpty() ? Args {""} : codes)
            if (line.startsWith(QLatin1StringView(code)))
                lines << line.toLatin1();
    return lines.join('|');
}

// adat2.txt, a final "*<n>" adding lines "v<i>": the entry of the arg, then
// what is reported; the copy is what adat22.txt holds.
Bytes taxpayer(const Bytes &input, const Args &args)
{
    QTemporaryDir dir;
    const qsizetype star = input.lastIndexOf('*');
    Bytes file = star < 0 ? input : input.left(star);
    for (int i = 1; star >= 0 && i <= input.mid(star + 1).toInt(); ++i)
        file += "v" + Bytes::number(i) + "\r\n";
    put(dir.filePath("adat2.txt"), file);
    const TaxpayerData data = read_taxpayer_data(dir.path());
    Bytes result = data.lines[args.value(0).toInt()];
    for (const Problem &problem : data.problems) {
        Bytes lines;
        for (const Problem::Line &line : problem.lines)
            lines += ' ' + Bytes::number(line.number);
        result += problem.what == Problem::What::TaxpayerTooShort    ? " (too short)"
            : problem.what == Problem::What::TaxpayerLettersReplaced ? " (letters replaced)"
            : problem.what == Problem::What::TaxpayerLinesCut        ? " (cut:" + lines + ")"
            : problem.what == Problem::What::TaxpayerDoubledLineEnds ? " (CR CR LF:" + lines + ")"
                                                                     : " (unreadable)";
    }
    if (!data.copy || write_taxpayer_copy(dir.path(), *data.copy, data.mode)
        || bytes_of(dir.filePath("adat22.txt")) != *data.copy)
        result += " (no copy)";
    return result;
}

// How a problem of the year files reads in a row: its kind, its file, why.
Bytes said(const std::optional<Problem> &problem)
{
    if (!problem)
        return {};
    using What = Problem::What;
    const QHash<What, Bytes> kinds {{What::YearNotChanged, "stopped"},
        {What::RevenuesMovedAside, "moved aside"}, {What::YearCopyUnreadable, "copy unreadable"},
        {What::YearRevenuesUnreadable, "unreadable"}, {What::BadRevenueLines, "bad lines"},
        {What::YearFileNotRemoved, "not removed"}, {What::YearNotSaved, "year not saved"}};
    const QHash<FileError, Bytes> errors {{FileError::Folder, "folder"},
        {FileError::NotAFile, "not a file"}, {FileError::NotText, "not text"}};
    Bytes text = " (" + kinds.value(problem->what, "other") + ' '
        + QFileInfo(problem->path).fileName().toUtf8();
    if (problem->error)
        text += ", " + errors.value(*problem->error, "other error");
    return text + ')';
}

// Makes "<name>=<lines>" ("|" between lines, "<NUL>" a NUL byte), a
// folder "<name>/" or a FIFO "<name>|".
bool make_file(const QString &folder, const Bytes &entry)
{
    const qsizetype equals = entry.indexOf('=');
    const QString name = QString::fromUtf8(entry.left(equals < 0 ? entry.size() : equals));
    if (name.endsWith(u'/'))
        return QDir(folder).mkdir(name);
#ifdef Q_OS_UNIX
    if (name.endsWith(u'|'))
        return mkfifo(QFile::encodeName(folder + u'/' + name.chopped(1)).constData(), 0644) == 0;
#endif
    Bytes bytes = entry.mid(equals + 1).replace("<NUL>", Bytes(1, '\0')).replace('|', "\r\n");
    QFile file(folder + u'/' + name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes + "\r\n") == bytes.size() + 2;
}

// Every entry of the folder: "<name>=<lines>" as above, or "<name>/".
Bytes listing(const QString &folder)
{
    Args entries;
    const QDir dir(folder);
    for (const QFileInfo &entry :
        dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        entries << entry.fileName().toUtf8()
                + (entry.isDir() ? Bytes("/")
                                 : '='
                            + bytes_of(entry.filePath())
                                  .replace("\r\n", "|")
                                  .replace(Bytes(1, '\0'), "<NUL>"));
    return entries.join(' ');
}

Bytes said(const QList<Problem> &problems)
{
    Bytes text;
    for (const Problem &problem : problems)
        text += said(problem);
    return text;
}

// Files of a data folder as make_file takes them, then steps, " ; "
// between them: "dated <year>" (every file last written in mid-year); "start
// <today's year>" (the year in use and its texts); "change <left>
// <chosen> <left's texts>"; "settle <year>" (after the exit's save);
// "years" (those with revenues); "read <year>"; "files" (every file and
// its lines). Each step's result, " ; " between them.
Bytes years(const Bytes &script, const Args &)
{
    QTemporaryDir dir;
    const auto texts = [](const QStringList &lines) {
        return row(lines.join(u'|').remove(QRegularExpression(QStringLiteral("\\|+$"))));
    };
    Args results;
    for (const Bytes &step : script.split(';')) {
        const Args words = step.trimmed().split(' ');
        const Bytes verb = words[0];
        if (verb == "dated") {
            const QDateTime mid(QDate(words[1].toInt(), 6, 1), QTime(12, 0));
            for (const QString &name : QDir(dir.path()).entryList(QDir::Files)) {
                QFile file(dir.filePath(name));
                if (!file.open(QIODevice::Append)
                    || !file.setFileTime(mid, QFile::FileModificationTime))
                    return "not dated: " + name.toUtf8();
            }
        } else if (verb == "start") {
            const YearChoice choice = read_year_choice(dir.path());
            const YearInUse in_use = load_year_in_use(dir.path(), choice.year, words[1].toInt());
            results << Bytes::number(in_use.year) + ": " + texts(in_use.file.texts)
                    + said(in_use.own_file_problem) + said(in_use.file.problems);
        } else if (verb == "change") {
            QStringList left = text(words.value(3)).split(u'|');
            left.resize(12);
            const YearChange change
                = change_year(dir.path(), words[1].toInt(), left, words[2].toInt(), std::nullopt);
            results << (change.stopped ? said(change.stopped).mid(2).chopped(1)
                                       : texts(change.chosen.texts) + said(change.chosen.problems));
        } else if (verb == "settle") {
            results << "settled" + said(settle_year_in_use(dir.path(), words[1].toInt()));
        } else if (verb == "years") {
            Args found;
            for (int year : years_with_revenues(dir.path()))
                found << Bytes::number(year);
            results << found.join(' ');
        } else if (verb == "read") {
            const YearRevenues read = read_year_revenues(dir.path(), words[1].toInt());
            results << texts(read.texts) + said(read.problem);
        } else if (verb == "files") {
            results << listing(dir.path());
        } else {
            for (const Bytes &file : words)
                if (!make_file(dir.path(), file))
                    return "not made: " + file;
        }
    }
    return results.join(" ; ");
}

// clang-format off
const QHash<Bytes, std::function<Bytes(const Bytes &, const Args &)>> rules {
    // What read_number makes of it, else what to_amount does.
    {"number", [](auto &in, auto &a) {
        const Kind kind = a.value(0) == "forints" ? Kind::Forints : Kind::Number;
        const auto v = read_number(text(in), kind);
        return v ? number(*v) : "no " + number(to_amount(text(in), kind)); }},
    {"whole32", [](auto &in, auto &) { return number(whole32(in.toDouble())); }},
    {"whole16", [](auto &in, auto &) { return number(whole16(in.toDouble())); }},
    {"grouped", [](auto &in, auto &d) { return row(grouped(in.toDouble(), d[0].toInt())); }},
    {"plain", [](auto &in, auto &) { return row(plain(in.toDouble())); }},
    {"digits", [](auto &in, auto &) { return row(bare_digits(text(in))); }},
    // While typed | once the field is left.
    {"revenue", [](auto &in, auto &) { return row(regrouped_revenue(text(in)) + u'|' + revenue_on_leaving(text(in))); }},
    {"master", [](auto &in, auto &d) { return row(normalised_master(text(in), d[0].toInt(), d.value(1) == "forints" ? Kind::Forints : Kind::Number)); }},
    // The six fields and the year (2022 when not given), "|" between them:
    // the cost ratio, or the field that does not read.
    {"fields", [](auto &in, auto &) {
        const QStringList t = text(in).split(u'|');
        const auto read = read_master_data({t[0], t[1], t[2], t[3], t[4], t[5], true, t.value(6, "2022").toInt()});
        const auto *data = std::get_if<MasterData>(&read);
        return data ? "ratio " + number(data->cost_ratio) + ", szocho " + number(data->szocho_rate)
                    : "field " + number(int(std::get<MasterField>(read))); }},
    {"evaluation", evaluation},
    {"ceiling", ceiling},
    {"course", course},
    // "<month> <course>: <revenues>": the months with a revenue the business did not run in.
    {"idle", [](auto &in, auto &) {
        MasterData data;
        data.year = 2026;
        const Args head = in.left(in.indexOf(':')).split(' ');
        data.course = read_course_text(QString::fromLatin1(head[1]), data.year).value();
        Args months;
        for (int m : revenue_while_not_running(data, revenues_in(in), head[0].toInt()))
            months << Bytes::number(m);
        return months.isEmpty() ? Bytes("none") : months.join(' '); }},
    // Days, "y" for a working day.
    {"workdays", [](auto &in, auto &) {
        Bytes days;
        for (const Bytes &day : in.split(' '))
            days += is_working_day(QDate::fromString(QString(day), Qt::ISODate)) ? 'y' : 'n';
        return days; }},
    {"line", [](auto &in, auto &) { return row(charset::decode_line(in)); }},
    {"win1250", [](auto &in, auto &) { return charset::to_windows1250(text(in)); }},
    // The bytes the form program gets, and whether any was lost.
    {"iso", [](auto &in, auto &) { bool lost = false; const Bytes b = charset::to_iso8859_2(text(in), &lost); return lost ? b + " (replaced)" : b; }},
    // Taxpayer lines, "|" between them, and those reported.
    {"convert", [](auto &in, auto &) {
        const ConvertedLines converted = charset_converter(in.split('|'));
        Bytes reported;
        for (int line : converted.replaced_lines)
            reported += " " + Bytes::number(line);
        return converted.lines.join('|') + (reported.isEmpty() ? "" : " replaced:" + reported); }},
    {"entries", [](auto &in, auto &) { return taxpayer_entries(in.split('|')).mid(1).join('|'); }},
    {"taxpayer", taxpayer},
    {"lines", [](auto &in, auto &args) {
        Bytes bytes = in;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const TextLines read = read_lines(buffer, args.value(0, "100").toInt(), args.value(1, "4096").toInt());
        return read.lines.join('|') + (read.has_nul ? "+NUL" : ""); }},
    // adat.txt's lines as read: "<text>=<value>", "!" before one that is no
    // number, with what a month command takes from it.
    {"load", [](auto &in, auto &) {
        QTemporaryDir dir;
        put(dir.filePath("adat.txt"), in);
        const RevenueFile read = load_revenue_file(dir.filePath("adat.txt"));
        Args lines;
        for (int i = 0; i < 12 && !read.texts[i].isEmpty(); ++i)
            lines << row(read.texts[i]) + '=' + number(read.revenue[i]);
        for (const Problem &problem : read.problems)
            for (const Problem::Line &bad : problem.lines)
                if (problem.what == Problem::What::BadRevenueLines)
                    lines[bad.number - 1] = '!' + row(bad.text) + '=' + number(bad.value);
                else
                    lines << "after: " + Bytes::number(bad.number) + ' ' + row(bad.text);
        return lines.join(" | "); }},
    // The twelve texts saved, "|" between them, and the file written.
    {"save", [](auto &in, auto &) -> Bytes {
        QTemporaryDir dir;
        QStringList fields = text(in).split(u'|');
        fields.resize(12);
        if (save_revenue_file(dir.filePath("adat.txt"), fields))
            return "not saved";
        return bytes_of(dir.filePath("adat.txt")).replace("\r\n", "|"); }},
    {"leftovers", [](auto &in, auto &) {
        QTemporaryDir dir;
        for (const Bytes &name : in.split('|'))
            put(dir.filePath(name), "x");
        remove_leftover_copies(dir.path(), saved_files);
        return QDir(dir.path()).entryList(QDir::Files, QDir::Name).join(u'|').toUtf8(); }},
    // "<month> <tax year>": the form's year, the first and the last day.
    {"period", [](auto &in, auto &) {
        const Args parts = in.split(' ');
        const Period p = declaration_period(parts[1].toInt(), parts[0].toInt());
        return Bytes::number(p.year) + ' ' + (p.first + u'-' + p.last).toLatin1(); }},
    {"declaration", declaration},
    // "<month> <year>": when the quarter's payments are due.
    {"due", [](auto &in, auto &) { const Args p = in.split(' '); return contributions_due_date(p[1].toInt(), p[0].toInt()).toString(Qt::ISODate).toLatin1(); }},
    {"advance", [](auto &in, auto &) { const Args p = in.split(' '); return szja_due_date(p[1].toInt(), p[0].toInt()).toString(Qt::ISODate).toLatin1(); }},
    {"template", [](auto &in, auto &) {
        QTemporaryDir empty, folder;
        in.endsWith('/') ? void(QDir(folder.path()).mkdir(in)) : put(folder.filePath(in), "");
        return form_template_found({empty.path(), folder.path()}, 2026) ? "found" : "missing"; }},
    {"years", years},
    {"accusative", [](auto &in, auto &) { return number_text::year_accusative(in.toInt()).toUtf8(); }},
    {"cmd", [](auto &in, auto &) { return QDir::fromNativeSeparators(cmd_arguments(QString::fromUtf8(in))).toUtf8(); }},
};
// clang-format on

} // namespace

// The core's rules: number texts, field texts, the evaluation, code pages,
// the data files, the period and the declaration.
class TestCore : public QObject {
    Q_OBJECT

private slots:
    void rule_data()
    {
        QTest::addColumn<Bytes>("rule"); // its name, then its arguments
        QTest::addColumn<Bytes>("input");
        QTest::addColumn<Bytes>("expected");
        const auto add = [](const char *name, const char *rule, Bytes input, Bytes expected) {
            QTest::newRow(name) << Bytes(rule) << input << expected;
        };
        const Bytes low = "0 48100 260000 38025 292500", high = "45000 55500 300000 39000 300000";
        // clang-format off
        add("ascii blanks", "number", " 200 000 ", "200000");
        add("em space", "number", "1\u2003234", "1234");
        add("lax grouping", "number", "1 2534", "12534");
        add("comma", "number", "-12,25", "-12.25");
        add("fraction only", "number", ",5", "0.5");
        add("exponent", "number", "+1,5E3", "1500");
        add("empty", "number", "", "no 0");
        add("letters", "number", "abc", "no 0");
        add("lone minus", "number", "-", "no 0");
        add("blank after the sign", "number", "- 1", "no -1");
        add("percent", "number", "15%", "no 15");
        add("point", "number", "1.5", "no 1.5");
        add("leading number", "number", "12,345x", "no 12");
        add("blanks skipped", "number", "- 1 2.5x", "no -12.5");
        add("separator first", "number", " ,5 1", "no 0");
        add("exponent D", "number", "2D2x", "no 200");
        add("dangling exponent", "number", "12E", "no 12");
        add("exponent without digits", "number", "12Ex", "no 12");
        add("hexadecimal", "number", "&HFF", "no 255");
        add("octal", "number", "&o17", "no 15");
        add("too large", "number", "9E999", "no inf");
        // In forints a dot stands between groups of exactly three digits.
        add("dot groups", "number forints", "1.200.000", "1200000");
        add("dot and blank groups", "number forints", "-1 200.000,5", "-1200000.5");
        add("a dot is no decimal point in forints", "number forints", "1.5", "no 1.5");
        add("four digits after the dot", "number forints", "1.2500", "no 1.25");
        add("dot first", "number forints", ".500", "no 0.5");
        add("dot groups are not a rate's", "number", "1.200", "no 1.2");
        // A unit after forints is dropped; alone it is no number.
        add("Ft", "number forints", "850 000 Ft", "850000");
        add("huf, no blank", "number forints", "1.200.000huf", "1200000");
        add("a unit alone", "number forints", "Ft", "no 0");
        add("no unit in a rate", "number", "15 Ft", "no 15");
        add("18,5 to even", "whole32", "18.5", "18");
        add("55,5 to even", "whole32", "55.5", "56");
        add("largest", "whole32", "2147483647", "2147483647");
        add("rounds past", "whole32", "2147483647.5", "none");
        add("below", "whole32", "-2147483649", "none");
        add("nan", "whole32", "nan", "none");
        add("16-bit edge", "whole16", "32767.4", "32767");
        add("past 16 bits", "whole16", "32767.5", "none");
        add("grouped", "grouped 0", "-1234567", "-1_234_567");
        add("half away", "grouped 0", "1234.5", "1_235");
        add("negative zero", "grouped 0", "-0.0", "0");
        add("one decimal", "grouped 1", "15", "15,0");
        // The decimal number is rounded, not its binary neighbour.
        add("18,45", "grouped 1", "18.45", "18,5");
        add("-0,05", "grouped 1", "-0.05", "-0,1");
        add("-0,04", "grouped 1", "-0.04", "0,0");
        add("carry", "grouped 1", "999.95", "1_000,0");
        add("plain whole", "plain", "-1234567", "-1234567");
        add("plain fraction", "plain", "292501.125", "292501,125");
        add("plain zero", "plain", "-0.0", "0");
        add("bare digits", "digits", "1_234 567", "1234567");
        add("typed digits", "revenue", "1234567", "1_234_567|1234567");
        add("inserted digit", "revenue", "1 2534", "12_534|1 2534");
        add("letter", "revenue", "12a", "12a|");
        add("minus alone", "revenue", "-", "-|");
        add("out of range", "revenue", "3000000000", "3_000_000_000|3000000000");
        add("fraction, half", "revenue", "1234,5", "1_234,5|1_235");
        add("trailing comma", "revenue", "12345,", "12_345,|12_345");
        add("negative half", "revenue", "-1234,5", "-1_234,5|-1_235");
        add("dot groups", "revenue", "1.200.000", "1_200_000|1.200.000");
        add("a dot is no decimal point", "revenue", "1.5", "1.5|");
        add("a unit dropped", "revenue", "850 000 Ft", "850_000|850_000");
        add("wage grouped", "master 0", "200000", "200_000");
        add("rate gets a decimal", "master 1", "15", "15,0");
        add("point read", "master 1", "18.5", "18,5");
        add("letters, wage", "master 0", "abc", "0");
        add("empty, rate", "master 1", "", "0,0");
        add("leading number kept", "master 1", "12abc", "12,0");
        add("too large, wage", "master 0", "1e999", "0");
        add("dot groups, wage", "master 0 forints", "373.200", "373_200");
        add("G gets no decimals", "master 0 forints", "373200,6", "373_201");
        add("Szocho gets one", "master 1", "13", "13,0");
        // From 2023 a wage above 0, a rate and the cost ratio 0 to 100 %; 2022 takes any number.
        add("2026's figures", "fields", "322800|373200|15|18,5|13|45|2026", "ratio 45, szocho 0.13");
        add("2026, a wage of 0", "fields", "0|373200|15|18,5|13|45|2026", "field 0");
        add("2026, a negative G", "fields", "322800|-1|15|18,5|13|45|2026", "field 1");
        add("2026, a rate over 100", "fields", "322800|373200|100,1|18,5|13|45|2026", "field 2");
        add("2026, a negative cost ratio", "fields", "322800|373200|15|18,5|13|-1|2026", "field 5");
        add("2026, an empty rate", "fields", "322800|373200|15||13|45|2026", "field 3");
        add("2022, a wage of 0", "fields", "0|260000|15|18,5|13|40", "ratio 40, szocho 0.13");
        add("ratio 45,5", "fields", "200 000|260 000|15|18,5|13,0|45,5", "ratio 46, szocho 0.13");
        add("ratio 44,5", "fields", "200 000|260 000|15|18,5|13,0|44,5", "ratio 44, szocho 0.13");
        add("ratio past 16 bits", "fields", "200 000|260 000|15|18,5|13,0|40000", "field 5");
        add("TB not a number", "fields", "200 000|260 000|15|abc|13,0|40", "field 3");
        add("wage past 32 bits", "fields", "3 000 000 000|260 000|15|18,5|13,0|40", "field 0");
        add("main 1", "evaluation", "1 main: 500000*12", low);
        add("main 3", "evaluation", "3 main: 500000*12", low + " | 0");
        add("main 5", "evaluation", "5 main: 500000*12", high);
        add("main 6", "evaluation", "6 main: 500000*12", high + " | 90000");
        add("main 12", "evaluation", "12 main: 500000*12", high + " | 135000");
        add("side 4", "evaluation", "4 side: 500000*12", "0 0 0 0 0");
        add("side 6", "evaluation", "6 side: 500000*12", high + " | 90000");
        // Ties to even: incomes of 100 and 300 at 18,5 %; the quarter rounds each month.
        add("tie down", "evaluation", "1 side ratio=0: 1200100", "15 18 100 13 100");
        add("tie up", "evaluation", "1 side ratio=0: 1200300", "45 56 300 39 300");
        // An advance of 10 000 Ft or less is carried, in 2022 too (Szja tv. 46. § (9)).
        add("quarter of 1,5s", "evaluation", "3 side ratio=0: 1200010 10 10", "2 2 10 1 10 | 0 carried 6");
        add("2022, under the threshold", "evaluation", "3 main: 2050000 0*11", "0 48100 260000 38025 292500 | 0 carried 4500");
        add("2022, the first quarter", "evaluation", "3 main: 3600000*3 0*9", "324000 399600 2160000 280800 2160000 | 792000");
        add("cost ratio 46 of 3 000 000", "evaluation", "1 side wage=0 ratio=46: 3000000", "243000 299700 1620000 210600 1620000");
        // Between G and 112.5 % of G the income is its own Szocho base.
        add("income 270000", "evaluation", "1 main: 2450000", "40500 49950 270000 35100 270000");
        // x = 180 000: below G for main employment, above the allowance for side.
        add("allowance, main", "evaluation", "1 main wage=20000: 300000", low);
        add("allowance, side", "evaluation", "1 side wage=20000: 300000", "9000 11100 60000 7800 60000");
        // At the thresholds: I = G takes the 112.5 % base, x = G pays SZJA.
        add("I = G", "evaluation", "5 main G=300000: 500000*12", "45000 55500 300000 43875 337500");
        add("x = G", "evaluation", "1 main wage=20000 G=300000: 500000", "27000 55500 300000 43875 337500");
        // The threshold is applied month by month within the quarter.
        add("quarter by month", "evaluation", "3 main wage=20000: 250000 200000 0", low + " | 18000");
        add("month without revenue", "evaluation", "2 side: 4000000", "0 0 0 0 0");
        add("Szocho base with decimals", "evaluation", "1 main G=260001: 0", "0 48100 260001 38025 292501.125");
        add("later months play no part", "evaluation", "9 main: 500000*9 2147000000*3", high + " | 135000");
        add("revenue sum past 32 bits", "evaluation", "12 main: 500000*11 2147000000", "none");
        add("twelve wages past 32 bits", "evaluation", "12 main wage=200000000: 1*12", "none");
        add("product with a rate", "evaluation", "12 main tb=1000000: 100000000*12", "none");
        add("Szocho base past 32 bits", "evaluation", "12 main G=2000000000: 0*12", "none");
        // From 2023 by quarter: each month takes a third of the liable income
        // the quarter adds less the earlier bases, at least the minimum.
        // The published example: 400 000 income a month, allowance 1 392 000.
        add("2023 January", "evaluation", "1 main year=2023 wage=232000 G=296400 ratio=80: 2000000*12", "0 54834 296400 43349 333450");
        add("2023 April", "evaluation", "4 main year=2023 wage=232000 G=296400 ratio=80: 2000000*12", "31200 54834 296400 43349 333450");
        add("2023 June", "evaluation", "6 main year=2023 wage=232000 G=296400 ratio=80: 2000000*12", "60000 54834 296400 43349 333450 | 151200 | 164502 130047");
        add("2026 minimum, qualified", "evaluation", "1 main year=2026 wage=322800 G=373200 ratio=45: 0*12", "0 69042 373200 48516 373200");
        add("2026 minimum wage as G", "evaluation", "1 main year=2026 wage=322800 G=322800 ratio=45: 0*12", "0 59718 322800 41964 322800");
        add("above the minimum", "evaluation", "3 main year=2025 wage=290800 G=348800: 5000000*12", "450000 447404 2418400 314392 2418400 | 1088280 | 1342212 943176");
        add("the quarter's later months count", "evaluation", "1 main year=2025 wage=290800 G=348800: 0 0 9000000", "0 225404 1218400 158392 1218400");
        add("side, below the allowance", "evaluation", "3 side year=2024 wage=266800 G=326000 ratio=80: 2000000*12", "0 0 0 0 0 | 0 | 0 0");
        add("side", "evaluation", "6 side year=2024 wage=266800 G=326000 ratio=80: 2000000*12", "60000 49284 266400 34632 266400 | 119880 | 147852 103896");
        // Halves of a forint, rounded up: the 45 % ratio's income, and a
        // quarter's addition that is no multiple of three.
        add("half a forint of income", "evaluation", "3 side year=2026 wage=322800 G=373200 ratio=45: 3813230 0*11", "0 9896 53492 6954 53492 | 24072 | 29688 20862");
        add("a third of an odd addition", "evaluation", "3 side year=2025 wage=290800 G=348800: 4000003 0*11", "0 40404 218401 28392 218401 | 98280 | 121212 85176");
        // The minimums rose on 1 December 2023; a typed G holds all year.
        add("December 2023", "evaluation", "12 main year=2023 wage=232000 G=296400: 0*12", "0 60310 326000 47678 366750 | 0 | 169978 134376");
        // Where G holds the minimum wage of 1 January, December takes the raised one.
        add("December 2023, the minimum wage as G", "evaluation", "12 main year=2023 wage=232000 G=232000: 0*12", "0 49358 266800 39020 300150 | 0 | 135198 106880");
        add("December 2023, G typed", "evaluation", "12 main year=2023 wage=232000 G=250000: 0*12", "0 46250 250000 36563 281250 | 0 | 138750 109689");
        // Two quarters of minimums lower the third's bases.
        add("earlier top-ups", "evaluation", "9 main year=2023 wage=232000 G=296400: 0*6 5000000*3", "450000 359492 1943200 242983 1869100 | 1141200 | 1078476 728949");
        add("2022 stays monthly", "evaluation", "1 main year=2022: 0 0 9000000", low);
        // A line is UTF-8 when it is valid UTF-8, else Windows-1250.
        add("BOM, no-break", "line", "\xEF\xBB\xBF" "1\xC2\xA0" "000", "1_000");
        add("BOM inside", "line", "K\xEF\xBB\xBFis", "Kis");
        add("UTF-8", "line", "K\xC5\x91szegi", "Kőszegi");
        add("Windows-1250", "line", "K\xF5szegi \xDB 1\xA0" "000 \x84\x94", "Kőszegi Ű 1_000 „”");
        add("free byte", "line", "\x81", "\u0081");
        // A line with a UTF-8 sequence is UTF-8: a stray byte is unreadable.
        add("stray byte", "line", "Szab\xC3\xB3 Tam\xC3\xA1s\xFF", "Szabó Tamás\uFFFD");
        add("lone 0xA0", "line", "Szab\xC3\xB3\xA0Tam\xC3\xA1s", "Szabó\uFFFDTamás");
        add("overlong form", "line", "\xC3\xA9 \xC0\xAF", "é \uFFFD\uFFFD");
        add("surrogate", "line", "\xC3\xA9\xED\xA0\x80", "é\uFFFD\uFFFD\uFFFD");
        add("cut sequence", "line", "\xC3\xA9\xE2\x88", "é\uFFFD\uFFFD");
        add("Š differs", "win1250", "Šą ✓", "\x8A\xB9 ?");
        add("Hungarian", "iso", "ŐőŰűÁáÉéÍíÓóÖöÚúÜüŠ", "\xD5\xF5\xDB\xFB\xC1\xE1\xC9\xE9\xCD\xED\xD3\xF3\xD6\xF6\xDA\xFA\xDC\xFC\xA9");
        add("quotes", "iso", "„Kft” “x”", "\"Kft\" \"x\"");
        add("dashes, ellipsis", "iso", "a–b—c…", "a-b-c...");
        add("no byte", "iso", "à€ñ", "??? (replaced)");
        add("control", "iso", "\u0085", "? (replaced)");
        add("beyond 16 bits", "iso", "😀", "? (replaced)");
        // Only a lost letter that reaches the declaration is reported: in
        // the value of lines 1 to 23.
        add("in a comment", "convert", "\xEF\xBB\xBFK\xC5\x91szegi ' \xC3\xA0|\xE0", "K\xF5szegi ' ?|\xE0");
        add("in a value", "convert", "x|x|x|x|Kis\xEF\xBB\xBF \xC3\xA0|stray \xFF byte", "x|x|x|x|Kis ?|stray \xFF byte replaced: 5");
        add("stray byte in a value", "convert", "Szab\xC3\xB3 Tam\xC3\xA1s\xFF|x", "Szab\xF3 Tam\xE1s?|x replaced: 1");
        add("in line 24", "convert", "x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|\xC3\xA0", "x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|?");
        add("values", "entries", "Kiss Anna   ' name|' a comment|  kept  |tab\t |   |a'b'c", "Kiss Anna||  kept|tab\t||a||||||||||||||||||||||||");
        add("24 lines taken", "entries", "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25", "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24||||||");
        add("LF endings", "taxpayer 24", "v\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nv\nlast\n", "last");
        add("30 lines", "taxpayer 24", "*30", "v24");
        add("23 lines", "taxpayer 23", "*23", "v23 (too short)");
        add("BOM and ő, Ű", "taxpayer 1", "\xEF\xBB\xBFK\xC5\x91szegi \xC5\xB0rsula ' x\r\n*23", "K\xF5szegi \xDBrsula");
        add("no byte for it", "taxpayer 2", "ok\r\n\xE2\x88\x9A\xF0\x9F\x98\x80" "2\r\n*22", "??2 (letters replaced)");
        add("NUL", "taxpayer 1", Bytes("a\r\n\0\r\n*22", 9), " (unreadable) (no copy)"); // adat22.txt stays as it is
        add("doubled line ends named", "taxpayer 6", "v1\r\nv2\r\n1\r\nv4\r\nv5\r\r\nv6\r\n*18", "v6 (CR CR LF: 5)");
        add("a long line named", "taxpayer 2", "v1\r\n" + Bytes(5000, 'x') + "\r\n*22", Bytes(4096, 'x') + " (cut: 2)");
        add("CR LF", "lines", "a\r\nb\r\n", "a|b");
        add("CR", "lines", "a\rb\r", "a|b");
        add("LF", "lines", "a\nb\n", "a|b");
        add("no final end", "lines", "a\r\nb", "a|b");
        add("empty lines", "lines", "\r\n\r\n\n", "||");
        add("LF CR is two ends", "lines", "a\n\rb", "a||b");
        // A Windows file converted twice: CR CR LF is one line end, CR CR two.
        add("CR CR LF", "lines", "a\r\r\nb\r\r\nc\r\r", "a|b|c|");
        add("bounded", "lines 2 10", Bytes(1 << 20, 'x') + "\r\nsecond\r\nthird\r\n", "xxxxxxxxxx|second");
        add("NUL read", "lines", Bytes("1\0" "2", 3), Bytes("1\0" "2+NUL", 7));
        // A cut never splits a character: "ő" is two bytes, "√" three.
        add("cut ő", "lines 1 4", "abc\xC5\x91", "abc");
        add("cut √", "lines 1 4", "ab\xE2\x88\x9A", "ab");
        add("ő whole", "lines 1 3", "a\xC5\x91x", "a\xC5\x91");
        add("dot groups", "load", "1.200.000\r\n", "1.200.000=1200000");
        add("saved", "load", "1\xA0" "234\r\n-12\xA0" "345\r\n", "1_234=1234 | -12_345=-12345");
        add("UTF-8 with BOM", "load", "\xEF\xBB\xBF" "500 000\r\n", "500 000=500000");
        add("half to even", "load", "1234,5", "1234,5=1234");
        // Text past the twelfth line is named; empty lines are the file's tail.
        add("a thirteenth revenue", "load", "1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n850000\r\n\r\n\r\nx", "1=1 | after: 13 850000 | after: 16 x");
        add("thirty-six empty lines", "load", Bytes(72, '\n'), "");
        add("a NUL after the twelfth line", "load", Bytes("5") + Bytes(12, '\n') + Bytes(3, '\0') + "\n7", "5=5 | after: 14 7");
        add("no numbers", "load", "K\xF5 12\r\n12abc\r\n9999999999", "!Kő 12=0 | !12abc=12 | !9999999999=none");
        // A character Windows-1250 lacks: the whole file in UTF-8.
        add("UTF-8 when needed", "save", "12\u202Fabc|1😀|K\u0151|1 234", "12\xE2\x80\xAF" "abc|1\xF0\x9F\x98\x80|K\xC5\x91|1\xC2\xA0" "234|||||||||");
        add("dot groups saved", "save", "1.200.000", "1.200.000||||||||||||");
        add("Windows-1250 that reads as UTF-8", "save", "Őť", "\xC5\x90\xC5\xA5||||||||||||");
        add("one form", "save", "1\u202F234\u2003567| -12 345 |Kő 12|12abc", "1\xA0" "234\xA0" "567|-12\xA0" "345|K\xF5 12|12abc|||||||||");
        // Only the save's own copies go; whatever the user named survives.
        add("the save's copies", "leftovers", "adat.txt.pennaro-mentes-Ab12Cd|adat22.txt.pennaro-mentes-x1Y2z3|felad.imp.pennaro-mentes-000000|pennaro.ini.pennaro-mentes-abcdef|adat.txt.pennaro-mentes|adat.txt.pennaro-mentes-toolong|adat.txt.backup|adat22.txt.regi01|felad.imp.masolt|adat.txt.Ab12Cd|adat.txt", "adat.txt|adat.txt.Ab12Cd|adat.txt.backup|adat.txt.pennaro-mentes|adat.txt.pennaro-mentes-toolong|adat22.txt.regi01|felad.imp.masolt");
        // The month of the tax year that computed it, whatever the clock.
        add("March", "period", "3 2026", "2026 20260301-20260331");
        add("February", "period", "2 2026", "2026 20260201-20260228");
        add("leap February", "period", "2 2028", "2028 20280201-20280229");
        add("June of 2022", "period", "6 2022", "2022 20220601-20220630");
        add("December", "period", "12 2022", "2022 20221201-20221231");
        // A due date on a day off moves to the next working day.
        add("first quarter due, a Sunday", "due", "2 2026", "2026-04-13");
        add("a Saturday", "due", "3 2025", "2025-04-14");
        add("second quarter due, a Sunday", "due", "5 2026", "2026-07-13");
        add("a Saturday, a moved day off and a holiday", "due", "2 2022", "2022-03-16");
        add("fourth quarter due", "due", "12 2025", "2026-01-12");
        // The advance by the 12th in 2022 too (Szja tv. 46. § (9)).
        add("2022 first advance", "advance due", "3 2022", "2022-04-12");
        add("2022 second advance", "advance due", "6 2022", "2022-07-12");
        add("2022 third advance", "advance due", "9 2022", "2022-10-12");
        add("2022 fourth advance", "advance due", "12 2022", "2023-01-12");
        add("2026 first advance, a Sunday", "advance due", "3 2026", "2026-04-13");
        // Good Friday, Easter Monday, Whit Monday 2025; a Saturday worked and a bridging day in 2026.
        add("holidays and moved days", "workdays", "2025-04-18 2025-04-21 2025-06-09 2025-06-10 2026-01-10 2026-01-02 2026-12-24", "nnnyyn" "n");
        // The ceiling: ten annual minimum wages, fifty at the retail ratio.
        add("at the ceiling", "ceiling", "12 ratio=40 wage=322800: 38736000", "none");
        add("a forint over", "ceiling", "12 ratio=40 wage=322800: 38736001", "1 38736001 38736000");
        add("retail at the ceiling", "ceiling", "12 ratio=90 wage=322800: 193680000", "none");
        add("retail a forint over", "ceiling", "12 ratio=90 wage=322800: 193680001", "1 193680001 193680000");
        add("passed in October", "ceiling", "12 ratio=45 wage=322800: 4000000*12", "10 40000000 38736000");
        add("not yet in September", "ceiling", "9 ratio=45 wage=322800: 4000000*12", "none");
        // From 2023 as far as the month's figures go: to its quarter's end.
        add("October names November", "ceiling", "10 ratio=45 wage=322800 year=2026: 3600000*12", "11 39600000 38736000");
        add("September, the quarter within", "ceiling", "9 ratio=45 wage=322800 year=2026: 3600000*12", "none");
        add("2022 October, the month's own", "ceiling", "10 ratio=40 wage=322800 year=2022: 3600000*12", "none");
        // The advance waits while it is 10 000 Ft or less.
        add("advance carried", "evaluation", "3 main year=2025 wage=290800 G=348800: 3008000 0*11", "0 64528 348800 51012 392400 | 0 carried 9000 | 193584 153036");
        // Carried: the advance due so far less what was paid.
        add("carried after a refund", "evaluation", "6 side year=2025 wage=290800 G=348800: 3008000 0 0 -33333 0*8", "0 0 0 0 0 | 0 carried 6000 | 0 0");
        add("paid after the refund", "evaluation", "9 side year=2025 wage=290800 G=348800: 3008000 0 0 -33333 0 0 100000 0*5", "0 2467 13333 1733 13333 | 15000 | 7401 5199");
        add("carried advance paid", "evaluation", "6 main year=2025 wage=290800 G=348800: 3008000 0 0 4000000 0*8", "0 87172 471200 55588 427600 | 369000 | 261516 166764");
        // The trader's own year from 2023 (2026, 45 %, G = 373 200): a month
        // with no day insured has no base, a part month's minimum is a
        // thirtieth a day of the minimum, the quarter's income is shared
        // among its insured months.
#define Y26 "main year=2026 wage=322800 G=373200 ratio=45 course="
        add("begun 15 May, April", "evaluation", "4 " Y26 "2026-05-15/2026-12-31: 0*4 400000 850000*7", "0 0 0 0 0 uninsured");
        add("begun 15 May, March", "evaluation", "3 " Y26 "2026-05-15/2026-12-31: 0*4 400000 850000*7", "0 0 0 0 0 uninsured | 0");
        add("begun 15 May, May", "evaluation", "5 " Y26 "2026-05-15/2026-12-31: 0*4 400000 850000*7", "0 39124 211480 27492 211480");
        add("begun 15 May, June", "evaluation", "6 " Y26 "2026-05-15/2026-12-31: 0*4 400000 850000*7", "0 69042 373200 48516 373200 | 0 | 108166 76008");
        add("begun 15 May, September", "evaluation", "9 " Y26 "2026-05-15/2026-12-31: 0*4 400000 850000*7", "22980 69042 373200 48516 373200 | 22980 | 207126 145548");
        add("begun 15 May, December", "evaluation", "12 " Y26 "2026-05-15/2026-12-31: 0*4 400000 850000*7", "70125 69042 373200 48516 373200 | 210375 | 207126 145548");
        add("begun 15 May, shared by two months", "evaluation", "6 " Y26 "2026-05-15/2026-12-31: 0*4 5000000*2 0*6", "412500 329596 1781600 231608 1781600 | 534480 | 659192 463216");
        add("pensioner, March", "evaluation", "3 " Y26 "2026-01-01/2026-12-31;2026-01-01/2026-12-31/nyugdijas: 850000*12", "0 0 0 0 0 uninsured | 0");
        add("pensioner, June", "evaluation", "6 " Y26 "2026-01-01/2026-12-31;2026-01-01/2026-12-31/nyugdijas: 850000*12", "70125 0 0 0 0 uninsured | 130230");
        add("pensioner, September", "evaluation", "9 " Y26 "2026-01-01/2026-12-31;2026-01-01/2026-12-31/nyugdijas: 850000*12", "70125 0 0 0 0 uninsured | 210375");
        add("pensioner, December", "evaluation", "12 " Y26 "2026-01-01/2026-12-31;2026-01-01/2026-12-31/nyugdijas: 850000*12", "70125 0 0 0 0 uninsured | 210375");
        add("CSED from 10 March, February", "evaluation", "2 " Y26 "2026-01-01/2026-12-31;2026-03-10/2026-06-30/ellatas: 850000*2 0*4 850000*6", "0 69042 373200 48516 373200");
        add("CSED from 10 March, March", "evaluation", "3 " Y26 "2026-01-01/2026-12-31;2026-03-10/2026-06-30/ellatas: 850000*2 0*4 850000*6", "0 20713 111960 14555 111960 | 0 | 158797 111587");
        add("CSED from 10 March, April", "evaluation", "4 " Y26 "2026-01-01/2026-12-31;2026-03-10/2026-06-30/ellatas: 850000*2 0*4 850000*6", "0 0 0 0 0");
        add("CSED from 10 March, June", "evaluation", "6 " Y26 "2026-01-01/2026-12-31;2026-03-10/2026-06-30/ellatas: 850000*2 0*4 850000*6", "0 0 0 0 0 | 0 | 0 0");
        add("CSED from 10 March, September", "evaluation", "9 " Y26 "2026-01-01/2026-12-31;2026-03-10/2026-06-30/ellatas: 850000*2 0*4 850000*6", "60105 69042 373200 48516 373200 | 60105 | 207126 145548");
        add("CSED from 10 March, December", "evaluation", "12 " Y26 "2026-01-01/2026-12-31;2026-03-10/2026-06-30/ellatas: 850000*2 0*4 850000*6", "70125 69042 373200 48516 373200 | 210375 | 207126 145548");
        add("ended 20 September, August", "evaluation", "8 " Y26 "2026-01-01/2026-09-20: 850000*9 0*3", "70125 69042 373200 48516 373200");
        add("ended 20 September, September", "evaluation", "9 " Y26 "2026-01-01/2026-09-20: 850000*9 0*3", "70125 46028 248800 32344 248800 | 210375 | 184112 129376");
        add("ended 20 September, December", "evaluation", "12 " Y26 "2026-01-01/2026-09-20: 850000*9 0*3", "0 0 0 0 0 uninsured | 0");
        add("begun on the 1st", "evaluation", "6 " Y26 "2026-05-01/2026-12-31: 0*12", "0 69042 373200 48516 373200 | 0 | 138084 97032");
        add("begun on 2 May: 30 days are a whole month", "evaluation", "5 " Y26 "2026-05-02/2026-12-31: 0*12", "0 69042 373200 48516 373200");
        add("begun 31 March: one day in the quarter", "evaluation", "3 " Y26 "2026-03-31/2026-12-31: 0*12", "0 2301 12440 1617 12440 | 0 | 2301 1617");
        add("begun 31 March: February", "evaluation", "2 " Y26 "2026-03-31/2026-12-31: 0*12", "0 0 0 0 0 uninsured");
        add("side until 14 April", "evaluation", "4 " Y26 "2026-01-01/2026-12-31;2026-01-01/2026-04-14/mellek: 0*12", "0 36822 199040 25875 199040");
        add("side until 14 April, March", "evaluation", "3 " Y26 "2026-01-01/2026-12-31;2026-01-01/2026-04-14/mellek: 0*12", "0 0 0 0 0 | 0 | 0 0");
        add("pensioner from 1 July, June", "evaluation", "6 " Y26 "2026-01-01/2026-12-31;2026-07-01/2026-12-31/nyugdijas: 0*12", "0 69042 373200 48516 373200 | 0 | 207126 145548");
        add("pensioner from 1 July, September", "evaluation", "9 " Y26 "2026-01-01/2026-12-31;2026-07-01/2026-12-31/nyugdijas: 0*12", "0 0 0 0 0 uninsured | 0");
        // The income up to the insurance's end: September's revenue, beside the pension, is not shared.
        add("pensioner from 15 August", "evaluation", "8 " Y26 "2026-01-01/2026-12-31;2026-08-15/2026-12-31/nyugdijas: 0*6 5000000*3 0*3", "412500 122470 662000 86060 662000");
        add("suspended the second quarter", "evaluation", "6 " Y26 "2026-01-01/2026-12-31;2026-04-01/2026-06-30/szunetel: 0*12", "0 0 0 0 0 uninsured | 0");
        add("suspended the second quarter, September", "evaluation", "9 " Y26 "2026-01-01/2026-12-31;2026-04-01/2026-06-30/szunetel: 0*12", "0 69042 373200 48516 373200 | 0 | 207126 145548");
        add("side all year, begun 15 May", "evaluation", "5 side year=2026 wage=322800 G=373200 ratio=45 course=2026-05-15/2026-12-31: 0*12", "0 0 0 0 0");
#undef Y26
        // A thirtieth of 232 000 is 7 733,33…: rounded once, not a day at a time.
        add("ended 10 November 2023", "evaluation", "11 main year=2023 wage=232000 G=232000 course=2023-01-01/2023-11-10: 0*12", "0 14307 77333 11310 87000");
        add("ended 15 December 2023, the raised minimum", "evaluation", "12 main year=2023 wage=232000 G=232000 course=2023-01-01/2023-12-15: 0*12", "0 24679 133400 19510 150075 | 0 | 110519 87370");
        // The ceiling by the days the business ran.
        add("begun 15 May, at the ceiling", "ceiling", "12 ratio=45 wage=322800 year=2026 course=2026-05-15/2026-12-31: 0*4 24515112 0*7", "none");
        add("begun 15 May, a forint over", "ceiling", "12 ratio=45 wage=322800 year=2026 course=2026-05-15/2026-12-31: 0*4 24515113 0*7", "5 24515113 24515112");
        add("ended 20 September, a forint over", "ceiling", "9 ratio=45 wage=322800 year=2026 course=2026-01-01/2026-09-20: 27911146 0*11", "1 27911146 27911145");
        add("a suspended quarter", "ceiling", "12 ratio=45 wage=322800 year=2026 course=2026-01-01/2026-12-31;2026-04-01/2026-06-30/szunetel: 29078532 0*11", "1 29078532 29078531");
        add("a benefit keeps the ceiling", "ceiling", "12 ratio=45 wage=322800 year=2026 course=2026-01-01/2026-12-31;2026-04-01/2026-06-30/ellatas: 38736000 0*11", "none");
        // A revenue in a month the business did not run is told.
        add("revenue before the start", "idle", "6 2026-05-15/2026-12-31: 0 100 0 1 1 1 0*6", "2 4");
        add("the month of the start runs", "idle", "4 2026-04-30/2026-12-31: 0 0 0 1 0*8", "none");
        add("as far as the quarter", "idle", "4 2026-01-01/2026-03-31: 0*5 1 0*6", "6");
        add("suspended, on a benefit, a pensioner", "idle", "12 2026-01-01/2026-12-31;2026-02-01/2026-02-28/szunetel;2026-03-01/2026-03-31/ellatas;2026-04-01/2026-12-31/nyugdijas: 1*12", "2");
        // The course in words, and what is refused.
        add("whole year", "course", "2026 2026-01-01/2026-12-31", "");
        add("begun", "course", "2026 2026-05-15/2026-12-31;2026-07-01/2026-07-31/ellatas", "2026: május 15-től; július 1–31. ellátás");
        add("ended", "course", "2026 2026-01-01/2026-09-20", "2026: szeptember 20-ig");
        add("both, a period over months", "course", "2026 2026-03-03/2026-10-20;2026-03-10/2026-06-30/szunetel;2026-07-01/2026-07-20/nyugdijas", "2026: március 3-tól október 20-ig; március 10.–június 30. szünetel; július 1–20. nyugdíjas");
        add("the 10th and the 20th", "course", "2026 2026-01-10/2026-12-20;2026-02-01/2026-02-28/mellek", "2026: január 10-től december 20-ig; február 1–28. mellék");
        add("first in the year before", "course", "2026 2025-12-31/2026-12-31", "first outside the year");
        add("last in the year after", "course", "2026 2026-01-01/2027-01-01", "last outside the year");
        add("last before first", "course", "2026 2026-06-01/2026-05-31", "last before first");
        add("period reversed", "course", "2026 2026-01-01/2026-12-31;2026-05-02/2026-05-01/szunetel", "period reversed 0");
        add("period before the start", "course", "2026 2026-05-15/2026-12-31;2026-05-01/2026-05-31/ellatas", "period outside 0");
        add("overlapping periods", "course", "2026 2026-01-01/2026-12-31;2026-03-01/2026-03-31/ellatas;2026-03-31/2026-04-30/szunetel", "overlap 1 0");
        add("adjoining periods", "course", "2026 2026-01-01/2026-12-31;2026-03-01/2026-03-31/ellatas;2026-04-01/2026-04-30/szunetel", "2026: március 1–31. ellátás; április 1–30. szünetel");
        add("unknown kind", "course", "2026 2026-01-01/2026-12-31;2026-03-01/2026-03-31/beteg", "unreadable");
        add("no date", "course", "2026 2026-01-01", "unreadable");
        add("the quarter's own addition", "evaluation", "6 main year=2025 wage=290800 G=348800: 5000000*12", "450000 555000 3000000 390000 3000000 | 1350000 | 1665000 1170000");
        // A refund: no negative advance, and the next quarter counts from the highest income.
        add("a refund", "evaluation", "6 side year=2025 wage=290800 G=348800: 5000000 0 0 -3000000 0 0", "0 0 0 0 0 | 0 | 0 0");
        add("after a refund", "evaluation", "9 side year=2025 wage=290800 G=348800: 5000000 0 0 -3000000 0 0 4000000 0 0", "0 37000 200000 26000 200000 | 90000 | 111000 78000");
        add("2027, typed figures", "evaluation", "3 main year=2027 wage=350000 G=400000 ratio=50: 1000000*12", "0 74000 400000 52000 400000 | 0 | 222000 156000");
        add("as it is", "declaration", "", "$ny_azon=2658|$sorok_sz\xE1ma=46|$d_lapok_sz\xE1ma=1|$d_lap1=01-01,1|8131=HU|12634=v1|14361=v2|14417=X|21279=1|23299=v4|23302=v5|23328=v6|23303=v7|23304=v8|23305=v9|23306=v10|23307=v11|23308=v12|23309=v13|23310=v14|23311=v15|23313=v16|23314=v17|23335=20260301|23336=20260331|23339=H|23853=v18|24026=v19|24027=v20|24029=v21|24030=v22|24031=v23|26378[1]=21|26380[1]=1|26383[1]=0|26384[1]=20260301|26385[1]=20260331|26397[1]=I|26398[1]=N|26473[1]=N|26401[1]=292500|26400[1]=38025|26413[1]=260000|26414[1]=48100");
        add("side", "declaration 26378[1]", "side", "26378[1]=26");
        add("12-15 empty", "declaration 23307 23308 23309 23310 23311 23313", "12=;13=;14=;15=", "23307=v11|23313=v16");
        add("13 empty", "declaration 23308 23309 23310", "13=", "23308=v12|23310=v14");
        add("16 empty", "declaration 23313", "16=", "23313=");
        add("entry 3 is 2", "declaration 21279 26398[1] 26399[1] 26473[1]", "3=2", "21279=2|26398[1]=N|26399[1]=N|26473[1]=N");
        add("entry 3 is 2 with a blank", "declaration 21279 26399[1]", "3= 2", "21279= 2|26399[1]=N");
        add("entry 3 is 3", "declaration 21279 26399[1]", "3=3", "21279=3");
        add("entry 3 text", "declaration", "3=k\xF5", "refused: kő");
        add("entry 3 empty", "declaration", "3=", "refused: ");
        add("base made whole", "declaration 26401[1]", "base=292501.125", "26401[1]=292501");
        add("base half to even", "declaration 26401[1]", "base=292504.5", "26401[1]=292504");
        // 112,5 % of a G of 260 005 is 292 505,625: rounded, not cut.
        add("base rounded up", "declaration 26401[1]", "base=292505.625", "26401[1]=292506");
        add("the period's year", "declaration $ny_azon", "year=2025", "$ny_azon=2558");
        add("bytes as they are", "declaration 12634 23308", "1=K\xF5szegi \xDBrsula;12=  a=b", "12634=K\xF5szegi \xDBrsula|23308=  a=b");
        add("template file", "template", "NAV_2658_abc.enyk", "found");
        add("template folder", "template", "NAV_2658_x.enyk/", "found");
        add("last year's template", "template", "NAV_2558_x.enyk", "missing");
        add("another form's template", "template", "NAV_2608_x.enyk", "missing");
        // cmd takes the path as it is, whatever the program's folder is called.
        // Each year's revenues in one file: the year in use's in adat.txt.
        add("a folder of today", "years", "adat.txt=100|200 pennaro.ini=adoev=2026 ; start 2026 ; change 2026 2027 100|200 ; files ; change 2027 2026 ; files", "2026: 100|200 ;  ; adat.txt=|||||||||||| adat_2026.txt=100|200||||||||||| pennaro.ini=adoev=2027| ; 100|200 ; adat.txt=100|200||||||||||| pennaro.ini=adoev=2026|");
        add("two years typed", "years", "pennaro.ini=adoev=2026 ; change 2026 2027 850000|850000 ; change 2027 2026 900000 ; change 2026 2027 850000|850000|1 ; files ; years", " ; 850000|850000 ; 900000 ; adat.txt=900000|||||||||||| adat_2026.txt=850000|850000|1|||||||||| pennaro.ini=adoev=2027| ; 2026");
        add("kept master data stay", "years", "pennaro.ini=adoev=2026|2026.allas=mellek|2027.allas=mellek ; change 2026 2027 1 ; files", " ; adat.txt=|||||||||||| adat_2026.txt=1|||||||||||| pennaro.ini=2026.allas=mellek|2027.allas=mellek|adoev=2027|");
        // A change cut short: the year in use's own file is the newer copy.
        add("killed after the year left", "years", "adat.txt=100 adat_2026.txt=150 pennaro.ini=adoev=2026 ; start 2027 ; settle 2026 ; files", "2026: 150 ; settled ; adat.txt=100| pennaro.ini=adoev=2026|");
        add("killed after adat.txt", "years", "adat.txt=900 adat_2026.txt=150 adat_2027.txt=900 pennaro.ini=adoev=2026 ; start 2027", "2026: 150");
        add("killed after pennaro.ini", "years", "adat.txt=900 adat_2026.txt=150 adat_2027.txt=900 pennaro.ini=adoev=2027 ; start 2027", "2027: 900");
        add("a year file that is a folder", "years", "adat.txt=3 adat_2026.txt/ pennaro.ini=adoev=2026 ; start 2026", "2026: 3");
        // A folder that never kept its year: the year its revenues were saved in.
        add("revenues of last year", "years", "adat.txt=850000 ; dated 2026 ; start 2027 ; settle 2026 ; files", "2026: 850000 ; settled ; adat.txt=850000| pennaro.ini=adoev=2026|");
        add("no revenues", "years", "adat.txt=|| ; dated 2025 ; start 2027", "2027: ");
        add("revenues before the table", "years", "adat.txt=1 ; dated 2019 ; start 2026", "2022: 1");
        add("a year kept stays", "years", "adat.txt=1 pennaro.ini=adoev=2025 ; settle 2025 ; files", "settled ; adat.txt=1| pennaro.ini=adoev=2025|");
        add("an unusable pennaro.ini is not written", "years", "adat.txt=1 pennaro.ini/ ; settle 2026 ; files", "settled ; adat.txt=1| pennaro.ini/");
        // A year file that cannot be read: kept, moved aside, named.
        add("chosen year's file a folder", "years", "adat.txt=1 adat_2026.txt/ pennaro.ini=adoev=2027 ; change 2027 2026 1 ; files", "stopped adat_2026.txt, folder ; adat.txt=1| adat_2026.txt/ adat_2027.txt=1|||||||||||| pennaro.ini=adoev=2027|");
#ifdef Q_OS_UNIX
        add("chosen year's file a FIFO", "years", "adat_2026.txt| pennaro.ini=adoev=2027 ; change 2027 2026 1 ; start 2027", "stopped adat_2026.txt, not a file ; 2027: 1");
#endif
        add("chosen year's file not text", "years", "adat_2026.txt=<NUL> adat_2025.txt=5 pennaro.ini=adoev=2027 ; change 2027 2026 1 ; files", " (moved aside adat_2026.txt, not text) ; adat.txt=|||||||||||| adat_2025.txt=5| adat_2026_olvashatatlan.txt=<NUL>| adat_2027.txt=1|||||||||||| pennaro.ini=adoev=2026|");
        add("own copy not text", "years", "adat.txt=7 adat_2026.txt=<NUL> pennaro.ini=adoev=2026 ; start 2026 ; files", "2026: 7 (copy unreadable adat_2026.txt, not text) ; adat.txt=7| adat_2026_olvashatatlan.txt=<NUL>| pennaro.ini=adoev=2026|");
        add("a year's bad lines", "years", "adat_2026.txt=12abc pennaro.ini=adoev=2027 ; change 2027 2026 ; read 2025", "12abc (bad lines adat_2026.txt) ; ");
        add("adat.txt a folder", "years", "adat.txt/ pennaro.ini=adoev=2026 ; change 2026 2027 5 ; start 2026", "stopped adat.txt, folder ; 2026: 5");
        add("pennaro.ini a folder", "years", "adat.txt=5 adat_2027.txt=9 pennaro.ini/ ; dated 2026 ; change 2026 2027 6 ; files ; start 2026", "stopped pennaro.ini, folder ; adat.txt=9|||||||||||| adat_2026.txt=6|||||||||||| adat_2027.txt=9| pennaro.ini/ ; 2026: 6");
        add("years with revenues", "years", "adat.txt=1 adat_2023.txt=|| adat_2024.txt=5 adat_2025.txt=<NUL> adat_1999.txt=1 ; years ; read 2025", "2024 ;  (unreadable adat_2025.txt, not text)");
        // "válassza a 2027-et"
        add("accusative 2022", "accusative", "2022", "2022-t");
        add("accusative 2023", "accusative", "2023", "2023-at");
        add("accusative 2024", "accusative", "2024", "2024-et");
        add("accusative 2025", "accusative", "2025", "2025-öt");
        add("accusative 2026", "accusative", "2026", "2026-ot");
        add("accusative 2027", "accusative", "2027", "2027-et");
        add("accusative 2030", "accusative", "2030", "2030-at");
        add("accusative 2040", "accusative", "2040", "2040-et");
        add("accusative 2100", "accusative", "2100", "2100-at");
        add("accusative 2000", "accusative", "2000", "2000-et");
        add("plain path", "cmd", "C:/pennaro/atad_pennaro.bat", "/d /v:off /s /c \"\"C:/pennaro/atad_pennaro.bat\"\"");
        add("blanks, brackets, ampersand", "cmd", "C:/Program Files (x86)/Kis & Nagy/a.bat", "/d /v:off /s /c \"\"C:/Program Files (x86)/Kis & Nagy/a.bat\"\"");
        add("caret, percent", "cmd", "D:/a^b/100%/x%PATH%y/a.bat", "/d /v:off /s /c \"\"D:/a^b/100%%cd:~,%/x%%cd:~,%PATH%%cd:~,%y/a.bat\"\"");
        // clang-format on
    }
    void rule()
    {
        QFETCH(Bytes, rule);
        QFETCH(Bytes, input);
        const Args words = rule.split(' ');
        QTEST(rules[words[0]](input, words.mid(1)), "expected");
    }

    void codePagesRoundTrip()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const Bytes one(1, char(byte));
            QCOMPARE(charset::to_windows1250(charset::from_windows1250(one)), one);
            if (byte < 0x80 || byte >= 0xA0)
                QCOMPARE(charset::to_iso8859_2(charset::from_iso8859_2(one)), one);
        }
    }

    // adat22.txt is written again only when its bytes change.
    void taxpayerCopyWrittenOnlyWhenChanged()
    {
        QTemporaryDir dir;
        const QString copy = dir.filePath("adat22.txt");
        const QDateTime long_ago(QDate(2000, 1, 1), QTime(0, 0));
        const QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser
            | QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(!write_taxpayer_copy(dir.path(), "x\r\n", mode));
        QFile file(copy);
        QVERIFY(file.open(QIODevice::Append)
            && file.setFileTime(long_ago, QFile::FileModificationTime));
        file.close();
        QVERIFY(!write_taxpayer_copy(dir.path(), "x\r\n", mode));
        QCOMPARE(QFileInfo(copy).lastModified(), long_ago);
        QVERIFY(!write_taxpayer_copy(dir.path(), "y\r\n", mode));
        QCOMPARE(bytes_of(copy), Bytes("y\r\n"));
    }

    // Installed (<prefix>/bin beside <prefix>/share/pennaro): the user's
    // folder; a copy of its own: beside itself, unless it cannot write there.
    void dataFolder()
    {
        QTemporaryDir dir;
        const QString user = dir.filePath("user/pennaro");
        QVERIFY(QDir(dir.path()).mkpath("usr/bin") && QDir(dir.path()).mkpath("usr/share/pennaro"));
        QCOMPARE(choose_data_folder(dir.filePath("usr/bin"), user).path, user);
        QVERIFY(QFileInfo(user).isDir());
        QVERIFY(QDir(dir.path()).mkpath("portable/bin"));
        QCOMPARE(choose_data_folder(dir.filePath("portable/bin"), user).path,
            dir.filePath("portable/bin"));
        QCOMPARE(
            choose_data_folder(dir.filePath("usr/share"), user).path, dir.filePath("usr/share"));
        put(dir.filePath("file"), "x"); // no one can write below a file, root included
        const DataFolder below_file = choose_data_folder(dir.filePath("file/bin"), user);
        QCOMPARE(below_file.path, user);
        QVERIFY(!below_file.moved);
        // A read-only copy of its own says where its files went, and which.
        put(dir.filePath("portable/bin/adat2.txt"), "x");
        const auto read_only = [](const QString &) { return false; };
        const DataFolder moved = choose_data_folder(dir.filePath("portable/bin"), user, read_only);
        QCOMPARE(moved.path, user);
        QVERIFY(moved.moved);
        QCOMPARE(moved.moved->other_path, dir.filePath("portable/bin"));
        QCOMPARE(moved.moved->text, "adat2.txt");
    }

    void oneCopyAFolder()
    {
        QTemporaryDir dir;
        FolderLock first, second;
        QVERIFY(!first.take(dir.path()));
        const auto refused = second.take(dir.path());
        QVERIFY(refused && refused->what == Problem::What::FolderInUse);
        QCOMPARE(refused->path, dir.filePath("pennaro.lock"));
        // A copy that crashed left its lock: its process is gone.
        QTemporaryDir crashed;
        put(crashed.filePath("pennaro.lock"), "2147483646\npennaro\n\n");
        FolderLock after_crash;
        QVERIFY(!after_crash.take(crashed.path()));
    }

#ifdef Q_OS_UNIX
    // A FIFO or a device would hang the start: never opened, never moved.
    void onlyRegularFilesRead()
    {
        QTemporaryDir dir;
        const QString revenues = dir.filePath("adat.txt");
        QVERIFY(mkfifo(QFile::encodeName(revenues).constData(), 0644) == 0);
        const RevenueFile read = load_revenue_file(revenues);
        QVERIFY(read.problems.size() == 1 && read.problems[0].error == FileError::NotAFile);
        QVERIFY(read.ask_before_saving);
        QVERIFY(QFileInfo::exists(revenues) && !QFileInfo(revenues).isFile());
        QVERIFY(QFile::link("/dev/zero", dir.filePath("adat2.txt")));
        const TaxpayerData taxpayer = read_taxpayer_data(dir.path());
        QVERIFY(taxpayer.present);
        QCOMPARE(taxpayer.problems.size(), 1);
        QCOMPARE(taxpayer.problems[0].error, FileError::NotAFile);
    }

    // A file its owner made read-only stays as it is, and the reason is
    // told. Checked as another user than root, whom no permission stops.
    void readOnlyFileKept()
    {
        QTemporaryDir dir, read_only;
        QVERIFY(QFile::setPermissions(read_only.path(),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(dir.path(),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                | QFile::WriteOther | QFile::ExeOther));
        const QString path = dir.filePath("felad.imp");
        put(path, "earlier");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther));
        const pid_t child = fork();
        if (child == 0) {
            if (getuid() == 0 && setuid(65534) != 0)
                _exit(2);
            // In a folder no one may write the lock is not taken, which is no
            // "in use".
            FolderLock lock;
            const auto problem = lock.take(read_only.path());
            const bool lock_said = problem && problem->what == Problem::What::LockNotTaken
                && problem->error == FileError::NoPermission;
            _exit(write_file(path, "new") == FileError::NoPermission && lock_said ? 0 : 1);
        }
        int status = -1;
        QCOMPARE(waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(bytes_of(path), Bytes("earlier"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {"felad.imp"});
    }
#endif

    // A save keeps the file's mode; the taxpayer copy takes its source's; a
    // link is replaced, never written through; a FIFO copy hangs nothing.
    void savesKeepModesAndReplaceLinks()
    {
        QTemporaryDir dir, elsewhere;
        const QFile::Permissions mine
            = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        const QString revenues = dir.filePath("adat.txt");
        put(revenues, "100\r\n");
        QVERIFY(QFile::setPermissions(revenues, mine));
        QVERIFY(!write_file(revenues, "7\r\n"));
        QCOMPARE(QFileInfo(revenues).permissions(), mine);
        put(dir.filePath("adat2.txt"), "v1\r\n");
        QVERIFY(QFile::setPermissions(dir.filePath("adat2.txt"), mine));
        const TaxpayerData data = read_taxpayer_data(dir.path());
        QVERIFY(!write_taxpayer_copy(dir.path(), *data.copy, data.mode));
        QCOMPARE(QFileInfo(dir.filePath("adat22.txt")).permissions(), mine);

        const QString notes = elsewhere.filePath("notes");
        put(notes, "the user's");
        QVERIFY(QFile::link(notes, dir.filePath("felad.imp")));
        QVERIFY(!write_file(dir.filePath("felad.imp"), "declaration"));
        QVERIFY(!QFileInfo(dir.filePath("felad.imp")).isSymLink());
        QCOMPARE(bytes_of(notes), Bytes("the user's"));
#ifdef Q_OS_UNIX
        QFile::remove(dir.filePath("adat22.txt"));
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("adat22.txt")).constData(), 0644) == 0);
        QVERIFY(!write_taxpayer_copy(dir.path(), *data.copy, data.mode));
        QCOMPARE(bytes_of(dir.filePath("adat22.txt")), *data.copy);
        QFile::remove(dir.filePath("adat22.txt"));
        QVERIFY(QFile::link("/dev/zero", dir.filePath("adat22.txt")));
        QVERIFY(!write_taxpayer_copy(dir.path(), *data.copy, data.mode));
        QCOMPARE(bytes_of(dir.filePath("adat22.txt")), *data.copy);
        // The log a script writes becomes a file of its own.
        const QString log = dir.filePath("atad_pennaro.log");
        QVERIFY(mkfifo(QFile::encodeName(log).constData(), 0644) == 0);
        QVERIFY(!prepare_log(log));
        QVERIFY(QFileInfo(log).isFile());
#endif
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System).filter("pennaro-mentes"),
            QStringList());
    }

    // A lock that names no process is taken over once it is not being
    // written; a folder of that name is said.
    void oddLocks()
    {
        QTemporaryDir garbage, fresh, folder;
        put(garbage.filePath("pennaro.lock"), "");
        QFile old(garbage.filePath("pennaro.lock"));
        QVERIFY(old.open(QIODevice::Append)
            && old.setFileTime(
                QDateTime::currentDateTime().addSecs(-60), QFile::FileModificationTime));
        old.close();
        FolderLock taken_over;
        QVERIFY(!taken_over.take(garbage.path()));
        put(fresh.filePath("pennaro.lock"), "garbage");
        FolderLock being_written;
        const auto refused = being_written.take(fresh.path());
        QVERIFY(refused && refused->what == Problem::What::FolderInUse);
        QVERIFY(QDir(folder.path()).mkdir("pennaro.lock"));
        FolderLock on_folder;
        const auto not_taken = on_folder.take(folder.path());
        QVERIFY(not_taken && not_taken->what == Problem::What::LockNotTaken
            && not_taken->error == FileError::Folder);
    }

#ifdef Q_OS_UNIX
    // A save killed in the middle leaves the file as it was and at most a
    // copy of the pattern the next start removes.
    void saveKilledMidWrite()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("adat.txt");
        put(path, "earlier");
        const pid_t child = fork();
        if (child == 0) {
            const rlimit tiny {4, 4};
            setrlimit(RLIMIT_FSIZE, &tiny);
            signal(SIGXFSZ, SIG_DFL);
            write_file(path, Bytes(64, 'x'));
            _exit(0);
        }
        int status = -1;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
        QCOMPARE(bytes_of(path), Bytes("earlier"));
        // The copy is unnamed until it is complete where the system allows.
        for (const QString &left : QDir(dir.path()).entryList(QDir::Files))
            QVERIFY(left == "adat.txt"
                || (left.startsWith("adat.txt.pennaro-mentes-") && left.size() == 30));
        remove_leftover_copies(dir.path(), saved_files);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {"adat.txt"});
    }
#endif

    void missingFiles()
    {
        QTemporaryDir dir;
        QCOMPARE(write_file(dir.filePath("no/such/folder/x"), "x"), FileError::NotFound);
        QFile missing(dir.filePath("missing"));
        QCOMPARE(open_for_reading(missing), FileError::NotFound);
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "test_core.moc"
