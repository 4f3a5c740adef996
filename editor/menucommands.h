#pragma once

// The Tune command.
void TuneCommand();
