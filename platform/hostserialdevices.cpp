#include "hostserialdevices.h"

#include <QSerialPortInfo>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <map>

#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr const char *StableFolder = "/dev/serial/by-id";

// The folders serial programs (Qt's among them) keep their "LCK..name" files in.
constexpr const char *LockFolders[] = {"/var/lock",        "/run/lock",        "/etc/locks",
                                       "/var/spool/locks", "/var/spool/uucp",  "/tmp",
                                       "/var/tmp",         "/var/lock/lockdev"};

std::string RealPath(const std::string &path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

// Kernel name -> first stable link to it, by name order so the choice does not wander.
std::map<std::string, std::string> StableLinks()
{
    std::map<std::string, std::string> links;
    DIR *dir = ::opendir(StableFolder);
    if (!dir)
        return links;
    std::map<std::string, std::string> byName;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            byName[name] = std::string(StableFolder) + "/" + name;
    }
    ::closedir(dir);
    for (const auto &[name, link] : byName)
        links.emplace(RealPath(link), link);
    return links;
}

std::string Driver(const std::string &kernelName)
{
    const std::string base = kernelName.substr(kernelName.rfind('/') + 1);
    // Newer kernels put a generic "port" layer between the tty and the device's own driver.
    std::string device = "/sys/class/tty/" + base + "/device";
    for (int up = 0; up < 3; ++up, device += "/..") {
        const std::string real = RealPath(device + "/driver");
        if (!real.empty() && real.find("/serial-base/") == std::string::npos)
            return real.substr(real.rfind('/') + 1);
    }
    return {};
}

std::string Hex4(quint16 id)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04x", id);
    return text;
}

// The process a lock file of the device names, when it still runs.
long LockHolder(const std::string &path, std::string &command)
{
    std::string name = path.compare(0, 5, "/dev/") == 0 ? path.substr(5) : path;
    for (char &c : name)
        if (c == '/')
            c = '_';
    for (const char *folder : LockFolders) {
        std::ifstream lock(std::string(folder) + "/LCK.." + name);
        long pid = 0;
        if (!(lock >> pid) || pid <= 0 || ::access(("/proc/" + std::to_string(pid)).c_str(), F_OK))
            continue;
        std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
        std::getline(comm, command);
        return pid;
    }
    return 0;
}

} // namespace

std::vector<SerialDeviceFacts> HostSerialDevices::devices()
{
    const std::map<std::string, std::string> stable = StableLinks();
    std::vector<SerialDeviceFacts> found;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SerialDeviceFacts d;
        d.kernelName = info.systemLocation().toStdString();
        const auto link = stable.find(RealPath(d.kernelName));
        if (link != stable.end())
            d.stableName = link->second;
        if (info.hasVendorIdentifier())
            d.vendorId = Hex4(info.vendorIdentifier());
        if (info.hasProductIdentifier())
            d.productId = Hex4(info.productIdentifier());
        d.manufacturer = info.manufacturer().toStdString();
        d.product = info.description().toStdString();
        d.serialNumber = info.serialNumber().toStdString();
        d.driver = Driver(d.kernelName);
        found.push_back(d);
    }
    return found;
}

bool HostSerialDevices::exists(const std::string &path)
{
    struct stat st {
    };
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

DeviceAccessFacts HostSerialDevices::access(const std::string &path)
{
    DeviceAccessFacts facts;
    struct stat st {
    };
    if (path.empty() || ::stat(path.c_str(), &st) != 0) {
        facts.access = DeviceAccess::Missing;
        return facts;
    }
    const group *gr = ::getgrgid(st.st_gid);
    facts.group = gr ? gr->gr_name : std::to_string(st.st_gid);
    // Opened by its link or by its kernel name, a device is locked under that name.
    facts.holderPid = LockHolder(path, facts.holder);
    if (!facts.holderPid)
        facts.holderPid = LockHolder(RealPath(path), facts.holder);
    if (facts.holderPid && facts.holderPid != ::getpid()) {
        facts.access = DeviceAccess::Busy;
        return facts;
    }
    facts.holderPid = 0;
    facts.holder.clear();
    if (::access(path.c_str(), R_OK | W_OK) == 0) {
        facts.access = DeviceAccess::Allowed;
        return facts;
    }
    const std::string user = userName();
    bool member = false;
    if (const passwd *pw = ::getpwnam(user.c_str()))
        member = pw->pw_gid == st.st_gid;
    gr = ::getgrgid(st.st_gid); // getpwnam may have reused the buffer
    for (char **name = gr ? gr->gr_mem : nullptr; name && *name && !member; ++name)
        member = user == *name;
    facts.access = member ? DeviceAccess::LogInAgain : DeviceAccess::NotMember;
    return facts;
}

std::string HostSerialDevices::userName()
{
    const passwd *pw = ::getpwuid(::geteuid());
    return pw ? pw->pw_name : std::to_string(::geteuid());
}
