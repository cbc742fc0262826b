#include "evaluation/year_rules.h"
#include "inputs/field_text.h"
#include "ui_fo.h"
#include "window/fo.h"

// A revenue field regroups its digits on every change of its text.
void fo::regroup_revenue(QLineEdit *field)
{
    if (format_lock || undoing_ || field->text().isEmpty())
        return;
    // Setting the same text raises no further change, so this settles at once.
    replace_text(field, regrouped_revenue(field->text()));
    field->setCursorPosition(int(field->text().size()));
}

// The focus left `field` for another control of the window: runs the
// field's leave step, if it has one.
void fo::leave_field(QObject *field)
{
    for (int month = 1; month <= 12; ++month) {
        if (field == revenue_field(month)) {
            // A revenue that is not a number does not stay; a fraction is rounded.
            replace_text(revenue_field(month), revenue_on_leaving(revenue_field(month)->text()));
            return;
        }
    }
    using number_text::Kind;
    const std::tuple<QLineEdit *, int, Kind> master[] = {{ui_->Text2, 0, Kind::Forints},
        {ui_->Text3, 0, Kind::Forints}, {ui_->Text4, 1, Kind::Number},
        {ui_->Text5, 1, Kind::Number}, {ui_->Text6, 1, Kind::Number}};
    for (const auto &[edit, decimals, kind] : master) {
        if (field == edit) {
            replace_text(edit, normalised_master(edit->text(), decimals, kind));
            master_field_left();
            return;
        }
    }
    if (field == ui_->Combo1) {
        replace_text(ui_->Combo1->lineEdit(), normalised_master(ui_->Combo1->currentText(), 1));
        master_field_left();
    }
}

// In 2022 leaving a master-data field resets the results; from 2023 only
// when they no longer match the fields, so that walking through them with
// Tab keeps the figures.
void fo::master_field_left()
{
    if (!year_rules::rules_for(chosen_year()).quarterly || !results_current())
        clear_results();
    remember_master_data();
}
