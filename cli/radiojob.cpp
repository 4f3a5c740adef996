#include "radiojob.h"

#include "appsettings.h"
#include "baudrates.h"
#include "clihost.h"
#include "datafilecheck.h"
#include "defaultimage.h"
#include "eeprotocol.h"
#include "globalcodec.h"
#include "linkstate.h"
#include "platform.h"
#include "radiobackup.h"
#include "tdffile.h"
#include "transactions.h"

#include <algorithm>
#include <cstdio>

namespace
{

constexpr int HookTries = 3;

CliDialogs *Messages()
{
    return dynamic_cast<CliDialogs *>(platform().dialogs);
}

CliWindow *Bar()
{
    return dynamic_cast<CliWindow *>(platform().window);
}

void Phase(int phase, int phases, const char *name)
{
    if (CliWindow *w = Bar()) {
        w->phase = phase;
        w->phases = phases;
        w->phaseName = name;
    }
}

// The link works on "Comm Port 1"; here it stands for the job's device.
void SelectDevice(const JobRequest &request)
{
    ResetLinkState();
    SaveSetting("Comm Port 1 Device", request.device);
    m_iCommPort = 1;
    m_iBaudIndex = BaudIndexOfRate(request.rate);
    m_lBaudRate = BaudRateOfIndex(m_iBaudIndex);
}

// "pts-3" for /dev/pts/3: a device in a file name.
std::string DeviceTag(const std::string &device)
{
    std::string tag = device.compare(0, 5, "/dev/") == 0 ? device.substr(5) : device;
    std::replace(tag.begin(), tag.end(), '/', '-');
    return tag;
}

bool Fail(JobResult &result, const std::string &fallback)
{
    result.ok = false;
    result.message = fallback;
    const CliDialogs *d = Messages();
    if (!d)
        return false;
    // The first error says what went wrong; the general one after it adds nothing. A lower
    // rate the radio chose is news, not an error.
    for (const std::string &m : d->messages) {
        if (m.compare(0, 14, "NEW BAUD RATE:") != 0) {
            result.message = m;
            break;
        }
    }
    return false;
}

bool ReadRadio(JobResult &result, MemMapImage &image)
{
    const bool ok = ReadRadioPages(image, RadioPages::All, 0, "Reading");
    result.rate = m_lBaudRate;
    if (ok) {
        result.radio = true;
        result.serial = GetEmbeddedSN(image);
    }
    return ok || Fail(result, "the radio did not answer");
}

// Radios without a serial number, read at once, are told apart by their device; an earlier
// read of the day is kept.
std::string FreeReadName(const std::string &serial, const LocalTime &when,
                         const std::string &device)
{
    std::string name = DefaultReadName(serial, when);
    if (name.compare(0, 10, "SN-unknown") == 0)
        name.insert(10, "_" + DeviceTag(device));
    const std::string stem = name.substr(0, name.size() - 4);
    for (int n = 2; platform().files->exists(name) && n < 100; ++n)
        name = stem + "_" + std::to_string(n) + ".tdf";
    return name;
}

// Tagged with the device: radios read at once by several processes may share a serial number
// (or have none), and the check for an existing name cannot see the others' writes.
std::string KeepBackupOf(const MemMapImage &image, const std::string &device)
{
    return KeepImageBackup(image, platform().clock->localTime(), true, DeviceTag(device));
}

bool Compare(JobResult &result, const MemMapImage &expected, const MemMapImage &radio,
             const char *what, const char *order = "file -> radio")
{
    result.differences = DiffFields(expected, radio);
    if (result.differences.empty())
        return true;
    result.ok = false;
    result.message = std::string(what) + ": " + std::to_string(result.differences.size()) +
                     " field(s) differ (" + order + ")";
    return false;
}

void Detect(const JobRequest &request, JobResult &result)
{
    const int hooked = HookRadio(1, HookTries, request.rate);
    result.rate = m_lBaudRate;
    if (hooked == 0) {
        UnhookRadio(true);
        // An empty port is an answer too.
        result.ok = true;
        result.rate = 0;
        result.message = "no radio";
        return;
    }
    if (hooked != 1) {
        Fail(result, "port not usable");
        return;
    }
    result.radio = true;
    MemMapImage image;
    if (!ReadRadioPages(image, RadioPages::Globals, 0, "Reading")) {
        Fail(result, "the radio stopped answering");
        return;
    }
    result.serial = GetEmbeddedSN(image);
    result.ok = true;
}

void Read(const JobRequest &request, JobResult &result)
{
    MemMapImage first;
    Phase(0, request.twice ? 2 : 1, request.twice ? "first read" : "");
    if (!ReadRadio(result, first))
        return;
    if (request.twice) {
        MemMapImage second;
        Phase(1, 2, "second read");
        if (!ReadRadio(result, second) ||
            !Compare(result, first, second, "the two reads differ", "first -> second"))
            return;
    }
    const LocalTime now = platform().clock->localTime();
    result.file =
        request.output.empty() ? FreeReadName(result.serial, now, request.device) : request.output;
    if (!platform().files->writeAtomic(result.file, UsedPagesBytes(first))) {
        result.message = CannotWrite(result.file);
        return;
    }
    result.backup = KeepBackupOf(first, request.device);
    result.ok = true;
    result.message = "wrote " + result.file;
}

void Write(const JobRequest &request, MemMapImage &fileImage, JobResult &result)
{
    const int phases = 1 + (request.backup ? 1 : 0) + (request.verify ? 1 : 0);
    int phase = 0;
    if (request.backup) {
        MemMapImage before;
        Phase(phase++, phases, "backup");
        if (!ReadRadio(result, before))
            return;
        result.backup = KeepBackupOf(before, request.device);
        if (result.backup.empty()) {
            result.message = "no backup could be written; nothing was sent";
            return;
        }
    }
    Phase(phase++, phases, "write");
    const MemMapImage kept = MemMap;
    MemMap = fileImage;
    const bool written = WriteAllToRadio();
    MemMap = kept;
    result.rate = m_lBaudRate;
    if (!written) {
        Fail(result, "the write failed");
        return;
    }
    result.radio = true;
    if (request.verify) {
        MemMapImage radio;
        Phase(phase, phases, "verify");
        if (!ReadRadio(result, radio) || !Compare(result, fileImage, radio, "VERIFY FAILED"))
            return;
    }
    result.ok = true;
    result.message = request.verify ? "written and verified" : "written";
}

} // namespace

bool LoadImageFile(const std::string &path, MemMapImage &image, std::string &why)
{
    const auto data = platform().files->read(path, TdfFileSize);
    if (!data || data->empty()) {
        why = "cannot read " + path;
        return false;
    }
    LoadDefaultImage(image);
    for (std::size_t i = 0; i < data->size(); ++i)
        image.set(static_cast<int>(i / PageSize), static_cast<int>(i % PageSize), (*data)[i]);
    return true;
}

std::string CannotWrite(const std::string &path)
{
    const std::string why = platform().files->lastWriteError();
    return "cannot write " + (why.empty() ? path : why);
}

bool LoadWholeDataFile(const std::string &path, bool force, MemMapImage &image, std::string &why)
{
    const auto data = platform().files->read(path, TdfFileSize + 1);
    if (!data) {
        why = "cannot read " + path;
        return false;
    }
    why = DataFileProblem(*data, force);
    if (!why.empty()) {
        why = path + ": " + why;
        return false;
    }
    return LoadImageFile(path, image, why);
}

std::string DefaultReadName(const std::string &serial, const LocalTime &when)
{
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", when.year, when.month, when.day);
    const std::string backup = ReadBackupName(when, serial);
    // The backup name's serial part, without the time of day.
    const std::string sn = backup.substr(20, backup.size() - 20 - 4);
    return sn + "_" + date + ".tdf";
}

JobResult RunJob(const JobRequest &request)
{
    JobResult result;
    result.device = request.device;
    if (CliDialogs *d = Messages())
        d->messages.clear();
    const double start = platform().clock->seconds();
    MemMapImage fileImage;
    if (request.verb == Verb::Write || request.verb == Verb::Verify) {
        if (!LoadWholeDataFile(request.file, request.force, fileImage, result.message))
            return result;
    }
    SelectDevice(request);
    switch (request.verb) {
    case Verb::Detect:
        Detect(request, result);
        break;
    case Verb::Read:
        Read(request, result);
        break;
    case Verb::Write:
        Write(request, fileImage, result);
        break;
    case Verb::Verify: {
        MemMapImage radio;
        Phase(0, 1, "");
        if (ReadRadio(result, radio) &&
            Compare(result, fileImage, radio, "the radio differs from the file"))
            result.ok = true;
        break;
    }
    case Verb::None:
    case Verb::Diff:
    case Verb::Export:
    case Verb::Import:
        result.message = "not a radio job";
        break;
    }
    result.seconds = platform().clock->seconds() - start;
    return result;
}
