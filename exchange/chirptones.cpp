#include "chirptones.h"

#include "fixedtext.h"
#include "numtext.h"
#include "textlimits.h"

#include <algorithm>
#include <cstdio>

namespace
{

// What CHIRP writes in the tone columns a channel does not use.
constexpr const char *UnusedTone = "88.5";
constexpr const char *UnusedCode = "023";
constexpr const char *UnusedCross = "Tone->Tone";

constexpr long long MinToneTenths = 670;
constexpr long long MaxToneTenths = 2503;
constexpr int MinDcsCode = 23;
constexpr int MaxDcsCode = 754;

enum class GuardKind { None, Tone, Dcs };

struct Guard {
    GuardKind kind = GuardKind::None;
    long long tenths = 0; // a tone in 0.1 Hz
    std::string code;     // a code's three octal digits
    bool inverted = false;
};

// Tone modes whose kinds follow from the mode alone.
struct ToneMode {
    const char *text;
    GuardKind tx;
    GuardKind rx;
};
constexpr ToneMode ToneModes[] = {
    {"", GuardKind::None, GuardKind::None},
    {"Tone", GuardKind::Tone, GuardKind::None},
    {"TSQL", GuardKind::Tone, GuardKind::Tone},
    {"DTCS", GuardKind::Dcs, GuardKind::Dcs},
};

constexpr ToneMode CrossModes[] = {
    {"Tone->Tone", GuardKind::Tone, GuardKind::Tone},
    {"Tone->DTCS", GuardKind::Tone, GuardKind::Dcs},
    {"DTCS->Tone", GuardKind::Dcs, GuardKind::Tone},
    {"DTCS->", GuardKind::Dcs, GuardKind::None},
    {"->Tone", GuardKind::None, GuardKind::Tone},
    {"->DTCS", GuardKind::None, GuardKind::Dcs},
    {"DTCS->DTCS", GuardKind::Dcs, GuardKind::Dcs},
    // Never written (that is "Tone"), but read.
    {"Tone->", GuardKind::Tone, GuardKind::None},
};

bool SameText(const std::string &a, const std::string &b)
{
    return UpperCase(a) == UpperCase(b);
}

const ToneMode *FindMode(const ToneMode *first, const ToneMode *last, const std::string &text)
{
    const ToneMode *found =
        std::find_if(first, last, [&](const ToneMode &m) { return SameText(text, m.text); });
    return found == last ? nullptr : found;
}

Guard GuardOfText(const std::string &text)
{
    Guard guard;
    if (!text.empty() && text[0] == 'D') {
        guard.kind = GuardKind::Dcs;
        guard.code = text.substr(1, 3);
        guard.inverted = text.back() == '-';
        return guard;
    }
    guard.tenths = RoundHalfEven(NumericValue(text) * 10);
    if (guard.tenths != 0)
        guard.kind = GuardKind::Tone;
    return guard;
}

std::string TextOfGuard(const Guard &guard)
{
    switch (guard.kind) {
    case GuardKind::Tone: {
        char text[48];
        std::snprintf(text, sizeof text, "%03lld.%lld", guard.tenths / 10, guard.tenths % 10);
        return text;
    }
    case GuardKind::Dcs:
        return "D" + guard.code + (guard.inverted ? "-" : "");
    case GuardKind::None:
        break;
    }
    return "000.0";
}

std::string ReadTone(const std::string &text, Guard &guard)
{
    const std::optional<long long> tenths = ParseFixed(text, 1);
    if (!tenths || *tenths < MinToneTenths || *tenths > MaxToneTenths)
        return "tone '" + Excerpt(text) + "' is not one the radio has";
    guard.kind = GuardKind::Tone;
    guard.tenths = *tenths;
    return {};
}

std::string ReadCode(const std::string &text, char polarity, Guard &guard)
{
    const bool octal =
        !text.empty() && text.size() <= 3 &&
        std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '7'; });
    const std::string code = octal ? std::string(3 - text.size(), '0') + text : std::string();
    if (!octal || std::stoi(code) < MinDcsCode || std::stoi(code) > MaxDcsCode)
        return "DCS code '" + Excerpt(text) + "' is not one the radio has";
    if (polarity != 'N' && polarity != 'R')
        return "DCS polarity is not N or R";
    guard.kind = GuardKind::Dcs;
    guard.code = code;
    guard.inverted = polarity == 'R';
    return {};
}

} // namespace

ChirpTones TonesOfGuards(const std::string &txGuard, const std::string &rxGuard)
{
    const Guard tx = GuardOfText(txGuard);
    const Guard rx = GuardOfText(rxGuard);
    ChirpTones tones{"", UnusedTone, UnusedTone, UnusedCode, "", UnusedCode, UnusedCross};
    tones.polarity = {tx.inverted ? 'R' : 'N', rx.inverted ? 'R' : 'N'};
    if (tx.kind == GuardKind::Tone)
        tones.rTone = FixedText(tx.tenths, 1);
    if (rx.kind == GuardKind::Tone)
        tones.cTone = FixedText(rx.tenths, 1);
    if (tx.kind == GuardKind::Dcs)
        tones.code = tx.code;
    if (rx.kind == GuardKind::Dcs)
        tones.rxCode = rx.code;

    // "TSQL" and "DTCS" need one tone or one code both ways.
    const bool alike = tx.kind == GuardKind::Tone ? tx.tenths == rx.tenths : tx.code == rx.code;
    for (const ToneMode &m : ToneModes) {
        if (m.tx == tx.kind && m.rx == rx.kind && (m.tx != m.rx || alike)) {
            tones.mode = m.text;
            return tones;
        }
    }
    tones.mode = "Cross";
    for (const ToneMode &m : CrossModes) {
        if (m.tx == tx.kind && m.rx == rx.kind) {
            tones.cross = m.text;
            break;
        }
    }
    return tones;
}

std::string GuardsOfTones(const ChirpTones &tones, std::string &txGuard, std::string &rxGuard)
{
    const bool cross = SameText(tones.mode, "Cross");
    const ToneMode *mode = cross
                               ? FindMode(std::begin(CrossModes), std::end(CrossModes), tones.cross)
                               : FindMode(std::begin(ToneModes), std::end(ToneModes), tones.mode);
    if (!mode)
        return cross ? "cross mode '" + Excerpt(tones.cross) + "' is not one the radio has"
                     : "tone mode '" + Excerpt(tones.mode) + "' is not one the radio has";

    const std::string polarity = tones.polarity.empty() ? "NN" : tones.polarity;
    const char txPolarity = polarity.size() == 2 ? polarity[0] : '?';
    const char rxPolarity = polarity.size() == 2 ? polarity[1] : '?';
    // "TSQL" sends the tone it listens for; "DTCS" the code.
    const std::string &txTone = SameText(tones.mode, "TSQL") ? tones.cTone : tones.rTone;
    const std::string &rxCode = cross ? tones.rxCode : tones.code;
    Guard tx;
    Guard rx;
    std::string why;
    if (mode->tx == GuardKind::Tone)
        why = ReadTone(txTone, tx);
    if (mode->tx == GuardKind::Dcs)
        why = ReadCode(tones.code, txPolarity, tx);
    if (why.empty() && mode->rx == GuardKind::Tone)
        why = ReadTone(tones.cTone, rx);
    if (why.empty() && mode->rx == GuardKind::Dcs)
        why = ReadCode(rxCode, rxPolarity, rx);
    if (!why.empty())
        return why;
    txGuard = TextOfGuard(tx);
    rxGuard = TextOfGuard(rx);
    return {};
}
