#pragma once

// The test set driven through a profile: each typed measurement or setting becomes the
// profile's SCPI lines on the instrument, with the set-up sequence sent when the kind of
// measurement changes, and the instrument's error queue read after settings when the
// profile names the query.

#include "instrumentprofile.h"
#include "testset.h"

class Instrument;

class ProfileTestSet : public TestSet
{
public:
    // The instrument is connected by the caller and outlives this.
    ProfileTestSet(Instrument &instrument, InstrumentProfile profile);

    bool identify(std::string &identity) override;
    bool preset() override;
    bool counterFrequencyHz(double &hz) override;
    bool rfPowerW(double &watts) override;
    bool fmDeviationHz(double &hz) override;
    bool sinadDb(double &db) override;
    bool setGeneratorFrequencyHz(double hz) override;
    bool setGeneratorLevelDbm(double dbm) override;
    bool setGeneratorModulation(double deviationHz, double toneHz) override;
    bool setGeneratorOutput(bool on) override;
    std::string lastErrorText() const override { return m_error; }

    const InstrumentProfile &profile() const { return m_profile; }

private:
    struct Value {
        const char *name;
        double number;
    };
    bool Measure(const ProfileMeasurement &m, const char *what, double &value);
    bool Setup(const std::vector<std::string> &setup);
    bool Send(const std::vector<std::string> &lines, std::initializer_list<Value> values);
    bool CheckErrors(const std::string &after);

    Instrument &m_instrument;
    InstrumentProfile m_profile;
    const std::vector<std::string> *m_setup = nullptr; // the set-up last sent
    std::string m_error;
};

// The reading in an instrument's reply: the first number in it; false for none or SCPI's
// "no reading" (9.91E37).
bool ParseReading(const std::string &reply, double &value);
