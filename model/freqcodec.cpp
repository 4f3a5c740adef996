#include "freqcodec.h"

#include "cellundo.h"
#include "layout.h"
#include "numtext.h"
#include "platform.h"

#include <algorithm>

namespace
{

const char *const FreqPattern = "###.00000";
const char *const CRLF = "\r\n";
const char *const FallbackExample = "161.40000";
constexpr long long FirstBandStep = (FreqBandLowHz - FreqBaseHz) / FreqStepHz; // 28 800
constexpr long long LastBandStep = (FreqBandHighHz - FreqBaseHz) / FreqStepHz; // 59 200

bool onlyDigitsAndPoints(const std::string &text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char ch) { return (ch >= '0' && ch <= '9') || ch == '.'; });
}

std::string bandText(long long steps)
{
    if (steps == 0)
        return std::string();
    if (steps < FirstBandStep || steps > LastBandStep)
        return "?";
    return BytesToFreq(static_cast<int>(steps / 256), static_cast<int>(steps % 256));
}

long long storedSteps(const MemMapImage &mm, int page, int offset)
{
    return mm.get(page, offset) * 256 + mm.get(page, offset + 1);
}

void storeFreq(MemMapImage &mm, int page, int offset, FreqBytes bytes)
{
    mm.set(page, offset, bytes.high);
    mm.set(page, offset + 1, bytes.low);
}

int chanFreqOffset(int chan, bool isReceive)
{
    return Layout::ChanRecord(chan) + (isReceive ? Layout::ChRxFreq : Layout::ChTxFreq);
}

// Nearest multiple of step; on a tie the lower one. Then held inside the band.
long long nearestMultiple(long long hz, long long step)
{
    const long long lower = hz / step * step;
    const long long upper = lower + step;
    const long long nearest = hz - lower <= upper - hz ? lower : upper;
    return std::clamp(nearest, FreqBandLowHz, FreqBandHighHz);
}

std::string formatPrompt(const std::string &text, const std::string &example)
{
    return "You attempted to enter a frequency of '" + text + "'." + CRLF + CRLF +
           "Please enter a valid frequency in MHz in" + CRLF + "the range of " +
           FormatNumber(FreqBandLowMHz, FreqPattern) + " and " +
           FormatNumber(FreqBandHighMHz, FreqPattern) + CRLF +
           "Frequencies must be divisible by 2.5kHz or 6.25kHz." + CRLF +
           "Consult your owners manual for details." + CRLF + "(example: " + example + ")";
}

bool meansNoFrequency(const std::string &text)
{
    return text.empty() || NumericValue(text) == 0;
}

} // namespace

FreqBytes FreqToBytes(double mhz)
{
    const long long steps =
        std::clamp(RoundHalfEven((mhz * 1e6 - FreqBaseHz) / FreqStepHz), 0LL, 65535LL);
    return {static_cast<std::uint8_t>(steps / 256), static_cast<std::uint8_t>(steps % 256)};
}

std::string BytesToFreq(int high, int low)
{
    const long long steps = (high & 0xFF) * 256 + (low & 0xFF);
    return FormatNumber(static_cast<double>(steps * FreqStepHz + FreqBaseHz) / 1e6, FreqPattern);
}

std::string GetChanFreq(const MemMapImage &mm, int group, int chan, bool isReceive)
{
    const long long steps =
        storedSteps(mm, Layout::GroupPage(group), chanFreqOffset(chan, isReceive));
    return steps == 0 ? "Inactive" : bandText(steps);
}

void SetChanFreq(MemMapImage &mm, int group, int chan, bool isReceive, const std::string &text)
{
    const FreqBytes bytes =
        onlyDigitsAndPoints(text) ? FreqToBytes(NumericValue(text)) : FreqBytes{0, 0};
    storeFreq(mm, Layout::GroupPage(group), chanFreqOffset(chan, isReceive), bytes);
}

std::string GetNullFreqSub(const MemMapImage &mm)
{
    const long long steps = storedSteps(mm, Layout::GlobalPage, Layout::GlbNullFreq);
    return steps == 0 ? "0.0" : bandText(steps);
}

void SetNullFreqSub(MemMapImage &mm, const std::string &text)
{
    const double mhz = NumericValue(text);
    const long long hz = RoundHalfEven(mhz * 1e6);
    const bool inBand = mhz != 0 && hz >= FreqBandLowHz && hz <= FreqBandHighHz;
    const FreqBytes bytes =
        inBand && onlyDigitsAndPoints(text) ? FreqToBytes(mhz) : FreqBytes{0, 0};
    storeFreq(mm, Layout::GlobalPage, Layout::GlbNullFreq, bytes);
}

bool IsValidFreq(std::string &text)
{
    // Three digits, optionally followed by a point and more digits.
    if (text.size() < 3)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const bool ok = i == 3 ? ch == '.' : (ch >= '0' && ch <= '9');
        if (!ok)
            return false;
    }

    const double mhz = NumericValue(text);
    if (mhz < FreqBandLowMHz || mhz > FreqBandHighMHz)
        return false;

    const long long hz = RoundHalfEven(mhz * 1e6);
    if (hz % 2500 == 0 || hz % 6250 == 0)
        return true;

    const long long by6250 = nearestMultiple(hz, 6250);
    const long long by2500 = nearestMultiple(hz, 2500);
    const long long snapped = std::llabs(by6250 - hz) < std::llabs(by2500 - hz) ? by6250 : by2500;
    text = FormatNumber(static_cast<double>(snapped) / 1e6, FreqPattern);
    return true;
}

std::optional<std::string> AcceptedFreq(const std::string &text)
{
    std::string work = UpperCase(text);
    if (meansNoFrequency(work))
        return std::string("Inactive");
    if (!IsValidFreq(work))
        return std::nullopt;
    return FormatNumber(NumericValue(work), FreqPattern);
}

std::string ValidateFreqWithExample(const std::string &text, std::string &example)
{
    if (const std::optional<std::string> accepted = AcceptedFreq(text))
        return *accepted;

    // What Cancel gives back: the field as it was before this edit.
    std::string before = example;
    const std::string onCancel = meansNoFrequency(before) || !IsValidFreq(before)
                                     ? "Inactive"
                                     : FormatNumber(NumericValue(before), FreqPattern);

    std::string work = UpperCase(text);
    for (;;) {
        if (!IsValidFreq(example))
            example = FallbackExample;
        Dialogs *dialogs = platform().dialogs;
        const std::optional<std::string> answer =
            dialogs ? dialogs->input(formatPrompt(work, example), "FORMAT ERROR", example)
                    : std::nullopt;
        if (!answer)
            return onCancel;
        if (const std::optional<std::string> accepted = AcceptedFreq(*answer))
            return *accepted;
        work = UpperCase(*answer);
    }
}

std::string ValidateFreq(const std::string &text, const std::string &side)
{
    (void)side;
    return ValidateFreqWithExample(text, CellUndoText.freq);
}

std::string ValidateNullFreqSub(const std::string &text, const std::string &savedText)
{
    std::string example = savedText;
    const std::string result = ValidateFreqWithExample(text, example);
    return result == "Inactive" ? "0.0" : result;
}

TextFieldEdit EditNullFreqSub(MemMapImage &mm, const std::string &text,
                              const std::string &savedText)
{
    if (text == GetNullFreqSub(mm))
        return {false, text};
    return StoreFieldEdit(mm, ValidateNullFreqSub(text, savedText), SetNullFreqSub);
}
