#include "evaluation/year_rules.h"
#include "inputs/field_text.h"
#include "ui_fo.h"
#include "window/fo.h"
#include "window/messages.h"

// A revenue field regroups its digits on every change of its text; the
// user's text and the regrouped one are one step of its undo history.
bool fo::regroup_revenue(QLineEdit *field)
{
    if (undoing_)
        return false;
    EditHistory &history = revenue_history_[month_of(field) - 1];
    if (format_lock) { // the saved texts, verbatim
        history.reset(field->text());
        return false;
    }
    const QString made = field->text();
    const QString shown = made.isEmpty() ? made : regrouped_revenue(made);
    const bool replaced = show_revenue(field, shown);
    field->setCursorPosition(int(field->text().size()));
    history.record(made, shown);
    return replaced;
}

// The program's own text in a revenue field, the cursor after it; it is
// not regrouped again.
bool fo::show_revenue(QLineEdit *field, const QString &text)
{
    if (field->text() == text)
        return false;
    undoing_ = true;
    field->setText(text);
    undoing_ = false;
    return true;
}

int fo::month_of(const QObject *field) const
{
    for (int month = 1; month <= 12; ++month)
        if (field == revenue_field(month))
            return month;
    return 0;
}

// The focus left `field` for another control of the window: runs the
// field's leave step, if it has one.
void fo::leave_field(QObject *field)
{
    if (const int month = month_of(field)) {
        // A revenue that is not a number does not stay; a fraction is rounded.
        QLineEdit *revenue = revenue_field(month);
        const QString made = revenue->text(), left = revenue_on_leaving(made);
        if (left != made) {
            show_revenue(revenue, left);
            revenue_history_[month - 1].record(made, left);
            // Erased, not read as 0 without a word.
            if (left.isEmpty() && !made.trimmed().isEmpty()) {
                ui_->Label29->setText(QStringLiteral("A %1 bevétel („%2”) nem szám, ezért a "
                                                     "program törölte; a mezőben Ctrl+Z "
                                                     "visszahozza.")
                                          .arg(month_adjective(month), made));
                ui_->Label29->show();
            }
        }
        return;
    }
    using number_text::Kind;
    const std::tuple<QLineEdit *, int, Kind> master[] = {{ui_->Text2, 0, Kind::Forints},
        {ui_->Text3, 0, Kind::Forints}, {ui_->Text4, 1, Kind::Number},
        {ui_->Text5, 1, Kind::Number}, {ui_->Text6, 1, Kind::Number}};
    // From 2023 an empty field, or one that holds no number, stays as it is,
    // for the month command to name; 2022 makes a number of it.
    const bool kept_as_typed = year_rules::rules_for(chosen_year()).quarterly;
    const auto normalise = [kept_as_typed](QLineEdit *edit, int decimals, Kind kind) {
        if (!kept_as_typed || number_text::read_number(edit->text(), kind))
            replace_text(edit, normalised_master(edit->text(), decimals, kind));
    };
    for (const auto &[edit, decimals, kind] : master) {
        if (field == edit) {
            normalise(edit, decimals, kind);
            master_field_left();
            return;
        }
    }
    if (field == ui_->Combo1) {
        normalise(ui_->Combo1->lineEdit(), 1, Kind::Number);
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
