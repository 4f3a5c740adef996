#include "radiocommands.h"

#include "alignlog.h"
#include "appglobals.h"
#include "eeprotocol.h"
#include "fielddiff.h"
#include "filecommands.h"
#include "globalcodec.h"
#include "linkstate.h"
#include "platform.h"
#include "radiobackup.h"
#include "recordevent.h"
#include "serialdevices.h"
#include "transactions.h"
#include "windowservices.h"
#include "writeverify.h"

namespace
{

struct CommandRow {
    RadioCommand command;
    bool write;
    const char *confirm;
    const char *starting;
    const char *success;
    const char *failure;
};

// "#" stands for the group number.
constexpr CommandRow CommandRows[] = {
    {RadioCommand::ReadAll, false, "", "", "All Radio Data Read Complete.....",
     "COMM ERROR Reading Radio....."},
    {RadioCommand::ReadGlobals, false, "", "Reading Unit Global Settings.....",
     "Global Settings Read Complete.....", "COMM ERROR Reading Global Settings....."},
    {RadioCommand::ReadGroup, false, "", "Reading Group # Data.....",
     "Group # Data Read Complete.....", "COMM ERROR Reading Group # Data....."},
    {RadioCommand::WriteAll, true, "OK to write ALL Current Data to the unit?", "",
     "All Radio Data Write Complete.....", "COMM ERROR writing Radio....."},
    {RadioCommand::WriteGlobals, true, "OK to write Global Settings to the unit?",
     "Writing Unit Global Settings.....", "Global Data Write Settings.....",
     "COMM ERROR writing Global Settings....."},
    {RadioCommand::WriteGroup, true, "OK to write Group # Data to the unit?",
     "Writing Group # Data.....", "Group # Data Write Complete.....",
     "COMM ERROR writing Group # Data....."},
};

std::string WithGroup(const char *text, int n)
{
    std::string result = text;
    const std::size_t at = result.find('#');
    if (at != std::string::npos)
        result.replace(at, 1, std::to_string(n));
    return result;
}

bool s_running = false;

bool RunTransaction(RadioCommand command)
{
    switch (command) {
    case RadioCommand::ReadAll:
        return ReadAllFromRadio();
    case RadioCommand::ReadGlobals:
        return ReadGlobalsFromRadio(true);
    case RadioCommand::ReadGroup:
        return ReadGroupFromRadio(g_iCurGroup, true);
    case RadioCommand::WriteAll:
        return WriteAllToRadio();
    case RadioCommand::WriteGlobals:
        return WriteGlobalsToRadio(true);
    case RadioCommand::WriteGroup:
        return WriteGroupToRadio(g_iCurGroup, true);
    }
    return false;
}

RadioPages PagesOf(RadioCommand command)
{
    switch (command) {
    case RadioCommand::ReadGlobals:
    case RadioCommand::WriteGlobals:
        return RadioPages::Globals;
    case RadioCommand::ReadGroup:
    case RadioCommand::WriteGroup:
        return RadioPages::Group;
    case RadioCommand::ReadAll:
    case RadioCommand::WriteAll:
        break;
    }
    return RadioPages::All;
}

void Tell(const std::string &text, const char *caption, MsgIcon icon)
{
    if (Dialogs *dialogs = platform().dialogs)
        dialogs->message(text, caption, MsgButtons::Ok, icon);
}

// What the history notes of a command while it runs.
struct CommandNotes {
    std::string serial; // from a global page the radio sent, "" when none was read
    std::string detail;
};

// The radio's image before Write All goes to the backup folder; without it nothing is sent,
// and the status says why.
bool BackUpRadio(const RadioCommandTexts &texts, CommandNotes &notes)
{
    MemMapImage before = MemMap;
    if (!ReadRadioPages(before, RadioPages::All, 0, "Backing Up")) {
        StatusMsg(texts.failure);
        return false;
    }
    notes.serial = GetEmbeddedSN(before);
    const std::string backup = KeepImageBackup(before, platform().clock->localTime());
    notes.detail = "backup " + backup;
    if (backup.empty()) {
        Tell("The radio's present data could not be kept in the backup folder " +
                 ReadBackupFolder() + ", so nothing was written.",
             "BACKUP FAILED", MsgIcon::Exclamation);
        StatusMsg("Action Canceled.....");
        return false;
    }
    return true;
}

// A Read All of this radio on this port, with nothing written since, has kept its image
// already; the radio is asked for its serial number to be sure it is the same one (and stays
// hooked for the write).
bool BackUpUnlessStanding(const RadioCommandTexts &texts, CommandNotes &notes)
{
    const std::string device = CommPortDevice(m_iCommPort);
    if (MayHaveStandingBackup(device)) {
        std::string serial;
        if (!ReadRadioSerial(serial)) {
            StatusMsg(texts.failure);
            return false;
        }
        const std::string standing = StandingBackup(serial, device);
        if (!standing.empty()) {
            notes.serial = serial;
            notes.detail = "backup " + standing;
            return true;
        }
    }
    return BackUpRadio(texts, notes);
}

// Reads back what the write sent; true when the radio holds it. Otherwise the status says so,
// after a message naming the fields.
bool VerifyWrite(RadioCommand command, CommandNotes &notes)
{
    MemMapImage radio = MemMap;
    if (!ReadWrittenBytes(radio, PagesOf(command), g_iCurGroup, "Verifying")) {
        StatusMsg(VerifyNoAnswerStatus);
        notes.detail += (notes.detail.empty() ? "" : "; ") + std::string("verify: no answer");
        return false;
    }
    // The read-back covers only the bytes sent, never the serial number: that comes from the
    // backup or is asked for when the event is filed.
    const std::vector<FieldDifference> differences = DiffFields(MemMap, radio);
    notes.detail += (notes.detail.empty() ? "verify: " : "; verify: ") +
                    FieldsDiffer(differences.size());
    if (differences.empty())
        return true;
    Tell(VerifyFailedText(differences), VerifyFailedCaption, MsgIcon::Critical);
    StatusMsg(VerifyFailedStatus(differences.size()));
    return false;
}

struct RunningGuard {
    RunningGuard() { s_running = true; }
    ~RunningGuard() { s_running = false; }
};

// The radio's serial number for a command that did not see the radio's global page.
std::string AskRadioSerial()
{
    std::string serial;
    if (HookRadio(m_iCommPort, 1, m_lBaudRate) == 1)
        serial = ReadUnitSerialNumber();
    UnhookRadio(true);
    return serial;
}

std::string CommandName(RadioCommand command)
{
    switch (command) {
    case RadioCommand::ReadAll:
        return "Read All";
    case RadioCommand::ReadGlobals:
        return "Read Globals";
    case RadioCommand::ReadGroup:
        return "Read Group " + std::to_string(g_iCurGroup + 1);
    case RadioCommand::WriteAll:
        return "Write All";
    case RadioCommand::WriteGlobals:
        return "Write Globals";
    case RadioCommand::WriteGroup:
        return "Write Group " + std::to_string(g_iCurGroup + 1);
    }
    return {};
}

// Every read and write is an event of the radio's history, with the image the editor holds
// afterwards: what was read, or what was written.
void RecordCommand(RadioCommand command, bool write, bool ok, bool verified, CommandNotes notes)
{
    if (InstalledHistory() == nullptr)
        return;
    if (ok && !write && command != RadioCommand::ReadGroup)
        notes.serial = GetEmbeddedSN(MemMap);
    else if (ok && notes.serial.empty())
        notes.serial = AskRadioSerial();
    RadioEvent event = ImageEvent(CommandName(command),
                                  !ok ? "Failed" : verified ? "OK" : "Verify failed", MemMap);
    event.serial = notes.serial;
    event.port = CommPortDevice(m_iCommPort);
    event.detail = notes.detail;
    if (!ok)
        event.image.clear();
    RecordRadioEvent(std::move(event));
}

void EndCommand()
{
    ShowProgressText(false);
    ShowProgressBar(false);
    EnableMainControls(true);
}

} // namespace

RadioCommandTexts RadioCommandTextsFor(RadioCommand command, int n)
{
    for (const CommandRow &row : CommandRows) {
        if (row.command == command)
            return {row.write, WithGroup(row.confirm, n), WithGroup(row.starting, n),
                    WithGroup(row.success, n), WithGroup(row.failure, n)};
    }
    return {};
}

bool RadioTransferRunning()
{
    return s_running;
}

bool RunRadioCommand(RadioCommand command)
{
    // The waiting loops serve window events; whatever slips through must not nest a transfer.
    if (s_running)
        return false;
    const RunningGuard running;

    const RadioCommandTexts texts = RadioCommandTextsFor(command, g_iCurGroup + 1);
    EnableMainControls(false);
    if (texts.write) {
        Dialogs *dialogs = platform().dialogs;
        if (!dialogs || dialogs->message(texts.confirm, "WRITE DATA TO UNIT", MsgButtons::OkCancel,
                                         MsgIcon::Question) != MsgAnswer::Ok) {
            StatusMsg("Action Canceled.....");
            EnableMainControls(true);
            return false;
        }
    }
    ShowProgressBar(true);
    if (!texts.starting.empty())
        StatusMsg(texts.starting);
    if (!texts.write && !CheckForDataSaveBeforeRead()) {
        EndCommand();
        return false;
    }
    ShowProgressText(true, CommPortDevice(m_iCommPort));

    CommandNotes notes;
    if (command == RadioCommand::WriteAll && g_bBackupBeforeWrite &&
        !BackUpUnlessStanding(texts, notes)) {
        EndCommand();
        return false;
    }
    const bool ok = RunTransaction(command);
    if (ok) {
        if (!texts.write) {
            const std::string kept =
                KeepReadBackup(platform().clock->localTime(), command != RadioCommand::ReadGroup);
            if (command == RadioCommand::ReadAll && !kept.empty())
                NoteWholeReadBackup(kept, GetEmbeddedSN(MemMap), CommPortDevice(m_iCommPort));
        }
        SetRightPaneView();
    }
    // After the pane is shown again: the grid's status would hide a failed read-back.
    const bool verified =
        !ok || !texts.write || !g_bVerifyAfterWrite || VerifyWrite(command, notes);
    RecordCommand(command, texts.write, ok, verified, notes);

    if (ok) {
        if (verified)
            StatusMsg(texts.success);
        if (command == RadioCommand::ReadAll) {
            g_sCurFileName = "";
            SetCaption(true);
        } else {
            MarkDataChanged();
        }
    } else {
        StatusMsg(texts.failure);
    }
    EndCommand();
    return ok && verified;
}

bool VerifyRadioCommand()
{
    if (s_running)
        return false;
    const RunningGuard running;
    EnableMainControls(false);
    ShowProgressBar(true);
    ShowProgressText(true, CommPortDevice(m_iCommPort));
    MemMapImage radio = MemMap;
    const bool read = ReadRadioPages(radio, RadioPages::All, 0, "Verifying");
    if (!read) {
        StatusMsg("COMM ERROR Reading Radio.....");
        EndCommand();
        return false;
    }
    const std::vector<FieldDifference> differences = DiffFields(MemMap, radio);
    if (InstalledHistory() != nullptr) {
        RadioEvent event = ImageEvent("Verify", differences.empty() ? "OK" : "Differs", radio);
        event.port = CommPortDevice(m_iCommPort);
        event.detail = FieldsDiffer(differences.size()) + " from the editor's data";
        RecordRadioEvent(std::move(event));
    }
    StatusMsg(CompareStatus(differences.size()));
    EndCommand();
    if (Dialogs *dialogs = platform().dialogs) {
        if (differences.empty())
            dialogs->message(DifferencesHeading(0), VerifyRadioCaption, MsgButtons::Ok,
                             MsgIcon::Information);
        else
            dialogs->showTable({VerifyRadioCaption, DifferencesHeading(differences.size()),
                                DifferenceColumns(), DifferenceRows(differences)});
    }
    return differences.empty();
}

void ReadAllCommand()
{
    RunRadioCommand(RadioCommand::ReadAll);
}

void ReadGlobalsCommand()
{
    RunRadioCommand(RadioCommand::ReadGlobals);
}

void ReadCurrGroupCommand()
{
    RunRadioCommand(RadioCommand::ReadGroup);
}

void WriteAllCommand()
{
    RunRadioCommand(RadioCommand::WriteAll);
}

void WriteGlobalsCommand()
{
    RunRadioCommand(RadioCommand::WriteGlobals);
}

void WriteCurrGroupCommand()
{
    RunRadioCommand(RadioCommand::WriteGroup);
}
