#pragma once

// Running the jobs: one radio in this process, or one worker process per radio (the link's
// state is program-wide) with the tool showing their progress and collecting their results.

#include "cliargs.h"
#include "clihost.h"

JobRequest RequestFor(const CliCommand &command, const std::string &port);

int RunInProcess(const CliCommand &command, CliWindow &window);
// The worker's side: "P <permille> <status>" lines while working, then "R <json>".
int RunWorker(const CliCommand &command, CliWindow &window);
int RunWorkers(const CliCommand &command);
