#include "declaration/import_file.h"
#include "evaluation/year_overview.h"
#include "evaluation/year_rules.h"
#include "storage/text_lines.h"
#include "ui_fo.h"
#include "window/fo.h"
#include "window/messages.h"

#include <QFileInfo>
#include <QPointer>

#include <algorithm>

// In 2022 the button writes the month's declaration for the form program,
// which needs the taxpayer's data; from 2023 the return is quarterly, with
// no import layout published, so it shows the quarter's figures to type.
void fo::show_export_button()
{
    const bool quarterly = year_rules::rules_for(chosen_year()).quarterly;
    ui_->Command21->setText(
        quarterly ? QStringLiteral("Negyedéves bevallás adatai…") : monthly_captions_[2]);
    ui_->Command21->setEnabled(quarterly || taxpayer_present_);
    // A greyed button says why.
    // Before the start read adat2.txt, the form's own tooltip stays.
    if (startup_ == Startup::NotShown)
        return;
    ui_->Command21->setToolTip(quarterly
            ? QStringLiteral("A választott hónap negyedévének bevallási adatai (havonként a "
                             "TB és a Szocho alapja és összege, a negyedév SZJA-előlege) az "
                             "éves áttekintésben, a webes nyomtatványba gépeléshez (Alt+B).")
            : taxpayer_present_
            ? monthly_captions_[3]
            : QStringLiteral("Nincs adat2.txt: %1").arg(shown_path(platform_.dataFolder())));
}

// The export button: the chosen month's declaration to the form program,
// or from 2023 the figures of its quarter's return.
void fo::export_declaration()
{
    if (!last_result) {
        show_notice({QStringLiteral("Nincs kijelölt hónap!"), MessageIcon::Critical,
            MessageButtons::Ok, true});
        return;
    }
    // The results hold only for what they were made of. A master-data field
    // left since resets them; a revenue up to the month edited, the other
    // employment choice or a cost ratio turned with the wheel leaves them
    // standing, but wrong.
    const MonthResult &result = *last_result;
    if (!result.amounts || inputs_in_fields(result.inputs.month) != result.inputs) {
        show_notice({QStringLiteral("A számítás eredménye nem érvényes. Nyomja meg újra a hónap "
                                    "gombját!"),
            MessageIcon::Critical, MessageButtons::Ok, true});
        return;
    }
    if (year_rules::rules_for(result.inputs.master.year).quarterly) {
        open_overview(quarter_of(result.inputs.month));
        return;
    }

    // The period, the form and its template are those of the month of the
    // tax year that computed the figures. A month not ended yet is
    // declared only if the user says so.
    const int month = result.inputs.month;
    const Period period = declaration_period(result.inputs.master.year, month);
    const QString period_name
        = QStringLiteral("%1. %2").arg(period.year).arg(month_button(month)->text());
    if (last_day_of_month(QDate(period.year, month, 1)) >= platform_.today()
        && show_notice({QStringLiteral("Ez a hónap (%1) még nem ért véget: elkészíti a "
                                       "bevallását?")
                            .arg(period_name),
               MessageIcon::Question, MessageButtons::YesNo})
            != MessageAnswer::Yes)
        return;
    ui_->Text50->setText(period.first);
    ui_->Text51->setText(period.last);

    const Evaluation &amounts = *result.amounts;
    // No declaration carries a negative amount: the field that made it is named.
    if (std::min({amounts.tb_amount, amounts.szocho_amount, amounts.tb_base,
            qint32(amounts.szocho_base)})
        < 0) {
        Problem negative {Problem::What::DeclarationNegative};
        if (const auto field = negative_cause(result.inputs.master)) {
            negative.field = *field;
            negative.count = 1;
        }
        show_problem(negative);
        return;
    }
    const ImportFile file
        = import_file({taxpayer_lines, period, amounts.tb_amount, amounts.szocho_amount,
            amounts.tb_base, amounts.szocho_base, result.inputs.master.main_employment});
    // Made before anything is asked or written, so a refusal leaves no trace.
    if (file.problem) {
        show_problem(*file.problem);
        return;
    }
    if (!form_template_found(platform_.templateFolders(), period.year)
        && show_notice({QStringLiteral("Nem látom a 2258 nyomtatvánt? Mehet tovább?"),
               MessageIcon::Question, MessageButtons::YesNo})
            != MessageAnswer::Yes)
        return;
    if (const auto problem = write_and_hand_over(file.bytes, period_name))
        show_problem(*problem);
}

// The script is not waited for; a failure is told when it comes, and what
// it said last when it ends well, on the line below the results.
void fo::report_hand_over(const Problem &started, const ScriptEnd &end)
{
    if (!end.failed()) {
        if (!end.output.isEmpty())
            ui_->Label29->setText(
                ui_->Label29->text() + QStringLiteral(" A szkript üzenete: „%1”").arg(end.output));
        return;
    }
    Problem problem = started;
    problem.what = !end.started ? Problem::What::HandOverNotStarted
        : end.crashed           ? Problem::What::HandOverCrashed
                                : Problem::What::HandOverFailed;
    problem.count = end.exit_code;
    problem.text = end.started ? end.error_output : end.interpreter;
    problem.error = end.start_error;
    show_problem(problem);
}

// Writes felad.imp beside the program and starts the hand-over script there,
// if there is one; a line below the results says what was done, and for
// which month.
std::optional<Problem> fo::write_and_hand_over(const QByteArray &bytes, const QString &period)
{
    const QString folder = platform_.dataFolder();
    Problem problem {Problem::What::DeclarationNotWritten};
    problem.path = folder + QStringLiteral("/felad.imp");
    if (const auto error = write_file(problem.path, bytes)) {
        problem.error = error;
        return problem;
    }
    problem.other_path = folder + u'/' + platform_.handOverScriptName();
    const bool script = QFileInfo(problem.other_path).isFile();
    ui_->Label29->setText(script
            ? QStringLiteral("A bevallás (%1) elkészült: %2; az átadó szkript elindult: %3.")
                  .arg(period, shown_path(problem.path), shown_path(problem.other_path))
            : QStringLiteral("A bevallás (%1) elkészült: %2.")
                  .arg(period, shown_path(problem.path)));
    ui_->Label29->show();
    if (!script)
        return std::nullopt;
    platform_.startScript(
        problem.other_path, folder, [window = QPointer<fo>(this), problem](const ScriptEnd &end) {
            if (window)
                window->report_hand_over(problem, end);
        });
    return std::nullopt;
}
