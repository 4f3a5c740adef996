#pragma once

// Shared set-up of the link tests: a virtual radio behind a serial double, a fake clock,
// fake settings and scripted dialogs, all installed into platform().

#include "fakeclock.h"
#include "fakeplatform.h"
#include "linkstate.h"
#include "platform.h"
#include "portchoice.h"
#include "simserialport.h"
#include "virtualradio.h"

#include <memory>

struct LinkFixture {
    std::unique_ptr<FakeClock> clock;
    std::unique_ptr<VirtualRadio> radio;
    std::unique_ptr<SimSerialPort> port;
    std::unique_ptr<FakeSettings> settings;
    std::unique_ptr<ScriptedDialogs> dialogs;

    static constexpr const char *Device = "/dev/ttyVR0";

    void reset()
    {
        clock = std::make_unique<FakeClock>();
        radio = std::make_unique<VirtualRadio>();
        port = std::make_unique<SimSerialPort>(*radio, *clock);
        settings = std::make_unique<FakeSettings>();
        dialogs = std::make_unique<ScriptedDialogs>();
        port->present.insert(Device);
        Platform &p = platform();
        p.clock = clock.get();
        p.serial = port.get();
        p.settings = settings.get();
        p.dialogs = dialogs.get();
        setSetting("Comm Port 1 Device", Device);
        ResetLinkState();
        ResetPortChoice();
    }

    void setSetting(const std::string &key, const std::string &value)
    {
        settings->values["ZPA Tessaro Editor/Settings/" + key] = value;
    }

    std::string setting(const std::string &key) const
    {
        auto it = settings->values.find("ZPA Tessaro Editor/Settings/" + key);
        return it == settings->values.end() ? std::string("<absent>") : it->second;
    }

    // A recognisable image: every byte differs from its neighbours and from its address.
    void fillPattern()
    {
        for (int a = 0; a < VirtualRadio::EepromSize; ++a)
            radio->eeprom[a] = static_cast<std::uint8_t>((a * 7 + a / 256 * 3 + 1) & 0xFF);
    }
};
