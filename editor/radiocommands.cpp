#include "radiocommands.h"

#include "appglobals.h"
#include "filecommands.h"
#include "linkstate.h"
#include "platform.h"
#include "radiobackup.h"
#include "serialdevices.h"
#include "transactions.h"
#include "windowservices.h"

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
    s_running = true;
    struct Running {
        ~Running() { s_running = false; }
    } running;

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

    const bool ok = RunTransaction(command);

    if (ok) {
        if (!texts.write)
            KeepReadBackup(platform().clock->localTime(), command != RadioCommand::ReadGroup);
        SetRightPaneView();
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
    return ok;
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
