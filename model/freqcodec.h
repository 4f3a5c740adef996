#pragma once

// Frequencies: a 16-bit step count of 1.25 kHz above 100 MHz, high byte first.

#include "memmap.h"
#include "textfieldedit.h"

#include <cstdint>
#include <optional>
#include <string>

constexpr long long FreqBaseHz = 100000000;
constexpr long long FreqStepHz = 1250;
constexpr long long FreqBandLowHz = 136000000;
constexpr long long FreqBandHighHz = 174000000;
constexpr double FreqBandLowMHz = 136.0;
constexpr double FreqBandHighMHz = 174.0;

struct FreqBytes {
    std::uint8_t high;
    std::uint8_t low;
};

// Step count to the nearest integer (halves to even), limited to what two bytes hold.
FreqBytes FreqToBytes(double mhz);
// "###.00000" MHz text of a stored step count.
std::string BytesToFreq(int high, int low);

// "Inactive" for 0, 0; "?" outside the band.
std::string GetChanFreq(const MemMapImage &mm, int group, int chan, bool isReceive);
// Text of digits and "." only is stored as a frequency, anything else as 0, 0 ("Inactive").
void SetChanFreq(MemMapImage &mm, int group, int chan, bool isReceive, const std::string &text);

// Null frequency substitution: "0.0" for none, "?" outside the band.
std::string GetNullFreqSub(const MemMapImage &mm);
// Only an in-band frequency text is stored; anything else stores none.
void SetNullFreqSub(MemMapImage &mm, const std::string &text);

// Shape, band and raster check; an off-raster frequency in the band is snapped in place.
bool IsValidFreq(std::string &text);

// What ValidateFreq gives without asking: "Inactive" for no frequency, or the "###.00000" text
// of a valid one (snapped to the raster); none for a text that would make it prompt.
std::optional<std::string> AcceptedFreq(const std::string &text);

// Accepted "###.00000" text or "Inactive"; re-prompts through the platform's input dialog
// until the answer is valid. Offers the frequency entry of CellUndoText as the example.
// side ("RX" or "TX") does not change the behaviour.
std::string ValidateFreq(const std::string &text, const std::string &side);

// The same with an explicit example, which may be replaced by a valid one. Cancelling the
// prompt gives back the example as it was on entry instead of clearing the frequency.
std::string ValidateFreqWithExample(const std::string &text, std::string &example);

// The text the null frequency field shows after an edit: ValidateFreq's result, with "0.0"
// for none. savedText is the field's text from before the edit.
std::string ValidateNullFreqSub(const std::string &text, const std::string &savedText);

// The null frequency field's leave rule; savedText is the field's text from when it got the
// focus, offered as the example.
TextFieldEdit EditNullFreqSub(MemMapImage &mm, const std::string &text,
                              const std::string &savedText);
