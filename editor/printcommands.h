#pragma once

// The print commands of the File menu: to the printer, to the preview window and to a PDF
// file.

#include "printreport.h"

#include <string>

// Writes the report to a PDF file; false when the file cannot be written.
bool WriteReportPdf(const std::string &path, ReportKind kind, int group);

// To the printer; without one, offers a PDF file instead.
void PrintReportCommand(ReportKind kind);
// The printer set-up dialog; its choices hold for the session.
void PrintSetupCommand();
void PreviewReportCommand(ReportKind kind);
// Asks for the file name, then writes the PDF.
void ExportReportPdfCommand(ReportKind kind);

// The question asked when the system has no printer.
extern const char *const NoPrinterQuestion;
