#include "instrumentaddress.h"

#include <cctype>
#include <cstdlib>

namespace
{

bool StartsWith(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A whole decimal number within [low, high].
bool ParseInt(const std::string &text, int low, int high, int &value)
{
    if (text.empty() || text.size() > 9)
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    const long v = std::strtol(text.c_str(), nullptr, 10);
    if (v < low || v > high)
        return false;
    value = static_cast<int>(v);
    return true;
}

bool ValidHost(const std::string &host)
{
    if (host.empty() || host.size() > 253)
        return false;
    for (char c : host) {
        const bool ok =
            std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

bool ParseSerialOption(const std::string &key, const std::string &value, InstrumentAddress &a)
{
    if (key == "baud")
        return ParseInt(value, 50, 4000000, a.baud);
    if (key == "databits")
        return ParseInt(value, 5, 8, a.dataBits);
    if (key == "stopbits")
        return ParseInt(value, 1, 2, a.stopBits);
    if (key == "parity" && value.size() == 1) {
        const char p = static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])));
        if (p != 'N' && p != 'E' && p != 'O')
            return false;
        a.parity = p;
        return true;
    }
    if (key == "flow" && (value == "none" || value == "rtscts")) {
        a.rtsCts = value == "rtscts";
        return true;
    }
    return false;
}

} // namespace

bool ParseInstrumentAddress(const std::string &text, InstrumentAddress &address, std::string &error)
{
    InstrumentAddress a;
    if (StartsWith(text, "tcp://")) {
        a.kind = InstrumentAddress::Kind::Tcp;
        const std::string rest = text.substr(6);
        const auto colon = rest.rfind(':');
        a.host = rest.substr(0, colon);
        if (colon != std::string::npos && !ParseInt(rest.substr(colon + 1), 1, 65535, a.port)) {
            error = "The port in \"" + text + "\" must be a number from 1 to 65535.";
            return false;
        }
    } else if (StartsWith(text, "vxi11://")) {
        a.kind = InstrumentAddress::Kind::Vxi11;
        a.host = text.substr(8);
    } else if (StartsWith(text, "serial://")) {
        a.kind = InstrumentAddress::Kind::Serial;
        const std::string rest = text.substr(9);
        const auto query = rest.find('?');
        a.device = rest.substr(0, query);
        if (a.device.size() < 2 || a.device[0] != '/' || a.device.find("..") != std::string::npos) {
            error = "\"" + text + "\" names no serial device; write serial:///dev/ttyUSB0.";
            return false;
        }
        std::string options = query == std::string::npos ? std::string() : rest.substr(query + 1);
        while (!options.empty()) {
            const auto amp = options.find('&');
            const std::string pair = options.substr(0, amp);
            options = amp == std::string::npos ? std::string() : options.substr(amp + 1);
            const auto eq = pair.find('=');
            if (eq == std::string::npos ||
                !ParseSerialOption(pair.substr(0, eq), pair.substr(eq + 1), a)) {
                error = "\"" + pair +
                        "\" is no serial setting (baud, databits, parity, "
                        "stopbits, flow).";
                return false;
            }
        }
        address = a;
        return true;
    } else {
        error = "\"" + text +
                "\" is no instrument address; write tcp://HOST:PORT, "
                "vxi11://HOST or serial:///dev/ttyUSB0?baud=9600.";
        return false;
    }
    if (!ValidHost(a.host)) {
        error = "\"" + text + "\" names no host.";
        return false;
    }
    address = a;
    return true;
}
