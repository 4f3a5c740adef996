#pragma once

#include "instrument.h"

#include <memory>
#include <string>

// The instrument that serves this kind of address (LXI for tcp:// and vxi11://, Qt Serial
// Port for serial://), not yet connected; null with a sentence in error for a bad address.
std::unique_ptr<Instrument> CreateInstrument(const std::string &address, std::string &error);
