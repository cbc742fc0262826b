#include "inputs/handlers.h"

#include "evaluation/month_commands.h"
#include "evaluation/number_text.h"
#include "inputs/field_text.h"
#include "ui_fo.h"
#include "window/fo.h"

namespace {

// Regroups a revenue field on every change of its text.
void revenue_changed(const fo &window, QLineEdit *field)
{
    if (window.format_lock || field->text().isEmpty())
        return;
    const QString formatted = regrouped_revenue(field->text());
    // Setting the same text raises no further change, so this settles at once.
    if (formatted != field->text())
        field->setText(formatted);
    field->setCursorPosition(int(field->text().size()));
}

// A revenue that is not a number does not stay; a fraction is rounded.
void revenue_left(QLineEdit *field)
{
    field->setText(revenue_on_leaving(field->text()));
}

} // namespace

void connect_inputs(fo &window)
{
    for (int month = 1; month <= 12; ++month) {
        QLineEdit *field = window.revenue_field(month);
        QObject::connect(field, &QLineEdit::textChanged, &window,
            [&window, field] { revenue_changed(window, field); });
    }
}

void leave_field(fo &window, QObject *field)
{
    Ui::fo &ui = window.form();
    for (int month = 1; month <= 12; ++month) {
        if (field == window.revenue_field(month)) {
            revenue_left(window.revenue_field(month));
            return;
        }
    }
    const std::pair<QLineEdit *, int> master[]
        = {{ui.Text2, 0}, {ui.Text3, 0}, {ui.Text4, 1}, {ui.Text5, 1}, {ui.Text6, 1}};
    for (const auto &[edit, decimals] : master) {
        if (field == edit) {
            edit->setText(normalised_master(edit->text(), decimals));
            clear_results(window); // the results no longer match the master data
            return;
        }
    }
    if (field == ui.Combo1) {
        ui.Combo1->setEditText(normalised_master(ui.Combo1->currentText(), 1));
        clear_results(window);
    }
}
