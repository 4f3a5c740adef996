// Every encoder changes only its own bits: for every value of each byte it shares, the other
// bits of that byte and every other byte of the image stay as they were, and decoding what it
// stored gives back the choice.

#include "cellundo.h"
#include "chanrecord.h"
#include "choicelists.h"
#include "cmdgroupcodec.h"
#include "codecfields.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "globalcodec.h"
#include "globaloptions.h"
#include "guardcodec.h"
#include "memmap.h"
#include "numtext.h"
#include "picklistcodec.h"
#include "platform.h"
#include "textfields.h"

#include <QtTest>

#include <functional>
#include <random>

namespace
{

using Encode = std::function<void(MemMapImage &, const std::string &)>;
using Check = std::function<bool(const MemMapImage &, const std::string &, int index)>;

// The check of a field whose decoder gives back the choice.
Check decodesTo(std::function<std::string(const MemMapImage &)> decode)
{
    return [decode](const MemMapImage &mm, const std::string &text, int) {
        return decode(mm) == text;
    };
}

QString describe(const std::string &what, const std::string &entry, int start)
{
    return QStringLiteral("%1 <- \"%2\" from byte value %3")
        .arg(QString::fromStdString(what), QString::fromStdString(entry))
        .arg(start);
}

// Texts no list offers and no validation lets through, and random ones: they must not reach
// foreign bits either.
std::vector<std::string> oddTexts()
{
    // clang-format off
    std::vector<std::string> texts{
        "", " ", "-", "&HFFFF", "99999999999999999999", "1e9", "Channel 0", "Channel 99",
        "Group 0", "Group 99", "Priority 1 OFF MAIN", "UTXG 99", "D999-", "d", "9999 mSec",
        "-5 Seconds", "999 Seconds", "Enabled", "\xC3\xA9\xFF", "ENABLE 20 OFF MAIN"};
    // clang-format on
    std::mt19937 rng(7);
    const std::string alphabet = "0123456789.- DUHZhmSecond&FABCabc";
    for (int i = 0; i < 20; ++i) {
        std::string text;
        for (int length = static_cast<int>(rng() % 14); length > 0; --length)
            text += alphabet[rng() % alphabet.size()];
        texts.push_back(text);
    }
    return texts;
}

} // namespace

class TestCodecBits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dialogs = ScriptedDialogs();
        platform().dialogs = &m_dialogs;
        CellUndoText = CellUndoTexts();
    }

    void globalChoices_data()
    {
        QTest::addColumn<QString>("control");
        for (const GlobalOption &choice : GlobalOptions())
            QTest::newRow(choice.control) << QString::fromLatin1(choice.control);
    }

    void globalChoices()
    {
        QFETCH(QString, control);
        const GlobalOption *choice = FindGlobalOption(control.toStdString());
        QVERIFY(choice);
        const auto field = GlobalOptionFields().find(choice->control);
        QVERIFY(field != GlobalOptionFields().end());
        // Two lists name their value differently from how it is printed; their entry is found
        // by value. Every other list shows exactly the decoded text.
        const bool byValue =
            control == QLatin1String("cbANI") || control == QLatin1String("cbPriRate");
        const Check check = [choice, byValue](const MemMapImage &mm, const std::string &entry,
                                              int index) {
            const std::string decoded = choice->decode(mm);
            const bool textOk =
                byValue ? NumericValue(decoded) == NumericValue(entry) : decoded == entry;
            return textOk && choice->position(mm) == index;
        };
        sweep(
            choice->control, field->second, choice->entries(),
            [choice](MemMapImage &mm, const std::string &t) { choice->encode(mm, t); }, check);
    }

    void globalCheckBoxes()
    {
        const struct {
            const char *name;
            int offset, mask;
            bool (*get)(const MemMapImage &);
            void (*set)(MemMapImage &, bool);
        } boxes[] = {{"chkBeepDisable", 197, 0x01, GetSilentMode, SetSilentMode},
                     {"chkPriOpts", 197, 0x20, GetTxOnPri1, SetTxOnPri1},
                     {"chkUCGPickListLock", 136, 0x40, GetPickListLock, SetPickListLock}};
        for (const auto &box : boxes)
            sweep(
                box.name, {{0, box.offset, box.mask}}, {"0", "1"},
                [&box](MemMapImage &mm, const std::string &s) { box.set(mm, s == "1"); },
                [&box](const MemMapImage &mm, const std::string &s, int) {
                    return box.get(mm) == (s == "1");
                });
    }

    void channelFields()
    {
        for (const auto &[group, chan] : {std::pair{0, 0}, {12, 7}, {24, 19}})
            channelFieldsOf(group, chan);
    }

    void groupAndTableFields()
    {
        for (const int group : {0, 24}) {
            const int page = group + 1;
            sweep(
                "incoming clone", {{page, 0, 0x01}}, ChoiceList("cbIncomingClone"),
                [=](MemMapImage &mm, const std::string &t) {
                    SetGrpIncomingClone(mm, group, ChoiceIndex("cbIncomingClone", t) != 0);
                },
                [=](const MemMapImage &mm, const std::string &, int index) {
                    return GetGrpIncomingClone(mm, group) == (index != 0);
                });
            sweep(
                "group scan list", {{page, 44, 0x01}}, {"Yes", "No"},
                [=](MemMapImage &mm, const std::string &t) { SetGrpScanList(mm, group, t); },
                decodesTo([=](const MemMapImage &mm) { return GetGrpScanList(mm, group); }));
            std::vector<OwnBits> label;
            for (int i = 32; i < 44; ++i)
                label.push_back({page, i, 0xFF});
            sweep(
                "group label", label, {"GROUP  1    ", "-*$/+%\\|_<>."},
                [=](MemMapImage &mm, const std::string &t) { SetGrpLabel(mm, group, t); },
                decodesTo([=](const MemMapImage &mm) { return GetGrpLabel(mm, group); }));
        }

        // A text no list offers stands for a position beyond either end.
        auto positionOf = [](const char *list, const std::string &t) {
            const int index = ChoiceIndex(list, t);
            return index >= 0 ? index : static_cast<int>(t.size()) * 23 - 40;
        };
        for (const int k : {0, 7, 19}) {
            const int at = 320 + 2 * k;
            sweep(
                "command group assign", {{0, at, 0xFF}}, ChoiceList("cbGrpAsn"),
                [=](MemMapImage &mm, const std::string &t) {
                    SetCmdGrpGroupIndex(mm, k, positionOf("cbGrpAsn", t));
                },
                [=](const MemMapImage &mm, const std::string &t, int index) {
                    return GetCmdGrpGroupIndex(mm, k) == index && GetCmdGrpGroupText(mm, k) == t;
                });
            sweep(
                "command channel assign", {{0, at + 1, 0xFF}}, ChoiceList("cbChnAsn"),
                [=](MemMapImage &mm, const std::string &t) {
                    SetCmdGrpChanIndex(mm, k, positionOf("cbChnAsn", t));
                },
                [=](const MemMapImage &mm, const std::string &t, int index) {
                    return GetCmdGrpChanIndex(mm, k) == index && GetCmdGrpChanText(mm, k) == t;
                });
        }
        for (const int k : {0, 31}) {
            const int at = 256 + 2 * k;
            sweep(
                "pick list entry", {{0, at, 0xFF}, {0, at + 1, 0xFF}},
                {"000.0", "067.0", "131.8", "D023", "D131-"},
                [=](MemMapImage &mm, const std::string &t) { SetPickListGuard(mm, k, t); },
                decodesTo([=](const MemMapImage &mm) { return GetPickListGuard(mm, k); }));
        }

        sweep("ANI ID", {{0, 192, 0x0F}, {0, 193, 0xFF}, {0, 194, 0xFF}, {0, 195, 0xFF}},
              {"0000000", "FF12345", "ABCDEF9"}, SetANIID, decodesTo(GetANIID));
        sweep("keypad password", {{0, 189, 0xFF}, {0, 190, 0xFF}, {0, 191, 0xFF}},
              {"000000", "123456", "909090"}, SetKeypadPwd, decodesTo(GetKeypadPwd));
        sweep("null frequency", {{0, 174, 0xFF}, {0, 175, 0xFF}}, {"0.0", "136.00000", "155.00250"},
              SetNullFreqSub, decodesTo(GetNullFreqSub));
    }

private:
    void channelFieldsOf(int group, int chan)
    {
        const int page = group + 1;
        const int rec = 256 + 32 * chan;
        using Get = std::string (*)(const MemMapImage &, int, int);
        using Set = void (*)(MemMapImage &, int, int, const std::string &);
        std::vector<OwnBits> label;
        for (int i = 20; i < 32; ++i)
            label.push_back({page, rec + i, 0xFF});
        const struct {
            const char *name;
            std::vector<OwnBits> own;
            std::vector<std::string> entries;
            Set set;
            Get get;
        } fields[] = {
            {"scan", {{page, rec + 2, 0x10}}, {"S", "-"}, SetChanScan, GetChanScan},
            {"narrow", {{page, rec + 2, 0x08}}, {"N", "-"}, SetChanNarrow, GetChanNarrow},
            {"low power", {{page, rec + 10, 0x20}}, {"L", "-"}, SetChanLowPower, GetChanLowPower},
            {"utxg",
             {{page, rec + 11, 0xFF}},
             {"OFF", "UTXG 1", "UTXG 32"},
             SetChanUTXG,
             GetChanUTXG},
            {"channel label",
             label,
             {"Ch 1        ", "ABCDEFGHIJKL", "            "},
             SetChanLabel,
             GetChanLabel},
        };
        for (const auto &f : fields)
            sweep(
                f.name, f.own, f.entries,
                [&](MemMapImage &mm, const std::string &t) { f.set(mm, group, chan, t); },
                decodesTo([&](const MemMapImage &mm) { return f.get(mm, group, chan); }));

        const std::vector<std::string> freqs{"Inactive",  "136.00000", "162.40000",
                                             "162.55000", "155.00250", "174.00000"};
        const std::vector<std::string> guards{"000.0", "067.0",  "250.3",  "D023",
                                              "D754-", "UTXG 1", "UTXG 32"};
        for (const bool rx : {true, false}) {
            const int at = rec + (rx ? 0 : 8);
            sweep(
                rx ? "rx freq" : "tx freq", {{page, at, 0xFF}, {page, at + 1, 0xFF}}, freqs,
                [=](MemMapImage &mm, const std::string &t) { SetChanFreq(mm, group, chan, rx, t); },
                decodesTo([=](const MemMapImage &mm) { return GetChanFreq(mm, group, chan, rx); }));
            const int guard = rec + (rx ? 4 : 12);
            sweep(
                rx ? "rx guard" : "tx guard",
                {{page, guard, 0xFF}, {page, guard + 1, 0xFF}, {page, rec + 11, 0xFF}}, guards,
                [=](MemMapImage &mm, const std::string &t) {
                    SetChanGuard(mm, group, chan, rx, t);
                },
                [=](const MemMapImage &mm, const std::string &t, int) {
                    const bool reference = t[0] == 'U';
                    if (rx)
                        return GetChanGuard(mm, group, chan, true) == (reference ? "000.0" : t) &&
                               GetChanUTXG(mm, group, chan) == (reference ? t : "OFF");
                    return GetChanGuard(mm, group, chan, false) == t;
                });
        }
    }

    // Encodes every entry over every value of the shared bytes, and the odd texts over
    // every 15th; fails on a stray bit, or on an entry that does not decode to itself.
    void sweep(const std::string &what, const std::vector<OwnBits> &own,
               const std::vector<std::string> &entries, const Encode &encode, const Check &check)
    {
        for (const bool odd : {false, true}) {
            const std::vector<std::string> texts = odd ? oddTexts() : entries;
            MemMapImage image;
            for (int p = 0; p < MemMapPages; ++p)
                for (int o = 0; o < PageSize; ++o)
                    image.set(p, o, static_cast<int>(m_rng() & 0xFF));
            for (int start = 0; start < 256; start += odd ? 15 : 1) {
                for (const OwnBits &bits : own)
                    image.set(bits.page, bits.offset, (start + 37 * (&bits - own.data())) & 0xFF);
                for (std::size_t i = 0; i < texts.size(); ++i) {
                    MemMapImage after = image;
                    encode(after, texts[i]);
                    // Put back the foreign bits of the own bytes: what remains must be the old
                    // image.
                    MemMapImage restored = after;
                    for (const OwnBits &bits : own) {
                        const int mixed = (after.get(bits.page, bits.offset) & bits.mask) |
                                          (image.get(bits.page, bits.offset) & ~bits.mask);
                        if (mixed != after.get(bits.page, bits.offset))
                            QFAIL(qPrintable(
                                describe(what, texts[i], start) +
                                QString(": foreign bits of offset %1 changed").arg(bits.offset)));
                        restored.set(bits.page, bits.offset, image.get(bits.page, bits.offset));
                    }
                    if (restored != image)
                        QFAIL(qPrintable(describe(what, texts[i], start) +
                                         ": a byte outside the field changed"));
                    if (!odd && !check(after, texts[i], static_cast<int>(i)))
                        QFAIL(qPrintable(describe(what, texts[i], start) +
                                         ": does not decode to the choice"));
                }
            }
        }
    }

    ScriptedDialogs m_dialogs;
    std::mt19937 m_rng{20240611};
};

QTEST_APPLESS_MAIN(TestCodecBits)
#include "tst_codecbits.moc"
