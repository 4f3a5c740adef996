#include "instrumentprofile.h"

#include <yaml-cpp/yaml.h>

#include <set>

namespace
{

struct ProfileError {
    std::string text;
};

[[noreturn]] void Fail(const YAML::Node &node, const std::string &text)
{
    const int line = node.Mark().line;
    throw ProfileError{(line >= 0 ? "line " + std::to_string(line + 1) + ": " : "") + text};
}

void OnlyKeys(const YAML::Node &map, const std::string &where, const std::set<std::string> &keys)
{
    if (!map.IsMap())
        Fail(map, where + " must be a map of keys.");
    for (const auto &item : map) {
        const std::string key = item.first.as<std::string>();
        if (!keys.count(key))
            Fail(item.first, "\"" + key + "\" is no key of " + where + ".");
    }
}

YAML::Node Required(const YAML::Node &map, const std::string &key, const std::string &where)
{
    const YAML::Node node = map[key];
    if (!node)
        Fail(map, where + " lacks \"" + key + "\".");
    return node;
}

std::string Text(const YAML::Node &node, const std::string &key)
{
    if (!node.IsScalar() || node.Scalar().empty())
        Fail(node, "\"" + key + "\" must be one line of text.");
    return node.Scalar();
}

// A command, or a list of them sent in order.
std::vector<std::string> Lines(const YAML::Node &node, const std::string &key, bool mayBeEmpty)
{
    std::vector<std::string> lines;
    if (node.IsScalar()) {
        lines.push_back(Text(node, key));
    } else if (node.IsSequence()) {
        for (const auto &item : node)
            lines.push_back(Text(item, key));
    } else if (!node.IsNull()) {
        Fail(node, "\"" + key + "\" must be a command or a list of commands.");
    }
    if (lines.empty() && !mayBeEmpty)
        Fail(node, "\"" + key + "\" needs a command.");
    return lines;
}

double Number(const YAML::Node &node, const std::string &key, double low, double high)
{
    double value = 0.0;
    if (!node.IsScalar() || !YAML::convert<double>::decode(node, value) || !(value >= low) ||
        !(value <= high))
        Fail(node, "\"" + key + "\" must be a number from " + YAML::Node(low).Scalar() + " to " +
                       YAML::Node(high).Scalar() + ".");
    return value;
}

ProfileMeasurement Measurement(const YAML::Node &measure, const std::string &key)
{
    const std::string where = "measure: " + key;
    const YAML::Node node = Required(measure, key, "measure");
    OnlyKeys(node, where, {"setup", "query", "scale", "timeout_ms"});
    ProfileMeasurement m;
    m.query = Text(Required(node, "query", where), "query");
    if (node["setup"])
        m.setup = Lines(node["setup"], "setup", true);
    if (node["scale"])
        m.scale = Number(node["scale"], "scale", 1e-12, 1e12);
    if (node["timeout_ms"])
        m.timeoutMs = static_cast<int>(Number(node["timeout_ms"], "timeout_ms", 1, 600000));
    return m;
}

// Every {placeholder} in the lines must be one the setting fills in.
void CheckPlaceholders(const YAML::Node &node, const std::vector<std::string> &lines,
                       const std::set<std::string> &known)
{
    for (const std::string &line : lines) {
        for (auto open = line.find('{'); open != std::string::npos;
             open = line.find('{', open + 1)) {
            const auto close = line.find('}', open);
            const std::string name =
                line.substr(open + 1, close == std::string::npos ? close : close - open - 1);
            if (close == std::string::npos || !known.count(name))
                Fail(node,
                     "\"" + line + "\" holds {" + name + "}, which this setting does not fill in.");
        }
    }
}

} // namespace

bool ParseInstrumentProfile(const std::string &yaml, InstrumentProfile &profile, std::string &error)
{
    try {
        const YAML::Node root = YAML::Load(yaml);
        OnlyKeys(root, "the profile",
                 {"name", "identify", "identity_contains", "preset", "timeout_ms", "error_query",
                  "measure", "generator"});
        InstrumentProfile p;
        p.name = Text(Required(root, "name", "The profile"), "name");
        p.identify = Text(Required(root, "identify", "The profile"), "identify");
        if (root["identity_contains"])
            p.identityContains = Text(root["identity_contains"], "identity_contains");
        p.preset = Lines(Required(root, "preset", "The profile"), "preset", true);
        if (root["timeout_ms"])
            p.timeoutMs = static_cast<int>(Number(root["timeout_ms"], "timeout_ms", 1, 600000));
        if (root["error_query"])
            p.errorQuery = Text(root["error_query"], "error_query");

        const YAML::Node measure = Required(root, "measure", "The profile");
        OnlyKeys(measure, "measure", {"counter_frequency", "rf_power", "fm_deviation", "sinad"});
        p.counterFrequency = Measurement(measure, "counter_frequency");
        p.rfPower = Measurement(measure, "rf_power");
        p.fmDeviation = Measurement(measure, "fm_deviation");
        p.sinad = Measurement(measure, "sinad");

        const YAML::Node gen = Required(root, "generator", "The profile");
        OnlyKeys(gen, "generator",
                 {"setup", "frequency", "level", "modulation", "output_on", "output_off"});
        if (gen["setup"])
            p.generatorSetup = Lines(gen["setup"], "setup", true);
        p.generatorFrequency = Lines(Required(gen, "frequency", "generator"), "frequency", false);
        p.generatorLevel = Lines(Required(gen, "level", "generator"), "level", false);
        p.generatorModulation =
            Lines(Required(gen, "modulation", "generator"), "modulation", false);
        p.outputOn = Lines(Required(gen, "output_on", "generator"), "output_on", false);
        p.outputOff = Lines(Required(gen, "output_off", "generator"), "output_off", false);
        CheckPlaceholders(gen["frequency"], p.generatorFrequency, {"hz", "khz", "mhz"});
        CheckPlaceholders(gen["level"], p.generatorLevel, {"dbm", "uv"});
        CheckPlaceholders(gen["modulation"], p.generatorModulation,
                          {"deviation_hz", "deviation_khz", "tone_hz"});
        for (const char *key : {"setup", "output_on", "output_off"})
            if (gen[key])
                CheckPlaceholders(gen[key], Lines(gen[key], key, true), {});
        profile = p;
        return true;
    } catch (const ProfileError &e) {
        error = e.text;
    } catch (const YAML::Exception &e) {
        error = (e.mark.line >= 0 ? "line " + std::to_string(e.mark.line + 1) + ": " : "") + e.msg;
    }
    return false;
}
