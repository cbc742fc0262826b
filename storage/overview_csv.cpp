#include "storage/overview_csv.h"

#include "evaluation/number_text.h"

#include <QStringList>

namespace {

// A field with a separator, a quote or a line end goes between quotes.
QString field(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n')
        && !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString date(QDate day)
{
    return day.isValid() ? day.toString(Qt::ISODate) : QString();
}

} // namespace

QByteArray overview_csv(
    const QList<OverviewRow> &rows, const std::function<QString(const Problem &)> &why)
{
    using number_text::plain;
    QStringList lines {QStringLiteral("Időszak;Bevétel;Jövedelem;TB-alap;TB (406);Szocho-alap;"
                                      "Szocho (258);SZJA havi része;SZJA-előleg (103);"
                                      "TB és Szocho esedékes;SZJA esedékes;SZJA-előleg átvíve")};
    for (const OverviewRow &row : rows) {
        QStringList fields {field(overview_row_name(row))};
        if (row.problem) {
            fields << field(why(*row.problem));
        } else {
            const std::array<double, 7> figures = row_figures(row);
            for (int i = 0; i < int(figures.size()); ++i)
                fields << (row.insured || !contribution_figure(i) ? plain(figures[i])
                        : i == first_contribution_figure          ? field(not_insured_text())
                                                                  : QString());
            fields << (row.szja_advance ? plain(double(*row.szja_advance)) : QString())
                   << date(row.contributions_due) << date(row.szja_due)
                   << (row.szja_carried ? plain(double(row.szja_carried)) : QString());
        }
        lines << fields.join(u';');
    }
    return "\xEF\xBB\xBF" + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}
