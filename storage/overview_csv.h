#pragma once

#include "evaluation/year_overview.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The year at a glance as a Hungarian spreadsheet opens it without a
// wizard: UTF-8 with a byte-order mark, ";" between the fields, a header
// row, whole numbers as bare digits, decimals with a comma, dates as
// yyyy-MM-dd, CR LF line ends. A row without figures says why, by `why`.
QByteArray overview_csv(
    const QList<OverviewRow> &rows, const std::function<QString(const Problem &)> &why);
