#pragma once

#include "evaluation/year_overview.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>
#include <variant>

// What the workbook holds besides the rows.
struct WorkbookHead {
    int year = 0;
    QString master_data; // as the overview's page shows them
    QDate made;
};

// The year at a glance as an .xlsx workbook: one sheet named for the year,
// a title, the master data and the day it was made, a bold header row that
// stays when scrolled, figures as numbers grouped by thousands, dates as
// dates, the quarters and the year in bold, and a row without figures
// saying why (by `why`). Its bytes, or Problem::What::WorkbookNotMade when
// the xlsxwriter library cannot be loaded or fails; the library is loaded
// when the first workbook is made, not at the start.
std::variant<QByteArray, Problem> overview_workbook(const WorkbookHead &head,
    const QList<OverviewRow> &rows, const std::function<QString(const Problem &)> &why);
