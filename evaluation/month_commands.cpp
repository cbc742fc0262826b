#include "evaluation/month_commands.h"

#include "evaluation/engine.h"
#include "evaluation/number_text.h"
#include "ui_fo.h"
#include "window/fo.h"

namespace {

// The results group is titled "<adjective> befizetések".
const char *const month_adjectives[] = {"januári", "februári", "márciusi", "áprilisi", "májusi",
    "júniusi", "júliusi", "augusztusi", "szeptemberi", "októberi", "novemberi", "decemberi"};

std::optional<qint32> revenue_in_field(const fo &window, int month)
{
    return number_text::whole32(number_text::to_amount(window.revenue_field(month)->text()));
}

std::optional<MasterData> master_data_in_fields(const fo &window)
{
    const Ui::fo &ui = window.form();
    return read_master_data({ui.Text2->text(), ui.Text3->text(), ui.Text4->text(), ui.Text5->text(),
        ui.Text6->text(), ui.Combo1->currentText(), ui.Option1->isChecked()});
}

} // namespace

void clear_results(fo &window)
{
    Ui::fo &ui = window.form();
    for (QLineEdit *field : {ui.Text11, ui.Text12, ui.Text13, ui.Text33, ui.Text46, ui.Text47})
        field->setText(QStringLiteral("0"));
    window.evaluated.reset();
}

std::optional<EvaluationInputs> inputs_in_fields(const fo &window, int month)
{
    EvaluationInputs inputs;
    inputs.month = month;
    const auto master = master_data_in_fields(window);
    if (!master)
        return std::nullopt;
    inputs.master = *master;
    for (int i = 1; i <= month; ++i) {
        const auto revenue = revenue_in_field(window, i);
        if (!revenue)
            return std::nullopt;
        inputs.revenue[i - 1] = *revenue;
    }
    return inputs;
}

std::optional<Notice> Command27_click(fo &window)
{
    Ui::fo &ui = window.form();
    const int month = window.selected_month;
    const auto data = master_data_in_fields(window);
    const auto result = data ? evaluate(*data, window.monthly_revenue, month) : std::nullopt;
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

    EvaluationInputs inputs {month, *data, {}};
    std::copy_n(window.monthly_revenue.begin(), month, inputs.revenue.begin());
    window.evaluated = inputs;
    return std::nullopt;
}

std::optional<Notice> month_command(fo &window, int month)
{
    // Every revenue must fit before anything changes.
    MonthlyRevenue taken = window.monthly_revenue;
    for (int i = 1; i <= month; ++i) {
        const auto revenue = revenue_in_field(window, i);
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
        // From July on the working field looks like an ordinary entry field.
        QPalette palette = ui.Text11->palette();
        palette.setColor(QPalette::Base, window.palette().color(QPalette::Base));
        palette.setColor(QPalette::Text, window.palette().color(QPalette::WindowText));
        ui.Text11->setPalette(palette);
    }
    ui.List1->hide();
    return failure;
}
