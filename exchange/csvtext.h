#pragma once

// Comma-separated text as RFC 4180 has it: quoted fields with doubled quotes inside, records
// ended by CR LF or LF.

#include <string>
#include <vector>

struct CsvRecord {
    int line = 0; // where the record starts, from 1
    std::vector<std::string> fields;
};

// Every record of the text, blank lines included (as one empty field). A UTF-8 byte order
// mark at the start is dropped; a quote left open runs to the end of the text.
std::vector<CsvRecord> ReadCsvRecords(const std::string &text);

// One record's text: fields quoted only when they hold a comma, a quote or a line break, or
// begin or end with a blank; ended by CR LF.
std::string CsvLine(const std::vector<std::string> &fields);
