#include "historyconfig.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

namespace
{

std::string Trimmed(const std::string &text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

// "%40" and the like in the parts of a URL.
std::string Unescaped(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() &&
            std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool SetPort(SqlConnection &c, const std::string &text, std::string &why)
{
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos || std::stoi(text) == 0 ||
        std::stoi(text) > 65535) {
        why = "\"" + text + "\" is not a port number";
        return false;
    }
    c.port = std::stoi(text);
    return true;
}

std::optional<SqlConnection> FromUrl(std::string rest, std::string &why)
{
    SqlConnection c;
    c.dialect = SqlDialect::Postgres;
    const std::size_t query = rest.find('?');
    if (query != std::string::npos)
        rest.erase(query);
    const std::size_t slash = rest.find('/');
    if (slash != std::string::npos) {
        c.database = Unescaped(rest.substr(slash + 1));
        rest.erase(slash);
    }
    const std::size_t at = rest.rfind('@');
    if (at != std::string::npos) {
        const std::string credentials = rest.substr(0, at);
        const std::size_t colon = credentials.find(':');
        c.user = Unescaped(credentials.substr(0, colon));
        if (colon != std::string::npos)
            c.password = Unescaped(credentials.substr(colon + 1));
        rest.erase(0, at + 1);
    }
    const std::size_t colon = rest.rfind(':');
    if (colon != std::string::npos && rest.find(']') == std::string::npos) {
        if (!SetPort(c, rest.substr(colon + 1), why))
            return std::nullopt;
        rest.erase(colon);
    }
    c.host = Unescaped(rest);
    if (c.host.empty() || c.database.empty()) {
        why = "a PostgreSQL address needs a host and a database name";
        return std::nullopt;
    }
    return c;
}

std::optional<SqlConnection> FromKeywords(const std::string &text, std::string &why)
{
    SqlConnection c;
    c.dialect = SqlDialect::Postgres;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        const std::size_t eq = text.find('=', i);
        if (i >= text.size())
            break;
        if (eq == std::string::npos) {
            why = "\"" + text.substr(i) + "\" has no value";
            return std::nullopt;
        }
        const std::string key = Trimmed(text.substr(i, eq - i));
        std::string value;
        i = eq + 1;
        if (i < text.size() && text[i] == '\'') {
            for (++i; i < text.size() && text[i] != '\''; ++i)
                value += text[i] == '\\' && i + 1 < text.size() ? text[++i] : text[i];
            ++i;
        } else {
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
                value += text[i++];
        }
        if (key == "host" || key == "hostaddr")
            c.host = value;
        else if (key == "port") {
            if (!SetPort(c, value, why))
                return std::nullopt;
        } else if (key == "dbname")
            c.database = value;
        else if (key == "user")
            c.user = value;
        else if (key == "password")
            c.password = value;
        else if (key == "connect_timeout")
            c.connectTimeoutSeconds = std::max(1, std::atoi(value.c_str()));
        else {
            why = "\"" + key + "\" is not a connection setting the history knows";
            return std::nullopt;
        }
    }
    if (c.host.empty() || c.database.empty()) {
        why = "a PostgreSQL connection needs host and dbname";
        return std::nullopt;
    }
    return c;
}

} // namespace

std::optional<SqlConnection>
ParseHistoryConnection(const std::string &text, const std::string &programFolder, std::string &why)
{
    const std::string t = Trimmed(text);
    for (const char *scheme : {"postgresql://", "postgres://"}) {
        const std::string s = scheme;
        if (t.compare(0, s.size(), s) == 0)
            return FromUrl(t.substr(s.size()), why);
    }
    if (t.find('=') != std::string::npos && t.find('/') != 0)
        return FromKeywords(t, why);
    SqlConnection c;
    c.file = t.empty() ? programFolder + "/" + HistoryFileName : t;
    return c;
}
