#include "guardcodec.h"

#include "cellundo.h"
#include "layout.h"
#include "numtext.h"
#include "platform.h"

#include <algorithm>

namespace
{

const char *const CRLF = "\r\n";
constexpr int MaxUTXG = 32;

int digitValue(const std::string &text, std::size_t index)
{
    if (index >= text.size() || text[index] < '0' || text[index] > '9')
        return 0;
    return text[index] - '0';
}

const char hexDigits[] = "0123456789ABCDEF";

int chanGuardOffset(int chan, bool isReceive)
{
    return Layout::ChanRecord(chan) + (isReceive ? Layout::ChRxGuard : Layout::ChTxGuard);
}

// The index SetChanUTXG stores for a text: the number after the first blank.
int utxgIndexOf(const std::string &text)
{
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos || blank < 3)
        return 0;
    const double n = NumericValue(text.substr(blank + 1));
    return n >= 1 && n <= MaxUTXG ? static_cast<int>(RoundHalfEven(n)) : 0;
}

std::string guardFormatMessage(const std::string &typed)
{
    return "You attempted to enter the value '" + typed + "'." + CRLF + CRLF +
           "Please enter a valid Channel Guard value." + CRLF + CRLF +
           "CTCSS in the range of '67.0' To '250.3'" + CRLF + CRLF +
           "CDCSS in the range of 'D023' To 'D754'," + CRLF +
           "8 and 9 are not valid CDCSS digits." + CRLF +
           "Use an optional '-' the the end to invert" + CRLF + "CDCSS ONLY, example 'D131-')" +
           " OR enter a" + CRLF + "User TX Guard in the format 'UTXG 3'";
}

std::string rejectGuard(const std::string &typed)
{
    if (Dialogs *dialogs = platform().dialogs)
        dialogs->message(guardFormatMessage(typed), "FORMAT ERROR", MsgButtons::Ok,
                         MsgIcon::Information);
    return CellUndoText.guard;
}

bool isOctalDigit(char ch)
{
    return ch >= '0' && ch <= '7';
}

} // namespace

GuardBytes GuardToBytes(const std::string &text)
{
    const std::string upper = UpperCase(text);
    int word = 0;
    if (!upper.empty() && upper[0] == 'D') {
        // Digits 8 and 9 never get past validation; masking keeps stray ones out of other bits.
        const int a = digitValue(upper, 1) & 7;
        const int b = digitValue(upper, 2) & 7;
        const int c = digitValue(upper, 3) & 7;
        word = 0x8000 + (upper.back() == '-' ? 0x4000 : 0) + 0x0800 + a * 64 + b * 8 + c;
    } else {
        std::string digits;
        std::copy_if(upper.begin(), upper.end(), std::back_inserter(digits),
                     [](char ch) { return ch != '.'; });
        if (digits.size() < 4)
            digits.insert(0, 1, '0');
        word = digitValue(digits, 0) * 4096 + digitValue(digits, 1) * 256 +
               digitValue(digits, 2) * 16 + digitValue(digits, 3);
    }
    return {static_cast<std::uint8_t>(word / 256), static_cast<std::uint8_t>(word % 256)};
}

std::string BytesToGuard(int high, int low)
{
    high &= 0xFF;
    low &= 0xFF;
    if (high == 0 && low == 0)
        return "000.0";
    if ((high & 0x80) == 0) {
        std::string text;
        text += hexDigits[high >> 4];
        text += hexDigits[high & 15];
        text += hexDigits[low >> 4];
        text += '.';
        text += hexDigits[low & 15];
        return text;
    }
    const int a = (high & 1) * 4 + low / 64;
    const int b = (low / 8) % 8;
    const int c = low % 8;
    std::string text = "D";
    text += static_cast<char>('0' + a);
    text += static_cast<char>('0' + b);
    text += static_cast<char>('0' + c);
    if (high & 0x40)
        text += '-';
    return text;
}

std::string GetChanGuard(const MemMapImage &mm, int group, int chan, bool isReceive)
{
    const int page = Layout::GroupPage(group);
    const int offset = chanGuardOffset(chan, isReceive);
    const std::string text = BytesToGuard(mm.get(page, offset), mm.get(page, offset + 1));
    if (!isReceive && text == "000.0") {
        const std::string utxg = GetChanUTXG(mm, group, chan);
        if (utxg != "OFF")
            return utxg;
    }
    return text;
}

void SetChanGuard(MemMapImage &mm, int group, int chan, bool isReceive, const std::string &text)
{
    const int page = Layout::GroupPage(group);
    const int offset = chanGuardOffset(chan, isReceive);
    const bool isReference = !text.empty() && (text[0] == 'U' || text[0] == 'u');
    const GuardBytes bytes = isReference ? GuardBytes{0, 0} : GuardToBytes(text);
    mm.set(page, offset, bytes.high);
    mm.set(page, offset + 1, bytes.low);
    SetChanUTXG(mm, group, chan, isReference ? text : "OFF");
}

std::string GetChanUTXG(const MemMapImage &mm, int group, int chan)
{
    const int index = mm.get(Layout::GroupPage(group), Layout::ChanRecord(chan) + Layout::ChUTXG);
    return index >= 1 && index <= MaxUTXG ? "UTXG " + std::to_string(index) : "OFF";
}

void SetChanUTXG(MemMapImage &mm, int group, int chan, const std::string &text)
{
    mm.set(Layout::GroupPage(group), Layout::ChanRecord(chan) + Layout::ChUTXG, utxgIndexOf(text));
}

std::optional<std::string> AcceptedChanGuard(const std::string &text)
{
    const std::string upper = UpperCase(text);
    const std::string trimmed = TrimBlanks(upper);
    const bool startsD = StartsWith(trimmed, "D");
    const bool startsU = StartsWith(trimmed, "U");
    if (trimmed.empty() || (!startsD && !startsU && NumericValue(text) == 0))
        return "000.0";

    if (startsU) {
        // The number must also be what the index byte will hold (UTXG 105 is not UTXG 5).
        const double lastTwo = NumericValue(RightOf(trimmed, 2));
        if (StartsWith(trimmed, "UTXG ") && lastTwo >= 1 && lastTwo <= MaxUTXG &&
            utxgIndexOf(trimmed) == static_cast<int>(lastTwo))
            return trimmed; // a leading blank would hide the "U" from SetChanGuard
        return std::nullopt;
    }

    const std::string &w = upper;
    if (w.size() > 5)
        return std::nullopt;
    const bool hasPoint = Contains(w, ".");
    if ((StartsWith(w, "D") || (!w.empty() && w.back() == '-')) && hasPoint)
        return std::nullopt;

    if (!StartsWith(w, "D")) {
        const bool digitsOnly = std::all_of(
            w.begin(), w.end(), [](char ch) { return (ch >= '0' && ch <= '9') || ch == '.'; });
        const double tone = NumericValue(w);
        if (digitsOnly && tone >= 67.0 && tone <= 250.3)
            return FormatNumber(tone, "###.0");
        return std::nullopt;
    }

    if (w.size() < 4)
        return std::nullopt;
    if (LeftOf(w, 4).find('-') != std::string::npos)
        return std::nullopt;
    if (!isOctalDigit(w[1]) || !isOctalDigit(w[2]) || !isOctalDigit(w[3]))
        return std::nullopt;
    const double code = NumericValue(w.substr(1, 3));
    if (code < 23 || code > 754)
        return std::nullopt;
    if (w.size() == 5 && w[4] != '-')
        return std::nullopt;
    return w;
}

std::string ValidateChanGuard(const std::string &text)
{
    const std::optional<std::string> accepted = AcceptedChanGuard(text);
    return accepted ? *accepted : rejectGuard(text);
}
