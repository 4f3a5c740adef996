// Field codecs under fuzzing: an image built from the input, every decoder on it (each must
// read nothing outside its own field and name a list entry that exists), then every validator
// and encoder on a text taken from the input (each must stay inside its group's page and leave
// every other field's text as it was).
// Built as a libFuzzer target with TESSARO_FUZZ; in the suite, main() below runs a fixed seed
// loop and every 16-bit frequency and guard word.

#include "cellundo.h"
#include "chanrecord.h"
#include "choicelists.h"
#include "cmdgroupcodec.h"
#include "freqcodec.h"
#include "globalcodec.h"
#include "globaloptions.h"
#include "guardcodec.h"
#include "labelcodes.h"
#include "memmap.h"
#include "numtext.h"
#include "picklistcodec.h"
#include "platform.h"
#include "reliability/fuzzcheck.h"
#include "textfields.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace
{

// The page 0 bytes, first to last, that each global option list owns by the radio's memory
// layout, independent of the codec's tables.
// clang-format off
const std::map<std::string, std::pair<int, int>> GlobalOptionBytes{
    {"cbToggleAssign_0", {130, 130}}, {"cbToggleAssign_1", {130, 130}},
    {"cbToggleAssign_2", {130, 131}}, {"cbToggleAssign_3", {131, 131}},
    {"cbToggleAssign_4", {131, 131}}, {"cbDTMFDev", {7, 7}}, {"cbFrontPorchTime", {7, 7}},
    {"cbANI", {7, 7}}, {"cbPriRate", {135, 135}}, {"cbFreqDisp", {135, 135}},
    {"cbPerChanPower", {135, 135}}, {"cbTalkbackScan", {135, 135}},
    {"cbNuisanceChanDel", {135, 135}}, {"cbDispOpts_0", {197, 197}},
    {"cbDispOpts_1", {199, 199}}, {"cbPriOpts_0", {200, 200}}, {"cbPriOpts_1", {202, 202}},
    {"cbPriOpts_2", {201, 201}}, {"cbPriOpts_3", {203, 203}}, {"cbUCG", {198, 198}},
    {"cbMisc_0", {196, 196}}, {"cbMisc_1", {196, 196}}, {"cbMisc_2", {197, 197}},
    {"cbMisc_3", {198, 198}}, {"cbMisc_4", {198, 198}}, {"cbMisc_5", {197, 197}},
    {"cbMisc_6", {197, 197}}};
// clang-format on

// A decoder and the bytes it may read: count bytes from offset on one page.
struct Decoder {
    std::string name;
    std::function<std::string(const MemMapImage &)> decode;
    int page, offset, count;
};

std::string num(int value)
{
    return std::to_string(value);
}

// Every decoder for one group, channel and table entry, with the bytes it may read.
std::vector<Decoder> decoders(int g, int c, int k)
{
    using M = const MemMapImage &;
    const int p = g + 1;
    const int rec = 256 + 32 * c;
    const int e = k % 20;
    std::vector<Decoder> list{
        {"rx freq", [=](M mm) { return GetChanFreq(mm, g, c, true); }, p, rec, 2},
        {"tx freq", [=](M mm) { return GetChanFreq(mm, g, c, false); }, p, rec + 8, 2},
        {"rx guard", [=](M mm) { return GetChanGuard(mm, g, c, true); }, p, rec + 4, 2},
        {"tx guard", [=](M mm) { return GetChanGuard(mm, g, c, false); }, p, rec + 11, 3},
        {"utxg", [=](M mm) { return GetChanUTXG(mm, g, c); }, p, rec + 11, 1},
        {"scan", [=](M mm) { return GetChanScan(mm, g, c); }, p, rec + 2, 1},
        {"narrow", [=](M mm) { return GetChanNarrow(mm, g, c); }, p, rec + 2, 1},
        {"low power", [=](M mm) { return GetChanLowPower(mm, g, c); }, p, rec + 10, 1},
        {"channel label", [=](M mm) { return GetChanLabel(mm, g, c); }, p, rec + 20, 12},
        {"group label", [=](M mm) { return GetGrpLabel(mm, g); }, p, 32, 12},
        {"incoming clone", [=](M mm) { return num(GetGrpIncomingClone(mm, g)); }, p, 0, 1},
        {"group scan list", [=](M mm) { return GetGrpScanList(mm, g); }, p, 44, 1},
        {"serial number", GetEmbeddedSN, 0, 113, 7},
        {"silent", [](M mm) { return num(GetSilentMode(mm)); }, 0, 197, 1},
        {"tx on pri 1", [](M mm) { return num(GetTxOnPri1(mm)); }, 0, 197, 1},
        {"pick list lock", [](M mm) { return num(GetPickListLock(mm)); }, 0, 136, 1},
        {"ANI ID", GetANIID, 0, 192, 4},
        {"keypad password", GetKeypadPwd, 0, 189, 3},
        {"null frequency", GetNullFreqSub, 0, 174, 2},
        {"pick list entry", [=](M mm) { return GetPickListGuard(mm, k); }, 0, 256 + 2 * k, 2},
        {"command group",
         [=](M mm) {
             return GetCmdGrpGroupText(mm, e) + "/" + GetCmdGrpChanText(mm, e) +
                    (CmdGrpChanEnabled(mm, e) ? "+" : "-") + num(GetCmdGrpGroupIndex(mm, e)) + "/" +
                    num(GetCmdGrpChanIndex(mm, e));
         },
         0, 320 + 2 * e, 2},
    };
    // Each global option list reads from its first to its last page 0 byte.
    for (const GlobalOption &choice : GlobalOptions()) {
        const GlobalOption *ch = &choice;
        const auto field = GlobalOptionBytes.find(choice.control);
        if (field == GlobalOptionBytes.end())
            continue;
        const auto [first, last] = field->second;
        list.push_back({choice.control,
                        [ch](M mm) { return ch->decode(mm) + "#" + num(ch->position(mm)); }, 0,
                        first, last - first + 1});
    }
    FuzzCheck(list.size() == 21 + GlobalOptions().size(), "a global option without its field");
    return list;
}

// Whatever the bytes, each decoder gives the same text once everything outside its field is
// replaced, and a list is told to show one of its entries (none only for a priority channel
// beyond the list).
void checkDecoders(const MemMapImage &mm, int g, int c, int k, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    static MemMapImage other;
    for (int p = 0; p < MemMapPages; ++p)
        for (int o = 0; o < PageSize; o += 4) {
            const std::uint32_t r = rng();
            for (int i = 0; i < 4; ++i)
                other.set(p, o + i, static_cast<int>((r >> (8 * i)) & 0xFF));
        }
    for (const Decoder &decoder : decoders(g, c, k)) {
        for (int i = 0; i < decoder.count; ++i)
            other.set(decoder.page, decoder.offset + i, mm.get(decoder.page, decoder.offset + i));
        FuzzCheck(decoder.decode(mm) == decoder.decode(other),
                  decoder.name + " reads outside its field (group " + num(g) + ", channel " +
                      num(c) + ", entry " + num(k) + ")");
        for (int i = 0; i < decoder.count; ++i)
            other.set(decoder.page, decoder.offset + i, static_cast<int>(rng() & 0xFF));
    }
    for (const GlobalOption &choice : GlobalOptions()) {
        const int position = choice.position(mm);
        const std::string control = choice.control;
        const bool priorityChannel = control == "cbPriOpts_2" || control == "cbPriOpts_3";
        FuzzCheck(position < static_cast<int>(ChoiceList(control).size()) &&
                      (position >= 0 || (priorityChannel && position == -1)),
                  control + " shows no entry of its list");
    }
    for (int e = 0; e < 20; ++e)
        FuzzCheck(GetCmdGrpGroupIndex(mm, e) >= 0 && GetCmdGrpGroupIndex(mm, e) < 26 &&
                      GetCmdGrpChanIndex(mm, e) >= 0 && GetCmdGrpChanIndex(mm, e) < 20,
                  "command group entry out of its list");
}

// An encoder and the decoders whose text it may change.
struct Encoder {
    std::vector<std::string> changes;
    std::function<void(MemMapImage &)> encode;
};

std::vector<Encoder> encoders(int g, int c, int k, const std::string &text)
{
    using M = MemMapImage &;
    const bool on = !text.empty() && text[0] % 2;
    const int e = k % 20;
    const int position = static_cast<int>(NumericValue(text));
    std::vector<Encoder> list{
        {{"rx freq"}, [=](M mm) { SetChanFreq(mm, g, c, true, text); }},
        {{"tx freq"}, [=](M mm) { SetChanFreq(mm, g, c, false, text); }},
        // Every guard write rewrites the channel's one UTXG index, the receive side's too.
        {{"rx guard", "tx guard", "utxg"}, [=](M mm) { SetChanGuard(mm, g, c, true, text); }},
        {{"tx guard", "utxg"}, [=](M mm) { SetChanGuard(mm, g, c, false, text); }},
        {{"tx guard", "utxg"}, [=](M mm) { SetChanUTXG(mm, g, c, text); }},
        {{"scan"}, [=](M mm) { SetChanScan(mm, g, c, on ? "S" : text); }},
        {{"narrow"}, [=](M mm) { SetChanNarrow(mm, g, c, on ? "N" : text); }},
        {{"low power"}, [=](M mm) { SetChanLowPower(mm, g, c, on ? "L" : text); }},
        {{"channel label"}, [=](M mm) { SetChanLabel(mm, g, c, text); }},
        {{"group label"}, [=](M mm) { SetGrpLabel(mm, g, text); }},
        {{"incoming clone"}, [=](M mm) { SetGrpIncomingClone(mm, g, on); }},
        {{"group scan list"}, [=](M mm) { SetGrpScanList(mm, g, text); }},
        {{"silent"}, [=](M mm) { SetSilentMode(mm, on); }},
        {{"tx on pri 1"}, [=](M mm) { SetTxOnPri1(mm, on); }},
        {{"pick list lock"}, [=](M mm) { SetPickListLock(mm, on); }},
        {{"ANI ID"}, [=](M mm) { SetANIID(mm, text); }},
        {{"keypad password"}, [=](M mm) { SetKeypadPwd(mm, text); }},
        {{"null frequency"}, [=](M mm) { SetNullFreqSub(mm, text); }},
        // A channel's transmit guard may name this pick list entry.
        {{"pick list entry", "tx guard"}, [=](M mm) { SetPickListGuard(mm, k, text); }},
        {{"command group"}, [=](M mm) { SetCmdGrpGroupIndex(mm, e, position % 26); }},
        {{"command group"}, [=](M mm) { SetCmdGrpChanIndex(mm, e, position % 20); }},
    };
    // A list's own entries reach its encoder; most other texts change nothing.
    const std::size_t pick = std::hash<std::string>{}(text);
    for (const GlobalOption &choice : GlobalOptions()) {
        const GlobalOption *ch = &choice;
        const std::vector<std::string> entries = choice.entries();
        const std::string entry = on || entries.empty() ? text : entries[pick % entries.size()];
        std::vector<std::string> changes{choice.control};
        if (changes[0].rfind("cbDispOpts", 0) == 0) // back light and duration go together
            changes = {"cbDispOpts_0", "cbDispOpts_1"};
        list.push_back({changes, [=](M mm) { ChooseGlobalOption(mm, *ch, entry); }});
    }
    return list;
}

// Each encoder in turn changes no page but its own and no decoder's text but its own field's,
// so no encoder reaches another field's bits, even in a byte they share.
void checkEncoders(MemMapImage &mm, int g, int c, int k, const std::string &text)
{
    const std::vector<Decoder> fields = decoders(g, c, k);
    for (const Encoder &encoder : encoders(g, c, k, text)) {
        const MemMapImage before = mm;
        encoder.encode(mm);
        for (int p = 1; p < MemMapPages; ++p)
            for (int o = 0; p != g + 1 && o < PageSize; ++o)
                FuzzCheck(mm.get(p, o) == before.get(p, o), "page " + num(p) + " written");
        for (const Decoder &field : fields) {
            const auto &own = encoder.changes;
            if (std::find(own.begin(), own.end(), field.name) == own.end())
                FuzzCheck(field.decode(mm) == field.decode(before),
                          "the encoder of " + own.front() + " changed " + field.name);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    const int g = data[0] % NumGroups;
    const int c = data[1] % ChansPerGroup;
    const int k = data[2] % 32;
    const std::string text(reinterpret_cast<const char *>(data + 3),
                           std::min<std::size_t>(size - 3, 40));

    // No dialogs: every prompt counts as cancelled.
    platform().dialogs = nullptr;
    CellUndoText.freq = text;
    CellUndoText.guard = text;

    static MemMapImage mm;
    for (int p = 0; p < UsedPages; ++p)
        for (int o = 0; o < PageSize; ++o) {
            const std::size_t at = static_cast<std::size_t>(p * PageSize + o);
            mm.set(p, o, data[at % size] ^ static_cast<std::uint8_t>(at / size));
        }
    std::uint32_t seed = static_cast<std::uint32_t>(size);
    for (std::size_t i = 0; i < size; ++i)
        seed = seed * 31 + data[i];
    checkDecoders(mm, g, c, k, seed);

    std::string freq = text;
    IsValidFreq(freq);
    ValidateFreq(text, "RX");
    ValidateChanGuard(text);
    for (int column = 0; column <= 9; ++column)
        ValidateGridCell(text, column);
    ValidateLabel(text, 12);
    ValidateANIID(text);
    ValidateKeypadPwd(text);
    FormatNumber(NumericValue(text), text);
    LabelToCodes(text);

    checkEncoders(mm, g, c, k, text);
    checkDecoders(mm, g, c, k, seed + 1);
    return 0;
}

#ifndef TESSARO_LIBFUZZER

namespace
{

void everyFrequencyWord()
{
    const std::regex shape("1[0-8][0-9]\\.[0-9]{5}");
    MemMapImage mm;
    for (int word = 0; word < 65536; ++word) {
        const std::string text = BytesToFreq(word / 256, word % 256);
        FuzzCheck(std::regex_match(text, shape), "frequency text " + text);
        for (int at : {256, 264}) {
            mm.set(3, at, word / 256);
            mm.set(3, at + 1, word % 256);
        }
        const std::string shown = GetChanFreq(mm, 2, 0, true);
        const bool inBand = word >= 28800 && word <= 59200;
        FuzzCheck(shown == (word == 0 ? "Inactive" : inBand ? text : "?"), "shown as " + shown);
        FuzzCheck(GetChanFreq(mm, 2, 0, false) == shown, "transmit side shows another text");
        // What is shown in the band stores back to the same word.
        if (inBand) {
            SetChanFreq(mm, 2, 0, true, shown);
            FuzzCheck(mm.get(3, 256) * 256 + mm.get(3, 257) == word,
                      shown + " stores another word");
        }
    }
}

void everyGuardWord()
{
    const std::regex shape("[0-9A-F]{3}\\.[0-9A-F]|D[0-7]{3}-?");
    for (int word = 0; word < 65536; ++word) {
        const std::string text = BytesToGuard(word / 256, word % 256);
        FuzzCheck(std::regex_match(text, shape), "guard text " + text);
        // Words written the codec's way read back and store again unchanged.
        const bool bcd = (word & 0x8000) == 0 && (word & 0x000F) <= 9 && (word & 0x00F0) <= 0x90 &&
                         (word & 0x0F00) <= 0x900 && (word & 0xF000) <= 0x9000;
        const bool cdcss = (word & 0xBE00) == 0x8800;
        const GuardBytes bytes = GuardToBytes(text);
        FuzzCheck(!(bcd || cdcss) || bytes.high * 256 + bytes.low == word,
                  text + " stores another word");
    }
}

} // namespace

int main()
{
    std::mt19937 rng(4711);
    const char *texts[] = {"162.4",    "155.0037", "0", "D023-", "UTXG 5", "67",   "OFF", "Yes",
                           "No",       "x",        "-", "ch 1",  "1234",   "&H1F", "",    "999",
                           "1 Second", "Inactive", "?", "d754",  "UTXG 33"};
    std::vector<std::uint8_t> input;
    for (int round = 0; round < 200; ++round) {
        input = {std::uint8_t(rng()), std::uint8_t(rng()), std::uint8_t(rng())};
        if (round % 2) {
            const std::string text = texts[round / 2 % std::size(texts)];
            input.insert(input.end(), text.begin(), text.end());
        } else {
            input.resize(3 + rng() % 4096);
            for (std::size_t i = 3; i < input.size(); ++i)
                input[i] = static_cast<std::uint8_t>(rng());
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    everyFrequencyWord();
    everyGuardWord();
    std::puts("PASS: codec fuzz seeds and every frequency and guard word");
    return 0;
}

#endif
