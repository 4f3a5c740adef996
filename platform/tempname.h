#pragma once

// How a save names its temporary and which leftovers the program may remove: one rule for the
// saves and the start-up clean-up. Plain C++.

#include <string>

// A temporary is hidden and carries this infix: ".unit.tdf.tessaro-save.Ab12Cd". No user picks
// such a name, and it tells whose the file is.
inline constexpr char TempFileInfix[] = ".tessaro-save.";
inline constexpr std::size_t TempFileRandomLength = 6;
// A save takes milliseconds; a temporary this old belongs to no running save.
inline constexpr long long StaleTempFileSeconds = 60 * 60;

// The mkstemp() template (ending in "XXXXXX") for a temporary of the file named fileName
// (without folder), short enough for any file system's name limit.
std::string TempFileTemplate(const std::string &fileName);

// True for a name TempFileTemplate() can give.
bool IsTempFileName(const std::string &name);

// True when the file named name, last changed ageSeconds ago, is a temporary no save can still
// be using. A negative age means unknown.
bool IsStaleTempFile(const std::string &name, long long ageSeconds);
