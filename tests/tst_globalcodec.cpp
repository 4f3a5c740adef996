#include "choicelists.h"
#include "defaultimage.h"
#include "globaloptions.h"
#include "memmap.h"

#include <QtTest>

namespace
{

using Byte = std::pair<int, int>; // offset, value

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

const GlobalOption &option(const char *control)
{
    const GlobalOption *row = FindGlobalOption(control);
    if (!row)
        qFatal("no option %s", control);
    return *row;
}

// The default image with some global bytes changed.
void loadImage(const std::vector<Byte> &bytes)
{
    LoadDefaultImage(MemMap);
    for (const Byte &b : bytes)
        MemMap.set(0, b.first, b.second);
}

} // namespace

class TestGlobalCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shownTexts()
    {
        // The embedded serial number's digits; 12 is none.
        // clang-format off
        const struct {
            std::vector<int> digits;
            const char *text;
        } serials[] = {{{1, 2, 3, 4, 5, 6, 7}, "12.34.567"}, {{0, 0, 0, 0, 0, 0, 0}, "N/A"},
                       {{9, 12, 0, 0, 0, 0, 1}, "90.00.001"}, {{10, 0, 0, 0, 0, 0, 0}, "N/A"}};
        // clang-format on
        for (const auto &c : serials) {
            MemMap.clear();
            MemMap.set(0, 112, 5);
            MemMap.set(0, 120, 5);
            for (int i = 0; i < 7; ++i)
                MemMap.set(0, 113 + i, c.digits[i]);
            QCOMPARE(qs(GetEmbeddedSN(MemMap)), QString::fromLatin1(c.text));
        }

        // What each list decodes to and which entry it shows: the default image, then odd values.
        const struct {
            const char *control;
            std::vector<Byte> bytes;
            const char *text;
            int position;
        } cases[] = {
            // clang-format off
            {"cbToggleAssign_1", {}, "Center Toggle", 1}, {"cbToggleAssign_2", {}, "Right Toggle", 2},
            {"cbToggleAssign_3", {}, "Keypad", 5}, {"cbToggleAssign_4", {}, "Keypad", 5},
            {"cbFrontPorchTime", {}, "30 mSec", 0}, {"cbANI", {}, "10 Characters Per Second", 0},
            // "#.00": no integer digit below one second, unlike the list's "0.50 Seconds".
            {"cbPriRate", {}, ".50 Seconds", 1}, {"cbPerChanPower", {}, "Enabled", 0},
            {"cbTalkbackScan", {}, "Disabled", 1}, {"cbNuisanceChanDel", {}, "Disabled", 1},
            {"cbDispOpts_0", {}, "OFF", 0}, {"cbPriOpts_0", {}, "Group 1", 0},
            {"cbPriOpts_2", {}, "Priority 1 use MAIN channel", 21},
            {"cbPriOpts_3", {}, "Priority 2 OFF", 0}, {"cbMisc_0", {}, "2.0 Seconds", 4},
            {"cbMisc_1", {}, "225 Seconds", 15},
            {"cbMisc_2", {}, "Allow", 0}, {"cbMisc_3", {}, "Indicate", 1},
            {"cbMisc_4", {}, "DTMF Only", 1}, {"cbMisc_5", {}, "User Select", 0},
            {"cbMisc_6", {}, "User Select", 0},
            {"cbToggleAssign_0", {{130, 1 << 5}}, "?", 5},
            {"cbToggleAssign_0", {{130, 0xE0}}, "Left Toggle", 0},
            {"cbToggleAssign_2", {{130, 0xFC}, {131, 0x80}}, "?", 5},
            {"cbToggleAssign_2", {{130, 0x02}, {131, 0x80}}, "Right Toggle", 2},
            // The deviation's steps in bits 7 to 3, with the bits of other fields set.
            {"cbDTMFDev", {{7, 0x05}}, "0Hz", 0}, {"cbDTMFDev", {{7, 0x0D}}, "187.5Hz", 1},
            {"cbDTMFDev", {{7, 0x15}}, "375Hz", 2}, {"cbDTMFDev", {{7, 0xD5}}, "4875Hz", 26},
            {"cbDTMFDev", {{7, 0xFD}}, "4875Hz", 26}, {"cbPriRate", {{135, 3}}, "1.00 Seconds", 3},
            {"cbANI", {{7, 4}}, "20 Characters Per Second", 1},
            {"cbFreqDisp", {{135, 0x80}}, "Enabled", 0}, {"cbMisc_3", {{198, 0x60}}, "Lockout", 3},
            {"cbUCG", {{198, 0x80}}, "Enabled", 1}, {"cbDispOpts_1", {{199, 7}}, "Always ON", 7},
            {"cbPriOpts_1", {{202, 24}}, "Group 25", 24}, {"cbPriOpts_1", {{202, 25}}, "Group 1", 0},
            {"cbPriOpts_1", {{202, 255}}, "Group 1", 0}, {"cbPriOpts_3", {{203, 7}}, "Channel 8", 8},
            {"cbPriOpts_2", {{201, 128}}, "Priority 1 OFF", 0},
            // Channel index 25 fits the byte, but the list ends at channel 20.
            {"cbPriOpts_2", {{201, 25}}, "Channel 26", -1},
            // clang-format on
        };
        for (const auto &c : cases) {
            loadImage(c.bytes);
            const GlobalOption &row = option(c.control);
            const QString what = QStringLiteral("%1 %2").arg(QLatin1String(c.control), c.text);
            QVERIFY2(row.decode(MemMap) == c.text, qPrintable(what + qs(row.decode(MemMap))));
            QVERIFY2(row.position(MemMap) == c.position, qPrintable(what));
        }
        const char *switchNames[] = {"Keypad",        "?",          "?",
                                     "Always OFF",    "Always ON",  "Right Toggle",
                                     "Center Toggle", "Left Toggle"};
        for (int code = 0; code < 8; ++code) {
            loadImage({{131, code << 4}});
            QCOMPARE(qs(option("cbToggleAssign_3").decode(MemMap)), switchNames[code]);
        }
        // A priority group applies unless its channel is OFF or MAIN.
        const std::pair<int, bool> channels[] = {{128, false}, {64, false}, {4, true}, {25, true}};
        for (const auto &[stored, applies] : channels) {
            loadImage({{201, stored}, {203, 3}});
            QCOMPARE(option("cbPriOpts_0").enabled(MemMap), applies);
            QVERIFY(option("cbPriOpts_1").enabled(MemMap));
        }
    }

    void choices()
    {
        // A choice on the default image with some bytes set: the bytes afterwards, and whether
        // the choice counts as a change.
        const struct {
            const char *control;
            const char *text;
            std::vector<Byte> before;
            std::vector<Byte> after;
            bool changed;
        } cases[] = {
            // clang-format off
            {"cbFrontPorchTime", "360 mSec", {{7, 128}}, {{7, 129}}, true},
            {"cbANI", "20 Char/Sec", {{7, 129}}, {{7, 133}}, true},
            // The list's text differs from the decoded one but stands for the same value.
            {"cbANI", "10 Char/Sec", {{7, 128}}, {{7, 128}}, false},
            {"cbPriRate", "0.25 Seconds", {{135, 64}}, {{135, 64}}, false},
            {"cbMisc_1", "225 Seconds", {{196, 244}}, {{196, 244}}, false},
            {"cbPriOpts_2", "Channel 5", {{201, 64}}, {{201, 4}}, true},
            {"cbPriOpts_2", "Priority 1 OFF", {{201, 4}}, {{201, 132}}, true},
            {"cbPriOpts_2", "Priority 1 use MAIN channel", {{201, 132}}, {{201, 68}}, true},
            {"cbPriOpts_3", "Priority 2 use MAIN channel", {{203, 0xBF}, {201, 68}},
             {{203, 0x7F}, {201, 68}}, true},
            {"cbPriOpts_2", "Channel 0", {{201, 5}}, {{201, 0}}, true},
            {"cbPriOpts_2", "Channel 21", {{201, 5}}, {{201, 0}}, true},
            {"cbPriOpts_2", "Channel20", {{201, 5}}, {{201, 0}}, true},
            {"cbPriOpts_1", "Group 13", {{202, 7}, {200, 9}}, {{202, 12}, {200, 9}}, true},
            {"cbPriOpts_1", "Group 26", {{202, 7}, {200, 9}}, {{202, 0}, {200, 9}}, true},
            // Picking "Keypad" rewrites an unnamed code although the list already showed it.
            {"cbToggleAssign_0", "Keypad", {{130, 0x20}}, {{130, 0}}, true},
            {"cbToggleAssign_2", "Center Toggle", {{130, 0xFC}, {131, 0x80}},
             {{130, 0xFF}, {131, 0x00}}, true},
            {"cbToggleAssign_2", "Right Toggle", {{130, 0xFC}, {131, 0x00}},
             {{130, 0xFE}, {131, 0x80}}, true},
            {"cbToggleAssign_4", "always on", {{131, 0}}, {{131, 3 << 1}}, true},
            {"cbFreqDisp", "enabled", {{135, 0}}, {{135, 0x80}}, true},
            {"cbUCG", "e", {{198, 0}}, {{198, 0x80}}, true},
            {"cbMisc_5", "l", {{197, 0}}, {{197, 0x10}}, true},
            {"cbMisc_2", "allow", {{197, 0}}, {{197, 0x80}}, true},
            {"cbMisc_3", "lockout", {{198, 0x60}}, {{198, 0}}, true},
            // Back light and duration follow each other.
            {"cbDispOpts_0", "OFF", {{197, 0xFF}, {199, 0xFC}}, {{197, 0xF9}, {199, 0xF8}}, true},
            {"cbDispOpts_0", "KeyPress", {{197, 0xF9}, {199, 0xF8}}, {{197, 0xFB}, {199, 0xF9}}, true},
            {"cbDispOpts_0", "Display Change", {{197, 0xFB}, {199, 0xFD}},
             {{197, 0xFD}, {199, 0xFD}}, true},
            {"cbDispOpts_1", "3 Seconds", {{197, 0xF9}, {199, 0xF8}}, {{197, 0xFF}, {199, 0xFB}}, true},
            {"cbDispOpts_1", "Always ON", {{197, 0xF9}, {199, 0xFA}}, {{197, 0xFF}, {199, 0xFF}}, true},
            {"cbDispOpts_1", "6 Seconds", {{197, 0xFD}, {199, 0xF9}}, {{197, 0xFD}, {199, 0xFE}}, true},
            {"cbDispOpts_1", "OFF", {{197, 0xFB}, {199, 0xFB}}, {{197, 0xF9}, {199, 0xF8}}, true},
            // Choosing the shown mode again repairs a pair that disagrees.
            {"cbDispOpts_0", "KeyPress", {{197, 0xFB}, {199, 0xF8}}, {{197, 0xFB}, {199, 0xF9}}, true},
            {"cbDispOpts_0", "keypress", {{197, 0xFB}, {199, 0xF9}}, {{197, 0xFB}, {199, 0xF9}}, false},
            // clang-format on
        };
        for (const auto &c : cases) {
            loadImage(c.before);
            MemMapImage expected = MemMap;
            for (const Byte &b : c.after)
                expected.set(0, b.first, b.second);
            const QString what = QStringLiteral("%1 <- %2").arg(QLatin1String(c.control), c.text);
            QVERIFY2(ChooseGlobalOption(MemMap, option(c.control), c.text) == c.changed,
                     qPrintable(what));
            QVERIFY2(MemMap == expected, qPrintable(what + QStringLiteral(": bytes differ")));
        }

        // The entries each list offers, in order.
        auto numbered = [](const char *pattern, int first, int last) {
            QStringList list;
            for (int n = first; n <= last; ++n)
                list << QString::fromLatin1(pattern).arg(n);
            return list;
        };
        QStringList dtmf;
        for (int n = 0; n <= 26; ++n)
            dtmf << (n % 2 ? QStringLiteral("%1.5Hz").arg(n * 375 / 2)
                           : QStringLiteral("%1Hz").arg(n * 375 / 2));
        QStringList hold;
        for (int n = 0; n < 16; ++n)
            hold << QStringLiteral("%1.%2 Seconds").arg(n / 2).arg(n % 2 ? 5 : 0);
        QStringList timeouts{"OFF"};
        for (int n = 1; n < 16; ++n)
            timeouts << QStringLiteral("%1 Seconds").arg(n * 15);
        const QStringList toggles{"Left Toggle", "Center Toggle", "Right Toggle",
                                  "Always ON",   "Always OFF",    "Keypad"};
        const QStringList enabled{"Enabled", "Disabled"};
        const QStringList selection{"User Select", "Locked Out"};
        const QStringList groups = numbered("Group %1", 1, 25);
        const QStringList chans = numbered("Channel %1", 1, 20);
        const std::pair<const char *, QStringList> lists[] = {
            // clang-format off
            {"cbToggleAssign_0", toggles}, {"cbToggleAssign_4", toggles}, {"cbDTMFDev", dtmf},
            {"cbFrontPorchTime", {"30 mSec", "360 mSec", "690 mSec", "1020 mSec"}},
            {"cbANI", {"10 Char/Sec", "20 Char/Sec"}},
            {"cbPriRate", {"0.25 Seconds", "0.50 Seconds", "0.75 Seconds", "1.00 Seconds",
                           "1.25 Seconds", "1.50 Seconds", "1.75 Seconds", "2.00 Seconds"}},
            {"cbFreqDisp", enabled}, {"cbPerChanPower", enabled}, {"cbTalkbackScan", enabled},
            {"cbNuisanceChanDel", enabled},
            {"cbDispOpts_0", {"OFF", "KeyPress", "Display Change", "Keypress & Display Change"}},
            {"cbDispOpts_1",
             QStringList{"OFF", "1 Second"} + numbered("%1 Seconds", 2, 6) + QStringList{"Always ON"}},
            {"cbPriOpts_0", groups}, {"cbPriOpts_1", groups},
            {"cbPriOpts_2", QStringList{"Priority 1 OFF"} + chans << "Priority 1 use MAIN channel"},
            {"cbPriOpts_3", QStringList{"Priority 2 OFF"} + chans << "Priority 2 use MAIN channel"},
            {"cbUCG", {"Disabled", "Enabled"}}, {"cbMisc_0", hold}, {"cbMisc_1", timeouts},
            {"cbMisc_2", {"Allow", "Inhibit"}},
            {"cbMisc_3", {"OFF", "Indicate", "Lockout with Override", "Lockout"}},
            {"cbMisc_4", {"OFF", "DTMF Only", "ANI Only", "DTMF w/Manual ANI"}},
            {"cbMisc_5", selection}, {"cbMisc_6", selection},
            {"cbGrpAsn_19", groups + QStringList{"Unprogrammed"}}, {"cbChnAsn_0", chans},
            {"cbIncomingClone", {"Accept", "Reject"}}, {"cbNoSuchList", {}}, {"cbGrpAsn_x", {}},
            // clang-format on
        };
        for (const auto &[control, expected] : lists) {
            QStringList actual;
            for (const std::string &entry : ChoiceList(control))
                actual << qs(entry);
            QCOMPARE(actual, expected);
        }
    }
};

QTEST_APPLESS_MAIN(TestGlobalCodec)
#include "tst_globalcodec.moc"
