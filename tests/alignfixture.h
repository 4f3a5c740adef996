#pragma once

// The link fixture with a test bench, a radio holding a known channel 1 and serial number, and
// a file system for the alignment log.

#include "benchmodel.h"
#include "chanslot.h"
#include "freqadjust.h"
#include "freqcodec.h"
#include "frontendadjust.h"
#include "guardcodec.h"
#include "linkfixture.h"
#include "powerlevels.h"
#include "squelchadjust.h"
#include "vcotuning.h"

#include <algorithm>
#include <cstdio>

// The line a page adds when a run leaves the test channel in channel 1.
inline const std::string Channel1Left =
    "\r\nChannel 1 still holds the test channel: write Group 1 back from your data file with the "
    "editor, or run this page again.";

// The pages' views as the technician sees them. (The curve pages' is left out: its page list
// shares a name with the automatic run's.)
struct PageViews : FreqAdjustView, PowerLevelsView, FrontEndView, SquelchView, VCOView {
    void setInstructions(const std::string &text) override { instructions = text; }
    void setEntry(const std::string &text, bool enabled) override
    {
        entry = text;
        entryEnabled = enabled;
    }
    std::string entryText() const override { return entry; }
    void focusEntry(int from) override { focusFrom = from; }
    void setStartButton(const std::string &text, bool enabled) override
    {
        caption = text;
        startEnabled = enabled;
    }
    void setQuitEnabled(bool enabled) override { quitEnabled = enabled; }
    void setStartCaption(const std::string &text) override { caption = text; }
    void showAdjustControls(bool shown) override { controls = shown; }
    void showSetButtons(bool shown) override { buttons = shown; }
    void setScrollRange(int minimum, int maximum) override { range = {minimum, maximum}; }
    void setScrollValue(int v) override { scroll = v; }
    void setValueText(const std::string &text) override { value = text; }
    void setBandButton(int band, const std::string &text, bool visible, bool enabled) override
    {
        bands[band] = {text, visible, enabled};
    }
    void showAbort(bool shown) override { controls = shown; }
    void VCO_IM(const std::string &text) override { instructions = text; }
    void VCO_MM(const std::string &text) override { value = text; }
    void showStart(bool shown) override { startEnabled = shown; }

    std::string instructions, entry, caption, value;
    bool entryEnabled = true, startEnabled = false, quitEnabled = true, controls = false,
         buttons = false;
    int focusFrom = -2, scroll = -1;
    std::pair<int, int> range{-1, -1};
    struct Button {
        std::string caption;
        bool visible = false, enabled = false;
    } bands[2];
};

struct AlignFixture : LinkFixture {
    std::unique_ptr<RadioBench> bench;
    std::unique_ptr<MemoryFileSystem> files;
    TuneScreen screen;
    std::vector<bool> navigation; // the window's tab strip and "Quit", as switched

    void resetAlign()
    {
        reset();
        ForgetChannel1();
        screen = TuneScreen();
        navigation.clear();
        screen.navigation = [this](bool on) { navigation.push_back(on); };
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

    // The first byte outside the cells named that differs from the image given; -1: none.
    int changedOutside(const std::vector<std::uint8_t> &before, std::vector<int> cells = {}) const
    {
        for (int a = 0; a < int(before.size()); ++a)
            if (radio->eeprom[a] != before[a] && std::count(cells.begin(), cells.end(), a) == 0)
                return a;
        return -1;
    }
    // A 16-bit cell as the alignment log writes it: "F4 81".
    static std::string pairHex(int value)
    {
        char text[8];
        std::snprintf(text, sizeof text, "%02X %02X", (value >> 8) & 0xFF, value & 0xFF);
        return text;
    }

    std::string log() const
    {
        auto it = files->files.find(platform().programFolder + "/Alignment Log.csv");
        return it == files->files.end() ? std::string()
                                        : std::string(it->second.begin(), it->second.end());
    }
};
