#pragma once

// How a surface gets a test set for an address and a profile: the host's instruments behind a
// profile. Empty result with why when the instrument cannot be reached or the profile read.

#include "testset.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using TestSetOpener = std::function<std::unique_ptr<TestSet>(
    const std::string &address, const std::string &profile, std::string &why)>;

// What the host offers the AutoTune window: the test set behind an address and a profile, the
// instruments found on the LAN (address, identity) when asked, and the profiles' names.
struct AutoTuneHost {
    TestSetOpener open;
    std::function<std::vector<std::pair<std::string, std::string>>()> find;
    std::function<std::vector<std::string>()> profiles;
};
