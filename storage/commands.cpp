#include "storage/commands.h"

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
    switch (file.state) {
    case RevenueFile::State::Created:
        return std::nullopt;
    case RevenueFile::State::NotCreated:
        return Notice {QStringLiteral("Az adat.txt nem hozható létre: %1 (%2).")
                           .arg(shown_path(path), file.reason)};
    case RevenueFile::State::Unreadable:
        return Notice {QStringLiteral("Az adat.txt nem olvasható: %1 (%2). A bevételek üresen "
                                      "indulnak.")
                           .arg(shown_path(path), file.reason)};
    case RevenueFile::State::Loaded:
        break;
    }
    for (int month = 1; month <= 12; ++month)
        window.revenue_field(month)->setText(file.texts[month - 1]);
    window.monthly_revenue = file.revenue;
    if (file.bad_months.isEmpty())
        return std::nullopt;
    QStringList months;
    for (int month : file.bad_months)
        months.append(window.month_button(month)->text());
    return Notice {QStringLiteral("Az adat.txt egyes soraiban nem szám vagy túl nagy szám áll "
                                  "(%1): %2. Ezeket a hónapokat 0 Ft bevétellel számolja a "
                                  "program, amíg ki nem javítja őket.")
                       .arg(shown_path(path), months.join(QStringLiteral(", ")))};
}

std::optional<Notice> Command17_click(fo &window)
{
    const QString path = revenue_path(window);
    const QStringList texts = revenue_texts(window);
    if (const auto reason = save_revenue_file(path, texts))
        return Notice {QStringLiteral("Nem sikerült menteni a bevételeket: %1 (%2). Kilép mentés "
                                      "nélkül?")
                           .arg(shown_path(path), *reason),
            MessageIcon::Critical, MessageButtons::YesNo};
    window.saved_revenue_texts = texts;
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
                            .arg(shown_path(path), *conversion.read_error)}};
    window.taxpayer_lines = taxpayer_entries(conversion.lines);

    QList<Notice> notices;
    if (conversion.copy_error)
        notices.append({QStringLiteral("Az adat22.txt nem írható: %1 (%2). A program a "
                                       "beolvasott adatokkal dolgozik tovább.")
                            .arg(shown_path(folder + QStringLiteral("/adat22.txt")),
                                *conversion.copy_error)});
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
