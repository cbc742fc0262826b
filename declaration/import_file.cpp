#include "declaration/import_file.h"

#include "evaluation/number_text.h"

#include "storage/charset_converter.h"

#include <optional>

namespace {

// A result field's text as a plain whole number ("48 100" -> 48100).
std::optional<QByteArray> whole_number(const QString &text)
{
    const auto whole = number_text::read_whole32(text);
    if (!whole)
        return std::nullopt;
    return QByteArray::number(*whole);
}

} // namespace

QString form_year(int year)
{
    return QStringLiteral("%1").arg(year % 100, 2, 10, QLatin1Char('0'));
}

ImportFile import_file(const Declaration &d)
{
    ImportFile result;
    const TaxpayerLines &L = d.taxpayer;

    const auto entry3 = number_text::read_number(QString::fromLatin1(L[3]));
    if (!entry3) {
        result.problem = QStringLiteral("Az adat2.txt 3. sora nem szám: „%1”.")
                             .arg(charset::from_iso8859_2(L[3]));
        return result;
    }

    const std::pair<const QString *, const char *> results[] = {
        {&d.szocho_base, "a Szocho alapja"},
        {&d.szocho_amount, "a Szocho"},
        {&d.tb_base, "a TB alapja"},
        {&d.tb_amount, "a TB"},
    };
    QList<QByteArray> numbers;
    for (const auto &[text, name] : results) {
        const auto number = whole_number(*text);
        if (!number) {
            result.problem = QStringLiteral("A számítás eredménye nem szám: %1 („%2”).")
                                 .arg(QString::fromUtf8(name), *text);
            return result;
        }
        numbers.append(*number);
    }

    const QByteArray first = d.period_first.toLatin1();
    const QByteArray last = d.period_last.toLatin1();
    QList<QByteArray> lines {
        "$ny_azon=" + form_year(d.year).toLatin1() + "58",
        "$sorok_sz\xE1ma=46", // the form counts 46 whatever is written
        "$d_lapok_sz\xE1ma=1",
        "$d_lap1=01-01,1",
        "8131=HU",
        "12634=" + L[1],
        "14361=" + L[2],
        "14417=X",
        "21279=" + L[3],
        "23299=" + L[4],
        "23302=" + L[5],
        "23328=" + L[6],
        "23303=" + L[7],
        "23304=" + L[8],
        "23305=" + L[9],
        "23306=" + L[10],
        "23307=" + L[11],
    };
    // Entries 12 to 15 are written only when given.
    const char *const optional_codes[] = {"23308=", "23309=", "23310=", "23311="};
    for (int i = 0; i < 4; ++i)
        if (!L[12 + i].isEmpty())
            lines.append(optional_codes[i] + L[12 + i]);
    lines << "23313=" + L[16] << "23314=" + L[17] << "23335=" + first << "23336=" + last
          << "23339=H"
          << "23853=" + L[18] << "24026=" + L[19] << "24027=" + L[20] << "24029=" + L[21]
          << "24030=" + L[22] << "24031=" + L[23]
          << (d.main_employment ? "26378[1]=21" : "26378[1]=26") << "26380[1]=1"
          << "26383[1]=0"
          << "26384[1]=" + first << "26385[1]=" + last << "26397[1]=I"
          << "26398[1]=N";
    if (*entry3 == 2)
        lines << "26399[1]=N";
    lines << "26473[1]=N"
          << "26401[1]=" + numbers[0] << "26400[1]=" + numbers[1] << "26413[1]=" + numbers[2]
          << "26414[1]=" + numbers[3];

    for (const QByteArray &line : lines)
        result.bytes += line + "\r\n";
    return result;
}
