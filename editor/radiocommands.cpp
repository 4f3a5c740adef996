#include "radiocommands.h"

#include "appglobals.h"
#include "fielddiff.h"
#include "filecommands.h"
#include "linkstate.h"
#include "platform.h"
#include "radiobackup.h"
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

// The radio's image before Write All goes to the backup folder; without it nothing is sent,
// and the status says why.
bool BackUpRadio(const RadioCommandTexts &texts)
{
    MemMapImage before = MemMap;
    if (!ReadRadioPages(before, RadioPages::All, 0, "Backing Up")) {
        StatusMsg(texts.failure);
        return false;
    }
    if (KeepImageBackup(before, platform().clock->localTime()).empty()) {
        Tell("The radio's present data could not be kept in the backup folder " +
                 ReadBackupFolder() + ", so nothing was written.",
             "BACKUP FAILED", MsgIcon::Exclamation);
        StatusMsg("Action Canceled.....");
        return false;
    }
    return true;
}

// Reads back what the write sent; true when the radio holds it. Otherwise the status says so,
// after a message naming the fields.
bool VerifyWrite(RadioCommand command)
{
    MemMapImage radio = MemMap;
    if (!ReadRadioPages(radio, PagesOf(command), g_iCurGroup, "Verifying")) {
        StatusMsg(VerifyNoAnswerStatus);
        return false;
    }
    const std::vector<FieldDifference> differences = DiffFields(MemMap, radio);
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

    if (command == RadioCommand::WriteAll && g_bBackupBeforeWrite && !BackUpRadio(texts)) {
        EndCommand();
        return false;
    }
    const bool ok = RunTransaction(command);
    if (ok) {
        if (!texts.write)
            KeepReadBackup(platform().clock->localTime(), command != RadioCommand::ReadGroup);
        SetRightPaneView();
    }
    // After the pane is shown again: the grid's status would hide a failed read-back.
    const bool verified = !ok || !texts.write || !g_bVerifyAfterWrite || VerifyWrite(command);

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
