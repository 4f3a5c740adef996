#include "gridedit.h"

#include "chanrecord.h"
#include "dialogs.h"
#include "freqcodec.h"
#include "guardcodec.h"
#include "layout.h"
#include "platform.h"

namespace
{
const std::string Inactive = "Inactive";

std::string bandMHzText(double mhz)
{
    return std::to_string(static_cast<int>(mhz));
}
} // namespace

const char *const TxNeedsRxMessage = "The Receive frequency for this channel is currently\r\n"
                                     "'Inactive', therefore the Transmit frequency must\r\n"
                                     "must also be set to 'Inactive'.";

std::string RxInactiveMessage()
{
    return "Please set the Transmit frequeny for this\r\n"
           "channel to 0 ('Inactive'), OR select a\r\n"
           "valid Receive frequency in the range of\r\n" +
           bandMHzText(FreqBandLowMHz) + "MHz To " + bandMHzText(FreqBandHighMHz) + "MHz.";
}

GridCell MoveToNextCell(GridCell cell)
{
    if (cell.row == GridLastRow && cell.col == GridLastCol)
        return {1, 1};
    if (cell.col == GridLastCol)
        return {cell.row + 1, 1};
    return {cell.row, cell.col + 1};
}

GridCell MoveToPrevCell(GridCell cell)
{
    if (cell.row == 1 && cell.col == 1)
        return {GridLastRow, GridLastCol};
    if (cell.col == 1)
        return {cell.row - 1, GridLastCol};
    return {cell.row, cell.col - 1};
}

GridCell MoveToNextCellDown(GridCell cell)
{
    return {cell.row == GridLastRow ? 1 : cell.row + 1, cell.col};
}

GridCell MoveToNextCellUp(GridCell cell)
{
    return {cell.row == 1 ? GridLastRow : cell.row - 1, cell.col};
}

bool IsFlagColumn(int col)
{
    return col >= GridColScan && col <= GridColPower;
}

std::string FlagLetter(int col)
{
    static const char *const letters[] = {"S", "N", "L"};
    return IsFlagColumn(col) ? letters[col - GridColScan] : std::string();
}

std::string ToggleFlagCell(const std::string &cell, int col)
{
    return cell == "-" ? FlagLetter(col) : "-";
}

std::optional<std::string> FlagKeyToggle(const std::string &cell, int col, char32_t key)
{
    const std::string letter = FlagLetter(col);
    if (letter.empty())
        return std::nullopt;
    const char32_t upper = key >= U'a' && key <= U'z' ? key - U'a' + U'A' : key;
    if (upper != static_cast<char32_t>(letter[0]))
        return std::nullopt;
    if (cell == letter)
        return std::string("-");
    if (cell == "-")
        return letter;
    return std::nullopt;
}

std::string ChannelCellText(const MemMapImage &mm, int group, int chan, int col)
{
    switch (col) {
    case 1:
        return GetChanLabel(mm, group, chan);
    case 2:
        return GetChanFreq(mm, group, chan, true);
    case 3:
        return GetChanGuard(mm, group, chan, true);
    case 4:
        return GetChanFreq(mm, group, chan, false);
    case 5:
        return GetChanGuard(mm, group, chan, false);
    case 6:
        return GetChanScan(mm, group, chan);
    case 7:
        return GetChanNarrow(mm, group, chan);
    case 8:
        return GetChanLowPower(mm, group, chan);
    default:
        return {};
    }
}

EditorStart EditorStartText(const std::string &cell, char32_t key)
{
    if (key > 32) {
        std::string utf8;
        // The key arrives as one character; keep it as UTF-8 like every other text.
        if (key < 0x80) {
            utf8 += static_cast<char>(key);
        } else if (key < 0x800) {
            utf8 += static_cast<char>(0xC0 | (key >> 6));
            utf8 += static_cast<char>(0x80 | (key & 0x3F));
        } else if (key < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (key >> 12));
            utf8 += static_cast<char>(0x80 | ((key >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (key & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (key >> 18));
            utf8 += static_cast<char>(0x80 | ((key >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((key >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (key & 0x3F));
        }
        return {utf8, false};
    }
    return {cell, key == 32};
}

std::string EditorFocusText(const std::string &text, int col)
{
    if (col == 5 && (text == "U" || text == "u"))
        return "UTXG ";
    return text;
}

std::string SaveGridCell(MemMapImage &mm, int group, int chan, int col, const std::string &text)
{
    switch (col) {
    case 1:
        SetChanLabel(mm, group, chan, text);
        break;
    case 2:
        if (text == Inactive && GetChanFreq(mm, group, chan, false) != Inactive)
            platform().dialogs->message(RxInactiveMessage(), InvalidCombinationCaption,
                                        MsgButtons::Ok, MsgIcon::Information);
        SetChanFreq(mm, group, chan, true, text);
        break;
    case 3:
        SetChanGuard(mm, group, chan, true, text);
        break;
    case 4:
        // A channel may receive only, but never transmit without receiving.
        if (text != Inactive && GetChanFreq(mm, group, chan, true) == Inactive) {
            platform().dialogs->message(TxNeedsRxMessage, InvalidCombinationCaption, MsgButtons::Ok,
                                        MsgIcon::Information);
            SetChanFreq(mm, group, chan, false, Inactive);
            return Inactive;
        }
        SetChanFreq(mm, group, chan, false, text);
        break;
    case 5:
        SetChanGuard(mm, group, chan, false, text);
        break;
    case 6:
        SetChanScan(mm, group, chan, text);
        break;
    case 7:
        SetChanNarrow(mm, group, chan, text);
        break;
    case 8:
        SetChanLowPower(mm, group, chan, text);
        break;
    default:
        break;
    }
    return text;
}

bool EditGroupLabel(MemMapImage &mm, int group, const std::string &text, std::string &shown)
{
    shown = text;
    if (text == GetGrpLabel(mm, group))
        return false;
    shown = ValidateLabel(text, Layout::LabelLength);
    const MemMapImage before = mm;
    SetGrpLabel(mm, group, shown);
    // Like the other text fields: "group 1" over "GROUP 1" is shown repaired but no change.
    return mm != before;
}

bool ChooseIncomingClone(MemMapImage &mm, int group, int index)
{
    const bool reject = index != 0;
    if (reject == GetGrpIncomingClone(mm, group))
        return false;
    SetGrpIncomingClone(mm, group, reject);
    return true;
}

bool ClickGroupScanList(MemMapImage &mm, int group, bool checked)
{
    const std::string text = checked ? "Yes" : "No";
    if (text == GetGrpScanList(mm, group))
        return false;
    SetGrpScanList(mm, group, text);
    return true;
}
