#pragma once

#include <string>

// Tells the user that a file routine failed; the program carries on.
void ShowIOError(const std::string &routine);
