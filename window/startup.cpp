#include "evaluation/number_text.h"
#include "evaluation/year_rules.h"
#include "storage/text_lines.h"
#include "ui_fo.h"
#include "window/fo.h"
#include "window/messages.h"

// When the window is created.
void fo::prepare_on_load()
{
    ui_->Combo1->setEditText(year_rules::cost_ratios[0]);
    ui_->Text2->setFocus();
    format_lock = true;
}

// When the window is first shown; what the user must know of the data files.
QList<Notice> fo::prepare_on_first_show()
{
    QList<Problem> problems;
    ui_->Option1->setChecked(true);
    // Copies that a save interrupted by a kill left behind.
    remove_leftover_copies(platform_.programFolder(),
        {QStringLiteral("adat.txt"), QStringLiteral("adat22.txt"), QStringLiteral("felad.imp")});
    // format_lock is still set: the saved texts go into the fields verbatim.
    clear_revenue_fields();
    if (const auto problem = load_revenues())
        problems.append(*problem);
    clear_results();
    format_lock = false;
    ui_->List1->hide();

    const TaxpayerData taxpayer = read_taxpayer_data(platform_.programFolder());
    ui_->Command21->setEnabled(taxpayer.present);
    taxpayer_lines = taxpayer.lines;
    problems.append(taxpayer.problems);

    show_master_data();
    QList<Notice> notices;
    const WindowNames names = names_on(*ui_);
    for (const Problem &problem : problems)
        notices.append(notice_for(problem, names));
    return notices;
}

// The master data in their display form.
void fo::show_master_data()
{
    const std::pair<QLineEdit *, int> shown[]
        = {{ui_->Text2, 0}, {ui_->Text3, 0}, {ui_->Text4, 0}, {ui_->Text5, 1}, {ui_->Text6, 0}};
    for (const auto &[field, decimals] : shown)
        field->setText(number_text::grouped(number_text::to_amount(field->text()), decimals));
}
