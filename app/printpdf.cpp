#include "printpdf.h"

#include "appglobals.h"
#include "platform.h"
#include "printcommands.h"
#include "tdffile.h"

#include <iostream>

namespace
{

constexpr const char *Usage =
    "usage: tessaro-editor --print-pdf OUT.pdf [--report all|global|group N] [FILE.tdf]";

// No one is there to answer: messages go to standard error and are declined.
class ConsoleDialogs : public Dialogs
{
public:
    MsgAnswer message(const std::string &text, const std::string &, MsgButtons buttons,
                      MsgIcon) override
    {
        std::cerr << text << '\n';
        failed = true;
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
    std::optional<std::string> input(const std::string &, const std::string &,
                                     const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const FileDialogRequest &) override { return {}; }
    std::optional<std::string> saveFile(const FileDialogRequest &) override { return {}; }
    ExitChoice askExit(const ExitQuestion &) override { return ExitChoice::Exit; }
    void showTable(const TableRequest &) override {}

    bool failed = false;
};

struct PdfRequest {
    std::string output;
    std::string input;
    ReportKind kind = ReportKind::All;
    int group = 0;
};

// Empty error text when the arguments are good.
std::string ParseArgs(const std::vector<std::string> &args, PdfRequest &request)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool hasNext = i + 1 < args.size();
        if (arg == "--print-pdf") {
            if (!hasNext)
                break;
            request.output = args[++i];
        } else if (arg == "--report" && hasNext) {
            const std::string kind = args[++i];
            if (kind == "all") {
                request.kind = ReportKind::All;
            } else if (kind == "global") {
                request.kind = ReportKind::Global;
            } else if (kind == "group") {
                if (i + 1 == args.size())
                    return "which group? --report group N";
                const std::string number = args[++i];
                const int n = number.find_first_not_of("0123456789") == std::string::npos &&
                                      !number.empty() && number.size() < 3
                                  ? std::stoi(number)
                                  : 0;
                if (n < 1 || n > NumGroups)
                    return "the group must be 1 to " + std::to_string(NumGroups) + ": " + number;
                request.kind = ReportKind::CurrentGroup;
                request.group = n - 1;
            } else {
                return "unknown report: " + kind;
            }
        } else if (arg.rfind("--", 0) != 0 && request.input.empty()) {
            request.input = arg;
        } else {
            return "unexpected argument: " + arg;
        }
    }
    return request.output.empty() ? "no output file" : std::string();
}

} // namespace

bool IsPrintPdfCommand(const std::vector<std::string> &args)
{
    for (const std::string &arg : args) {
        if (arg == "--print-pdf")
            return true;
    }
    return false;
}

int RunPrintPdf(const std::vector<std::string> &args)
{
    PdfRequest request;
    const std::string error = ParseArgs(args, request);
    if (!error.empty()) {
        std::cerr << "tessaro-editor: " << error << '\n' << Usage << '\n';
        return 2;
    }
    static ConsoleDialogs dialogs;
    platform().dialogs = &dialogs;

    LoadMemMapFrom_TDF_File(DefaultValuesName);
    g_sCurFileName = DefaultValuesName;
    if (!request.input.empty()) {
        if (!platform().files->exists(request.input) || !LoadMemMapFrom_TDF_File(request.input) ||
            dialogs.failed) {
            std::cerr << "tessaro-editor: cannot read " << request.input << '\n';
            return 1;
        }
        g_sCurFileName = request.input;
    }
    if (!WriteReportPdf(request.output, request.kind, request.group)) {
        std::cerr << "tessaro-editor: cannot write " << request.output << '\n';
        return 1;
    }
    return 0;
}
