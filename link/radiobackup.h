#pragma once

// A copy of every image read from a radio, kept in the per-user data folder so that a
// technician can always go back to what a radio held before it was written.

#include "clock.h"
#include "memmap.h"

#include <string>

constexpr int MaxReadBackups = 200;

// programFolder + "/Backups".
std::string ReadBackupFolder();

// "2026-12-06_14-03-59_SN12.34.567.tdf"; the serial number as the settings pane shows it, or
// "SN-unknown" when the radio holds none.
std::string ReadBackupName(const LocalTime &when, const std::string &serialText);

// Writes MemMap pages 0..25 as a data file into the backup folder and removes the oldest
// backups beyond MaxReadBackups. Quiet on failure: the backup never spoils the read. Returns
// the path written, or "" when nothing could be written. A read without the global page
// cannot tell the radio's serial number, so its backup is named "SN-unknown". A tag goes
// before the extension ("..._SN12.34.567_ttyUSB0.tdf"): programs reading several radios at
// once name their backups apart.
std::string KeepReadBackup(const LocalTime &when, bool globalPageRead = true,
                           const std::string &tag = {});
// The same for an image read into a buffer of its own.
std::string KeepImageBackup(const MemMapImage &image, const LocalTime &when,
                            bool globalPageRead = true, const std::string &tag = {});

// The backup a read of the whole radio kept stands for the radio as long as nothing is
// written to any radio: a write that follows needs no backup of its own when the same radio
// (by serial number) is on the same device. Only this program run knows of it.
void NoteWholeReadBackup(const std::string &path, const std::string &serial,
                         const std::string &device);
// True when a noted backup for device may still stand, so asking the radio's serial number is
// worth it.
bool MayHaveStandingBackup(const std::string &device);
// The noted backup's path when it stands for the radio with serial on device and the file is
// still there; "" otherwise.
std::string StandingBackup(const std::string &serial, const std::string &device);
