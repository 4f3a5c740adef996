#pragma once

#include <string>

// The test set as the automatic alignment sees it: typed measurements and generator
// settings, each mapped onto the instrument's own commands by a profile. A call that fails
// (instrument silent or lost, unreadable reply) returns false and says why in lastErrorText().
class TestSet
{
public:
    virtual ~TestSet() = default;

    virtual bool identify(std::string &identity) = 0; // the *IDN? reply
    virtual bool preset() = 0;

    // Receiver side of the set: what the radio transmits.
    virtual bool counterFrequencyHz(double &hz) = 0;
    virtual bool rfPowerW(double &watts) = 0;
    virtual bool fmDeviationHz(double &hz) = 0;
    // SINAD of the radio's audio output while the generator feeds it.
    virtual bool sinadDb(double &db) = 0;

    // Generator side: what the radio receives.
    virtual bool setGeneratorFrequencyHz(double hz) = 0;
    virtual bool setGeneratorLevelDbm(double dbm) = 0;
    virtual bool setGeneratorModulation(double deviationHz, double toneHz) = 0;
    virtual bool setGeneratorOutput(bool on) = 0;

    virtual std::string lastErrorText() const = 0;
};
