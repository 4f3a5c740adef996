#include "benchinstrument.h"

#include "clock.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{

// SCPI's "no reading".
constexpr double NotANumber = 9.91e37;

enum class Op {
    Idn,
    Rst,
    Cls,
    Opc,
    Err,
    Mode,
    ModeQ,
    Freq,
    Power,
    Deviation,
    Sinad,
    GenFreq,
    GenFreqQ,
    GenLevel,
    GenLevelQ,
    GenDev,
    GenDevQ,
    GenTone,
    GenToneQ,
    Output,
    OutputQ,
};

struct Header {
    const char *pattern; // upper case: the short form; [ ]: an optional node
    Op op;
};

constexpr Header Headers[] = {
    {"*IDN?", Op::Idn},
    {"*RST", Op::Rst},
    {"*CLS", Op::Cls},
    {"*OPC?", Op::Opc},
    {"SYSTem:ERRor[:NEXT]?", Op::Err},
    {"CONFigure:MODE", Op::Mode},
    {"CONFigure:MODE?", Op::ModeQ},
    {"MEASure:FREQuency?", Op::Freq},
    {"MEASure:POWer?", Op::Power},
    {"MEASure:FM[:DEViation]?", Op::Deviation},
    {"MEASure:SINad?", Op::Sinad},
    {"SOURce:FREQuency", Op::GenFreq},
    {"SOURce:FREQuency?", Op::GenFreqQ},
    {"SOURce:POWer", Op::GenLevel},
    {"SOURce:POWer?", Op::GenLevelQ},
    {"SOURce:FM[:DEViation]", Op::GenDev},
    {"SOURce:FM[:DEViation]?", Op::GenDevQ},
    {"SOURce:FM:INTernal:FREQuency", Op::GenTone},
    {"SOURce:FM:INTernal:FREQuency?", Op::GenToneQ},
    {"OUTPut[:STATe]", Op::Output},
    {"OUTPut[:STATe]?", Op::OutputQ},
};

std::string Upper(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

struct Node {
    std::string shortForm;
    std::string longForm;
    bool optional;
};

std::vector<Node> PatternNodes(const std::string &pattern)
{
    std::vector<Node> nodes;
    std::string text = pattern;
    if (!text.empty() && text.back() == '?')
        text.pop_back();
    std::size_t i = 0;
    while (i < text.size()) {
        bool optional = false;
        if (text[i] == '[') {
            optional = true;
            ++i;
        }
        if (text[i] == ':')
            ++i;
        std::size_t end = i;
        while (end < text.size() && text[end] != ':' && text[end] != '[' && text[end] != ']')
            ++end;
        const std::string word = text.substr(i, end - i);
        std::string shortForm;
        for (char c : word)
            if (!std::islower(static_cast<unsigned char>(c)))
                shortForm += c;
        nodes.push_back({shortForm, Upper(word), optional});
        i = end;
        if (i < text.size() && text[i] == ']')
            ++i;
    }
    return nodes;
}

bool MatchNodes(const std::vector<Node> &pattern, std::size_t p, const std::vector<std::string> &in,
                std::size_t k)
{
    if (p == pattern.size())
        return k == in.size();
    if (pattern[p].optional && MatchNodes(pattern, p + 1, in, k))
        return true;
    return k < in.size() && (in[k] == pattern[p].shortForm || in[k] == pattern[p].longForm) &&
           MatchNodes(pattern, p + 1, in, k + 1);
}

bool Matches(const char *pattern, const std::string &header)
{
    const std::string p = pattern;
    const bool query = !header.empty() && header.back() == '?';
    if (query != (p.back() == '?'))
        return false;
    if (p[0] == '*')
        return Upper(header) == p;
    std::vector<std::string> in;
    std::string text = Upper(query ? header.substr(0, header.size() - 1) : header);
    if (!text.empty() && text[0] == ':')
        text.erase(0, 1);
    std::size_t start = 0;
    for (;;) {
        const auto colon = text.find(':', start);
        in.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    return MatchNodes(PatternNodes(p), 0, in, 0);
}

// A number with an optional unit; dBm stays dBm, frequencies become Hz.
bool ParseValue(const std::string &text, double &value)
{
    const char *begin = text.c_str();
    char *end = nullptr;
    value = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(value))
        return false;
    const std::string unit = Upper(Trim(end));
    if (unit.empty() || unit == "HZ" || unit == "DBM" || unit == "W")
        return true;
    if (unit == "KHZ")
        value *= 1e3;
    else if (unit == "MHZ")
        value *= 1e6;
    else if (unit == "GHZ")
        value *= 1e9;
    else
        return false;
    return true;
}

std::string Number(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.10E", value);
    return text;
}

} // namespace

double BenchInstrument::Meter::Value(double now) const
{
    return target + (from - target) * std::exp(-std::max(0.0, now - since) / tau);
}

void BenchInstrument::Meter::Follow(double value, double now)
{
    if (std::isnan(target)) {
        from = target = value;
        since = now;
    } else if (value != target) {
        from = Value(now);
        target = value;
        since = now;
    }
}

BenchInstrument::BenchInstrument(RadioBench &bench, VirtualRadio &radio, Clock &clock)
    : m_bench(bench), m_radio(radio), m_clock(clock)
{
    m_radio.afterCommand = [this] { Track(); };
    Preset();
}

BenchInstrument::~BenchInstrument()
{
    m_radio.afterCommand = nullptr;
}

void BenchInstrument::Track()
{
    const double now = m_clock.seconds();
    m_counter.Follow(m_bench.counterHz(), now);
    m_power.Follow(m_bench.powerWatts(), now);
    m_deviation.Follow(m_bench.deviationKHz() * 1e3, now);
    m_sinad.Follow(m_bench.sinadDb(), now);
}

void BenchInstrument::Preset()
{
    transmitMode = false;
    outputOn = false;
    generatorHz = 150e6;
    generatorDbm = -127.0;
    deviationHz = 0.0;
    toneHz = 1000.0;
    m_errors.clear();
    ApplyGenerator();
}

void BenchInstrument::ApplyGenerator()
{
    // In transmit mode the RF port takes the radio's carrier: no generator signal.
    m_bench.generatorOn = outputOn && !transmitMode;
    m_bench.generatorHz = generatorHz;
    m_bench.generatorDeviationHz = deviationHz;
    m_bench.generatorToneHz = toneHz;
    // dBm into 50 ohms, in microvolts.
    m_bench.rfLevelUv = std::pow(10.0, (generatorDbm + 106.99) / 20.0);
    Track();
}

bool BenchInstrument::Error(const std::string &text)
{
    if (m_errors.size() < 16)
        m_errors.push_back(text);
    return false;
}

double BenchInstrument::Read(Meter &meter, bool available, double sigma, double relative)
{
    Track();
    if (!available) {
        Error("-221,\"Settings conflict\"");
        return NotANumber;
    }
    const double value = meter.Value(m_clock.seconds());
    std::normal_distribution<double> noise(0.0, 1.0);
    const double spread = noiseScale * (sigma + relative * std::abs(value));
    return value + spread * noise(m_noise);
}

bool BenchInstrument::Handle(const std::string &line, std::string &reply)
{
    reply.clear();
    bool asked = false;
    std::size_t start = 0;
    for (;;) {
        const auto semi = line.find(';', start);
        const std::string message = Trim(line.substr(start, semi - start));
        std::string answer;
        if (!message.empty() && Execute(message, answer)) {
            reply += (asked ? ";" : "") + answer;
            asked = true;
        }
        if (semi == std::string::npos)
            break;
        start = semi + 1;
    }
    return asked;
}

bool BenchInstrument::Execute(const std::string &message, std::string &reply)
{
    const auto space = message.find_first_of(" \t");
    const std::string header = message.substr(0, space);
    const std::string argument =
        space == std::string::npos ? std::string() : Trim(message.substr(space));
    const Header *found = nullptr;
    for (const Header &h : Headers)
        if (Matches(h.pattern, header))
            found = &h;
    if (!found) // an instrument does not answer what it does not know
        return Error("-113,\"Undefined header\"");
    double value = 0.0;
    const bool needsValue = found->op == Op::GenFreq || found->op == Op::GenLevel ||
                            found->op == Op::GenDev || found->op == Op::GenTone;
    if (needsValue && !ParseValue(argument, value))
        return Error(argument.empty() ? "-109,\"Missing parameter\""
                                      : "-224,\"Illegal parameter value\"");
    const std::string word = Upper(argument);
    switch (found->op) {
    case Op::Idn:
        reply = identity;
        return true;
    case Op::Rst:
        Preset();
        return false;
    case Op::Cls:
        m_errors.clear();
        return false;
    case Op::Opc:
        reply = "1";
        return true;
    case Op::Err:
        reply = m_errors.empty() ? "0,\"No error\"" : m_errors.front();
        if (!m_errors.empty())
            m_errors.pop_front();
        return true;
    case Op::Mode:
        if (word != "TX" && word != "RX")
            return Error("-224,\"Illegal parameter value\"");
        transmitMode = word == "TX";
        ApplyGenerator();
        return false;
    case Op::ModeQ:
        reply = transmitMode ? "TX" : "RX";
        return true;
    case Op::Freq:
        reply = Number(Read(m_counter, transmitMode, 1.0, 0.0));
        return true;
    case Op::Power:
        reply = Number(std::max(0.0, Read(m_power, transmitMode, 0.003, 0.003)));
        return true;
    case Op::Deviation:
        reply = Number(std::max(0.0, Read(m_deviation, transmitMode, 8.0, 0.002)));
        return true;
    case Op::Sinad:
        reply = Number(std::max(0.0, Read(m_sinad, !transmitMode, 0.15, 0.0)));
        return true;
    case Op::GenFreq:
        if (value < 100e3 || value > 1e9)
            return Error("-222,\"Data out of range\"");
        generatorHz = value;
        break;
    case Op::GenLevel:
        if (value < -140.0 || value > 0.0)
            return Error("-222,\"Data out of range\"");
        generatorDbm = value;
        break;
    case Op::GenDev:
        if (value < 0.0 || value > 100e3)
            return Error("-222,\"Data out of range\"");
        deviationHz = value;
        break;
    case Op::GenTone:
        if (value < 10.0 || value > 20e3)
            return Error("-222,\"Data out of range\"");
        toneHz = value;
        break;
    case Op::Output:
        if (word != "ON" && word != "OFF" && word != "1" && word != "0")
            return Error("-224,\"Illegal parameter value\"");
        outputOn = word == "ON" || word == "1";
        break;
    case Op::GenFreqQ:
        reply = Number(generatorHz);
        return true;
    case Op::GenLevelQ:
        reply = Number(generatorDbm);
        return true;
    case Op::GenDevQ:
        reply = Number(deviationHz);
        return true;
    case Op::GenToneQ:
        reply = Number(toneHz);
        return true;
    case Op::OutputQ:
        reply = outputOn ? "1" : "0";
        return true;
    }
    ApplyGenerator();
    return false;
}
