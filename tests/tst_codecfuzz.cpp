// Decoders over random images: they never fail, give texts of their documented shape, and
// read nothing outside their own field (changing every other byte leaves the text alone).

#include "chanrecord.h"
#include "choicelists.h"
#include "cmdgroupcodec.h"
#include "freqcodec.h"
#include "globalcodec.h"
#include "globaloptions.h"
#include "guardcodec.h"
#include "memmap.h"
#include "picklistcodec.h"
#include "textfields.h"

#include <QRegularExpression>
#include <QtTest>

#include <functional>
#include <random>

namespace
{

struct Place {
    int page;
    int offset;
};

struct Decoder {
    std::string name;
    std::function<std::string(const MemMapImage &)> decode;
    std::vector<Place> field;
};

std::vector<Place> run(int page, int offset, int count)
{
    std::vector<Place> places;
    for (int i = 0; i < count; ++i)
        places.push_back({page, offset + i});
    return places;
}

// Every decoder, for one group, channel and table entry.
std::vector<Decoder> decoders(int g, int c, int k)
{
    const int p = g + 1;
    const int rec = 256 + 32 * c;
    std::vector<Decoder> list{
        {"rx freq", [=](const MemMapImage &mm) { return GetChanFreq(mm, g, c, true); },
         run(p, rec, 2)},
        {"tx freq", [=](const MemMapImage &mm) { return GetChanFreq(mm, g, c, false); },
         run(p, rec + 8, 2)},
        {"rx guard", [=](const MemMapImage &mm) { return GetChanGuard(mm, g, c, true); },
         run(p, rec + 4, 2)},
        {"tx guard",
         [=](const MemMapImage &mm) { return GetChanGuard(mm, g, c, false); },
         {{p, rec + 11}, {p, rec + 12}, {p, rec + 13}}},
        {"utxg", [=](const MemMapImage &mm) { return GetChanUTXG(mm, g, c); }, {{p, rec + 11}}},
        {"scan", [=](const MemMapImage &mm) { return GetChanScan(mm, g, c); }, {{p, rec + 2}}},
        {"narrow", [=](const MemMapImage &mm) { return GetChanNarrow(mm, g, c); }, {{p, rec + 2}}},
        {"low power",
         [=](const MemMapImage &mm) { return GetChanLowPower(mm, g, c); },
         {{p, rec + 10}}},
        {"channel label", [=](const MemMapImage &mm) { return GetChanLabel(mm, g, c); },
         run(p, rec + 20, 12)},
        {"group label", [=](const MemMapImage &mm) { return GetGrpLabel(mm, g); }, run(p, 32, 12)},
        {"incoming clone",
         [=](const MemMapImage &mm) { return std::to_string(GetGrpIncomingClone(mm, g)); },
         {{p, 0}}},
        {"group scan list",
         [=](const MemMapImage &mm) { return GetGrpScanList(mm, g); },
         {{p, 44}}},
        {"serial number", GetEmbeddedSN, run(0, 113, 7)},
        {"silent",
         [](const MemMapImage &mm) { return std::to_string(GetSilentMode(mm)); },
         {{0, 197}}},
        {"tx on pri 1",
         [](const MemMapImage &mm) { return std::to_string(GetTxOnPri1(mm)); },
         {{0, 197}}},
        {"pick list lock",
         [](const MemMapImage &mm) { return std::to_string(GetPickListLock(mm)); },
         {{0, 136}}},
        {"ANI ID", GetANIID, run(0, 192, 4)},
        {"keypad password", GetKeypadPwd, run(0, 189, 3)},
        {"null frequency", GetNullFreqSub, run(0, 174, 2)},
        {"pick list entry", [=](const MemMapImage &mm) { return GetPickListGuard(mm, k); },
         run(0, 256 + 2 * k, 2)},
        {"command group",
         [=](const MemMapImage &mm) {
             return GetCmdGrpGroupText(mm, k % 20) + "/" + GetCmdGrpChanText(mm, k % 20) +
                    (CmdGrpChanEnabled(mm, k % 20) ? "+" : "-");
         },
         run(0, 320 + 2 * (k % 20), 2)},
    };
    const std::map<std::string, std::vector<Place>> globals{
        {"cbToggleAssign_0", {{0, 130}}},
        {"cbToggleAssign_1", {{0, 130}}},
        {"cbToggleAssign_2", {{0, 130}, {0, 131}}},
        {"cbToggleAssign_3", {{0, 131}}},
        {"cbToggleAssign_4", {{0, 131}}},
        {"cbDTMFDev", {{0, 7}}},
        {"cbFrontPorchTime", {{0, 7}}},
        {"cbANI", {{0, 7}}},
        {"cbPriRate", {{0, 135}}},
        {"cbFreqDisp", {{0, 135}}},
        {"cbPerChanPower", {{0, 135}}},
        {"cbTalkbackScan", {{0, 135}}},
        {"cbNuisanceChanDel", {{0, 135}}},
        {"cbDispOpts_0", {{0, 197}}},
        {"cbDispOpts_1", {{0, 199}}},
        {"cbPriOpts_0", {{0, 200}}},
        {"cbPriOpts_1", {{0, 202}}},
        {"cbPriOpts_2", {{0, 201}}},
        {"cbPriOpts_3", {{0, 203}}},
        {"cbUCG", {{0, 198}}},
        {"cbMisc_0", {{0, 196}}},
        {"cbMisc_1", {{0, 196}}},
        {"cbMisc_2", {{0, 197}}},
        {"cbMisc_3", {{0, 198}}},
        {"cbMisc_4", {{0, 198}}},
        {"cbMisc_5", {{0, 197}}},
        {"cbMisc_6", {{0, 197}}},
    };
    for (const GlobalOption &choice : GlobalOptions()) {
        const GlobalOption *ch = &choice;
        list.push_back({choice.control,
                        [ch](const MemMapImage &mm) {
                            return ch->decode(mm) + "#" + std::to_string(ch->position(mm));
                        },
                        globals.at(choice.control)});
    }
    return list;
}

void fillRandom(MemMapImage &mm, std::mt19937 &rng)
{
    for (int p = 0; p < MemMapPages; ++p)
        for (int o = 0; o < PageSize; o += 4) {
            const std::uint32_t r = rng();
            for (int i = 0; i < 4; ++i)
                mm.set(p, o + i, static_cast<int>((r >> (8 * i)) & 0xFF));
        }
}

} // namespace

class TestCodecFuzz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodersReadOnlyTheirField();
    void listPositionsAreEntries();
    void everyFrequencyWord();
    void everyGuardWord();
};

void TestCodecFuzz::decodersReadOnlyTheirField()
{
    std::mt19937 rng(4711);
    MemMapImage a;
    MemMapImage b;
    for (int round = 0; round < 200; ++round) {
        const int g = static_cast<int>(rng() % NumGroups);
        const int c = static_cast<int>(rng() % ChansPerGroup);
        const int k = static_cast<int>(rng() % 32);
        fillRandom(a, rng);
        for (const Decoder &decoder : decoders(g, c, k)) {
            fillRandom(b, rng);
            for (const Place &place : decoder.field)
                b.set(place.page, place.offset, a.get(place.page, place.offset));
            if (decoder.decode(a) != decoder.decode(b))
                QFAIL(qPrintable(QStringLiteral("%1 (group %2, channel %3, entry %4) reads "
                                                "outside its field")
                                     .arg(QString::fromStdString(decoder.name))
                                     .arg(g)
                                     .arg(c)
                                     .arg(k)));
        }
    }
}

void TestCodecFuzz::listPositionsAreEntries()
{
    // Whatever the bytes, a list is told to show one of its entries, or none for a
    // priority channel beyond the list.
    std::mt19937 rng(99);
    MemMapImage mm;
    for (int round = 0; round < 2000; ++round) {
        fillRandom(mm, rng);
        for (const GlobalOption &choice : GlobalOptions()) {
            const int position = choice.position(mm);
            const int size = static_cast<int>(ChoiceList(choice.control).size());
            const bool priorityChannel = std::string(choice.control) == "cbPriOpts_2" ||
                                         std::string(choice.control) == "cbPriOpts_3";
            QVERIFY2(position < size && (position >= 0 || (priorityChannel && position == -1)),
                     choice.control);
        }
        for (int k = 0; k < 20; ++k) {
            QVERIFY(GetCmdGrpGroupIndex(mm, k) >= 0 && GetCmdGrpGroupIndex(mm, k) < 26);
            QVERIFY(GetCmdGrpChanIndex(mm, k) >= 0 && GetCmdGrpChanIndex(mm, k) < 20);
        }
    }
}

void TestCodecFuzz::everyFrequencyWord()
{
    const QRegularExpression shape(QStringLiteral("^1[0-8][0-9]\\.[0-9]{5}$"));
    MemMapImage mm;
    for (int word = 0; word < 65536; ++word) {
        const QString text = QString::fromStdString(BytesToFreq(word / 256, word % 256));
        QVERIFY2(shape.match(text).hasMatch(), qPrintable(text));
        mm.set(3, 256, word / 256);
        mm.set(3, 257, word % 256);
        const std::string shown = GetChanFreq(mm, 2, 0, true);
        const bool inBand = word >= 28800 && word <= 59200;
        QCOMPARE(shown, word == 0 ? std::string("Inactive")
                        : inBand  ? text.toStdString()
                                  : std::string("?"));
        // What is shown in the band stores back to the same word.
        if (inBand) {
            SetChanFreq(mm, 2, 0, true, shown);
            QCOMPARE(mm.get(3, 256) * 256 + mm.get(3, 257), word);
        }
    }
}

void TestCodecFuzz::everyGuardWord()
{
    const QRegularExpression shape(QStringLiteral("^([0-9A-F]{3}\\.[0-9A-F]|D[0-7]{3}-?)$"));
    for (int word = 0; word < 65536; ++word) {
        const std::string text = BytesToGuard(word / 256, word % 256);
        QVERIFY2(shape.match(QString::fromStdString(text)).hasMatch(), text.c_str());
        // Words written the codec's way read back and store again unchanged.
        const bool bcd = (word & 0x8000) == 0 && (word & 0x000F) <= 9 && (word & 0x00F0) <= 0x90 &&
                         (word & 0x0F00) <= 0x900 && (word & 0xF000) <= 0x9000;
        const bool cdcss = (word & 0xBE00) == 0x8800;
        if (bcd || cdcss) {
            const GuardBytes bytes = GuardToBytes(text);
            QCOMPARE(bytes.high * 256 + bytes.low, word);
        }
    }
}

QTEST_APPLESS_MAIN(TestCodecFuzz)
#include "tst_codecfuzz.moc"
