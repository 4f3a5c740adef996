#include "sqldatabase.h"

std::string SqlText(const SqlValue &value)
{
    if (const auto *text = std::get_if<std::string>(&value))
        return *text;
    if (const auto *number = std::get_if<long long>(&value))
        return std::to_string(*number);
    if (const auto *bytes = std::get_if<SqlBytes>(&value))
        return std::string(bytes->begin(), bytes->end());
    return {};
}

long long SqlInt(const SqlValue &value)
{
    if (const auto *number = std::get_if<long long>(&value))
        return *number;
    if (const auto *text = std::get_if<std::string>(&value)) {
        try {
            return std::stoll(*text);
        } catch (...) {
            return 0;
        }
    }
    return 0;
}

SqlBytes SqlBlob(const SqlValue &value)
{
    if (const auto *bytes = std::get_if<SqlBytes>(&value))
        return *bytes;
    if (const auto *text = std::get_if<std::string>(&value))
        return SqlBytes(text->begin(), text->end());
    return {};
}
