#include "evaluation/due_dates.h"
#include "evaluation/number_text.h"
#include "ui_fo.h"
#include "window/fo.h"
#include "window/messages.h"

#include <QLocale>

#include <cmath>

// A revenue as a month command takes it: the leading number, rounded half to
// even; nothing when it does not fit 32 bits.
std::optional<qint32> fo::revenue_in_field(int month) const
{
    return number_text::whole32(
        number_text::to_amount(revenue_field(month)->text(), number_text::Kind::Forints));
}

std::variant<MasterData, MasterField> fo::master_data_in_fields() const
{
    return read_master_data(master_texts_in_fields());
}

// What an evaluation of `month` would be made of now; nothing when a field
// does not read.
std::optional<EvaluationInputs> fo::inputs_in_fields(int month) const
{
    const auto master = master_data_in_fields();
    if (!std::holds_alternative<MasterData>(master))
        return std::nullopt;
    EvaluationInputs inputs {month, std::get<MasterData>(master), {}};
    for (int i = 1; i <= months_taken(chosen_year(), month); ++i) {
        const auto revenue = revenue_in_field(i);
        if (!revenue)
            return std::nullopt;
        inputs.revenue[i - 1] = *revenue;
    }
    return inputs;
}

// The six result fields read "0"; the results no longer stand.
void fo::clear_results()
{
    reset_results();
    show_results_state();
}

void fo::reset_results()
{
    for (QLineEdit *field :
        {ui_->Text11, ui_->Text12, ui_->Text13, ui_->Text33, ui_->Text46, ui_->Text47})
        field->setText(QStringLiteral("0"));
    if (last_result)
        last_result->amounts.reset();
    ui_->Label24->hide();
    ui_->Label27->hide();
}

// At a quarter's end from 2023: the quarter's three payments and their day,
// or the advance alone when no day of it was insured; in 2022 the advance
// when some of it is carried. A month with no day insured says so.
void fo::show_quarter_totals(const Evaluation &amounts)
{
    using number_text::grouped;
    const int month = last_result->inputs.month;
    const int year = last_result->inputs.master.year;
    const bool carried = amounts.quarter_szja && amounts.quarter_szja_carried != 0;
    const bool uninsured_quarter
        = amounts.quarter_szja && !amounts.quarter_totals && year_rules::rules_for(year).quarterly;
    QStringList lines;
    if (!amounts.insured) {
        QString when = month_name_in(month);
        when[0] = when[0].toUpper();
        lines << QStringLiteral("%1 a vállalkozó az év menete szerint egy napig sem volt "
                                "biztosított: nincs TB- és Szocho-alapja.")
                     .arg(when);
    }
    const auto day = [](QDate due) {
        return QLocale(QLocale::Hungarian).toString(due, QStringLiteral("yyyy. MMMM d"));
    };
    // Under the threshold the advance waits for a later quarter or the
    // annual return.
    const QString szja = amounts.quarter_szja
        ? QStringLiteral("SZJA %1 Ft%2")
              .arg(grouped(*amounts.quarter_szja, 0),
                  !carried          ? QString()
                      : month == 12 ? QStringLiteral(" (%1 Ft átvíve az éves bevallásba)")
                                          .arg(grouped(amounts.quarter_szja_carried, 0))
                                    : QStringLiteral(" (%1 Ft átvíve)")
                                          .arg(grouped(amounts.quarter_szja_carried, 0)))
        : QString();
    if (const auto &totals = amounts.quarter_totals)
        lines << QStringLiteral("Negyedévi befizetés %1-ig: TB %2 Ft, Szocho %3 Ft, %4")
                     .arg(day(contributions_due_date(year, month)), grouped(totals->tb, 0),
                         grouped(totals->szocho, 0), szja);
    else if (carried || uninsured_quarter)
        lines << QStringLiteral("Negyedévi SZJA-előleg %1-ig: %2%3")
                     .arg(day(szja_due_date(year, month)), szja.mid(5),
                         uninsured_quarter ? QStringLiteral("; TB és Szocho nincs, a negyedévben "
                                                            "egy napig sem volt biztosított.")
                                           : QString());
    ui_->Label24->setText(lines.join(u'\n'));
    ui_->Label24->setVisible(!lines.isEmpty());
}

// Past the revenue ceiling the year is not taxed at a flat rate, a revenue
// in a month the business did not run is likely typed in the wrong month,
// and from 2023 a cost ratio the law does not set for the year is not the
// year's: the figures stand, with a warning beside them.
void fo::show_warnings(const std::optional<CeilingExceeded> &exceeded,
    const QList<int> &not_running, bool ratio_of_the_year)
{
    using number_text::grouped;
    const MasterData &master = last_result->inputs.master;
    QStringList warnings;
    if (exceeded)
        warnings << QStringLiteral("Az év bevétele %1 (%2 Ft) túllépte az átalányadózás "
                                   "értékhatárát (%3 Ft%4): a %5. évre ezek az összegek nem "
                                   "érvényesek, az év jövedelmét nem átalányadóként kell adózni.")
                        .arg(month_name_in(exceeded->month), grouped(double(exceeded->revenue), 0),
                            grouped(double(exceeded->ceiling), 0),
                            whole_year(master.course, master.year)
                                ? QString()
                                : QStringLiteral(", a vállalkozás %1 napjával arányosan")
                                      .arg(activity_days(master.course, master.year)))
                        .arg(master.year);
    if (!not_running.isEmpty()) {
        QStringList months;
        for (int m : not_running)
            months << month_name_in(m);
        warnings << QStringLiteral("Az év menete szerint a vállalkozás nem működött, mégis van "
                                   "bevétele: %1. Ellenőrizze a bevételeket vagy az év menetét!")
                        .arg(months.join(QStringLiteral(", ")));
    }
    if (!ratio_of_the_year) {
        QStringList ratios;
        for (qint16 ratio : year_rules::rules_for(master.year).cost_ratios)
            ratios << QString::number(ratio);
        warnings << QStringLiteral("A %1 %-os költséghányad nem a %2. év költséghányadai közül "
                                   "való (%3 %): ellenőrizze a tevékenységéhez tartozót!")
                        .arg(master.cost_ratio)
                        .arg(master.year)
                        .arg(ratios.join(QStringLiteral(", ")));
    }
    ui_->Label27->setText(warnings.join(u'\n'));
    ui_->Label27->setVisible(!warnings.isEmpty());
}

// The results hold only for what they were made of: no month evaluated
// yet, or the fields as the last month command took them.
bool fo::results_current() const
{
    if (!last_result)
        return true;
    return last_result->amounts
        && inputs_in_fields(last_result->inputs.month) == last_result->inputs;
}

// Outdated results keep their texts but look it, and say what to do.
void fo::show_results_state()
{
    if (!last_result)
        return;
    const bool current = results_current();
    const QString title
        = month_adjective(last_result->inputs.month) + QStringLiteral(" befizetések");
    ui_->Frame1->setTitle(
        current ? title : title + QStringLiteral(" – elavult, nyomja meg újra a hónap gombját!"));
    // Set only when it changes: every keystroke comes here.
    const auto ink = [](QWidget *widget, QPalette::ColorRole role, const QColor &colour) {
        if (widget->palette().color(role) == colour)
            return;
        QPalette colours = widget->palette();
        colours.setColor(role, colour);
        widget->setPalette(colours);
    };
    const QColor label_ink = palette().color(QPalette::WindowText);
    ink(ui_->Label24, QPalette::WindowText,
        current ? label_ink : greyed(label_ink, palette().color(QPalette::Window)));
    for (QLineEdit *field : amount_fields()) {
        const QColor own = field == ui_->Text11 ? working_text_ : QColor(Qt::black);
        ink(field, QPalette::Text,
            current ? own : greyed(own, field->palette().color(QPalette::Base)));
    }
}

double contrast_ratio(const QColor &a, const QColor &b)
{
    // WCAG 2: relative luminance of the sRGB colours.
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor greyed(const QColor &ink, const QColor &ground)
{
    // The furthest towards a plain grey that still reads at 4.5:1 on the
    // ground, in a light or a dark scheme alike.
    const QColor grey(128, 128, 128);
    for (int towards = 100; towards > 0; towards -= 5) {
        const auto mix = [towards](int from, int to) { return from + (to - from) * towards / 100; };
        const QColor mixed(mix(ink.red(), grey.red()), mix(ink.green(), grey.green()),
            mix(ink.blue(), grey.blue()));
        if (contrast_ratio(mixed, ground) >= 4.5)
            return mixed;
    }
    return ink;
}

// A month button: takes the revenues up to the month and shows what is due.
void fo::evaluate_month(int month)
{
    // Every revenue must fit before anything changes.
    MonthlyRevenue taken = monthly_revenue;
    const int months = months_taken(chosen_year(), month);
    for (int i = 1; i <= months; ++i) {
        const auto revenue = revenue_in_field(i);
        if (!revenue) {
            Problem problem {Problem::What::RevenueTooLarge};
            problem.month = i;
            show_problem(problem);
            return;
        }
        taken[i - 1] = *revenue;
    }
    monthly_revenue = taken;

    reset_results();
    MonthResult result;
    result.inputs.month = month;
    std::copy_n(monthly_revenue.begin(), months, result.inputs.revenue.begin());
    const auto master = master_data_in_fields();
    std::optional<Problem> problem;
    if (const auto *data = std::get_if<MasterData>(&master)) {
        result.inputs.master = *data;
        result.amounts = evaluate(*data, monthly_revenue, month);
        if (!result.amounts)
            problem = Problem {Problem::What::EvaluationOverflow};
    } else {
        problem = master_data_problem(master_texts_in_fields(), std::get<MasterField>(master));
    }
    last_result = result;

    if (const auto &amounts = result.amounts) {
        using number_text::grouped;
        ui_->Text11->setText(grouped(amounts->szja_amount, 0));
        ui_->Text12->setText(grouped(amounts->tb_amount, 0));
        ui_->Text13->setText(grouped(amounts->szocho_amount, 0));
        if (amounts->quarter_szja)
            ui_->Text33->setText(grouped(*amounts->quarter_szja, 0));
        // The hidden fields show the bases too; nothing reads them back.
        ui_->Text46->setText(QString::number(amounts->tb_base));
        ui_->Text47->setText(number_text::plain(amounts->szocho_base));
    }
    if (result.amounts)
        show_quarter_totals(*result.amounts);
    if (result.amounts)
        show_warnings(revenue_ceiling_exceeded(result.inputs.master, monthly_revenue, month),
            revenue_while_not_running(result.inputs.master, monthly_revenue, month),
            cost_ratio_of_the_year(result.inputs.master));

    if (month == 7) {
        // From July on the working field looks like an ordinary entry field.
        QPalette colours = ui_->Text11->palette();
        colours.setColor(QPalette::Base, palette().color(QPalette::Base));
        working_text_ = palette().color(QPalette::WindowText);
        ui_->Text11->setPalette(colours);
    }
    show_results_state();
    ui_->List1->hide();
    if (problem)
        show_problem(*problem);
}
