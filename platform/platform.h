#pragma once

#include "clock.h"
#include "desktopregistry.h"
#include "dialogs.h"
#include "filesystem.h"
#include "serialdevicetable.h"
#include "serialport.h"
#include "settings.h"
#include "windowservices.h"

#include <string>

// The services of the host. main() installs the Qt implementations; tests install doubles.
struct Platform {
    SettingsStore *settings = nullptr;
    FileSystem *files = nullptr;
    Dialogs *dialogs = nullptr;
    SerialPort *serial = nullptr;
    SerialDeviceTable *devices = nullptr; // none: the serial port's own list, names only
    Clock *clock = nullptr;
    WindowServices *window = nullptr;
    DesktopRegistry *desktop = nullptr; // none: the data-file type is not registered
    // Per-user folder that holds "Factory.def" and "User.def" (no trailing "/").
    std::string programFolder;
    // Initial folder of the file dialogs.
    std::string documentsFolder;
};

Platform &platform();
