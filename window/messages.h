#pragma once

#include "evaluation/problem.h"
#include "platform/platform.h"

#include <QStringList>

namespace Ui {
class fo;
}

// How the window names what a problem points at.
struct WindowNames {
    QStringList months; // the month buttons' captions, January first
    QStringList master_fields; // in the order of MasterField
};
WindowNames names_on(const Ui::fo &ui);

// "januári" for 1: the results group is titled "<adjective> befizetések",
// a declaration is "a 2025. júniusi".
QString month_adjective(int month);

// "januárban", "márciusban": when something happened in the month.
QString month_name_in(int month);

// The one place where problems become Hungarian messages.
Notice notice_for(const Problem &problem, const WindowNames &names);
