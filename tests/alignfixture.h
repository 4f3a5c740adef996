#pragma once

// The link fixture with a test bench, a radio holding a known channel 1 and serial number, and
// a file system for the alignment log.

#include "benchmodel.h"
#include "chanslot.h"
#include "freqcodec.h"
#include "guardcodec.h"
#include "linkfixture.h"

// The line a page adds when a run leaves the test channel in channel 1.
inline const std::string Channel1Left =
    "\r\nChannel 1 still holds the test channel: write Group 1 back from your data file with the "
    "editor, or run this page again.";

struct AlignFixture : LinkFixture {
    std::unique_ptr<RadioBench> bench;
    std::unique_ptr<MemoryFileSystem> files;

    void resetAlign()
    {
        reset();
        ForgetChannel1();
        bench = std::make_unique<RadioBench>(*radio);
        files = std::make_unique<MemoryFileSystem>();
        platform().files = files.get();
        platform().programFolder = "/home/tech/.local/share/ZPA Tessaro Editor";
        fillPattern();
        for (int i = 0; i < 7; ++i)
            radio->eeprom[113 + i] = static_cast<std::uint8_t>(i + 1);
        // Channel 1: 155.00000 narrow, 067.0; 156.02500 low power, D023.
        setPair(0x0500, FreqToBytes(155.0).high, FreqToBytes(155.0).low);
        setPair(0x0508, FreqToBytes(156.025).high, FreqToBytes(156.025).low);
        setPair(0x0504, GuardToBytes("067.0").high, GuardToBytes("067.0").low);
        setPair(0x050C, GuardToBytes("D023").high, GuardToBytes("D023").low);
        radio->eeprom[0x0502] |= 0x08;
        radio->eeprom[0x050A] |= 0x20;
        setPair(0x001F, 0x12, 0x34);
    }

    void setPair(int address, int high, int low)
    {
        radio->eeprom[address] = static_cast<std::uint8_t>(high);
        radio->eeprom[address + 1] = static_cast<std::uint8_t>(low);
    }
    int pair(int address) const
    {
        return radio->eeprom[address] * 256 + radio->eeprom[address + 1];
    }

    std::string log() const
    {
        auto it = files->files.find(platform().programFolder + "/Alignment Log.csv");
        return it == files->files.end() ? std::string()
                                        : std::string(it->second.begin(), it->second.end());
    }
};
