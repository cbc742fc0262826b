#include "storage/revenue_file.h"

#include "evaluation/number_text.h"
#include "storage/text_lines.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

RevenueFile load_revenue_file(const QString &path)
{
    RevenueFile result;
    result.texts = QStringList(12, QString());

    if (!QFileInfo::exists(path)) {
        // A new file holds 36 empty lines.
        result.state = RevenueFile::State::Created;
        if (const auto reason = write_lines(path, QList<QByteArray>(36))) {
            result.state = RevenueFile::State::NotCreated;
            result.reason = *reason;
        }
        return result;
    }
    QFile file(path);
    if (const auto reason = open_for_reading(file)) {
        result.state = RevenueFile::State::Unreadable;
        result.reason = *reason;
        return result;
    }
    const TextLines read = read_lines(file, 12);
    if (read.has_nul) {
        result.state = RevenueFile::State::Unreadable;
        result.reason = QStringLiteral("nem szöveges fájl");
        return result;
    }
    // UTF-8 when valid, else the Windows-1250 that the save writes.
    const bool utf8 = is_utf8(read.lines);
    QStringDecoder windows1250("windows-1250");
    for (qsizetype i = 0; i < read.lines.size(); ++i) {
        const QString text
            = utf8 ? QString::fromUtf8(read.lines[i]) : windows1250.decode(read.lines[i]);
        result.texts[i] = text;
        if (text.isEmpty())
            continue;
        if (const auto whole = number_text::read_whole32(text))
            result.revenue[i] = *whole;
        else
            result.bad_months.append(int(i + 1));
    }
    return result;
}

std::optional<QString> save_revenue_file(const QString &path, const QStringList &texts)
{
    QStringEncoder windows1250("windows-1250");
    QList<QByteArray> lines;
    for (const QString &text : texts)
        lines.append(windows1250.encode(text));
    return write_lines(path, lines);
}
