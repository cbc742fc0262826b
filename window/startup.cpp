#include "evaluation/number_text.h"
#include "evaluation/year_rules.h"
#include "storage/data_folder.h"
#include "storage/text_lines.h"
#include "storage/year_choice.h"
#include "storage/year_revenues.h"
#include "ui_fo.h"
#include "window/fo.h"
#include "window/messages.h"
#include "window/year_course_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

// When the window is created.
void fo::prepare_on_load()
{
    // The year's figures come from one table, not from the form.
    monthly_captions_ = {ui_->Label20->text(), ui_->Label21->text(), ui_->Command21->text(),
        ui_->Command21->toolTip(), ui_->Label19->text(), ui_->List1->item(3)->text(),
        ui_->List1->item(14)->text()};
    for (const year_rules::Year &year : year_rules::years)
        ui_->Combo2->addItem(QString::number(year.year), year.year);
    put_year_figures(year_rules::default_year);
    ui_->Text57->setText(year_rules::szja_account);
    ui_->Text58->setText(year_rules::tb_account);
    ui_->Text59->setText(year_rules::szocho_account);
    ui_->Text2->setFocus();
    format_lock = true;
}

// The year's figures into the master-data fields, as every run starts them,
// and the due dates its payments have.
void fo::put_year_figures(int year)
{
    const year_rules::Year &rules = year_rules::rules_for(year);
    year_in_use_ = rules.year;
    ui_->Combo2->setCurrentIndex(ui_->Combo2->findData(rules.year));
    // A figure not yet decreed stays empty, for the user to type.
    const MasterDataTexts figures = table_master_texts(rules.year);
    ui_->Text2->setText(figures.minimum_wage);
    ui_->Text3->setText(figures.guaranteed_minimum);
    ui_->Label28->setVisible(rules.minimum_wage == 0 || rules.guaranteed_minimum == 0);
    ui_->Label28->setText(
        QStringLiteral("A %1. évi minimálbér és garantált bérminimum még nem jelent meg: írja be "
                       "őket a rendeletből.")
            .arg(rules.year));
    ui_->Text4->setText(figures.szja);
    ui_->Text5->setText(figures.tb);
    ui_->Text6->setText(figures.szocho);
    ui_->Combo1->clear();
    for (qint16 ratio : rules.cost_ratios)
        ui_->Combo1->addItem(QString::number(ratio));
    ui_->Combo1->setEditText(figures.cost_ratio);
    course_ = {};
    show_course();
    // From 2023 TB and Szocho are paid, and declared, by quarter.
    // A no-break hyphen: "12-ig" never breaks at the line's end.
    const QString quarterly = QStringLiteral("Negyedévet követő hó 12\u2011ig");
    ui_->Label20->setText(rules.quarterly ? quarterly : monthly_captions_[0]);
    ui_->Label21->setText(rules.quarterly ? quarterly : monthly_captions_[1]);
    ui_->Label19->setText(rules.quarterly
            ? QStringLiteral("SZJA-előleget negyedévente, negyedévet követő hó 12\u2011ig")
            : monthly_captions_[4]);
    // The info list says how the year's month buttons count.
    ui_->List1->item(3)->setText(rules.quarterly
            ? QStringLiteral("A hónap gombja a hónap negyedévének végéig vett bevételekkel "
                             "számol (2023-tól negyedéves alapok)!")
            : monthly_captions_[5]);
    ui_->List1->item(14)->setText(rules.quarterly
            ? QStringLiteral("Megjegyzett értékek törlése: az adat.txt és az adat_<év>.txt "
                             "fájlokat eltávolítani.")
            : monthly_captions_[6]);
    show_export_button();
}

// The master data kept for the year; a field not kept takes the table's.
void fo::put_master_texts(const MasterDataTexts &kept)
{
    const MasterDataTexts texts = with_table_figures(kept);
    const std::pair<QLineEdit *, const QString &> fields[] = {{ui_->Text2, texts.minimum_wage},
        {ui_->Text3, texts.guaranteed_minimum}, {ui_->Text4, texts.szja}, {ui_->Text5, texts.tb},
        {ui_->Text6, texts.szocho}, {ui_->Combo1->lineEdit(), texts.cost_ratio}};
    for (const auto &[field, text] : fields)
        field->setText(text);
    (texts.main_employment ? ui_->Option1 : ui_->Option2)->setChecked(true);
    course_ = texts.course;
    show_course();
    remembered_master_ = master_texts_in_fields();
}

MasterDataTexts fo::master_texts_in_fields() const
{
    return {ui_->Text2->text(), ui_->Text3->text(), ui_->Text4->text(), ui_->Text5->text(),
        ui_->Text6->text(), ui_->Combo1->currentText(), ui_->Option1->isChecked(), chosen_year(),
        course_};
}

// From 2023 the year's course can be set; a line says it in words when
// the business did not run the whole year in one state.
void fo::show_course()
{
    ui_->Command34->setVisible(year_rules::rules_for(year_in_use_).quarterly);
    const QString words = course_description(course_, year_in_use_);
    ui_->Label32->setText(words);
    ui_->Label32->setVisible(!words.isEmpty());
}

// The course is edited in a dialog of its own; a course it takes is kept
// with the master data, and the results made by another are outdated.
void fo::edit_year_course()
{
    auto *dialog = new YearCourseDialog(chosen_year(), course_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &YearCourseDialog::course_chosen, this, [this](const YearCourse &course) {
        if (course == course_)
            return;
        course_ = course;
        show_course();
        master_field_left();
    });
    // The keyboard goes back to the button, on any desktop.
    connect(dialog, &QDialog::finished, this, [this] {
        activateWindow();
        QApplication::setActiveWindow(this);
        ui_->Command34->setFocus(Qt::OtherFocusReason);
    });
    dialog->open();
}

// From 2023 what the user set among the master data is kept for the year,
// once it changed.
void fo::remember_master_data()
{
    if (!startup_done() || !year_rules::rules_for(chosen_year()).quarterly)
        return;
    // A figure only shown anew ("15" as "15,0") is no change.
    const MasterDataTexts texts = master_texts_in_fields();
    if (remembered_master_) {
        const auto before = read_master_data(*remembered_master_), now = read_master_data(texts);
        if (*remembered_master_ == texts
            || (std::holds_alternative<MasterData>(now) && before == now))
            return;
    }
    remembered_master_ = texts;
    if (const auto problem = save_master_choice(platform_.dataFolder(), texts))
        show_problem(*problem);
}

// The year's figures and, from 2023, the master data the user set for it.
void fo::show_year(int year)
{
    put_year_figures(year);
    ui_->Option1->setChecked(true);
    // Lines that do not read were named at the start.
    put_kept_master(year);
    show_master_data();
    remembered_master_ = master_texts_in_fields();
}

// From 2023 the master data the user set for the year come back; what did
// not read is the problem.
std::optional<Problem> fo::put_kept_master(int year)
{
    if (!year_rules::rules_for(year).quarterly)
        return std::nullopt;
    const KeptMasterData kept = read_master_choice(platform_.dataFolder(), year);
    if (kept.texts)
        put_master_texts(*kept.texts);
    return kept.problem;
}

// The user chose a tax year. Another year's revenues and master data come
// back as they were left, the revenues of the year left kept in its file;
// the same year again puts the table's figures back. No results stand
// that were made by another year's.
void fo::choose_year(int year)
{
    const QString folder = platform_.dataFolder();
    const int left = chosen_year();
    const int today_year = platform_.today().year();
    // A new calendar year is told until the user chooses a year in it.
    const auto chosen_in = year < today_year ? std::optional(today_year) : std::nullopt;
    QList<Problem> chosen_file_problems;
    if (year == left) {
        // The same year again puts the table's figures back, once the user
        // says so when they differ from those set for the year.
        const bool reset = read_master_data(master_texts_in_fields())
                == read_master_data(table_master_texts(year))
            || show_notice({QStringLiteral("A %1. évre beállított törzsadatok helyére "
                                           "visszateszi a táblázat számait?")
                                .arg(year),
                   MessageIcon::Question, MessageButtons::YesNo})
                == MessageAnswer::Yes;
        if (const auto problem = save_year_choice(folder, year, chosen_in, reset))
            show_problem(*problem);
        ui_->Label30->hide();
        if (!reset)
            return;
    } else {
        // adat.txt takes the chosen year's revenues.
        const YearChange change = may_replace_revenues()
            ? change_year(folder, left, revenue_texts(), year, chosen_in)
            : YearChange {{}, Problem {Problem::What::YearNotChanged}};
        if (change.stopped) {
            if (!change.chosen.stamp.isEmpty()) {
                revenue_stamp_ = change.chosen.stamp;
                ask_before_saving = false;
            }
            ui_->Combo2->setCurrentIndex(ui_->Combo2->findData(left));
            if (!change.stopped->path.isEmpty()) // else the user kept adat.txt
                show_problem(*change.stopped);
            return;
        }
        put_revenues(change.chosen);
        chosen_file_problems = change.chosen.problems;
    }
    ui_->Label30->hide();
    show_year(year);
    clear_results();
    refresh_overview_years(left);
    if (const auto offered = offer_taxpayer_sample())
        chosen_file_problems.append(*offered);
    for (const Problem &problem : chosen_file_problems)
        show_problem(problem);
}

int fo::chosen_year() const
{
    return year_in_use_;
}

// A new calendar year does not change the year in use: a line says so, at
// every start until the user chooses a year in the new one.
void fo::tell_new_year(int today_year, std::optional<int> chosen_in)
{
    const int in_use = chosen_year();
    const bool tell = today_year > in_use && chosen_in.value_or(0) < today_year;
    ui_->Label30->setVisible(tell);
    if (!tell)
        return;
    ui_->Label30->setText(year_rules::rules_for(today_year).year == today_year
            ? QStringLiteral("%1 elkezdődött: az új év bevételeihez válassza a %2 az „Adóév:” "
                             "mezőben; a %3. év adatai megmaradnak.")
                  .arg(QString::number(today_year), number_text::year_accusative(today_year),
                      QString::number(in_use))
            : QStringLiteral("%1 elkezdődött, de ennek az évnek a szabályait a program még nem "
                             "ismeri: a %2. év adataival dolgozik tovább.")
                  .arg(today_year)
                  .arg(in_use));
}

// When the window is first shown: what the user sees and acts on.
void fo::prepare_on_first_show()
{
    if (const auto moved = platform_.dataFolderMoved())
        startup_problems_.append(*moved);
    ui_->Option1->setChecked(true);
    // format_lock is still set: the saved texts go into the fields verbatim.
    clear_revenue_fields();
    // The year chosen at an earlier run, with its revenues and figures; a
    // folder that never chose one is in the year its revenues were saved in,
    // else in today's.
    const QString folder = platform_.dataFolder();
    YearChoice chosen = read_year_choice(folder);
    year_first_taken_ = !chosen.year && !chosen.problem;
    const int today_year = platform_.today().year();
    const YearInUse in_use = load_year_in_use(folder, chosen.year, today_year);
    put_revenues(in_use.file);
    if (in_use.own_file_problem)
        startup_problems_.append(*in_use.own_file_problem);
    startup_problems_.append(in_use.file.problems);
    clear_results();
    format_lock = false;
    ui_->List1->hide();
    if (chosen.problem) {
        chosen.problem->count = in_use.year;
        startup_problems_.append(*chosen.problem);
    }
    if (in_use.year != chosen_year())
        put_year_figures(in_use.year);
    if (const auto problem = put_kept_master(in_use.year))
        startup_problems_.append(*problem);
    tell_new_year(today_year, chosen.chosen_in);

    TaxpayerData taxpayer = read_taxpayer_data(platform_.dataFolder());
    taxpayer_present_ = taxpayer.present;
    show_export_button();
    taxpayer_lines = taxpayer.lines;
    startup_problems_.append(taxpayer.problems);
    if (taxpayer.present) {
        taxpayer_copy_ = std::move(taxpayer.copy); // none when adat2.txt did not read
        taxpayer_mode_ = taxpayer.mode;
    }
    show_master_data();
    // What the start shows is no change to keep.
    if (!remembered_master_)
        remembered_master_ = master_texts_in_fields();
    startup_ = Startup::Painting;
    update();
}

// Once the window is painted: the files nobody waits for, then the messages,
// over the window rather than an empty area.
void fo::finish_startup()
{
    if (startup_ != Startup::Painting)
        return;
    startup_ = Startup::Done;
    fit_to_screen();
    const QString folder = platform_.dataFolder();
    // Copies that a save interrupted by a kill left behind.
    remove_leftover_copies(folder, saved_files + year_revenue_file_names());
    if (taxpayer_copy_) {
        if (const auto problem = write_taxpayer_copy(folder, *taxpayer_copy_, taxpayer_mode_))
            startup_problems_.append(*problem);
    } else if (const auto offered = offer_taxpayer_sample()) {
        startup_problems_.append(*offered);
    } else if (year_first_taken_) {
        // A first start says which year it computes by.
        Problem taken {Problem::What::YearTaken};
        taken.count = chosen_year();
        startup_problems_.append(taken);
    }
    const QList<Problem> problems = std::exchange(startup_problems_, {});
    for (const Problem &problem : problems)
        show_problem(problem);
}

// Without taxpayer data, which only the 2022 declaration needs, a sample
// beside where they belong shows what each of the 24 lines is: the user
// fills it in and renames it adat2.txt. The start or the choice of 2022
// that puts it there says so, once.
std::optional<Problem> fo::offer_taxpayer_sample()
{
    const QString sample = platform_.dataFolder() + QStringLiteral("/adat2.minta.txt");
    if (taxpayer_present_ || year_rules::rules_for(chosen_year()).quarterly
        || QFileInfo::exists(sample))
        return std::nullopt;
    QFile source(QStringLiteral(":/data/adat2.minta.txt"));
    // Only a help: nothing to report when it cannot be written.
    if (!source.open(QIODevice::ReadOnly) || write_file(sample, source.readAll()))
        return std::nullopt;
    Problem written {Problem::What::TaxpayerSampleWritten, sample};
    written.count = chosen_year();
    return written;
}

// The master data in their display form.
void fo::show_master_data()
{
    const std::pair<QLineEdit *, int> shown[]
        = {{ui_->Text2, 0}, {ui_->Text3, 0}, {ui_->Text4, 0}, {ui_->Text5, 1}, {ui_->Text6, 0}};
    // A figure not decreed yet stays empty, to be typed.
    for (const auto &[field, decimals] : shown)
        if (!field->text().isEmpty())
            field->setText(number_text::grouped(number_text::to_amount(field->text()), decimals));
}
