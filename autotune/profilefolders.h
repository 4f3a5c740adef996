#pragma once

#include <string>
#include <vector>

class FileSystem;

// Instrument profiles live in the user's data folder ("Instruments" below the program
// folder) and beside the installed program (share/zpa-tessaro-editor/instruments); a user
// profile of the same name wins.
inline constexpr char UserProfileFolderName[] = "Instruments";
inline constexpr char ProfileSuffix[] = ".yaml";

// The shipped profiles' folder: share/zpa-tessaro-editor/instruments beside the installed
// program, or the sources' for a build that is not installed; empty when neither exists.
std::string InstalledProfileFolder(FileSystem &files, const std::string &executableDir);

std::vector<std::string> InstrumentProfileFolders(const std::string &programFolder,
                                                  const std::string &installedFolder);

// The profile's file: nameOrPath itself when it names a file ("a/b.yaml", "./b.yaml"),
// otherwise NAME.yaml in the first folder holding it; empty with a sentence in error.
std::string FindInstrumentProfile(FileSystem &files, const std::string &nameOrPath,
                                  const std::vector<std::string> &folders, std::string &error);

// The profile names (without suffix) in the folders, each once, sorted.
std::vector<std::string> ListInstrumentProfiles(FileSystem &files,
                                                const std::vector<std::string> &folders);

// Reads and checks a profile file; the text of the file or a sentence in error.
bool ReadInstrumentProfileText(FileSystem &files, const std::string &path, std::string &text,
                               std::string &error);
