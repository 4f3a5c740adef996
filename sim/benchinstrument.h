#pragma once

// The virtual bench as a test set that speaks SCPI: a counter, power meter, deviation meter
// and SINAD meter reading the radio, and a signal generator feeding it. Meters settle after a
// change like real ones and carry a little noise; time comes from the clock given, so tests
// run it on a fake one. Lines in, replies out: a socket server or a test feeds it.

#include "benchmodel.h"

#include <cmath>
#include <deque>
#include <random>
#include <string>

class Clock;

class BenchInstrument
{
public:
    // Watches radio's commands through the bench; both must outlive it.
    BenchInstrument(RadioBench &bench, VirtualRadio &radio, Clock &clock);
    ~BenchInstrument();
    BenchInstrument(const BenchInstrument &) = delete;
    BenchInstrument &operator=(const BenchInstrument &) = delete;

    // One line of program messages, separated by ";". True when it asked something; reply
    // then holds the answers, separated by ";".
    bool Handle(const std::string &line, std::string &reply);
    // Notes what the meters now see; after anything that may change the radio or the bench.
    void Track();
    void Preset();

    double noiseScale = 1.0; // 0: exact readings
    std::string identity = "ZPA,TB-1 Virtual Test Set,000001,1.0";

    // What the bench's test set is set to.
    bool transmitMode = false; // CONFigure:MODE TX: the RF port measures the radio
    bool outputOn = false;
    double generatorHz = 150e6;
    double generatorDbm = -127.0;
    double deviationHz = 0.0;
    double toneHz = 1000.0;

    // Time constants of the meters, seconds.
    static constexpr double CounterSettle = 0.02;
    static constexpr double PowerSettle = 0.1;
    static constexpr double DeviationSettle = 0.1;
    static constexpr double SinadSettle = 0.2;

private:
    // A first-order meter: after a step it moves from the old reading to the new value.
    struct Meter {
        double tau;
        double from = NAN;
        double target = NAN;
        double since = 0.0;
        double Value(double now) const;
        void Follow(double value, double now);
    };

    bool Execute(const std::string &message, std::string &reply);
    bool Error(const std::string &text); // queues it; false
    void ApplyGenerator();
    double Read(Meter &meter, bool available, double sigma, double relative);

    RadioBench &m_bench;
    VirtualRadio &m_radio;
    Clock &m_clock;
    Meter m_counter{CounterSettle};
    Meter m_power{PowerSettle};
    Meter m_deviation{DeviationSettle};
    Meter m_sinad{SinadSettle};
    std::deque<std::string> m_errors;
    std::mt19937 m_noise{20261207};
};
