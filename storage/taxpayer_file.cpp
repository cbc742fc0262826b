#include "storage/taxpayer_file.h"

#include "storage/charset_converter.h"
#include "storage/text_lines.h"

#include <QFile>

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

Conversion Command22_click(const QString &folder)
{
    Conversion result;
    const QString source = folder + QStringLiteral("/adat2.txt");
    QFile file(source);
    result.read_error = open_for_reading(file);
    if (result.read_error)
        return result;
    // A sane bound: the declaration needs 24 lines.
    const TextLines read = read_lines(file, 1000);
    if (read.has_nul) {
        result.read_error = FileError::NotText;
        return result;
    }
    ConvertedLines converted = charset_converter(read.lines);
    result.lines = std::move(converted.lines);
    result.replaced_lines = std::move(converted.replaced_lines);
    result.copy_error = write_lines(folder + QStringLiteral("/adat22.txt"), result.lines);
    return result;
}
