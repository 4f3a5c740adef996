#pragma once

// `tessaro tune ...` with the host's serial port, clock, files and test sets.
int RunTuneCommand(int argc, char **argv);
