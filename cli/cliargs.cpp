#include "cliargs.h"

#include "baudrates.h"
#include "numtext.h"

#include <algorithm>
#include <cstdlib>

namespace
{

struct VerbEntry {
    const char *name;
    Verb verb;
    int minFiles;
    int maxFiles;
    bool ports; // takes --port
    const char *help;
};

constexpr VerbEntry Verbs[] = {
    {"detect", Verb::Detect, 0, 0, true,
     "usage: tessaro detect [--port DEV]... [--rate BAUD] [--json]\n"
     "Hooks each serial device (or those named), reports whether a radio answers, the highest\n"
     "rate it accepts (up to --rate, default 115200) and its serial number. Nothing is written.\n"},
    {"read", Verb::Read, 0, 0, true,
     "usage: tessaro read --port DEV... [-o FILE.tdf] [--twice] [--rate BAUD] [--json]\n"
     "Reads the whole radio into a data file (default SN<serial>_<date>.tdf) and keeps a backup.\n"
     "  --twice   read a second time and fail, naming the fields, when the reads differ\n"
     "  -o FILE   the data file to write (one port only)\n"},
    {"write", Verb::Write, 1, 1, true,
     "usage: tessaro write --port DEV... FILE.tdf [--no-backup] [--no-verify] [--force] "
     "[--rate BAUD] [--json]\n"
     "Backs up the radio, writes the file's bytes and bits as Write All does, reads them back\n"
     "and fails, naming the fields, when the radio holds anything else.\n"
     "  --force   take a data file shorter than 26,624 bytes (the rest from the defaults)\n"},
    {"verify", Verb::Verify, 1, 1, true,
     "usage: tessaro verify --port DEV... FILE.tdf [--force] [--rate BAUD] [--json]\n"
     "Lists, field by field, where the radio differs from the file. Nothing is written.\n"},
    {"diff", Verb::Diff, 2, 2, false,
     "usage: tessaro diff A.tdf B.tdf [--force] [--json]\n"
     "Lists, field by field, where two data files differ; exit status 1 when they do.\n"},
    {"export", Verb::Export, 1, 1, false,
     "usage: tessaro export FILE.tdf [-o FILE.yaml]\n"
     "       tessaro export FILE.tdf --csv [--group N] [-o FILE.csv]\n"
     "Writes every value the editor owns as YAML text, one field per line in window order, each\n"
     "as the editor shows it (standard output without -o). With --csv, the channels of group N\n"
     "(or all 500) in CHIRP's CSV layout; inactive channels are left out.\n"},
    {"import", Verb::Import, 1, 1, false,
     "usage: tessaro import FILE.yaml --base BASE.tdf -o OUT.tdf\n"
     "       tessaro import FILE.csv --group N [--renumber] --base BASE.tdf -o OUT.tdf\n"
     "Reads an exported text onto the base data file with the editor's rules and writes the\n"
     "result; bytes the text does not hold keep the base's values. Every refused value is\n"
     "listed as FILE:LINE: field: why, and then nothing is written (exit status 2).\n"
     "A CHIRP-layout CSV file (named *.csv, or with --csv) replaces the channels of group N;\n"
     "rows that cannot be carried are skipped and listed on standard error, and a file that\n"
     "carries no channel is refused. --renumber takes the rows in file order as channels 1..20\n"
     "whatever their Location (CHIRP lists often count from 0).\n"},
};

const char *const Overview =
    "usage: tessaro VERB [options]   (tessaro VERB --help for each)\n"
    "  detect   find radios on the serial ports\n"
    "  read     read radios into data files\n"
    "  write    write a data file into radios, with backup and verify\n"
    "  verify   compare radios with a data file\n"
    "  diff     compare two data files\n"
    "  export   a data file as YAML text, or its channels as CSV\n"
    "  import   YAML text or channel CSV onto a data file\n"
    "Ports are device paths or \"Comm Port n\" as the editor maps them; several --port options\n"
    "work on that many radios at once. Exit status: 0 success, 1 a radio failed or the data\n"
    "differ, 2 bad usage or input.\n";

const VerbEntry *FindVerb(const std::string &name)
{
    for (const VerbEntry &v : Verbs)
        if (name == v.name)
            return &v;
    return nullptr;
}

const VerbEntry *FindVerb(Verb verb)
{
    for (const VerbEntry &v : Verbs)
        if (verb == v.verb)
            return &v;
    return nullptr;
}

bool IsCsvName(const std::string &path)
{
    return path.size() > 4 && UpperCase(path.substr(path.size() - 4)) == ".CSV";
}

CliCommand Bad(CliCommand c, const std::string &why)
{
    c.error = why;
    return c;
}

} // namespace

int CommPortNumber(const std::string &name)
{
    const std::string prefix = "COMM PORT ";
    const std::string upper = UpperCase(name);
    if (upper.compare(0, prefix.size(), prefix) != 0 || upper.size() == prefix.size())
        return 0;
    const std::string digits = upper.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 2)
        return 0;
    const int n = std::atoi(digits.c_str());
    return n >= 1 && n <= 10 ? n : 0;
}

CliCommand ParseCommandLine(const std::vector<std::string> &args)
{
    CliCommand c;
    if (args.empty())
        return Bad(c, "no verb given (try tessaro --help)");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        c.help = true;
        if (args.size() > 1 && FindVerb(args[1]))
            c.verb = FindVerb(args[1])->verb;
        return c;
    }
    const VerbEntry *verb = FindVerb(args[0]);
    if (!verb)
        return Bad(c, "unknown verb '" + args[0] + "' (try tessaro --help)");
    c.verb = verb->verb;
    // Help wins over whatever else the line holds.
    c.help = std::find(args.begin(), args.end(), "--help") != args.end() ||
             std::find(args.begin(), args.end(), "-h") != args.end();
    if (c.help)
        return c;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--json") {
            c.json = true;
        } else if (a == "--worker") {
            c.worker = true;
        } else if (a == "--twice" && c.verb == Verb::Read) {
            c.twice = true;
        } else if (a == "--no-backup" && c.verb == Verb::Write) {
            c.backup = false;
        } else if (a == "--no-verify" && c.verb == Verb::Write) {
            c.verify = false;
        } else if (a == "--force" && verb->minFiles > 0 && c.verb != Verb::Export &&
                   c.verb != Verb::Import) {
            c.force = true;
        } else if (a == "--port" && verb->ports) {
            if (!hasValue)
                return Bad(c, "--port needs a device");
            c.ports.push_back(args[++i]);
        } else if (a == "--rate" && verb->ports) {
            if (!hasValue)
                return Bad(c, "--rate needs a baud rate");
            c.rate = std::atol(args[++i].c_str());
            if (BaudRateOfIndex(BaudIndexOfRate(c.rate)) != c.rate)
                return Bad(c, "--rate must be 4800, 9600, 19200, 38400, 57600 or 115200");
        } else if ((a == "-o" || a == "--output") &&
                   (c.verb == Verb::Read || c.verb == Verb::Export || c.verb == Verb::Import)) {
            if (!hasValue)
                return Bad(c, a + " needs a file name");
            c.output = args[++i];
        } else if (a == "--csv" && (c.verb == Verb::Export || c.verb == Verb::Import)) {
            c.form = ExchangeForm::Csv;
        } else if (a == "--group" && (c.verb == Verb::Export || c.verb == Verb::Import)) {
            const std::string n = hasValue ? args[++i] : std::string();
            c.group = n.find_first_not_of("0123456789") == std::string::npos && n.size() <= 2
                          ? std::atoi(n.c_str())
                          : 0;
            if (c.group < 1 || c.group > 25)
                return Bad(c, "--group needs a group number from 1 to 25");
        } else if (a == "--renumber" && c.verb == Verb::Import) {
            c.renumber = true;
        } else if (a == "--base" && c.verb == Verb::Import) {
            if (!hasValue)
                return Bad(c, "--base needs a data file");
            c.base = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return Bad(c, "unknown option '" + a + "' for " + verb->name);
        } else {
            c.files.push_back(a);
        }
    }
    const int files = static_cast<int>(c.files.size());
    if (files < verb->minFiles || files > verb->maxFiles)
        return Bad(c, std::string(verb->name) + (verb->maxFiles == 0      ? " takes no file"
                                                 : c.verb == Verb::Import ? " needs one text file"
                                                 : verb->maxFiles == 1    ? " needs one data file"
                                                                       : " needs two data files"));
    if (c.ports.empty() && verb->ports && c.verb != Verb::Detect)
        return Bad(c, std::string(verb->name) + " needs --port");
    if (c.verb == Verb::Import && (c.base.empty() || c.output.empty()))
        return Bad(c, "import needs --base BASE.tdf and -o OUT.tdf");
    if (c.verb == Verb::Import && IsCsvName(c.files[0]))
        c.form = ExchangeForm::Csv;
    if (c.group != 0 && c.form != ExchangeForm::Csv)
        return Bad(c, "--group is for channel CSV files");
    if (c.renumber && c.form != ExchangeForm::Csv)
        return Bad(c, "--renumber is for channel CSV files");
    if (c.verb == Verb::Import && c.form == ExchangeForm::Csv && c.group == 0)
        return Bad(c, "a channel CSV import needs --group N");
    if (!c.output.empty() && c.ports.size() > 1)
        return Bad(c, "-o names one file, but several ports were given");
    return c;
}

std::string HelpText(Verb verb)
{
    const VerbEntry *v = FindVerb(verb);
    return v ? v->help : Overview;
}
