#include "portsjob.h"

#include <algorithm>

std::string SerialPortTable(const std::vector<SerialPortRow> &rows, const std::string &user)
{
    const std::string advice =
        AnySerialDevicePresent(rows) ? std::string() : std::string(NoSerialDeviceAdvice) + "\n";
    if (rows.empty())
        return advice;
    std::vector<std::array<std::string, 8>> lines;
    std::array<std::string, 8> titles;
    std::copy(SerialPortColumns.begin(), SerialPortColumns.end(), titles.begin());
    lines.push_back(titles);
    for (const SerialPortRow &row : rows)
        lines.push_back(SerialPortCells(row, user));
    std::array<std::size_t, 8> width{};
    for (const auto &line : lines)
        for (std::size_t c = 0; c < width.size(); ++c)
            width[c] = std::max(width[c], line[c].size());
    std::string text;
    for (const auto &line : lines) {
        std::string out;
        for (std::size_t c = 0; c < width.size(); ++c) {
            const std::string &cell = line[c].empty() ? std::string("-") : line[c];
            out += cell;
            if (c + 1 < width.size())
                out += std::string(width[c] - cell.size() + 2, ' ');
        }
        text += out + "\n";
    }
    return text + advice;
}
