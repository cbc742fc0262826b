#pragma once

#include "evaluation/engine.h"
#include "platform/platform.h"

#include <QString>

#include <optional>

class fo;

// Sets the six result fields to "0".
void clear_results(fo &window);

// What an evaluation of `month` would be made of now; nothing when a field
// does not read.
std::optional<EvaluationInputs> inputs_in_fields(const fo &window, int month);

// Command27: evaluates `selected_month` into the result fields. On failure
// the results stay "0".
std::optional<Notice> Command27_click(fo &window);

// The month buttons: take the revenues up to `month`, then evaluate.
std::optional<Notice> month_command(fo &window, int month);
