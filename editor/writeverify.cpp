#include "writeverify.h"

#include "exchangecommands.h"

namespace
{

std::string Fields(std::size_t n)
{
    return std::to_string(n) + (n == 1 ? " field" : " fields");
}

} // namespace

std::string FieldsDiffer(std::size_t n)
{
    return Fields(n) + (n == 1 ? " differs" : " differ");
}

std::string VerifyFailedText(const std::vector<FieldDifference> &differences)
{
    std::vector<std::string> lines;
    for (const FieldDifference &d : differences)
        lines.push_back(DifferenceLine(d));
    return "The radio does not hold what was written. " + FieldsDiffer(differences.size()) +
           " (editor -> radio):" + ListedLines(lines) +
           "\r\n\r\nWrite the data again, or check the cable and the radio.";
}

std::string VerifyFailedStatus(std::size_t fields)
{
    return "VERIFY FAILED: " + FieldsDiffer(fields) + " from the editor data.....";
}

std::string DifferencesHeading(std::size_t fields)
{
    if (fields == 0)
        return "The radio holds the editor data: no field differs.";
    return FieldsDiffer(fields) + " between the editor data and the radio. Nothing was written.";
}

std::vector<std::string> DifferenceColumns()
{
    return {"Group", "Channel", "Field", "Editor", "Radio"};
}

std::vector<std::vector<std::string>>
DifferenceRows(const std::vector<FieldDifference> &differences)
{
    std::vector<std::vector<std::string>> rows;
    rows.reserve(differences.size());
    for (const FieldDifference &d : differences)
        rows.push_back({d.group == 0 ? "Global" : std::to_string(d.group),
                        d.channel == 0 ? "" : std::to_string(d.channel), d.field, d.first,
                        d.second});
    return rows;
}

std::string CompareStatus(std::size_t fields)
{
    return fields == 0 ? "Radio Data Matches Editor Data....."
                       : "Radio Data Differs From Editor Data: " + Fields(fields) + ".....";
}
