#include "fakeplatform.h"

#include "platform.h"

#include <algorithm>

static std::string settingsPath(const std::string &app, const std::string &section,
                                const std::string &key)
{
    return app + "/" + section + "/" + key;
}

std::string FakeSettings::get(const std::string &app, const std::string &section,
                              const std::string &key, const std::string &defaultValue)
{
    auto it = values.find(settingsPath(app, section, key));
    return it == values.end() ? defaultValue : it->second;
}

void FakeSettings::save(const std::string &app, const std::string &section, const std::string &key,
                        const std::string &value)
{
    ++saveCount;
    values[settingsPath(app, section, key)] = value;
}

bool MemoryFileSystem::exists(const std::string &path)
{
    ++operations;
    return files.count(path) != 0;
}

bool MemoryFileSystem::remove(const std::string &path)
{
    ++operations;
    return files.erase(path) != 0;
}

long long MemoryFileSystem::size(const std::string &path)
{
    ++operations;
    auto it = files.find(path);
    return it == files.end() ? -1 : static_cast<long long>(it->second.size());
}

std::optional<std::vector<std::uint8_t>> MemoryFileSystem::read(const std::string &path,
                                                                std::size_t maxBytes)
{
    ++operations;
    auto it = files.find(path);
    if (it == files.end() || failRead.count(path))
        return std::nullopt;
    const auto &data = it->second;
    return std::vector<std::uint8_t>(data.begin(), data.begin() + std::min(maxBytes, data.size()));
}

bool MemoryFileSystem::writeAtomic(const std::string &path, const std::vector<std::uint8_t> &data)
{
    ++operations;
    if (failWrite.count(path))
        return false;
    files[path] = data;
    return true;
}

bool MemoryFileSystem::makePath(const std::string &)
{
    ++operations;
    return true;
}

std::vector<std::string> MemoryFileSystem::listFolder(const std::string &dir)
{
    ++operations;
    std::vector<std::string> names;
    const std::string prefix = dir + "/";
    for (const auto &entry : files) {
        const std::string &path = entry.first;
        if (path.compare(0, prefix.size(), prefix) == 0 &&
            path.find('/', prefix.size()) == std::string::npos)
            names.push_back(path.substr(prefix.size()));
    }
    return names;
}

std::optional<std::string> FakeDesktopRegistry::readUserDataFile(const std::string &path)
{
    auto it = files.find(path);
    return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
}

bool FakeDesktopRegistry::writeUserDataFile(const std::string &path, const std::string &text)
{
    if (failWrites)
        return false;
    ++writes;
    files[path] = text;
    return true;
}

std::string FakeDesktopRegistry::defaultHandler(const std::string &mimeType)
{
    auto it = defaults.find(mimeType);
    return it == defaults.end() ? std::string() : it->second;
}

bool FakeDesktopRegistry::setDefaultHandler(const std::string &mimeType,
                                            const std::string &desktopFile)
{
    if (failWrites)
        return false;
    defaults[mimeType] = desktopFile;
    return true;
}

bool FakeDesktopRegistry::startCacheTool(const std::string &tool, const std::string &folder)
{
    if (!toolsInstalled)
        return false;
    toolRuns.push_back(tool + " " + folder);
    return true;
}

static bool offers(MsgButtons buttons, MsgAnswer answer)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return answer == MsgAnswer::Ok;
    case MsgButtons::OkCancel:
        return answer == MsgAnswer::Ok || answer == MsgAnswer::Cancel;
    case MsgButtons::YesNo:
        return answer == MsgAnswer::Yes || answer == MsgAnswer::No;
    case MsgButtons::YesNoCancel:
        return answer == MsgAnswer::Yes || answer == MsgAnswer::No || answer == MsgAnswer::Cancel;
    case MsgButtons::RetryCancel:
        return answer == MsgAnswer::Retry || answer == MsgAnswer::Cancel;
    }
    return false;
}

MsgAnswer ScriptedDialogs::message(const std::string &text, const std::string &caption,
                                   MsgButtons buttons, MsgIcon icon)
{
    messages.push_back({text, caption, buttons, icon});
    if (!messageAnswers.empty()) {
        MsgAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    if (offers(buttons, MsgAnswer::Ok))
        return MsgAnswer::Ok;
    return offers(buttons, MsgAnswer::Cancel) ? MsgAnswer::Cancel : MsgAnswer::No;
}

std::optional<std::string> ScriptedDialogs::input(const std::string &prompt,
                                                  const std::string &title,
                                                  const std::string &defaultText)
{
    inputs.push_back({prompt, title, defaultText});
    if (inputAnswers.empty())
        return std::nullopt;
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::openFile(const FileDialogRequest &request)
{
    openRequests.push_back(request);
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::saveFile(const FileDialogRequest &request)
{
    saveRequests.push_back(request);
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

ExitChoice ScriptedDialogs::askExit(const ExitQuestion &question)
{
    exitQuestions.push_back(question);
    if (exitAnswers.empty())
        return ExitChoice::Exit;
    const ExitChoice answer = exitAnswers.front();
    exitAnswers.pop_front();
    return answer;
}

void InstallDoubles(MemoryFileSystem &fs, FakeSettings &settings, ScriptedDialogs &dialogs)
{
    fs = MemoryFileSystem();
    settings = FakeSettings();
    dialogs = ScriptedDialogs();
    platform().files = &fs;
    platform().settings = &settings;
    platform().dialogs = &dialogs;
}
