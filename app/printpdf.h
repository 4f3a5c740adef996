#pragma once

// tessaro-editor --print-pdf OUT.pdf [--report all|global|group N] [FILE.tdf]: writes the
// report of a data file (the default values without one) to a PDF file, without a window.

#include <string>
#include <vector>

// True when the arguments (without the program name) ask for a PDF.
bool IsPrintPdfCommand(const std::vector<std::string> &args);
// Errors go to standard error; returns the exit code.
int RunPrintPdf(const std::vector<std::string> &args);
