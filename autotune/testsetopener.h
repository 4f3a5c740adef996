#pragma once

// How a surface gets a test set for an address and a profile: the host's instruments behind a
// profile. Empty result with why when the instrument cannot be reached or the profile read.

#include "testset.h"

#include <functional>
#include <memory>
#include <string>

using TestSetOpener = std::function<std::unique_ptr<TestSet>(
    const std::string &address, const std::string &profile, std::string &why)>;
