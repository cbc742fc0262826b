#include "ui_fo.h"
#include "window/fo.h"
#include "window/messages.h"
#include "window/year_overview_window.h"

// The year's rows by the fields as they stand now.
OverviewContent fo::overview_content() const
{
    OverviewContent content;
    content.year = chosen_year();
    const QStringList names = names_on(*ui_).master_fields;
    const QString percent = QStringLiteral("%1: %2 %");
    content.master_data
        = QStringList {QStringLiteral("%1: %2 Ft").arg(names[0], ui_->Text2->text()),
            QStringLiteral("%1: %2 Ft").arg(names[1], ui_->Text3->text()),
            percent.arg(names[2], ui_->Text4->text()), percent.arg(names[3], ui_->Text5->text()),
            percent.arg(names[4], ui_->Text6->text()),
            percent.arg(names[5], ui_->Combo1->currentText()),
            QStringLiteral("%1 %2").arg(ui_->Label11->text(),
                (ui_->Option1->isChecked() ? ui_->Option1 : ui_->Option2)->text())}
              .join(QStringLiteral(" · "));
    const auto master = master_data_in_fields();
    if (const auto *field = std::get_if<MasterField>(&master)) {
        content.problem = Problem {Problem::What::MasterDataNotNumber};
        content.problem->field = *field;
        return content;
    }
    RevenueFields revenue;
    for (int month = 1; month <= 12; ++month)
        revenue[month - 1] = revenue_in_field(month);
    content.rows = year_overview(std::get<MasterData>(master), revenue);
    return content;
}

// Opened beside the window, made the first time: the start does not pay
// for it. `quarter` picks out a quarter's return, 0 none.
void fo::open_overview(int quarter)
{
    if (!overview_)
        overview_ = new YearOverviewWindow(platform_, names_on(*ui_), this);
    overview_->show_content(overview_content());
    overview_->highlight_quarter(quarter);
    overview_->show();
    overview_->raise();
    overview_->activateWindow();
}

// An open overview follows every change of the fields.
void fo::refresh_overview()
{
    if (overview_ && overview_->isVisible())
        overview_->show_content(overview_content());
}
