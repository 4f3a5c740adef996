#pragma once

// The host's test sets: the instrument an address names, driven through a profile.

#include "testset.h"
#include "testsetopener.h"

#include <memory>
#include <string>
#include <vector>

// The folders that hold instrument profiles: the user's, then the shipped ones.
std::vector<std::string> HostProfileFolders();

// Connects to the instrument at address and drives it through the profile (a name or a file;
// empty: the profile that knows the instrument's identity). Null with why when it cannot.
std::unique_ptr<TestSet> OpenHostTestSet(const std::string &address, const std::string &profile,
                                         std::string &why);

// The above with LAN discovery and the profiles' names, for the AutoTune window.
AutoTuneHost HostAutoTune();
