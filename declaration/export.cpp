#include "declaration/export.h"

#include "declaration/period.h"
#include "evaluation/month_commands.h"
#include "storage/commands.h"
#include "storage/text_lines.h"
#include "ui_fo.h"
#include "window/fo.h"

#include <QDir>
#include <QFileInfo>

std::optional<Notice> export_refusal(const fo &window)
{
    if (window.selected_month == 0)
        return Notice {QStringLiteral("Nincs kijelölt hónap!"), MessageIcon::Critical,
            MessageButtons::Ok, true};
    // The results hold only for what they were made of. A master-data field
    // left since resets them; a revenue up to the month edited, the other
    // employment choice or a cost ratio turned with the wheel leaves them
    // standing, but wrong.
    if (!window.evaluated || inputs_in_fields(window, window.evaluated->month) != window.evaluated)
        return Notice {QStringLiteral("A számítás eredménye nem érvényes. Nyomja meg újra a hónap "
                                      "gombját!"),
            MessageIcon::Critical, MessageButtons::Ok, true};
    return std::nullopt;
}

Declaration declaration_of(const fo &window, QDate today)
{
    const Ui::fo &ui = window.form();
    Declaration d;
    d.year = period_year(window.selected_month, today);
    d.taxpayer = window.taxpayer_lines;
    d.period_first = ui.Text50->text();
    d.period_last = ui.Text51->text();
    d.tb_amount = ui.Text12->text();
    d.szocho_amount = ui.Text13->text();
    d.tb_base = ui.Text46->text();
    d.szocho_base = ui.Text47->text();
    d.main_employment = ui.Option1->isChecked();
    return d;
}

bool form_template_found(const Platform &platform, int year)
{
    const QString form_template_pattern
        = QStringLiteral("NAV_%1").arg(form_year(year)) + QStringLiteral("58_*.enyk");
    for (const QString &folder : platform.templateFolders()) {
        const QStringList matches = QDir(folder).entryList(
            {form_template_pattern}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        if (!matches.isEmpty())
            return true;
    }
    return false;
}

std::optional<Notice> Command25_click(fo &window, const QByteArray &bytes)
{
    Platform &platform = window.platform();
    const QString folder = platform.programFolder();
    const QString path = folder + QStringLiteral("/felad.imp");
    if (const auto error = write_file(path, bytes))
        return Notice {QStringLiteral("A felad.imp nem írható: %1 (%2). A bevallás nem készült el.")
                           .arg(shown_path(path), file_reason(*error)),
            MessageIcon::Critical};

    const QString script = folder + u'/' + platform.handOverScriptName();
    std::optional<QString> failure;
    if (!QFileInfo(script).isFile())
        failure = QStringLiteral("nincs ilyen fájl");
    else if (!platform.startScript(script, folder))
        failure = QStringLiteral("nem sikerült elindítani");
    if (failure)
        return Notice {QStringLiteral("A felad.imp elkészült: %1, de az átadás nem indítható: %2 "
                                      "(%3).")
                           .arg(shown_path(path), shown_path(script), *failure),
            MessageIcon::Critical};
    return std::nullopt;
}
