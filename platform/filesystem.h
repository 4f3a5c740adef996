#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The file operations the data-file routines and the file commands need.
// Paths use "/" and are the bytes the system uses for the name, whatever their encoding.
class FileSystem
{
public:
    virtual ~FileSystem() = default;
    virtual bool exists(const std::string &path) = 0;
    virtual bool remove(const std::string &path) = 0;
    // Size in bytes, or -1 when the file does not exist or cannot be examined.
    virtual long long size(const std::string &path) = 0;
    // Reads at most maxBytes from the start of the file; nullopt when it cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> read(const std::string &path,
                                                          std::size_t maxBytes) = 0;
    // Replaces the file atomically: on failure the previous file stays intact. A link is
    // followed and its target replaced; a read-only file, or anything that is not a regular
    // file, is refused. Nothing is left behind when the program is killed during the write.
    virtual bool writeAtomic(const std::string &path, const std::vector<std::uint8_t> &data) = 0;
    // Why the last writeAtomic() failed, as one line; "" when it did not say.
    virtual std::string lastWriteError() { return {}; }
    // Creates the folder and its parents; true when it exists afterwards.
    virtual bool makePath(const std::string &dir) = 0;
    // Seconds since the file was last changed; -1 when unknown.
    virtual long long ageSeconds(const std::string &path)
    {
        (void)path;
        return -1;
    }
    // Names (without folder) of the files in the folder; empty when it cannot be listed.
    virtual std::vector<std::string> listFolder(const std::string &dir)
    {
        (void)dir;
        return {};
    }
};
