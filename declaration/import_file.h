#pragma once

#include "storage/taxpayer_file.h"

#include <QByteArray>
#include <QString>

// What the declaration "2258" is made of.
struct Declaration {
    int year = 0; // of the period; its last two digits name the form
    TaxpayerLines taxpayer; // entries 1 to 23 are written
    QString period_first; // Text50
    QString period_last; // Text51
    QString tb_amount; // Text12
    QString szocho_amount; // Text13
    QString tb_base; // Text46
    QString szocho_base; // Text47
    bool main_employment = true;
};

// The bytes of "felad.imp", or what keeps it from being written.
struct ImportFile {
    QByteArray bytes;
    QString problem; // for the user; empty when the bytes are complete
};
ImportFile import_file(const Declaration &declaration);

// The two digits of the year that name the form ("26" for 2026).
QString form_year(int year);
