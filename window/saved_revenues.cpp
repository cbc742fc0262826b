#include "storage/revenue_file.h"
#include "storage/text_lines.h"
#include "ui_fo.h"
#include "window/fo.h"

QString fo::revenue_path() const
{
    return platform_.dataFolder() + QStringLiteral("/adat.txt");
}

QStringList fo::revenue_texts() const
{
    QStringList texts;
    for (int month = 1; month <= 12; ++month)
        texts.append(revenue_field(month)->text());
    return texts;
}

void fo::clear_revenue_fields()
{
    for (int month = 1; month <= 12; ++month)
        revenue_field(month)->clear();
}

// The saved revenues into the fields and into `monthly_revenue`, or a new
// file when there is none.
std::optional<Problem> fo::load_revenues()
{
    const RevenueFile file = load_revenue_file(revenue_path());
    for (int month = 1; month <= 12; ++month)
        revenue_field(month)->setText(file.texts[month - 1]);
    monthly_revenue = file.revenue;
    saved_revenue_texts_ = file.texts;
    ask_before_saving = file.ask_before_saving;
    revenue_stamp_ = file.stamp;
    setWindowModified(false);
    return file.problem;
}

// The close control asks before revenues that differ from the file are lost.
void fo::note_revenues_changed()
{
    setWindowModified(revenue_texts() != saved_revenue_texts_);
}

// The exit button: saves the revenues, then closes the window.
void fo::save_and_exit()
{
    if (!save_revenues())
        return;
    // Saved, or the user chose to leave without saving: nothing to ask.
    setWindowModified(false);
    close();
}

// Saves the revenues before the program ends; whether it may end: saved,
// or the user chose to leave without them.
bool fo::save_revenues()
{
    // A file the program could not read, or one changed on disk since it
    // was read or written (by hand, or by another copy), is replaced only
    // if the user says so.
    const QString path = shown_path(revenue_path());
    QString question;
    if (ask_before_saving)
        question
            = QStringLiteral("Az adat.txt induláskor nem volt olvasható, ezért a program eddig "
                             "nem írta felül: %1. Felülírja most a bevételekkel?")
                  .arg(path);
    else if (file_stamp(revenue_path()) != revenue_stamp_)
        question = QStringLiteral("Az adat.txt megváltozott, mióta a program beolvasta: %1. "
                                  "Felülírja a bevételekkel?")
                       .arg(path);
    const bool save = question.isEmpty()
        || show_notice({question, MessageIcon::Question, MessageButtons::YesNo})
            == MessageAnswer::Yes;
    if (save) {
        const QStringList texts = revenue_texts();
        if (const auto problem = save_revenue_file(revenue_path(), texts))
            return show_problem(*problem) == MessageAnswer::Yes;
        saved_revenue_texts_ = texts;
        revenue_stamp_ = file_stamp(revenue_path());
        ask_before_saving = false;
    }
    return true;
}
