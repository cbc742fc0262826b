#include "evaluation/month_commands.h"

#include "evaluation/engine.h"
#include "evaluation/number_text.h"
#include "ui_fo.h"
#include "window/fo.h"

namespace {

// The results group is titled "<adjective> befizetések".
const char *const month_adjectives[] = {"januári", "februári", "márciusi", "áprilisi", "májusi",
    "júniusi", "júliusi", "augusztusi", "szeptemberi", "októberi", "novemberi", "decemberi"};

} // namespace

void clear_results(fo &window)
{
    Ui::fo &ui = window.form();
    for (QLineEdit *field : {ui.Text11, ui.Text12, ui.Text13, ui.Text33, ui.Text46, ui.Text47})
        field->setText(QStringLiteral("0"));
    window.results_valid = false;
}

std::optional<Notice> Command27_click(fo &window)
{
    Ui::fo &ui = window.form();
    const MasterDataTexts texts {ui.Text2->text(), ui.Text3->text(), ui.Text4->text(),
        ui.Text5->text(), ui.Text6->text(), ui.Combo1->currentText(), ui.Option1->isChecked()};
    const auto data = read_master_data(texts);
    const auto result
        = data ? evaluate(*data, window.monthly_revenue, window.selected_month) : std::nullopt;
    if (!result)
        return Notice {QStringLiteral("A számítás nem végezhető el: túl nagy vagy hibás szám a "
                                      "bevételekben vagy a törzsadatokban.")};

    using number_text::grouped;
    ui.Text11->setText(grouped(result->szja_amount, 0));
    ui.Text12->setText(grouped(result->tb_amount, 0));
    ui.Text13->setText(grouped(result->szocho_amount, 0));
    if (result->quarter_szja)
        ui.Text33->setText(grouped(*result->quarter_szja, 0));
    ui.Text46->setText(QString::number(result->tb_base));
    ui.Text47->setText(number_text::plain(result->szocho_base));
    window.results_valid = true;
    return std::nullopt;
}

std::optional<Notice> month_command(fo &window, int month)
{
    // Every revenue must fit before anything changes.
    MonthlyRevenue taken = window.monthly_revenue;
    for (int i = 1; i <= month; ++i) {
        const auto revenue
            = number_text::whole32(number_text::to_amount(window.revenue_field(i)->text()));
        if (!revenue)
            return Notice {QStringLiteral("Túl nagy bevétel: %1. Legfeljebb 2 147 483 647 Ft "
                                          "adható meg.")
                               .arg(window.month_button(i)->text())};
        taken[i - 1] = *revenue;
    }
    window.monthly_revenue = taken;

    Ui::fo &ui = window.form();
    ui.Frame1->setTitle(
        QString::fromUtf8(month_adjectives[month - 1]) + QStringLiteral(" befizetések"));
    window.selected_month = qint16(month);
    clear_results(window);
    auto failure = Command27_click(window);

    if (month == 7) {
        // From July on the working field looks like an ordinary window field.
        QPalette palette = ui.Text11->palette();
        palette.setColor(QPalette::Base, window.palette().color(QPalette::Window));
        palette.setColor(QPalette::Text, window.palette().color(QPalette::WindowText));
        ui.Text11->setPalette(palette);
    }
    ui.List1->hide();
    return failure;
}
