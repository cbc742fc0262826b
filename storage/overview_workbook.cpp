#include "storage/overview_workbook.h"

#include <QFile>
#include <QLibrary>
#include <QStringList>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <type_traits>

namespace {

// The library's functions, resolved once it is loaded.
struct XlsxWriter {
    decltype(&workbook_new) new_workbook = nullptr;
    decltype(&workbook_add_worksheet) add_worksheet = nullptr;
    decltype(&workbook_add_format) add_format = nullptr;
    decltype(&workbook_close) close = nullptr;
    decltype(&format_set_bold) set_bold = nullptr;
    decltype(&format_set_num_format) set_num_format = nullptr;
    decltype(&worksheet_write_number) write_number = nullptr;
    decltype(&worksheet_write_string) write_string = nullptr;
    decltype(&worksheet_set_column) set_column = nullptr;
    decltype(&worksheet_freeze_panes) freeze_panes = nullptr;
};

// Loaded on the first use: the start does not pay for it. Nothing when the
// library or one of its functions is missing.
const XlsxWriter *xlsxwriter()
{
    static const std::optional<XlsxWriter> loaded = []() -> std::optional<XlsxWriter> {
        QLibrary library(QStringLiteral("xlsxwriter"), 4);
        if (!library.load()) {
            library.setFileName(QStringLiteral("xlsxwriter"));
            if (!library.load())
                return std::nullopt;
        }
        XlsxWriter x;
        const auto resolve = [&library](auto &function, const char *name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                library.resolve(name));
            return function != nullptr;
        };
        if (!resolve(x.new_workbook, "workbook_new")
            || !resolve(x.add_worksheet, "workbook_add_worksheet")
            || !resolve(x.add_format, "workbook_add_format") || !resolve(x.close, "workbook_close")
            || !resolve(x.set_bold, "format_set_bold")
            || !resolve(x.set_num_format, "format_set_num_format")
            || !resolve(x.write_number, "worksheet_write_number")
            || !resolve(x.write_string, "worksheet_write_string")
            || !resolve(x.set_column, "worksheet_set_column")
            || !resolve(x.freeze_panes, "worksheet_freeze_panes"))
            return std::nullopt;
        return x;
    }();
    return loaded ? &*loaded : nullptr;
}

// A date as a spreadsheet counts it: days since 1899-12-30.
double serial(QDate day)
{
    return double(QDate(1899, 12, 30).daysTo(day));
}

} // namespace

std::variant<QByteArray, Problem> overview_workbook(const WorkbookHead &head,
    const QList<OverviewRow> &rows, const std::function<QString(const Problem &)> &why)
{
    const Problem not_made {Problem::What::WorkbookNotMade};
    const XlsxWriter *x = xlsxwriter();
    QTemporaryDir scratch;
    if (!x || !scratch.isValid())
        return not_made;
    const QString path = scratch.filePath(QStringLiteral("pennaro.xlsx"));
    lxw_workbook *workbook = x->new_workbook(QFile::encodeName(path).constData());
    if (!workbook)
        return not_made;
    const QByteArray name = QByteArray::number(head.year);
    lxw_worksheet *sheet = x->add_worksheet(workbook, name.constData());

    // Plain and bold: text, whole forints, a figure with a decimal, a date.
    const auto format = [&](bool bold, const char *number) {
        lxw_format *made = x->add_format(workbook);
        if (bold)
            x->set_bold(made);
        if (number)
            x->set_num_format(made, number);
        return made;
    };
    const std::array<lxw_format *, 2> text {format(false, nullptr), format(true, nullptr)},
        whole {format(false, "#,##0"), format(true, "#,##0")},
        decimal {format(false, "#,##0.0"), format(true, "#,##0.0")},
        date {format(false, "yyyy.mm.dd."), format(true, "yyyy.mm.dd.")};

    // Each column as wide as its widest text, in characters.
    std::array<double, 12> widths {};
    const auto fit = [&widths](int column, qsizetype length) {
        widths[column] = std::max(widths[column], double(length) + 2);
    };
    const auto put_text = [&](lxw_row_t row, int column, const QString &value, bool bold) {
        x->write_string(sheet, row, lxw_col_t(column), value.toUtf8().constData(), text[bold]);
    };

    x->write_string(sheet, 0, 0,
        QStringLiteral("Éves áttekintés – %1").arg(head.year).toUtf8().constData(), text[1]);
    put_text(1, 0, head.master_data, false);
    put_text(2, 0, QStringLiteral("Készült:"), false);
    x->write_number(sheet, 2, 1, serial(head.made), date[0]);

    const QStringList headers
        = {QStringLiteral("Időszak"), QStringLiteral("Bevétel"), QStringLiteral("Jövedelem"),
            QStringLiteral("TB-alap"), QStringLiteral("TB (406)"), QStringLiteral("Szocho-alap"),
            QStringLiteral("Szocho (258)"), QStringLiteral("SZJA havi része"),
            QStringLiteral("SZJA-előleg (103)"), QStringLiteral("TB és Szocho esedékes"),
            QStringLiteral("SZJA esedékes"), QStringLiteral("SZJA-előleg átvíve")};
    constexpr lxw_row_t header_row = 4;
    for (int c = 0; c < headers.size(); ++c) {
        put_text(header_row, c, headers[c], true);
        fit(c, headers[c].size());
    }
    x->freeze_panes(sheet, header_row + 1, 0);

    lxw_row_t r = header_row + 1;
    for (const OverviewRow &row : rows) {
        const bool bold = row.kind != OverviewRow::Kind::Month;
        const QString name = overview_row_name(row);
        put_text(r, 0, name, bold);
        fit(0, name.size());
        if (row.problem) {
            put_text(r, 1, why(*row.problem), false);
            ++r;
            continue;
        }
        const auto number = [&](int column, double value) {
            const bool fraction = value != std::floor(value);
            x->write_number(sheet, r, lxw_col_t(column), value, (fraction ? decimal : whole)[bold]);
            fit(column, qsizetype(std::log10(std::max(1.0, std::abs(value)))) * 4 / 3 + 4);
        };
        const std::array<double, 7> figures = row_figures(row);
        for (int c = 0; c < 7; ++c)
            if (row.insured || !contribution_figure(c))
                number(c + 1, figures[c]);
        if (!row.insured)
            put_text(r, first_contribution_figure + 1, not_insured_text(), false);
        if (row.szja_advance)
            number(8, double(*row.szja_advance));
        for (const auto &[column, day] :
            {std::pair {9, row.contributions_due}, std::pair {10, row.szja_due}})
            if (day.isValid()) {
                x->write_number(sheet, r, lxw_col_t(column), serial(day), date[bold]);
                fit(column, 11);
            }
        if (row.szja_carried)
            number(11, double(row.szja_carried));
        ++r;
    }
    for (int c = 0; c < int(widths.size()); ++c)
        x->set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    if (x->close(workbook) != LXW_NO_ERROR)
        return not_made;
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly))
        return not_made;
    return written.readAll();
}
