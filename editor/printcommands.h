#pragma once

// The print commands of the File menu: to the printer, to the preview window and to a PDF
// file. PrintAllCommand and its kin are declared in menucommands.h.

#include "printreport.h"

#include <string>

// Writes the report to a PDF file; false when the file cannot be written.
bool WriteReportPdf(const std::string &path, ReportKind kind, int group);

void PreviewReportCommand(ReportKind kind);
// Asks for the file name, then writes the PDF.
void ExportReportPdfCommand(ReportKind kind);

// The question asked when the system has no printer.
extern const char *const NoPrinterQuestion;
