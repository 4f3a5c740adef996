#pragma once

// The AutoTune report on paper or as PDF, through the printer interface: a heading with the
// radio, the test set and the time, then one row per point.

#include "autotunereport.h"
#include "printer.h"

void PrintAutoTuneReport(Printer &printer, const AutoTuneReport &report);
