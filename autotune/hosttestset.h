#pragma once

// The host's test sets: the instrument an address names, driven through a profile.

#include "testset.h"

#include <memory>
#include <string>

std::unique_ptr<TestSet> OpenHostTestSet(const std::string &address, const std::string &profile,
                                         std::string &why);
