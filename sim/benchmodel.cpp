#include "benchmodel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace
{

constexpr double VoltsPerCount = 0.017492578125;
constexpr int Chan1Slot = 0x0500;

// Coarse-tune values that put the tuning voltage at 2.0 V, and their cells.
struct CoarsePoint {
    int cell;
    int ideal;
};
constexpr CoarsePoint RxHigh{0x0303, 16000};
constexpr CoarsePoint TxLow{0x030A, 9000};
constexpr CoarsePoint TxHigh{0x030C, 24000};

// Gains that give the target noise reading (249) at 8 dB SINAD, and the ideal front-end slope.
constexpr int NarrowSquelchIdeal = 0x70;
constexpr int WideSquelchIdeal = 0x88;
constexpr int FESIdeal = 17500;
constexpr double SinadUvFor8dB = 0.35;

// Curves a little off the bench's targets: power DAC 560, 700, 700, 760 (exponent base 1) and
// potentiometer 110, 140, 140, 150 (base 8) at the four curve frequencies.
constexpr std::uint8_t PowerCurveSeed[] = {0xFD, 0x22, 0xC8, 0x34, 0xF8, 0x9E, 0x9E, 0x39, 0x2B};
constexpr std::uint8_t ModCurveSeed[] = {0x02, 0x1B, 0x50, 0x2C, 0xA8, 0xAF, 0xD1, 0x2D, 0xBC};

double Clamp(double value, double low, double high)
{
    return std::max(low, std::min(high, value));
}

double BandPosition(double mhz)
{
    return Clamp((mhz - 136.0) / 38.0, 0.0, 1.0);
}

} // namespace

RadioBench::RadioBench(VirtualRadio &radio) : m_radio(radio)
{
    auto ack = [this](auto action) {
        return [this, action](VirtualRadio &, const std::vector<std::uint8_t> &args) {
            ++commandsSeen;
            action(args);
            return std::vector<std::uint8_t>{VirtualRadio::Ack};
        };
    };
    using Args = const std::vector<std::uint8_t> &;
    radio.addCommand(0x32, 0, ack([this](Args) {
                         rxPath = true;
                         transparentTX = false;
                     }));
    radio.addCommand(0xF3, 0, ack([this](Args) { transparentTX = true; }));
    radio.addCommand(0xF4, 0, ack([this](Args) {
                         transparentTX = false;
                         curveDAC = -1;
                     }));
    radio.addCommand(0xF9, 1, ack([this](Args a) { testSource = a[0]; }));
    radio.addCommand(0xF8, 2, ack([this](Args a) { pot[a[0] & 1] = a[1]; }));
    radio.addCommand(0xFB, 3, ack([this](Args a) { curveDAC = a[0] * 256 + a[1]; }));
    radio.addCommand(0xFA, 1, [this](VirtualRadio &, Args a) {
        ++commandsSeen;
        const int value = a[0] == 5 ? tuningA2D() : 0x80;
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>(value)};
    });
    radio.addCommand(0xFD, 0, [this](VirtualRadio &, Args) {
        ++commandsSeen;
        // A little ripple around the level, averaging to it.
        std::vector<std::uint8_t> stream(static_cast<std::size_t>(noiseStreamBytes));
        const int level = noiseLevel();
        for (std::size_t i = 0; i < stream.size(); ++i) {
            const int ripple = (i % 2 == 0) ? 1 : -1;
            stream[i] = static_cast<std::uint8_t>(std::clamp(level + ripple, 0, 255));
        }
        return stream;
    });
}

void RadioBench::SeedAlignmentCells(std::vector<std::uint8_t> &eeprom)
{
    auto put16 = [&eeprom](int address, int value) {
        eeprom[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(value >> 8);
        eeprom[static_cast<std::size_t>(address) + 1] = static_cast<std::uint8_t>(value & 0xFF);
    };
    eeprom[0x000B] = 176;
    eeprom[0x0014] = 112;
    put16(0x001F, 0);
    eeprom[0x0043] = NarrowSquelchIdeal - 12;
    eeprom[0x004C] = WideSquelchIdeal + 10;
    put16(RxHigh.cell, RxHigh.ideal + 500);
    put16(TxLow.cell, TxLow.ideal - 300);
    put16(TxHigh.cell, TxHigh.ideal + 400);
    put16(0x031F, 16000);
    std::copy(std::begin(ModCurveSeed), std::end(ModCurveSeed), eeprom.begin() + 0x0325);
    std::copy(std::begin(PowerCurveSeed), std::end(PowerCurveSeed), eeprom.begin() + 0x032E);
}

double RadioBench::chanMHz(bool rx) const
{
    const int steps = Cell16(Chan1Slot + (rx ? 0 : 8));
    return steps == 0 ? 0.0 : 100.0 + steps * 0.00125;
}

bool RadioBench::chanFlag(int offset, int mask) const
{
    return (Cell(Chan1Slot + offset) & mask) != 0;
}

double RadioBench::counterHz() const
{
    const int raw = Cell16(0x001F);
    const double adjust = raw >= 0x8000 ? raw - 0x10000 : raw;
    return chanMHz(false) * 1e6 * (1.0 + crystalErrorPpm * 1e-6) * (1.0 + adjust / 512e6);
}

double RadioBench::tuningVolts() const
{
    // The coil sets the bottom of the band; the coarse-tune cells bend the top.
    double offset = 0.0;
    double mhz = 0.0;
    if (transparentTX) {
        mhz = chanMHz(false);
        const double p = BandPosition(mhz);
        offset = -((1.0 - p) * (Cell16(TxLow.cell) - TxLow.ideal) +
                   p * (Cell16(TxHigh.cell) - TxHigh.ideal)) /
                 1750.0;
    } else {
        mhz = chanMHz(true);
        offset = -BandPosition(mhz) * (Cell16(RxHigh.cell) - RxHigh.ideal) / 1750.0;
    }
    return Clamp(2.0 + coilVolts + offset, 0.0, 255 * VoltsPerCount);
}

int RadioBench::tuningA2D() const
{
    return static_cast<int>(std::lround(tuningVolts() / VoltsPerCount));
}

double RadioBench::sinadDb() const
{
    const double fes = Cell16(0x031F);
    // Sensitivity at the top of the band falls off as the slope leaves its ideal value.
    const double slopeLoss = BandPosition(chanMHz(true)) * std::pow((fes - FESIdeal) / 2000.0, 2);
    if (!generatorOn || generatorToneHz < 300.0 || generatorToneHz > 3000.0)
        return 0.0; // nothing but noise in the audio band
    double sinad = 8.0 + 20.0 * std::log10(std::max(rfLevelUv, 1e-3) / SinadUvFor8dB);
    sinad -= slopeLoss + sensitivityLossDb;
    const bool narrow = chanFlag(2, 0x08);
    if (generatorHz >= 0.0) {
        // Off the channel the IF filter takes the signal away.
        const double offsetKHz = std::abs(generatorHz - chanMHz(true) * 1e6) / 1e3;
        sinad -= 40.0 * std::pow(offsetKHz / (narrow ? 6.0 : 12.0), 2.0);
    }
    if (generatorDeviationHz >= 0.0) {
        // More deviation, more audio, until the filter clips it.
        const double standard = narrow ? 1500.0 : 3000.0;
        sinad +=
            Clamp(20.0 * std::log10(std::max(generatorDeviationHz, 1.0) / standard), -40.0, 3.0);
    }
    return Clamp(sinad, 0.0, 40.0);
}

int RadioBench::noiseLevel() const
{
    const bool narrow = chanFlag(2, 0x08);
    const int gain = Cell(narrow ? 0x0043 : 0x004C);
    const int ideal = narrow ? NarrowSquelchIdeal : WideSquelchIdeal;
    // More signal, less noise; more gain, less reading (the search lowers the gain on a low one).
    const double level = 249.0 - (gain - ideal) / 2.0 - (sinadDb() - 8.0) * 2.0;
    return static_cast<int>(Clamp(std::lround(level), 0, 255));
}

double RadioBench::powerWatts() const
{
    if (!transparentTX)
        return 0.0;
    const double mhz = chanMHz(false);
    // The curve DAC rules while a curve is taught; otherwise the cell of the channel's level.
    double dac = curveDAC;
    double full = 600.0 + 200.0 * BandPosition(mhz); // DAC value for 5 W
    if (curveDAC < 0) {
        dac = Cell(chanFlag(10, 0x20) ? 0x0014 : 0x000B);
        full = 180.0 + 20.0 * BandPosition(mhz);
    }
    return Clamp(5.0 * std::pow(dac / full, 2.0), 0.0, std::min(8.0, powerCeilingW));
}

double RadioBench::deviationKHz() const
{
    if (!transparentTX)
        return 0.0;
    const double potFor3k = 120.0 + 40.0 * BandPosition(chanMHz(false));
    return std::min(3.0 * pot[0] / potFor3k, deviationCeilingKHz);
}

std::string RadioBench::Readout() const
{
    char line[256];
    std::snprintf(line, sizeof line,
                  "counter %.6f MHz  power %.2f W  deviation %.2f kHz  SINAD %.1f dB  "
                  "tuning %.3f V",
                  counterHz() / 1e6, powerWatts(), deviationKHz(), sinadDb(), tuningVolts());
    return line;
}
