#pragma once

#include "serialportlist.h"

// What the tool prints: the results as a table or JSON, the differences, and the progress of
// each radio (bars on a terminal, plain lines otherwise).

#include "cliargs.h"

#include <string>
#include <vector>

// One line of JSON for a radio's result, and back (for the results of worker processes).
std::string ResultToJson(const JobResult &result);
JobResult ResultFromJson(const std::string &json);

// `tessaro ports --json`: an array with one object per row, the table's columns as keys.
std::string SerialPortsJson(const std::vector<SerialPortRow> &rows, const std::string &user);

// Prints every result and returns the exit status they make.
int PrintResults(const CliCommand &command, const std::vector<JobResult> &results);

int RunDiff(const CliCommand &command);

// The rate chosen in the editor's Options menu (the Tune pages run at it).
long RestoredBaudRate();

class ProgressBoard
{
public:
    // A quiet board shows nothing (a detect is over in a second).
    ProgressBoard(const std::vector<std::string> &ports, bool quiet);
    void update(std::size_t radio, double share, const std::string &status);
    // Keeps a radio's bar where it stopped and says why.
    void mark(std::size_t radio, const std::string &status);
    // Leaves the bars as they are and moves below them.
    void finish();

private:
    void draw();

    std::vector<std::string> m_ports;
    std::vector<double> m_share;
    std::vector<std::string> m_status;
    std::vector<int> m_lastStep; // plain lines: the last quarter printed
    bool m_quiet;
    bool m_terminal;
    bool m_drawn = false;
};
