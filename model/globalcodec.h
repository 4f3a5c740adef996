#pragma once

// The radio-wide options packed into the global page: decoders give the exact text the
// editor shows or prints, encoders rewrite only their own bits.

#include "memmap.h"

#include <string>

// Switch assignment codes: 0 "Keypad", 3 "Always OFF", 4 "Always ON", 5 "Right Toggle",
// 6 "Center Toggle", 7 "Left Toggle"; 1 and 2 have no name ("?").
std::string ToggleCodeToText(int code);
// Any text that is not a code's name gives 3.
int TextToToggleCode(const std::string &text);

// Switch 0 "Low Power", 1 "Channel Scan", 2 "Priority Scan", 3 "Repeater Talk Around",
// 4 "Group Scan".
constexpr int ToggleSwitches = 5;
std::string GetToggleAssign(const MemMapImage &mm, int index);
void SetToggleAssign(MemMapImage &mm, int index, const std::string &text);

// "dd.dd.ddd" from the seven serial number bytes, "N/A" when it is all zeros.
std::string GetEmbeddedSN(const MemMapImage &mm);

std::string GetDTMFDev(const MemMapImage &mm);
void SetDTMFDev(MemMapImage &mm, const std::string &text);
std::string GetFrontPorch(const MemMapImage &mm);
void SetFrontPorch(MemMapImage &mm, const std::string &text);
// "10 Characters Per Second" or "20 Characters Per Second".
std::string GetANIRate(const MemMapImage &mm);
void SetANIRate(MemMapImage &mm, const std::string &text);
// "#.00 Seconds": the first rate reads ".25 Seconds".
std::string GetPriRate(const MemMapImage &mm);
void SetPriRate(MemMapImage &mm, const std::string &text);

// "Enabled" / "Disabled"; the setters enable on any text containing "ENABLE" (any case).
std::string GetFreqDisp(const MemMapImage &mm);
void SetFreqDisp(MemMapImage &mm, const std::string &text);
std::string GetPerChanPower(const MemMapImage &mm);
void SetPerChanPower(MemMapImage &mm, const std::string &text);
std::string GetTalkbackScan(const MemMapImage &mm);
void SetTalkbackScan(MemMapImage &mm, const std::string &text);
std::string GetNuisanceChanDel(const MemMapImage &mm);
void SetNuisanceChanDel(MemMapImage &mm, const std::string &text);

bool GetSilentMode(const MemMapImage &mm);
void SetSilentMode(MemMapImage &mm, bool on);
bool GetTxOnPri1(const MemMapImage &mm);
void SetTxOnPri1(MemMapImage &mm, bool on);

std::string GetBackLight(const MemMapImage &mm);
// Texts other than the four modes change nothing.
void SetBackLight(MemMapImage &mm, const std::string &text);
std::string GetBackLightDuration(const MemMapImage &mm);
void SetBackLightDuration(MemMapImage &mm, const std::string &text);

// priority is 1 or 2.
std::string GetPriGroup(const MemMapImage &mm, int priority);
void SetPriGroup(MemMapImage &mm, int priority, const std::string &text);
std::string GetPriChannel(const MemMapImage &mm, int priority);
void SetPriChannel(MemMapImage &mm, int priority, const std::string &text);

std::string GetUCGFeature(const MemMapImage &mm);
void SetUCGFeature(MemMapImage &mm, const std::string &text);
std::string GetScanHold(const MemMapImage &mm);
void SetScanHold(MemMapImage &mm, const std::string &text);
std::string GetTxTimeout(const MemMapImage &mm);
void SetTxTimeout(MemMapImage &mm, const std::string &text);
std::string GetBatterySaver(const MemMapImage &mm);
void SetBatterySaver(MemMapImage &mm, const std::string &text);
std::string GetBusyChanMode(const MemMapImage &mm);
void SetBusyChanMode(MemMapImage &mm, const std::string &text);
std::string GetAniDtmfMode(const MemMapImage &mm);
void SetAniDtmfMode(MemMapImage &mm, const std::string &text);
// "User Select" / "Locked Out".
std::string GetPri1Selection(const MemMapImage &mm);
void SetPri1Selection(MemMapImage &mm, const std::string &text);
std::string GetScanListSelection(const MemMapImage &mm);
void SetScanListSelection(MemMapImage &mm, const std::string &text);

// What a choice in the back light or duration list changed. The two follow each other:
// back light "OFF" turns the duration off, any other mode turns a duration of "OFF" into
// "1 Second", and a duration turns a back light of "OFF" into "Keypress & Display Change";
// duration "OFF" also turns the back light off, so that one is never on without the other.
struct DisplayOptsChange {
    bool backLight = false;
    bool duration = false;
};
DisplayOptsChange ChooseBackLight(MemMapImage &mm, const std::string &text);
DisplayOptsChange ChooseBackLightDuration(MemMapImage &mm, const std::string &text);
