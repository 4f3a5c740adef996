#pragma once

// The radio-wide options packed into the global page: where each lives and how the numeric
// ones read as text. Encoders rewrite only their own bits. The named options (lists whose
// entries stand for codes) get their texts from their list, see globaloptions.h.

#include "memmap.h"

#include <string>

// The bit fields that hold a code or a flag.
enum class GlobalField {
    LowPowerSwitch,
    ChannelScanSwitch,
    PriorityScanSwitch, // split over two bytes
    TalkAroundSwitch,
    GroupScanSwitch,
    FreqDisp,
    PerChanPower,
    TalkbackScan,
    NuisanceChanDel,
    SilentMode,
    BackLight, // bit 0 on key press, bit 1 on display change
    Duration,
    TxOnPri1,
    BatterySaver,
    BusyChanMode,
    AniDtmfMode,
    Pri1Selection,
    ScanListSelection,
    UcgFeature,
};
int GetGlobalField(const MemMapImage &mm, GlobalField field);
// Values outside the field are held at its ends rather than spilling into other bits.
void SetGlobalField(MemMapImage &mm, GlobalField field, long long value);

// The word several lists and decoders use for an option that is off.
constexpr const char *OffText = "OFF";

// "dd.dd.ddd" from the seven serial number bytes, "N/A" when it is all zeros.
std::string GetEmbeddedSN(const MemMapImage &mm);

// Deviation n x 187.5 Hz, n = 0..26.
constexpr int MaxDtmfSteps = 26;
std::string DtmfDevText(int steps);
std::string GetDTMFDev(const MemMapImage &mm);
void SetDTMFDev(MemMapImage &mm, const std::string &text);
// 30 + 330 n ms, n = 0..3.
std::string FrontPorchText(int n);
std::string GetFrontPorch(const MemMapImage &mm);
void SetFrontPorch(MemMapImage &mm, const std::string &text);
// "10 Characters Per Second" or "20 Characters Per Second".
std::string GetANIRate(const MemMapImage &mm);
void SetANIRate(MemMapImage &mm, const std::string &text);
// "#.00 Seconds": the first rate reads ".25 Seconds".
std::string GetPriRate(const MemMapImage &mm);
void SetPriRate(MemMapImage &mm, const std::string &text);
// n x 0.5 s, n = 0..15.
std::string ScanHoldText(int n);
std::string GetScanHold(const MemMapImage &mm);
void SetScanHold(MemMapImage &mm, const std::string &text);
// Off, or n x 15 s, n = 1..15.
std::string TxTimeoutText(int n);
std::string GetTxTimeout(const MemMapImage &mm);
void SetTxTimeout(MemMapImage &mm, const std::string &text);

bool GetSilentMode(const MemMapImage &mm);
void SetSilentMode(MemMapImage &mm, bool on);
bool GetTxOnPri1(const MemMapImage &mm);
void SetTxOnPri1(MemMapImage &mm, bool on);

// "Group n" of an internal group index, "Channel n" of a channel index (both from 0).
std::string GroupText(int index);
std::string ChannelText(int index);

// priority is 1 or 2.
std::string GetPriGroup(const MemMapImage &mm, int priority);
void SetPriGroup(MemMapImage &mm, int priority, const std::string &text);
// The text of a priority channel byte: off (bit 7), the MAIN channel (bit 6) or a channel.
std::string PriChannelText(int priority, int stored);
std::string GetPriChannel(const MemMapImage &mm, int priority);
void SetPriChannel(MemMapImage &mm, int priority, const std::string &text);
