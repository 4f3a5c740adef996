#pragma once

// The one way radio work reaches the history: the window's radio commands, the Tune screen,
// AutoTune, the file saves and the command-line tool build a RadioEvent and hand it over.
// Nothing here waits on the database.

#include "historyrecorder.h"
#include "memmap.h"
#include "radioevent.h"

#include <string>

// The recorder events go to (none: the history is off) and the bench's name.
void InstallHistory(HistoryRecorder *recorder, const std::string &bench);
HistoryRecorder *InstalledHistory();

// Stamps the event (key, local time, bench, program version; "unknown" for an empty serial;
// the group labels of its image) and queues it. Once per database outage the status bar says that
// events wait.
void RecordRadioEvent(RadioEvent event);

// "1234567" from "12.34.567" or "1234567"; UnknownSerial for "", "N/A" or all zeros.
std::string HistorySerial(const std::string &serialText);

// An event carrying the whole image, with the radio's serial number (when serialKnown: the
// image's global page came from the radio) and the group labels for searching.
RadioEvent ImageEvent(const std::string &kind, const std::string &outcome, const MemMapImage &image,
                      bool serialKnown = true);

inline const std::string HistoryAwayStatus =
    "History database not reachable: events are kept and sent later.....";
