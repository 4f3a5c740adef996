#include "findinstruments.h"

#include <lxi.h>

#include <algorithm>
#include <mutex>

namespace
{

// liblxi's callbacks carry no context: one discovery at a time fills this list.
std::mutex s_lock;
std::vector<FoundInstrument> *s_found = nullptr;

void Add(const std::string &address, const char *identity)
{
    if (!s_found)
        return;
    const bool known = std::any_of(s_found->begin(), s_found->end(),
                                   [&](const FoundInstrument &f) { return f.address == address; });
    if (!known)
        s_found->push_back({address, identity ? identity : ""});
}

void OnDevice(const char *address, const char *id)
{
    Add(std::string("vxi11://") + address, id);
}

void OnService(const char *address, const char *id, const char *service, int port)
{
    const std::string name = service ? service : "";
    if (name.find("scpi-raw") != std::string::npos)
        Add("tcp://" + std::string(address) + ":" + std::to_string(port), id);
    else if (name.find("vxi-11") != std::string::npos)
        Add(std::string("vxi11://") + address, id);
}

void OnBroadcast(const char *, const char *) {}

} // namespace

std::vector<FoundInstrument> FindInstruments(int timeoutMs)
{
    std::lock_guard<std::mutex> guard(s_lock);
    std::vector<FoundInstrument> found;
    s_found = &found;
    lxi_init();
    lxi_info_t info{};
    info.broadcast = OnBroadcast;
    info.device = OnDevice;
    info.service = OnService;
    lxi_discover(&info, timeoutMs, DISCOVER_VXI11);
    lxi_discover(&info, timeoutMs, DISCOVER_MDNS);
    s_found = nullptr;
    return found;
}
