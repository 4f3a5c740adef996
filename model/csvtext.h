#pragma once

#include <string>

// A CSV field: quoted, with its quotes doubled, when it holds a separator, a quote or a line
// break; as it is otherwise.
std::string CsvField(const std::string &text);
