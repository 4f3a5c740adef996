#pragma once

// `tessaro ports`: the serial port list as the editor's port dialog shows it.

#include "serialportlist.h"

#include <string>
#include <vector>

// Aligned columns, one device a line; the advice when there is none.
std::string SerialPortTable(const std::vector<SerialPortRow> &rows, const std::string &user);
