#include "declaration/import_file.h"

#include "evaluation/number_text.h"
#include "evaluation/year_rules.h"
#include "storage/charset_converter.h"

#include <QDir>

namespace code = year_rules::code;

QString form_year(int year)
{
    return QStringLiteral("%1").arg(year % 100, 2, 10, QLatin1Char('0'));
}

bool form_template_found(const QStringList &folders, int year)
{
    const QString form_template_pattern
        = QStringLiteral("NAV_%1%2_*.enyk").arg(form_year(year), year_rules::form_number);
    for (const QString &folder : folders) {
        const QStringList matches = QDir(folder).entryList(
            {form_template_pattern}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        if (!matches.isEmpty())
            return true;
    }
    return false;
}

ImportFile import_file(const Declaration &d)
{
    ImportFile result;
    const TaxpayerLines &L = d.taxpayer;
    const auto entry3 = number_text::read_number(QString::fromLatin1(L[3]));
    if (!entry3) {
        result.problem = Problem {Problem::What::Entry3NotNumber};
        result.problem->text = charset::from_iso8859_2(L[3]);
        return result;
    }

    const auto field
        = [](const char *code, const QByteArray &value) { return QByteArray(code) + '=' + value; };
    const auto taxpayer = [&](int entry) { return field(code::taxpayer[entry - 1], L[entry]); };
    const QByteArray first = d.period.first.toLatin1();
    const QByteArray last = d.period.last.toLatin1();

    QList<QByteArray> lines {
        "$ny_azon=" + form_year(d.period.year).toLatin1() + year_rules::form_number,
        "$sorok_sz\xE1ma=46", // the form counts 46 whatever is written
        "$d_lapok_sz\xE1ma=1",
        "$d_lap1=01-01,1",
        field(code::country, "HU"),
        taxpayer(1),
        taxpayer(2),
        "14417=X",
    };
    for (int entry = 3; entry <= 17; ++entry)
        if (entry < code::first_optional_line || entry > code::last_optional_line
            || !L[entry].isEmpty())
            lines << taxpayer(entry);
    lines << field(code::period_first, first) << field(code::period_last, last) << "23339=H";
    for (int entry = 18; entry <= 23; ++entry)
        lines << taxpayer(entry);
    lines << field(
        code::employment, d.main_employment ? code::employment_main : code::employment_side)
          << "26380[1]=1"
          << "26383[1]=0" << field(code::sheet_period_first, first)
          << field(code::sheet_period_last, last) << "26397[1]=I"
          << "26398[1]=N";
    if (*entry3 == 2)
        lines << "26399[1]=N";
    lines << "26473[1]=N";
    // The base of 112.5 % of G may carry decimals; the form takes it whole,
    // rounded half to even. The evaluation made sure that it fits.
    const qint32 szocho_base = number_text::whole32(d.szocho_base).value_or(0);
    lines << field(code::szocho_base, QByteArray::number(szocho_base))
          << field(code::szocho, QByteArray::number(d.szocho_amount))
          << field(code::tb_base, QByteArray::number(d.tb_base))
          << field(code::tb, QByteArray::number(d.tb_amount));

    for (const QByteArray &line : lines)
        result.bytes += line + "\r\n";
    return result;
}
