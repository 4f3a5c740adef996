#pragma once

// CHIRP's tone modes against the radio's two channel guards. Guards are the radio's texts
// ("000.0", "088.5", "D023", "D023-"); the tone columns are CHIRP's.

#include <string>

// The seven tone columns of a CHIRP row.
struct ChirpTones {
    std::string mode;     // Tone: "", "Tone", "TSQL", "DTCS" or "Cross"
    std::string rTone;    // rToneFreq: the transmit tone
    std::string cTone;    // cToneFreq: the receive tone, and the tone of "TSQL"
    std::string code;     // DtcsCode: the transmit code, and the code of "DTCS"
    std::string polarity; // DtcsPolarity: "N" or "R" for transmit, then for receive
    std::string rxCode;   // RxDtcsCode: the receive code of "Cross"
    std::string cross;    // CrossMode: "Tone->DTCS" and the like
};

// The columns for a transmit and a receive guard, with CHIRP's fillers in unused ones.
ChirpTones TonesOfGuards(const std::string &txGuard, const std::string &rxGuard);

// The guards a row's tone columns give; returns why not when the radio has no such guards
// (a tone outside 67.0-250.3 Hz, a code outside D023-D754, a mode such as "TSQL-R").
std::string GuardsOfTones(const ChirpTones &tones, std::string &txGuard, std::string &rxGuard);
