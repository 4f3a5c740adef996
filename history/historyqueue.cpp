#include "historyqueue.h"

#include <string>

namespace
{

const std::string QueueMagic = "TESSARO-HISTORY-QUEUE 1\n";

template <typename Bytes> void Put(std::vector<std::uint8_t> &out, const Bytes &field)
{
    const std::string length = std::to_string(field.size()) + ":";
    out.insert(out.end(), length.begin(), length.end());
    out.insert(out.end(), field.begin(), field.end());
}

// Each field as "<length>:<bytes>".
struct Reader {
    const std::vector<std::uint8_t> &bytes;
    std::size_t at = 0;
    bool ok = true;

    std::string Take()
    {
        std::size_t length = 0;
        int digits = 0;
        while (ok && at < bytes.size() && bytes[at] != ':') {
            const std::uint8_t c = bytes[at++];
            if (c < '0' || c > '9' || ++digits > 9)
                ok = false;
            length = length * 10 + (c - '0');
        }
        if (!ok || at >= bytes.size() || digits == 0 || bytes.size() - at - 1 < length) {
            ok = false;
            return {};
        }
        ++at;
        std::string field(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                          bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
        return field;
    }
};

std::vector<std::uint8_t> Bytes(const std::string &text)
{
    return {text.begin(), text.end()};
}

} // namespace

std::vector<std::uint8_t> QueueBytes(const std::deque<RadioEvent> &events)
{
    std::vector<std::uint8_t> out(QueueMagic.begin(), QueueMagic.end());
    Put(out, std::to_string(events.size()));
    for (const RadioEvent &e : events) {
        for (const std::string *field : {&e.key, &e.serial, &e.at, &e.kind, &e.bench, &e.port,
                                         &e.version, &e.outcome, &e.detail, &e.file, &e.labels})
            Put(out, *field);
        Put(out, e.image);
        Put(out, e.report);
    }
    return out;
}

std::optional<std::deque<RadioEvent>> QueueFromBytes(const std::vector<std::uint8_t> &bytes)
{
    if (bytes.size() < QueueMagic.size() ||
        !std::equal(QueueMagic.begin(), QueueMagic.end(), bytes.begin()))
        return std::nullopt;
    Reader in{bytes, QueueMagic.size()};
    const std::string count = in.Take();
    if (!in.ok || count.empty() || count.size() > 9)
        return std::nullopt;
    std::deque<RadioEvent> events;
    for (long n = std::stol(count); n > 0 && in.ok; --n) {
        RadioEvent e;
        for (std::string *field : {&e.key, &e.serial, &e.at, &e.kind, &e.bench, &e.port, &e.version,
                                   &e.outcome, &e.detail, &e.file, &e.labels})
            *field = in.Take();
        e.image = Bytes(in.Take());
        e.report = Bytes(in.Take());
        events.push_back(std::move(e));
    }
    if (!in.ok || in.at != bytes.size())
        return std::nullopt;
    return events;
}
