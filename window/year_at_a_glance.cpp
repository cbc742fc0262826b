#include "storage/year_choice.h"
#include "storage/year_revenues.h"
#include "ui_fo.h"
#include "window/fo.h"
#include "window/messages.h"
#include "window/year_overview_window.h"

#include <QScreen>

#include <algorithm>

// The year's rows by master data and revenue texts.
OverviewContent fo::overview_of(const MasterDataTexts &texts, const QStringList &revenues) const
{
    OverviewContent content;
    content.year = texts.year;
    const QStringList names = names_on(*ui_).master_fields;
    const QString percent = QStringLiteral("%1: %2 %");
    content.master_data
        = QStringList {QStringLiteral("%1: %2 Ft").arg(names[0], texts.minimum_wage),
            QStringLiteral("%1: %2 Ft").arg(names[1], texts.guaranteed_minimum),
            percent.arg(names[2], texts.szja), percent.arg(names[3], texts.tb),
            percent.arg(names[4], texts.szocho), percent.arg(names[5], texts.cost_ratio),
            QStringLiteral("%1 %2").arg(ui_->Label11->text(),
                (texts.main_employment ? ui_->Option1 : ui_->Option2)->text())}
              .join(QStringLiteral(" · "));
    // The year's course, when not the whole year, in the words under the
    // master data.
    if (const QString course = course_description(texts.course, texts.year); !course.isEmpty())
        content.master_data += QStringLiteral(" · ") + course;
    const auto master = read_master_data(texts);
    if (const auto *field = std::get_if<MasterField>(&master)) {
        content.problem = master_data_problem(texts, *field);
        return content;
    }
    content.rows = year_overview(std::get<MasterData>(master), revenue_fields(revenues));
    return content;
}

// The year in use by the fields as they stand now; another year by its
// file and the master data kept for it, else the table's.
OverviewContent fo::overview_content(int year) const
{
    if (year == chosen_year())
        return overview_of(master_texts_in_fields(), revenue_texts());
    MasterDataTexts texts = table_master_texts(year);
    if (year_rules::rules_for(year).quarterly)
        if (const auto kept = read_master_choice(platform_.dataFolder(), year).texts)
            texts = with_table_figures(*kept);
    const YearRevenues revenues = read_year_revenues(platform_.dataFolder(), year);
    OverviewContent content = overview_of(texts, revenues.texts);
    content.in_use = false;
    if (revenues.problem) {
        content.problem = revenues.problem;
        content.rows.clear();
    }
    return content;
}

// The years the overview offers: those with revenues, and the year in use.
QList<int> fo::overview_years() const
{
    QList<int> years = years_with_revenues(platform_.dataFolder());
    if (!years.contains(chosen_year())) {
        years << chosen_year();
        std::sort(years.begin(), years.end());
    }
    return years;
}

// Opened beside the window on the year in use, made the first time: the
// start does not pay for it. `quarter` picks out a quarter's return, 0 none.
void fo::open_overview(int quarter)
{
    if (!overview_) {
        overview_ = new YearOverviewWindow(platform_, names_on(*ui_), this);
        connect(overview_, &YearOverviewWindow::year_chosen, this, &fo::show_overview_year);
    }
    overview_->show_years(overview_years(), chosen_year());
    overview_->show_content(overview_content(chosen_year()));
    overview_->highlight_quarter(quarter);
    if (!overview_->isVisible()) {
        // Beside the window where the screen has room, with a frame like its own.
        const QRect frame = frameGeometry(), inner = geometry();
        const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
            frame.right() - inner.right(), frame.bottom() - inner.bottom());
        overview_->setGeometry(overview_geometry(QSize(1000, 620), overview_->minimumSizeHint(),
            frame, screen()->availableGeometry(), margins));
    }
    overview_->show();
    overview_->raise();
    overview_->activateWindow();
}

void fo::show_overview_year(int year)
{
    overview_->show_content(overview_content(year));
    overview_->highlight_quarter(0);
}

// An open overview of the year in use follows every change of the fields.
void fo::refresh_overview()
{
    if (overview_ && overview_->isVisible() && overview_->shown_year() == chosen_year())
        overview_->show_content(overview_content(chosen_year()));
}

// After a change of year an open overview offers the years anew; one that
// showed the year left shows the year in use.
void fo::refresh_overview_years(int left)
{
    if (!overview_ || !overview_->isVisible())
        return;
    const int shown = overview_->shown_year() == left ? chosen_year() : overview_->shown_year();
    overview_->show_years(overview_years(), shown);
    overview_->show_content(overview_content(shown));
}
