#pragma once

#include "declaration/period.h"
#include "evaluation/problem.h"
#include "storage/taxpayer_file.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

// What the declaration "2258" is made of: the taxpayer lines, the period and
// the month's evaluation.
struct Declaration {
    TaxpayerLines taxpayer; // entries 1 to 23 are written
    Period period;
    qint32 tb_amount = 0;
    qint32 szocho_amount = 0;
    qint32 tb_base = 0;
    double szocho_base = 0; // 112.5 % of G may carry decimals
    bool main_employment = true;
};

// The bytes of "felad.imp", or why they cannot be made (an entry 3 that is
// not a number).
struct ImportFile {
    QByteArray bytes;
    std::optional<Problem> problem;
};
ImportFile import_file(const Declaration &declaration);

// The two digits of the year that name the form ("26" for 2026).
QString form_year(int year);

// A file or folder NAV_<yy>58_*.enyk in one of the folders: the form program
// has the template of the year's form.
bool form_template_found(const QStringList &folders, int year);
