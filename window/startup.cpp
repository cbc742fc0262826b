#include "window/startup.h"

#include "evaluation/month_commands.h"
#include "evaluation/number_text.h"
#include "storage/commands.h"
#include "storage/text_lines.h"
#include "ui_fo.h"
#include "window/fo.h"

void Load(fo &window)
{
    Ui::fo &ui = window.form();
    ui.Combo1->setEditText(QStringLiteral("40"));
    ui.Text2->setFocus();
    window.format_lock = true;
}

QList<Notice> Activate(fo &window)
{
    QList<Notice> notices;
    Ui::fo &ui = window.form();
    ui.Option1->setChecked(true);
    // Copies that a save interrupted by a kill left behind.
    remove_leftover_copies(window.platform().programFolder(),
        {QStringLiteral("adat.txt"), QStringLiteral("adat22.txt"), QStringLiteral("felad.imp")});
    // format_lock is still set: the saved texts go into the fields verbatim.
    Command16_click(window);
    if (const auto notice = Command18_click(window))
        notices.append(*notice);
    clear_results(window);
    window.format_lock = false;
    ui.List1->hide();
    notices.append(read_taxpayer_data(window));

    // The master data in their display form.
    const std::pair<QLineEdit *, int> shown[]
        = {{ui.Text2, 0}, {ui.Text3, 0}, {ui.Text4, 0}, {ui.Text5, 1}, {ui.Text6, 0}};
    for (const auto &[field, decimals] : shown)
        field->setText(number_text::grouped(number_text::to_amount(field->text()), decimals));
    return notices;
}
