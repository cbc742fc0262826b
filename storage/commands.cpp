#include "storage/commands.h"

#include "evaluation/number_text.h"
#include "storage/revenue_file.h"
#include "storage/taxpayer_file.h"
#include "storage/text_lines.h"
#include "ui_fo.h"
#include "window/fo.h"

#include <QFileInfo>

namespace {

QString revenue_path(const fo &window)
{
    return window.platform().programFolder() + QStringLiteral("/adat.txt");
}

QStringList revenue_texts(const fo &window)
{
    QStringList texts;
    for (int month = 1; month <= 12; ++month)
        texts.append(window.revenue_field(month)->text());
    return texts;
}

} // namespace

QString file_reason(FileError error)
{
    switch (error) {
    case FileError::NoPermission:
        return QStringLiteral("nincs hozzá jogosultság");
    case FileError::NoSpace:
        return QStringLiteral("nincs elég hely a lemezen");
    case FileError::Folder:
        return QStringLiteral("ez egy mappa");
    case FileError::NotFound:
        return QStringLiteral("nem található");
    case FileError::NotText:
        return QStringLiteral("nem szöveges fájl");
    case FileError::Other:
        break;
    }
    return QStringLiteral("ismeretlen fájlhiba");
}

void Command16_click(fo &window)
{
    for (int month = 1; month <= 12; ++month)
        window.revenue_field(month)->clear();
}

std::optional<Notice> Command18_click(fo &window)
{
    const QString path = revenue_path(window);
    const RevenueFile file = load_revenue_file(path);
    window.saved_revenue_texts = file.texts;
    window.ask_before_saving
        = file.state == RevenueFile::State::Unreadable && file.error != FileError::Folder;
    const QString unreadable
        = QStringLiteral("Az adat.txt nem olvasható: %1 (%2). ")
              .arg(shown_path(path), file.error ? file_reason(*file.error) : QString());
    switch (file.state) {
    case RevenueFile::State::Created:
        return std::nullopt;
    case RevenueFile::State::NotCreated:
        return Notice {QStringLiteral("Az adat.txt nem hozható létre: %1 (%2).")
                           .arg(shown_path(path), file_reason(*file.error))};
    case RevenueFile::State::Unreadable:
        return Notice {unreadable
            + (window.ask_before_saving
                    ? QStringLiteral("A bevételek üresen indulnak; kilépéskor a "
                                     "program megkérdezi, felülírja-e.")
                    : QStringLiteral("A bevételek üresen indulnak."))};
    case RevenueFile::State::MovedAside:
        return Notice {unreadable
            + QStringLiteral("Eredeti tartalmát a program áthelyezte ide: %1. A bevételek üresen "
                             "indulnak.")
                  .arg(shown_path(file.moved_to))};
    case RevenueFile::State::Loaded:
        break;
    }
    for (int month = 1; month <= 12; ++month)
        window.revenue_field(month)->setText(file.texts[month - 1]);
    window.monthly_revenue = file.revenue;
    if (file.bad_lines.isEmpty())
        return std::nullopt;
    // What a month command will make of each line, so the user knows.
    QStringList lines;
    for (const RevenueFile::BadLine &line : file.bad_lines) {
        const QString taken = line.taken
            ? QStringLiteral("a hónap gombja %1 Ft-tal számol")
                  .arg(number_text::grouped(*line.taken, 0))
            : QStringLiteral("túl nagy, a hónap gombja nem fogadja el");
        lines.append(QStringLiteral("%1 („%2”: %3)")
                         .arg(window.month_button(line.month)->text(), line.text, taken));
    }
    return Notice {QStringLiteral("Az adat.txt egyes soraiban nem érvényes szám áll (%1): %2. "
                                  "Javítsa ki ezeket a bevételeket a mezőkben!")
                       .arg(shown_path(path), lines.join(QStringLiteral(", ")))};
}

std::optional<Notice> Command17_click(fo &window)
{
    const QString path = revenue_path(window);
    const QStringList texts = revenue_texts(window);
    if (const auto error = save_revenue_file(path, texts))
        return Notice {QStringLiteral("Nem sikerült menteni a bevételeket: %1 (%2). Kilép mentés "
                                      "nélkül?")
                           .arg(shown_path(path), file_reason(*error)),
            MessageIcon::Critical, MessageButtons::YesNo};
    window.saved_revenue_texts = texts;
    window.ask_before_saving = false;
    return std::nullopt;
}

bool revenues_changed(const fo &window)
{
    return revenue_texts(window) != window.saved_revenue_texts;
}

QList<Notice> read_taxpayer_data(fo &window)
{
    const QString folder = window.platform().programFolder();
    const QString path = folder + QStringLiteral("/adat2.txt");
    Ui::fo &ui = window.form();
    ui.Command21->setEnabled(true);
    window.taxpayer_lines = TaxpayerLines(31);
    if (!QFileInfo::exists(path)) {
        ui.Command21->setEnabled(false);
        return {};
    }

    const Conversion conversion = Command22_click(folder);
    if (conversion.read_error)
        return {Notice {QStringLiteral("Az adat2.txt nem olvasható: %1 (%2). A bevallás adatai "
                                       "üresek maradnak.")
                            .arg(shown_path(path), file_reason(*conversion.read_error))}};
    window.taxpayer_lines = taxpayer_entries(conversion.lines);

    QList<Notice> notices;
    if (conversion.copy_error)
        notices.append({QStringLiteral("Az adat22.txt nem írható: %1 (%2). A program a "
                                       "beolvasott adatokkal dolgozik tovább.")
                            .arg(shown_path(folder + QStringLiteral("/adat22.txt")),
                                file_reason(*conversion.copy_error))});
    if (conversion.lines.size() < 24)
        notices.append({QStringLiteral("Az adat2.txt csak %1 sort tartalmaz, 24 kellene: %2. A "
                                       "hiányzó adatok üresek maradnak.")
                            .arg(conversion.lines.size())
                            .arg(shown_path(path))});
    if (!conversion.replaced_lines.isEmpty()) {
        QStringList lines;
        for (int line : conversion.replaced_lines)
            lines.append(QStringLiteral("%1.").arg(line));
        notices.append({QStringLiteral("Az adat2.txt egyes betűi nem vihetők át a bevallásba, "
                                       "helyettük „?” áll (%1): %2 sor.")
                            .arg(shown_path(path), lines.join(QStringLiteral(", ")))});
    }
    return notices;
}
