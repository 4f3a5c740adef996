#pragma once

// A test set on the in-process virtual bench: the counter, power meter, deviation meter and
// SINAD meter read the bench model, and the generator level feeds the radio's receiver.
// Knobs make it weak, silent or a stranger.

#include "benchmodel.h"
#include "testset.h"

#include <cmath>

class BenchTestSet : public TestSet
{
public:
    explicit BenchTestSet(RadioBench &bench) : m_bench(bench) {}

    bool identify(std::string &identity) override { return Give(identity, identityReply); }
    bool preset() override { return Answer(); }
    bool counterFrequencyHz(double &hz) override { return Give(hz, m_bench.counterHz()); }
    bool rfPowerW(double &w) override { return Give(w, m_bench.powerWatts() * powerScale); }
    bool fmDeviationHz(double &hz) override { return Give(hz, m_bench.deviationKHz() * 1000.0); }
    bool sinadDb(double &db) override { return Give(db, m_bench.sinadDb()); }
    bool setGeneratorFrequencyHz(double) override { return Answer(); }
    bool setGeneratorLevelDbm(double dbm) override { return Feed(m_dbm = dbm, m_on); }
    bool setGeneratorModulation(double, double) override { return Answer(); }
    bool setGeneratorOutput(bool on) override { return Feed(m_dbm, m_on = on); }
    std::string lastErrorText() const override { return m_error; }

    std::string identityReply = "ZPA,Virtual Bench,0,1.0";
    double powerScale = 1.0;
    double lossDb = 0.0;  // between the generator and the receiver
    int answersLeft = -1; // -1: never falls silent

private:
    bool Answer()
    {
        if (answersLeft == 0) {
            m_error = "no reply within 2000 ms";
            return false;
        }
        if (answersLeft > 0)
            --answersLeft;
        return true;
    }
    template <typename T, typename V> bool Give(T &out, const V &value)
    {
        out = value;
        return Answer();
    }
    // dBm into 50 ohms as microvolts.
    bool Feed(double dbm, bool on)
    {
        m_bench.rfLevelUv = on ? std::pow(10.0, (dbm - lossDb + 107.0) / 20.0) : 0.0;
        return Answer();
    }

    RadioBench &m_bench;
    double m_dbm = -110.0;
    bool m_on = false;
    std::string m_error;
};
