#include "printcommands.h"

#include "appglobals.h"
#include "appsettings.h"
#include "caption.h"
#include "platform.h"
#include "qtprinter.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

const char *const NoPrinterQuestion =
    "No printer is installed.  Save the printout as a PDF file instead?";

// One printer for the session, so that the set-up dialog's choices hold for later printouts.
static QPrinter &SessionPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(ProgramTitle + " Unit Data Printout"));
    return printer;
}

static void PrintOn(QPrinter *printer, ReportKind kind)
{
    QtPagePrinter page(printer);
    if (page.isActive())
        PrintReport(page, kind, g_iCurGroup);
}

bool WriteReportPdf(const std::string &path, ReportKind kind, int group)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter pdf(&file);
    pdf.setTitle(QString::fromStdString(ProgramTitle + " Unit Data Printout"));
    pdf.setCreator(QString::fromStdString(ProgramTitle));
    // Narrow top and bottom margins keep the longest page, the command group and pick list,
    // clear of its footer on Letter paper too.
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    pdf.setPageLayout(QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4),
                                  QPageLayout::Portrait, QMarginsF(36, 22, 36, 22),
                                  QPageLayout::Point));
    QtPagePrinter page(&pdf);
    if (!page.isActive())
        return false;
    PrintReport(page, kind, group);
    return true;
}

void ExportReportPdfCommand(ReportKind kind)
{
    FileDialogRequest request;
    request.title = "Export PDF";
    request.defaultExtension = ".pdf";
    request.filters = {{"PDF Files (*.pdf)", "*.pdf"}};
    request.initialDir = platform().documentsFolder;
    const std::string name = DisplayFileName(g_sCurFileName);
    const std::size_t dot = name.find_last_of('.');
    request.proposedName = (name.empty() ? "New File" : name.substr(0, dot)) + ".pdf";
    const std::optional<std::string> path = platform().dialogs->saveFile(request);
    if (path && !WriteReportPdf(*path, kind, g_iCurGroup))
        platform().dialogs->message("Unable to write " + *path, ProgramTitle, MsgButtons::Ok,
                                    MsgIcon::Exclamation);
}

void PrintReportCommand(ReportKind kind)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        if (platform().dialogs->message(NoPrinterQuestion, ProgramTitle, MsgButtons::YesNo,
                                        MsgIcon::Question) == MsgAnswer::Yes)
            ExportReportPdfCommand(kind);
        return;
    }
    PrintOn(&SessionPrinter(), kind);
}

void PreviewReportCommand(ReportKind kind)
{
    QPrintPreviewDialog preview(&SessionPrinter(), QApplication::activeWindow());
    preview.setObjectName(QStringLiteral("dlgPrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [kind](QPrinter *printer) { PrintOn(printer, kind); });
    preview.exec();
}

void PrintSetupCommand()
{
    QPrintDialog dialog(&SessionPrinter(), QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Printer"));
    dialog.exec();
}
