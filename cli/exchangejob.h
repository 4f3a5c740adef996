#pragma once

// The export and import verbs: a data file as text, and a text onto a data file. Needs
// platform().files.

#include "cliargs.h"

// Prints the text, or writes it to the -o file.
int RunExport(const CliCommand &command);
// Writes the -o data file only when every value of the text is accepted; otherwise lists
// each refused value on standard error and returns ExitUsage. What a channel list could not
// carry is listed there too, and the rest is written.
int RunImport(const CliCommand &command);
