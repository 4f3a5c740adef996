#pragma once

// A test bench around the virtual radio: the alignment firmware's test commands, and the
// instruments a technician reads (counter, power meter, deviation meter, SINAD meter, the
// tuning voltage) following the radio's alignment cells and the bench's own knobs.

#include "virtualradio.h"

#include <string>

class RadioBench
{
public:
    // Teaches radio the test commands; the bench must outlive it.
    explicit RadioBench(VirtualRadio &radio);

    // Gives a radio's alignment cells the values of a unit that left the factory a little out
    // of alignment, so each procedure has something to correct.
    static void SeedAlignmentCells(std::vector<std::uint8_t> &eeprom);

    // Knobs of the bench.
    double crystalErrorPpm = 0.0; // the radio's reference oscillator error
    double coilVolts = 0.6;       // T1's effect on the tuning voltage; 0 is the right setting
    double rfLevelUv = 1000.0;    // signal generator level into the receiver
    int noiseStreamBytes = 96;    // bytes the radio sends per noise request

    // The signal generator feeding the receiver: the test set's, or rfLevelUv alone.
    bool generatorOn = true;
    double generatorHz = -1.0;          // -1: on channel 1's receive frequency
    double generatorDeviationHz = -1.0; // -1: the channel's standard test deviation
    double generatorToneHz = 1000.0;

    // Faults that keep a radio from reaching a limit.
    double powerCeilingW = 8.0;        // the PA gives no more
    double deviationCeilingKHz = 10.0; // the modulator clips here
    double sensitivityLossDb = 0.0;    // a deaf receiver

    // What the test commands have set in the radio.
    bool rxPath = false;
    bool transparentTX = false;
    int testSource = 0;
    int pot[2] = {0, 0};
    int curveDAC = -1; // -1: the power DAC cells rule
    long commandsSeen = 0;

    // Instruments.
    double counterHz() const;
    double tuningVolts() const;
    int tuningA2D() const;
    int noiseLevel() const;
    double powerWatts() const;
    double deviationKHz() const;
    double sinadDb() const;
    // One line with every instrument, as the simulator prints it.
    std::string Readout() const;

    // Channel 1's frequencies in MHz and whether it is narrow band / low power.
    double chanMHz(bool rx) const;
    bool chanFlag(int offset, int mask) const;

private:
    int Cell(int address) const { return m_radio.eeprom[static_cast<std::size_t>(address)]; }
    int Cell16(int address) const { return Cell(address) * 256 + Cell(address + 1); }

    VirtualRadio &m_radio;
};
