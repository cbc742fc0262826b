#include "storage/text_lines.h"
#include "storage/year_choice.h"
#include "storage/year_revenues.h"
#include "ui_fo.h"
#include "window/fo.h"

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

// A year's saved revenues into the fields, verbatim, and into
// `monthly_revenue`; the fields then match what is saved.
void fo::put_revenues(const RevenueFile &file)
{
    saved_revenue_texts_ = file.texts;
    const bool locked = std::exchange(format_lock, true);
    for (int month = 1; month <= 12; ++month)
        revenue_field(month)->setText(file.texts[month - 1]);
    format_lock = locked;
    monthly_revenue = file.revenue;
    ask_before_saving = file.ask_before_saving;
    revenue_stamp_ = file.stamp;
    setWindowModified(false);
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

// A file the program could not read, or one changed on disk since it was
// read or written (by hand, or by another copy), is replaced only if the
// user says so. Whether adat.txt may be replaced.
bool fo::may_replace_revenues()
{
    const QString adat = revenue_path(platform_.dataFolder());
    const QString path = shown_path(adat);
    QString question;
    if (ask_before_saving)
        question
            = QStringLiteral("Az adat.txt induláskor nem volt olvasható, ezért a program eddig "
                             "nem írta felül: %1. Felülírja most a bevételekkel?")
                  .arg(path);
    else if (file_stamp(adat) != revenue_stamp_)
        question = QStringLiteral("Az adat.txt megváltozott, mióta a program beolvasta: %1. "
                                  "Felülírja a bevételekkel?")
                       .arg(path);
    return question.isEmpty()
        || show_notice({question, MessageIcon::Question, MessageButtons::YesNo})
        == MessageAnswer::Yes;
}

// Saves the revenues before the program ends; whether it may end: saved,
// or the user chose to leave without them.
bool fo::save_revenues()
{
    if (!may_replace_revenues())
        return true;
    const QString folder = platform_.dataFolder();
    const QStringList texts = revenue_texts();
    if (const auto problem = save_revenue_file(revenue_path(folder), texts))
        return show_problem(*problem) == MessageAnswer::Yes;
    saved_revenue_texts_ = texts;
    revenue_stamp_ = file_stamp(revenue_path(folder));
    ask_before_saving = false;
    if (const auto problem = settle_year_in_use(folder, chosen_year()))
        show_problem(*problem);
    return true;
}
