#include "exchangecommands.h"

#include "appglobals.h"
#include "caption.h"
#include "chirpcsv.h"
#include "filecommands.h"
#include "memmap.h"
#include "platform.h"
#include "tdffile.h"
#include "textform.h"
#include "textlimits.h"
#include "windowservices.h"

#include <optional>
#include <vector>

namespace
{

struct FileKind {
    const char *title; // dialog title
    const char *extension;
    const char *filter;
};
constexpr FileKind TextForm = {"Radio Data Text", ".yaml", "Radio Data Text (*.yaml)"};
constexpr FileKind ChannelCsv = {"Channels CSV", ".csv", "CHIRP Channels CSV (*.csv)"};

std::string Stem(const std::string &path)
{
    std::string name = DisplayFileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The current data file's name with the kind's extension; "Radio" for data that came from a
// radio or the defaults.
std::string ProposedName(const FileKind &kind, const std::string &suffix = {})
{
    const bool named = !g_sCurFileName.empty() && g_sCurFileName != DefaultValuesName &&
                       g_sCurFileName != g_sFactoryFile && g_sCurFileName != g_sUserFile;
    return (named ? Stem(g_sCurFileName) : std::string("Radio")) + suffix + kind.extension;
}

FileDialogRequest Request(const FileKind &kind, const std::string &verb,
                          const std::string &proposed = {})
{
    FileDialogRequest request;
    request.title = verb + " " + kind.title;
    request.defaultExtension = kind.extension;
    request.filters = {{kind.filter, std::string("*") + kind.extension},
                       {"All Files (*.*)", "*.*"}};
    request.initialDir = FileDialogFolder();
    request.proposedName = proposed;
    return request;
}

void Export(const FileKind &kind, const std::string &proposed, const std::string &text)
{
    const auto chosen = platform().dialogs->saveFile(Request(kind, "Export", proposed));
    if (!chosen)
        return;
    if (!platform().files->writeAtomic(*chosen,
                                       std::vector<std::uint8_t>(text.begin(), text.end()))) {
        platform().dialogs->message("The file could not be written: " + *chosen, "EXPORT FAILED",
                                    MsgButtons::Ok, MsgIcon::Exclamation);
        StatusMsg("Export Failed.....");
        return;
    }
    StatusMsg("Exported " + DisplayFileName(*chosen) + ".....");
}

// The chosen file's text; nullopt when cancelled or unreadable (said so).
std::optional<std::pair<std::string, std::string>> ChooseAndRead(const FileKind &kind)
{
    const auto chosen = platform().dialogs->openFile(Request(kind, "Import"));
    if (!chosen)
        return std::nullopt;
    const auto data = platform().files->read(*chosen, MaxExchangeTextBytes + 1);
    if (!data || data->size() > MaxExchangeTextBytes) {
        platform().dialogs->message(
            (data ? "The file is too large to be a " + std::string(kind.title) + " file: "
                  : std::string("The file could not be read: ")) +
                *chosen,
            "IMPORT FAILED", MsgButtons::Ok, MsgIcon::Exclamation);
        StatusMsg("Import Canceled.....");
        return std::nullopt;
    }
    return std::make_pair(*chosen, std::string(data->begin(), data->end()));
}

// The import takes effect as one change of the data.
void Accept(const MemMapImage &image, const std::string &status)
{
    if (image == MemMap) {
        StatusMsg(status + " (nothing changed).....");
        return;
    }
    MemMap = image;
    MarkDataChanged();
    SetRightPaneView();
    StatusMsg(status + ".....");
}

} // namespace

std::string ListedLines(const std::vector<std::string> &lines)
{
    std::string text;
    std::size_t listed = 0;
    for (const std::string &line : lines) {
        if (listed == MaxListedLines)
            break;
        text += "\r\n" + line;
        ++listed;
    }
    if (listed < lines.size())
        text += "\r\n... and " + std::to_string(lines.size() - listed) + " more.";
    return text;
}

void ExportTextFormCommand()
{
    Export(TextForm, ProposedName(TextForm), WriteTextForm(MemMap));
}

void ExportGroupCsvCommand()
{
    Export(ChannelCsv, ProposedName(ChannelCsv, " Group " + std::to_string(g_iCurGroup + 1)),
           ExportChannelsCsv(MemMap, g_iCurGroup));
}

void ExportAllCsvCommand()
{
    Export(ChannelCsv, ProposedName(ChannelCsv), ExportChannelsCsv(MemMap, -1));
}

void ImportTextFormCommand()
{
    const auto file = ChooseAndRead(TextForm);
    if (!file)
        return;
    MemMapImage image = MemMap;
    std::vector<TextFormError> errors;
    std::vector<TextFormError> notes;
    if (!ReadTextForm(file->second, image, errors, &notes)) {
        std::vector<std::string> lines;
        for (const TextFormError &e : errors)
            lines.push_back(TextFormErrorLine(DisplayFileName(file->first), e));
        platform().dialogs->message(
            "Nothing was imported: the file holds " + std::to_string(errors.size()) +
                (errors.size() == 1 ? " bad value." : " bad values.") + ListedLines(lines),
            "IMPORT FAILED", MsgButtons::Ok, MsgIcon::Exclamation);
        StatusMsg("Import Canceled.....");
        return;
    }
    Accept(image, "Imported " + DisplayFileName(file->first));
    if (notes.empty())
        return;
    std::vector<std::string> lines;
    for (const TextFormError &n : notes)
        lines.push_back(TextFormErrorLine(DisplayFileName(file->first), n));
    platform().dialogs->message("Some values were taken otherwise than written:" +
                                    ListedLines(lines),
                                "IMPORT NOTES", MsgButtons::Ok, MsgIcon::Information);
}

void ImportGroupCsvCommand()
{
    const auto file = ChooseAndRead(ChannelCsv);
    if (!file)
        return;
    const std::string group = "Group " + std::to_string(g_iCurGroup + 1);
    const std::string name = DisplayFileName(file->first);
    MemMapImage image = MemMap;
    std::vector<CsvNote> notes;
    int outside = 0;
    bool imported = ImportChannelsCsv(file->second, g_iCurGroup, image, notes,
                                      CsvNumbering::ByLocation, &outside);
    // CHIRP lists often count from 0 or run past 20: the rows can still be taken in order.
    if (outside > 0) {
        const MsgAnswer answer = platform().dialogs->message(
            std::to_string(outside) + (outside == 1 ? " row" : " rows") + " of " + name +
                " name a Location outside 1 to 20.\r\n\r\nTake the rows in file order as "
                "channels 1 to 20 instead?",
            "IMPORT", MsgButtons::YesNoCancel, MsgIcon::Question);
        if (answer == MsgAnswer::Cancel) {
            StatusMsg("Import Canceled.....");
            return;
        }
        if (answer == MsgAnswer::Yes) {
            image = MemMap;
            notes.clear();
            imported =
                ImportChannelsCsv(file->second, g_iCurGroup, image, notes, CsvNumbering::FileOrder);
        }
    }
    if (!imported) {
        std::vector<std::string> lines;
        for (const CsvNote &n : notes)
            lines.push_back(CsvNoteLine(name, n));
        platform().dialogs->message(
            "Nothing was imported: " + name +
                (notes.back().what == CsvNoChannelNote
                     ? " carries no channel." + ListedLines(lines)
                     : std::string(" is not a CHIRP channel list (no header line with a "
                                   "Frequency column).")),
            "IMPORT FAILED", MsgButtons::Ok, MsgIcon::Exclamation);
        StatusMsg("Import Canceled.....");
        return;
    }
    Accept(image, group + " Channels Imported From " + name);
    if (notes.empty())
        return;
    std::vector<std::string> lines;
    for (const CsvNote &n : notes)
        lines.push_back(CsvNoteLine(name, n));
    platform().dialogs->message("Not everything in the file could be carried into " + group + ":" +
                                    ListedLines(lines),
                                "IMPORT NOTES", MsgButtons::Ok, MsgIcon::Information);
}
