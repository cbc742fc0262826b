#pragma once

#include "declaration/import_file.h"
#include "platform/platform.h"

#include <QDate>

#include <optional>

class fo;

// Why the export cannot start: no month chosen, or results that are not a
// completed evaluation of what the fields hold now.
std::optional<Notice> export_refusal(const fo &window);

// The declaration as the window holds it, after the period step.
Declaration declaration_of(const fo &window, QDate today);

// The form program has the template of the period's form: a file or folder
// matching form_template_pattern in one of its template folders.
bool form_template_found(const Platform &platform, int year);

// Command25 "feladó": writes felad.imp beside the program and starts the
// hand-over script. What went wrong, if anything.
std::optional<Notice> Command25_click(fo &window, const QByteArray &bytes);
