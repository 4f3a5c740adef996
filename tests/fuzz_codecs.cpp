// libFuzzer target over the field codecs: an image built from the input, every decoder on it,
// then every validator and encoder on a text taken from the input. Any crash, sanitizer
// report or stray write outside a field ends the run.

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
#include "textfields.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{

void fill(MemMapImage &mm, const std::uint8_t *data, std::size_t size)
{
    for (int p = 0; p < UsedPages; ++p)
        for (int o = 0; o < PageSize; ++o) {
            const std::size_t at = static_cast<std::size_t>(p * PageSize + o);
            mm.set(p, o, size ? data[at % size] ^ static_cast<std::uint8_t>(at / size) : 0);
        }
}

void decodeAll(const MemMapImage &mm, int g, int c, int k)
{
    std::string sink;
    sink += GetChanFreq(mm, g, c, true) + GetChanFreq(mm, g, c, false);
    sink += GetChanGuard(mm, g, c, true) + GetChanGuard(mm, g, c, false) + GetChanUTXG(mm, g, c);
    sink += GetChanScan(mm, g, c) + GetChanNarrow(mm, g, c) + GetChanLowPower(mm, g, c);
    sink += GetChanLabel(mm, g, c) + GetGrpLabel(mm, g) + GetGrpScanList(mm, g);
    sink += GetEmbeddedSN(mm) + GetANIID(mm) + GetKeypadPwd(mm) + GetNullFreqSub(mm);
    sink +=
        GetPickListGuard(mm, k) + GetCmdGrpGroupText(mm, k % 20) + GetCmdGrpChanText(mm, k % 20);
    for (const GlobalOption &choice : GlobalOptions()) {
        sink += choice.decode(mm);
        const int position = choice.position(mm);
        if (position >= static_cast<int>(ChoiceList(choice.control).size()) || position < -1)
            std::abort();
    }
    if (sink.empty())
        std::abort();
}

void encodeAll(MemMapImage &mm, int g, int c, int k, const std::string &text)
{
    SetChanFreq(mm, g, c, true, text);
    SetChanGuard(mm, g, c, false, text);
    SetChanUTXG(mm, g, c, text);
    SetChanScan(mm, g, c, text);
    SetChanLabel(mm, g, c, text);
    SetGrpScanList(mm, g, text);
    SetNullFreqSub(mm, text);
    SetANIID(mm, text);
    SetKeypadPwd(mm, text);
    SetPickListGuard(mm, k, text);
    for (const GlobalOption &choice : GlobalOptions())
        ChooseGlobalOption(mm, choice, text);
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
    fill(mm, data, size);
    decodeAll(mm, g, c, k);

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

    const MemMapImage before = mm;
    encodeAll(mm, g, c, k, text);
    // Pages of other groups and the unused pages are never touched.
    for (int p = 1; p < MemMapPages; ++p) {
        if (p == g + 1)
            continue;
        for (int o = 0; o < PageSize; ++o)
            if (mm.get(p, o) != before.get(p, o))
                std::abort();
    }
    decodeAll(mm, g, c, k);
    return 0;
}
