#include "profiletestset.h"

#include "instrument.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

std::string Format(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string Fill(std::string line, const char *name, double value)
{
    const std::string key = std::string("{") + name + "}";
    for (auto at = line.find(key); at != std::string::npos; at = line.find(key, at))
        line.replace(at, key.size(), Format(value));
    return line;
}

} // namespace

bool ParseReading(const std::string &reply, double &value)
{
    for (std::size_t i = 0; i < reply.size(); ++i) {
        if (!std::strchr("+-.0123456789", reply[i]))
            continue;
        const char *begin = reply.c_str() + i;
        char *end = nullptr;
        const double v = std::strtod(begin, &end);
        if (end == begin)
            continue;
        if (!std::isfinite(v) || std::abs(v) >= 9.9e37)
            return false;
        value = v;
        return true;
    }
    return false;
}

ProfileTestSet::ProfileTestSet(Instrument &instrument, InstrumentProfile profile)
    : m_instrument(instrument), m_profile(std::move(profile))
{
}

bool ProfileTestSet::identify(std::string &identity)
{
    if (!m_instrument.query(m_profile.identify, identity, m_profile.timeoutMs)) {
        m_error = m_instrument.lastErrorText();
        return false;
    }
    if (!m_profile.identityContains.empty() &&
        identity.find(m_profile.identityContains) == std::string::npos) {
        m_error = "The instrument says it is \"" + identity + "\"; the profile \"" +
                  m_profile.name + "\" is for \"" + m_profile.identityContains + "\".";
        return false;
    }
    return true;
}

bool ProfileTestSet::preset()
{
    m_setup = nullptr;
    return Send(m_profile.preset, {}) && CheckErrors("the preset");
}

bool ProfileTestSet::Send(const std::vector<std::string> &lines,
                          std::initializer_list<Value> values)
{
    for (std::string line : lines) {
        for (const Value &v : values)
            line = Fill(line, v.name, v.number);
        if (!m_instrument.write(line)) {
            m_error = m_instrument.lastErrorText();
            return false;
        }
    }
    return true;
}

// Reads one entry of the error queue; anything but error number 0 fails the step.
bool ProfileTestSet::CheckErrors(const std::string &after)
{
    if (m_profile.errorQuery.empty())
        return true;
    std::string reply;
    if (!m_instrument.query(m_profile.errorQuery, reply, m_profile.timeoutMs)) {
        m_error = m_instrument.lastErrorText();
        return false;
    }
    double code = 0.0;
    if (!ParseReading(reply, code) || code != 0.0) {
        m_error = "The instrument reports \"" + reply + "\" after " + after + ".";
        return false;
    }
    return true;
}

bool ProfileTestSet::Setup(const std::vector<std::string> &setup)
{
    if (m_setup && *m_setup == setup)
        return true;
    m_setup = nullptr;
    if (!Send(setup, {}) || !CheckErrors("the set-up"))
        return false;
    m_setup = &setup;
    return true;
}

bool ProfileTestSet::Measure(const ProfileMeasurement &m, const char *what, double &value)
{
    if (!Setup(m.setup))
        return false;
    std::string reply;
    const int timeout = m.timeoutMs > 0 ? m.timeoutMs : m_profile.timeoutMs;
    if (!m_instrument.query(m.query, reply, timeout)) {
        m_error = m_instrument.lastErrorText();
        return false;
    }
    double reading = 0.0;
    if (!ParseReading(reply, reading)) {
        m_error = std::string("The instrument gives no ") + what + " reading (\"" + reply + "\").";
        return false;
    }
    value = reading * m.scale;
    return true;
}

bool ProfileTestSet::counterFrequencyHz(double &hz)
{
    return Measure(m_profile.counterFrequency, "counter", hz);
}

bool ProfileTestSet::rfPowerW(double &watts)
{
    return Measure(m_profile.rfPower, "power", watts);
}

bool ProfileTestSet::fmDeviationHz(double &hz)
{
    return Measure(m_profile.fmDeviation, "deviation", hz);
}

bool ProfileTestSet::sinadDb(double &db)
{
    return Measure(m_profile.sinad, "SINAD", db);
}

bool ProfileTestSet::setGeneratorFrequencyHz(double hz)
{
    return Setup(m_profile.generatorSetup) &&
           Send(m_profile.generatorFrequency, {{"hz", hz}, {"khz", hz / 1e3}, {"mhz", hz / 1e6}}) &&
           CheckErrors("the generator frequency");
}

bool ProfileTestSet::setGeneratorLevelDbm(double dbm)
{
    const double uv = std::pow(10.0, (dbm + 106.99) / 20.0); // into 50 ohms
    return Setup(m_profile.generatorSetup) &&
           Send(m_profile.generatorLevel, {{"dbm", dbm}, {"uv", uv}}) &&
           CheckErrors("the generator level");
}

bool ProfileTestSet::setGeneratorModulation(double deviationHz, double toneHz)
{
    return Setup(m_profile.generatorSetup) &&
           Send(m_profile.generatorModulation, {{"deviation_hz", deviationHz},
                                                {"deviation_khz", deviationHz / 1e3},
                                                {"tone_hz", toneHz}}) &&
           CheckErrors("the modulation");
}

bool ProfileTestSet::setGeneratorOutput(bool on)
{
    // Switching off needs no set-up: it must work whatever the set shows.
    if (on && !Setup(m_profile.generatorSetup))
        return false;
    return Send(on ? m_profile.outputOn : m_profile.outputOff, {}) &&
           CheckErrors(on ? "switching the output on" : "switching the output off");
}
