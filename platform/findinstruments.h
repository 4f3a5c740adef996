#pragma once

#include <string>
#include <vector>

// An instrument that answered the LAN discovery: an address to connect to and what it said.
struct FoundInstrument {
    std::string address;
    std::string identity;
};

// Asks the LAN for LXI instruments (VXI-11 broadcast and mDNS) and collects the answers
// within timeoutMs. Sends broadcasts: only on the technician's request.
std::vector<FoundInstrument> FindInstruments(int timeoutMs);
