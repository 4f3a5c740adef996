#pragma once

#include "dialogs.h"

// The exit dialog's question, caption and offer to save, for data saved or not.
ExitQuestion ExitQuestionFor(bool unsaved);

// Asks whether the program may end and saves first when asked to. False keeps the program
// running, also when the save did not happen.
bool ConfirmExit();
