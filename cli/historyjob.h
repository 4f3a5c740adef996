#pragma once

// tessaro history: the radio history from the command line. Lists the radios, one radio's
// timeline, exports the history to a folder or imports an existing Backups folder.

#include "radioevent.h"
#include "sqldatabase.h"

#include <string>
#include <vector>

inline const char HistoryUsage[] =
    "usage: tessaro history [SERIAL] [--json]\n"
    "       tessaro history --export DIR\n"
    "       tessaro history --import BACKUPS\n"
    "\n"
    "Without SERIAL, lists every radio of the history with its newest event; with SERIAL\n"
    "(or a part of a serial number, customer, note, label, file name or date), the timeline\n"
    "of each radio that matches. --json prints the same as JSON.\n"
    "--export writes every stored image as a .tdf file and the events as events.csv.\n"
    "--import adds the backups of a Backups folder as reads of their radios; a backup\n"
    "imported before is not added again.\n"
    "The database is the editor's: the \"History Database\" setting, or the SQLite file in\n"
    "the data folder.\n";

// args: what follows "history". bench: this host's name. Prints to stdout and stderr and
// returns the exit status.
int RunHistoryCommand(const std::vector<std::string> &args, SqlConnector &connector,
                      const std::string &bench);

std::string RadiosJson(const std::vector<RadioSummary> &radios);
std::string TimelineJson(const RadioSummary &radio, const std::vector<RadioEvent> &events);
