#pragma once

#include <functional>

// The answer of the exit dialog.
enum class ExitChoice { Cancel, Exit, SaveThenExit };

// Asks whether the program may end (the question is told whether data are unsaved) and saves
// first when asked to. False keeps the program running, also when the save did not happen.
bool ConfirmExit(const std::function<ExitChoice(bool unsaved)> &ask);
