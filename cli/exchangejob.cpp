#include "exchangejob.h"

#include "chirpcsv.h"
#include "platform.h"
#include "radiojob.h"
#include "textform.h"
#include "textlimits.h"

#include <cstdio>

namespace
{

// The one place that knows the text forms.
std::string ImageToText(const CliCommand &command, const MemMapImage &image)
{
    switch (command.form) {
    case ExchangeForm::Yaml:
        return WriteTextForm(image);
    case ExchangeForm::Csv:
        return ExportChannelsCsv(image, command.group - 1);
    }
    return {};
}

// False when the text is refused; lines lists each refused value, or what a channel list
// could not carry, as "file:line: ...".
bool TextToImage(const CliCommand &command, const std::string &text, MemMapImage &image,
                 std::vector<std::string> &lines)
{
    const std::string &file = command.files[0];
    switch (command.form) {
    case ExchangeForm::Yaml: {
        std::vector<TextFormError> errors;
        std::vector<TextFormError> notes;
        const bool ok = ReadTextForm(text, image, errors, &notes);
        for (const TextFormError &e : ok ? notes : errors)
            lines.push_back(TextFormErrorLine(file, e));
        return ok;
    }
    case ExchangeForm::Csv: {
        std::vector<CsvNote> notes;
        const bool ok = ImportChannelsCsv(text, command.group - 1, image, notes,
                                          command.renumber ? CsvNumbering::FileOrder
                                                           : CsvNumbering::ByLocation);
        for (const CsvNote &n : notes)
            lines.push_back(CsvNoteLine(file, n));
        return ok;
    }
    }
    return false;
}

int Fail(const std::string &why)
{
    std::fprintf(stderr, "tessaro: %s\n", why.c_str());
    return ExitUsage;
}

bool WriteFile(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    return platform().files->writeAtomic(path, bytes);
}

} // namespace

int RunExport(const CliCommand &command)
{
    MemMapImage image;
    std::string why;
    if (!LoadImageFile(command.files[0], image, why))
        return Fail(why);
    const std::string text = ImageToText(command, image);
    if (command.output.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return ExitOk;
    }
    if (!WriteFile(command.output, std::vector<std::uint8_t>(text.begin(), text.end())))
        return Fail(CannotWrite(command.output));
    return ExitOk;
}

int RunImport(const CliCommand &command)
{
    const std::string &file = command.files[0];
    const auto bytes = platform().files->read(file, MaxExchangeTextBytes + 1);
    if (!bytes)
        return Fail("cannot read " + file);
    if (bytes->size() > MaxExchangeTextBytes)
        return Fail(file + " is too large for an exported text");
    MemMapImage image;
    std::string why;
    if (!LoadImageFile(command.base, image, why))
        return Fail(why);
    std::vector<std::string> lines;
    const bool accepted =
        TextToImage(command, std::string(bytes->begin(), bytes->end()), image, lines);
    for (const std::string &line : lines)
        std::fprintf(stderr, "%s\n", line.c_str());
    if (!accepted)
        return ExitUsage;
    if (!WriteFile(command.output, UsedPagesBytes(image)))
        return Fail(CannotWrite(command.output));
    return ExitOk;
}
