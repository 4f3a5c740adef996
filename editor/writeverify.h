#pragma once

// What the window says when the radio does not hold the editor's data: after a write's
// read-back, and for the Read menu's comparison.

#include "fielddiff.h"

#include <string>
#include <vector>

inline const char *const VerifyFailedCaption = "VERIFY FAILED";
inline const char *const VerifyRadioCaption = "VERIFY RADIO";

// The message after a write whose read-back differs: the fields, as many as a message lists.
std::string VerifyFailedText(const std::vector<FieldDifference> &differences);
std::string VerifyFailedStatus(std::size_t fields);
// The read-back itself failed: the write may or may not have arrived.
inline const char *const VerifyNoAnswerStatus =
    "VERIFY FAILED: the radio did not answer the read-back.....";

// The comparison's table: its heading, columns and one row per field.
std::string DifferencesHeading(std::size_t fields);
std::vector<std::string> DifferenceColumns();
std::vector<std::vector<std::string>>
DifferenceRows(const std::vector<FieldDifference> &differences);
std::string CompareStatus(std::size_t fields);

// "1 field differs", "3 fields differ".
std::string FieldsDiffer(std::size_t n);
