#include "gridfill.h"

#include "chanrecord.h"
#include "dialogs.h"
#include "freqcodec.h"
#include "gridedit.h"
#include "numtext.h"
#include "platform.h"

#include <cstdlib>

std::optional<long long> ParseStepKHz(const std::string &text)
{
    std::string work = UpperCase(TrimBlanks(text));
    if (work.size() > 3 && work.compare(work.size() - 3, 3, "KHZ") == 0)
        work = TrimBlanks(work.substr(0, work.size() - 3));
    const bool negative = !work.empty() && work[0] == '-';
    const std::string digits = work.substr(negative || (!work.empty() && work[0] == '+') ? 1 : 0);
    int points = 0, figures = 0;
    for (const char ch : digits) {
        if (ch == '.')
            ++points;
        else if (ch >= '0' && ch <= '9')
            ++figures;
        else
            return std::nullopt;
    }
    if (figures == 0 || points > 1)
        return std::nullopt;
    const long long hz = RoundHalfEven(std::strtod(digits.c_str(), nullptr) * 1000.0);
    return negative ? -hz : hz;
}

bool FillSeries(MemMapImage &mm, int group, int col, int first, int last, const std::string &start,
                long long stepHz)
{
    // A cancelled re-prompt calls the fill off rather than starting from some other value.
    std::string example;
    const std::optional<std::string> accepted = AcceptedFreq(start);
    const std::string from = accepted ? *accepted : ValidateFreqWithExample(start, example);
    if (from == "Inactive")
        return false;
    const MemMapImage before = mm;
    const long long startHz = RoundHalfEven(NumericValue(from) * 1e6);
    for (int chan = first; chan <= last; ++chan) {
        const long long hz = startHz + (chan - first) * stepHz;
        const std::string text = FormatNumber(static_cast<double>(hz) / 1e6, "###.00000");
        if (hz < FreqBandLowHz || hz > FreqBandHighHz) {
            platform().dialogs->message("The fill stopped at channel " + std::to_string(chan + 1) +
                                            ": " + text + " MHz is outside the band of " +
                                            std::to_string(FreqBandLowHz / 1000000) + " to " +
                                            std::to_string(FreqBandHighHz / 1000000) + " MHz.",
                                        FillCaption, MsgButtons::Ok, MsgIcon::Information);
            break;
        }
        SaveGridCell(mm, group, chan, col, ValidateGridCell(text, col));
    }
    return mm != before;
}

bool StoreIntoCells(MemMapImage &mm, int group, int col, int first, int last,
                    const std::string &typed)
{
    const MemMapImage before = mm;
    const std::string text = ValidateGridCell(typed, col);
    for (int chan = first; chan <= last; ++chan)
        SaveGridCell(mm, group, chan, col, text);
    return mm != before;
}
