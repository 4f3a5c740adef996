#include "systeminfo.h"

#include "appsettings.h"

static std::string accessText(const SerialDeviceInfo &device, const std::string &user)
{
    const std::string group = "group " + (device.group.empty() ? "?" : device.group);
    switch (device.access) {
    case DeviceAccess::Allowed:
        return group + ": you may open it";
    case DeviceAccess::LogInAgain:
        return group + ": your account is a member, but only after logging out and in again "
                       "may you open it";
    case DeviceAccess::NotMember:
        return group + ": your account is not a member, so you may not open it; add it with " +
               "\"sudo usermod -aG " + device.group + " " + user + "\", then log in again";
    case DeviceAccess::Busy:
        return group + ": another program holds it";
    case DeviceAccess::Missing:
    case DeviceAccess::Unknown:
        break;
    }
    return "the device cannot be examined";
}

std::string SystemInformationText(const SystemInfo &info)
{
    std::vector<std::string> lines = {
        ProgramTitle + " version " + info.programVersion,
        "Qt version: " + info.qtVersion,
        "System: " + info.system,
        "User: " + info.userName,
        "Settings file: " + info.settingsFile,
        "Data folder: " + info.dataFolder,
        "Backup folder: " + info.backupFolder,
        "Help folder: " + (info.helpFolder.empty() ? "not found" : info.helpFolder),
        "",
    };
    if (info.devices.empty())
        lines.push_back("Serial devices found: none");
    else
        lines.push_back("Serial devices found:");
    for (const SerialDeviceInfo &device : info.devices) {
        lines.push_back("  " + device.path +
                        (device.usbIdentity.empty() ? " (not USB)" : " USB " + device.usbIdentity));
        lines.push_back("    " + accessText(device, info.userName));
    }
    lines.push_back("");
    bool named = false;
    for (std::size_t i = 0; i < info.commPorts.size(); ++i) {
        if (info.commPorts[i].empty())
            continue;
        lines.push_back("Comm Port " + std::to_string(i + 1) + ": " + info.commPorts[i]);
        named = true;
    }
    if (!named)
        lines.push_back("No Comm Port names a serial device.");
    std::string text;
    for (const std::string &line : lines)
        text += (text.empty() ? "" : "\r\n") + line;
    return text;
}
