#include "choicelists.h"
#include "defaultimage.h"
#include "globalcodec.h"
#include "memmap.h"

#include <QtTest>

class TestGlobalCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void toggleCodes_data();
    void toggleCodes();
    void priorityScanIsSplit();
    void unnamedSwitchCodeShowsKeypad();
    void defaultImageTexts_data();
    void defaultImageTexts();
    void byte7Sequence();
    void dtmfDeviation_data();
    void dtmfDeviation();
    void serialNumber_data();
    void serialNumber();
    void priorityChannel();
    void priorityChannelOutsideList();
    void priorityGroup_data();
    void priorityGroup();
    void priGroupEnabled();
    void choiceLists_data();
    void choiceLists();
    void listsOfArrays();
    void backLightCoupling_data();
    void backLightCoupling();
    void chooseOnlyReportsRealChanges();

private:
    static QString decode(const char *control);
};

static QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

QString TestGlobalCodec::decode(const char *control)
{
    return qs(FindGlobalChoice(control)->decode(MemMap));
}

void TestGlobalCodec::init()
{
    MemMap.clear();
}

void TestGlobalCodec::toggleCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "Keypad";
    QTest::newRow("1") << 1 << "?";
    QTest::newRow("2") << 2 << "?";
    QTest::newRow("3") << 3 << "Always OFF";
    QTest::newRow("4") << 4 << "Always ON";
    QTest::newRow("5") << 5 << "Right Toggle";
    QTest::newRow("6") << 6 << "Center Toggle";
    QTest::newRow("7") << 7 << "Left Toggle";
}

void TestGlobalCodec::toggleCodes()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(qs(ToggleCodeToText(code)), text);
    if (text != QLatin1String("?"))
        QCOMPARE(TextToToggleCode(text.toStdString()), code);
    QCOMPARE(TextToToggleCode("?"), 3);
    QCOMPARE(TextToToggleCode("left toggle"), 3);
}

void TestGlobalCodec::priorityScanIsSplit()
{
    for (int code = 0; code < 8; ++code) {
        MemMap.set(0, 130, 0xFF);
        MemMap.set(0, 131, 0x7F);
        SetToggleAssign(MemMap, 2, ToggleCodeToText(code));
        const int stored = code == 1 || code == 2 ? 3 : code;
        QCOMPARE(int(MemMap.get(0, 130)), 0xFC | (stored >> 1));
        QCOMPARE(int(MemMap.get(0, 131)), 0x7F | ((stored & 1) << 7));
        QCOMPARE(qs(GetToggleAssign(MemMap, 2)), qs(ToggleCodeToText(stored)));
    }
}

void TestGlobalCodec::unnamedSwitchCodeShowsKeypad()
{
    MemMap.set(0, 130, 1 << 5);
    QCOMPARE(decode("cbToggleAssign_0"), QStringLiteral("?"));
    QCOMPARE(FindGlobalChoice("cbToggleAssign_0")->position(MemMap), 5);
    // Picking "Keypad" rewrites the code although the list already showed it.
    QVERIFY(ChooseGlobalOption(MemMap, "cbToggleAssign_0", "Keypad"));
    QCOMPARE(int(MemMap.get(0, 130)), 0);
}

void TestGlobalCodec::defaultImageTexts_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::newRow("low power") << "cbToggleAssign_0"
                               << "Left Toggle" << 0;
    QTest::newRow("channel scan") << "cbToggleAssign_1"
                                  << "Center Toggle" << 1;
    QTest::newRow("priority scan") << "cbToggleAssign_2"
                                   << "Right Toggle" << 2;
    QTest::newRow("talk around") << "cbToggleAssign_3"
                                 << "Keypad" << 5;
    QTest::newRow("group scan") << "cbToggleAssign_4"
                                << "Keypad" << 5;
    QTest::newRow("dtmf") << "cbDTMFDev"
                          << "3000Hz" << 16;
    QTest::newRow("porch") << "cbFrontPorchTime"
                           << "30 mSec" << 0;
    QTest::newRow("ani rate") << "cbANI"
                              << "10 Characters Per Second" << 0;
    // "#.00": no integer digit below one second, unlike the list's "0.50 Seconds".
    QTest::newRow("priority rate") << "cbPriRate"
                                   << ".50 Seconds" << 1;
    QTest::newRow("freq disp") << "cbFreqDisp"
                               << "Disabled" << 1;
    QTest::newRow("per chan power") << "cbPerChanPower"
                                    << "Enabled" << 0;
    QTest::newRow("talkback") << "cbTalkbackScan"
                              << "Disabled" << 1;
    QTest::newRow("nuisance") << "cbNuisanceChanDel"
                              << "Disabled" << 1;
    QTest::newRow("back light") << "cbDispOpts_0"
                                << "OFF" << 0;
    QTest::newRow("duration") << "cbDispOpts_1"
                              << "OFF" << 0;
    QTest::newRow("pri 1 group") << "cbPriOpts_0"
                                 << "Group 1" << 0;
    QTest::newRow("pri 2 group") << "cbPriOpts_1"
                                 << "Group 1" << 0;
    QTest::newRow("pri 1 channel") << "cbPriOpts_2"
                                   << "Priority 1 use MAIN channel" << 21;
    QTest::newRow("pri 2 channel") << "cbPriOpts_3"
                                   << "Priority 2 OFF" << 0;
    QTest::newRow("ucg") << "cbUCG"
                         << "Disabled" << 0;
    QTest::newRow("scan hold") << "cbMisc_0"
                               << "2.0 Seconds" << 4;
    QTest::newRow("tx timeout") << "cbMisc_1"
                                << "225 Seconds" << 15;
    QTest::newRow("battery saver") << "cbMisc_2"
                                   << "Allow" << 0;
    QTest::newRow("busy channel") << "cbMisc_3"
                                  << "Indicate" << 1;
    QTest::newRow("ani dtmf") << "cbMisc_4"
                              << "DTMF Only" << 1;
    QTest::newRow("pri 1 selection") << "cbMisc_5"
                                     << "User Select" << 0;
    QTest::newRow("scan list selection") << "cbMisc_6"
                                         << "User Select" << 0;
}

void TestGlobalCodec::defaultImageTexts()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(int, position);
    LoadDefaultImage(MemMap);
    const GlobalChoice *choice = FindGlobalChoice(control.toStdString());
    QVERIFY(choice);
    QCOMPARE(qs(choice->decode(MemMap)), text);
    QCOMPARE(choice->position(MemMap), position);
}

void TestGlobalCodec::byte7Sequence()
{
    LoadDefaultImage(MemMap);
    QVERIFY(ChooseGlobalOption(MemMap, "cbFrontPorchTime", "360 mSec"));
    QCOMPARE(int(MemMap.get(0, 7)), 129);
    QVERIFY(ChooseGlobalOption(MemMap, "cbANI", "20 Char/Sec"));
    QCOMPARE(int(MemMap.get(0, 7)), 133);
    QVERIFY(ChooseGlobalOption(MemMap, "cbFrontPorchTime", "1020 mSec"));
    QCOMPARE(int(MemMap.get(0, 7)), 135);
    QCOMPARE(decode("cbANI"), QStringLiteral("20 Characters Per Second"));
    QCOMPARE(FindGlobalChoice("cbANI")->position(MemMap), 1);
    QCOMPARE(decode("cbFrontPorchTime"), QStringLiteral("1020 mSec"));
    QCOMPARE(decode("cbDTMFDev"), QStringLiteral("3000Hz"));
}

void TestGlobalCodec::dtmfDeviation_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "0Hz";
    QTest::newRow("1") << 1 << "187.5Hz";
    QTest::newRow("2") << 2 << "375Hz";
    QTest::newRow("3") << 3 << "562.5Hz";
    QTest::newRow("26") << 26 << "4875Hz";
    QTest::newRow("27 capped") << 27 << "4875Hz";
    QTest::newRow("31 capped") << 31 << "4875Hz";
}

void TestGlobalCodec::dtmfDeviation()
{
    QFETCH(int, steps);
    QFETCH(QString, text);
    MemMap.set(0, 7, steps << 3 | 5);
    QCOMPARE(qs(GetDTMFDev(MemMap)), text);
    QCOMPARE(FindGlobalChoice("cbDTMFDev")->position(MemMap), std::min(steps, 26));
}

void TestGlobalCodec::serialNumber_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("digits") << QByteArray("\x01\x02\x03\x04\x05\x06\x07", 7) << "12.34.567";
    QTest::newRow("zeros") << QByteArray(7, '\0') << "N/A";
    QTest::newRow("12 is not a digit")
        << QByteArray("\x09\x0C\x00\x00\x00\x00\x01", 7) << "90.00.001";
    QTest::newRow("A is not a digit") << QByteArray("\x0A\x00\x00\x00\x00\x00\x00", 7) << "N/A";
}

void TestGlobalCodec::serialNumber()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    MemMap.set(0, 112, 5);
    MemMap.set(0, 120, 5);
    for (int i = 0; i < 7; ++i)
        MemMap.set(0, 113 + i, static_cast<unsigned char>(bytes[i]));
    QCOMPARE(qs(GetEmbeddedSN(MemMap)), text);
}

void TestGlobalCodec::priorityChannel()
{
    MemMap.set(0, 201, 64);
    QCOMPARE(decode("cbPriOpts_2"), QStringLiteral("Priority 1 use MAIN channel"));
    QVERIFY(ChooseGlobalOption(MemMap, "cbPriOpts_2", "Channel 5"));
    QCOMPARE(int(MemMap.get(0, 201)), 4);
    QCOMPARE(FindGlobalChoice("cbPriOpts_2")->position(MemMap), 5);
    QVERIFY(ChooseGlobalOption(MemMap, "cbPriOpts_2", "Priority 1 OFF"));
    QCOMPARE(int(MemMap.get(0, 201)), 132);
    QCOMPARE(decode("cbPriOpts_2"), QStringLiteral("Priority 1 OFF"));
    QCOMPARE(FindGlobalChoice("cbPriOpts_2")->position(MemMap), 0);
    QVERIFY(ChooseGlobalOption(MemMap, "cbPriOpts_2", "Priority 1 use MAIN channel"));
    QCOMPARE(int(MemMap.get(0, 201)), 68);

    MemMap.set(0, 203, 0x3F | 0x80);
    QVERIFY(ChooseGlobalOption(MemMap, "cbPriOpts_3", "Priority 2 use MAIN channel"));
    QCOMPARE(int(MemMap.get(0, 203)), 0x7F);
    QCOMPARE(int(MemMap.get(0, 201)), 68);
}

void TestGlobalCodec::priorityChannelOutsideList()
{
    // Channel index 25 fits the byte, but the list ends at channel 20.
    MemMap.set(0, 201, 25);
    QCOMPARE(decode("cbPriOpts_2"), QStringLiteral("Channel 26"));
    QCOMPARE(FindGlobalChoice("cbPriOpts_2")->position(MemMap), -1);
    SetPriChannel(MemMap, 1, "Channel 0");
    QCOMPARE(int(MemMap.get(0, 201)), 0);
    SetPriChannel(MemMap, 1, "Channel 21");
    QCOMPARE(int(MemMap.get(0, 201)), 0);
    SetPriChannel(MemMap, 1, "Channel20");
    QCOMPARE(int(MemMap.get(0, 201)), 0);
}

void TestGlobalCodec::priorityGroup_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "Group 1";
    QTest::newRow("24") << 24 << "Group 25";
    QTest::newRow("25 shows Group 1") << 25 << "Group 1";
    QTest::newRow("255 shows Group 1") << 255 << "Group 1";
}

void TestGlobalCodec::priorityGroup()
{
    QFETCH(int, stored);
    QFETCH(QString, text);
    MemMap.set(0, 202, stored);
    QCOMPARE(qs(GetPriGroup(MemMap, 2)), text);
    SetPriGroup(MemMap, 2, "Group 13");
    QCOMPARE(int(MemMap.get(0, 202)), 12);
    SetPriGroup(MemMap, 2, "Group 26");
    QCOMPARE(int(MemMap.get(0, 202)), 0);
    QCOMPARE(int(MemMap.get(0, 200)), 0);
}

void TestGlobalCodec::priGroupEnabled()
{
    QVERIFY(!PriGroupEnabled(0));
    QVERIFY(PriGroupEnabled(1));
    QVERIFY(PriGroupEnabled(20));
    QVERIFY(!PriGroupEnabled(21));
}

void TestGlobalCodec::choiceLists_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QStringList>("entries");
    const QStringList toggles{"Left Toggle", "Center Toggle", "Right Toggle",
                              "Always ON",   "Always OFF",    "Keypad"};
    for (int i = 0; i < 5; ++i)
        QTest::addRow("cbToggleAssign_%d", i)
            << QStringLiteral("cbToggleAssign_%1").arg(i) << toggles;
    QStringList dtmf;
    for (int n = 0; n <= 26; ++n)
        dtmf << (n % 2 ? QStringLiteral("%1.5Hz").arg(n * 375 / 2)
                       : QStringLiteral("%1Hz").arg(n * 375 / 2));
    QTest::newRow("cbDTMFDev") << "cbDTMFDev" << dtmf;
    QTest::newRow("cbFrontPorchTime")
        << "cbFrontPorchTime" << QStringList{"30 mSec", "360 mSec", "690 mSec", "1020 mSec"};
    QTest::newRow("cbANI") << "cbANI" << QStringList{"10 Char/Sec", "20 Char/Sec"};
    QTest::newRow("cbPriRate") << "cbPriRate"
                               << QStringList{"0.25 Seconds", "0.50 Seconds", "0.75 Seconds",
                                              "1.00 Seconds", "1.25 Seconds", "1.50 Seconds",
                                              "1.75 Seconds", "2.00 Seconds"};
    for (const char *name : {"cbFreqDisp", "cbPerChanPower", "cbTalkbackScan", "cbNuisanceChanDel"})
        QTest::newRow(name) << name << QStringList{"Enabled", "Disabled"};
    QTest::newRow("cbDispOpts_0") << "cbDispOpts_0"
                                  << QStringList{"OFF", "KeyPress", "Display Change",
                                                 "Keypress & Display Change"};
    QTest::newRow("cbDispOpts_1") << "cbDispOpts_1"
                                  << QStringList{"OFF",       "1 Second",  "2 Seconds",
                                                 "3 Seconds", "4 Seconds", "5 Seconds",
                                                 "6 Seconds", "Always ON"};
    QStringList groups;
    for (int g = 1; g <= 25; ++g)
        groups << QStringLiteral("Group %1").arg(g);
    QTest::newRow("cbPriOpts_0") << "cbPriOpts_0" << groups;
    QTest::newRow("cbPriOpts_1") << "cbPriOpts_1" << groups;
    for (int p = 1; p <= 2; ++p) {
        QStringList chans{QStringLiteral("Priority %1 OFF").arg(p)};
        for (int c = 1; c <= 20; ++c)
            chans << QStringLiteral("Channel %1").arg(c);
        chans << QStringLiteral("Priority %1 use MAIN channel").arg(p);
        QTest::addRow("cbPriOpts_%d", p + 1) << QStringLiteral("cbPriOpts_%1").arg(p + 1) << chans;
    }
    QTest::newRow("cbUCG") << "cbUCG" << QStringList{"Disabled", "Enabled"};
    QStringList hold;
    for (int n = 0; n < 16; ++n)
        hold << QStringLiteral("%1.%2 Seconds").arg(n / 2).arg(n % 2 ? 5 : 0);
    QTest::newRow("cbMisc_0") << "cbMisc_0" << hold;
    QStringList timeout{"OFF"};
    for (int n = 1; n < 16; ++n)
        timeout << QStringLiteral("%1 Seconds").arg(n * 15);
    QTest::newRow("cbMisc_1") << "cbMisc_1" << timeout;
    QTest::newRow("cbMisc_2") << "cbMisc_2" << QStringList{"Allow", "Inhibit"};
    QTest::newRow("cbMisc_3") << "cbMisc_3"
                              << QStringList{"OFF", "Indicate", "Lockout with Override", "Lockout"};
    QTest::newRow("cbMisc_4") << "cbMisc_4"
                              << QStringList{"OFF", "DTMF Only", "ANI Only", "DTMF w/Manual ANI"};
    QTest::newRow("cbMisc_5") << "cbMisc_5" << QStringList{"User Select", "Locked Out"};
    QTest::newRow("cbMisc_6") << "cbMisc_6" << QStringList{"User Select", "Locked Out"};
    QTest::newRow("cbGrpAsn") << "cbGrpAsn" << (groups + QStringList{"Unprogrammed"});
    QStringList chans;
    for (int c = 1; c <= 20; ++c)
        chans << QStringLiteral("Channel %1").arg(c);
    QTest::newRow("cbChnAsn") << "cbChnAsn" << chans;
    QTest::newRow("cbIncomingClone") << "cbIncomingClone" << QStringList{"Accept", "Reject"};
}

void TestGlobalCodec::choiceLists()
{
    QFETCH(QString, control);
    QFETCH(QStringList, entries);
    QStringList actual;
    for (const std::string &entry : ChoiceList(control.toStdString()))
        actual << qs(entry);
    QCOMPARE(actual, entries);
    const auto &names = ChoiceListControls();
    QVERIFY(std::find(names.begin(), names.end(), control.toStdString()) != names.end());
}

void TestGlobalCodec::listsOfArrays()
{
    QCOMPARE(ChoiceList("cbGrpAsn_19").size(), std::size_t(26));
    QCOMPARE(ChoiceList("cbChnAsn_0").size(), std::size_t(20));
    QVERIFY(ChoiceList("cbNoSuchList").empty());
    QVERIFY(ChoiceList("cbGrpAsn_x").empty());
    QCOMPARE(ChoiceIndex("cbMisc_3", "Lockout"), 3);
    QCOMPARE(ChoiceIndex("cbMisc_3", "lockout"), -1);
    // Every option of the global panes has a list, and every list entry its own text.
    for (const GlobalChoice &choice : GlobalChoices()) {
        const auto &entries = ChoiceList(choice.control);
        QVERIFY2(!entries.empty(), choice.control);
        for (std::size_t i = 0; i < entries.size(); ++i)
            QCOMPARE(ChoiceIndex(choice.control, entries[i]), int(i));
    }
    QCOMPARE(GlobalChoices().size(), std::size_t(27));
}

void TestGlobalCodec::backLightCoupling_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("backLightBits"); // 197 bits 1-2 before
    QTest::addColumn<int>("duration");      // 199 bits 0-2 before
    QTest::addColumn<QString>("backLight");
    QTest::addColumn<QString>("durationText");
    QTest::newRow("back light off turns duration off") << "cbDispOpts_0"
                                                       << "OFF" << 3 << 4 << "OFF"
                                                       << "OFF";
    QTest::newRow("back light on with duration off") << "cbDispOpts_0"
                                                     << "KeyPress" << 0 << 0 << "KeyPress"
                                                     << "1 Second";
    QTest::newRow("back light change keeps duration")
        << "cbDispOpts_0"
        << "Display Change" << 1 << 5 << "Display Change"
        << "5 Seconds";
    QTest::newRow("duration with back light off")
        << "cbDispOpts_1"
        << "3 Seconds" << 0 << 0 << "Keypress & Display Change"
        << "3 Seconds";
    QTest::newRow("always on with back light off")
        << "cbDispOpts_1"
        << "Always ON" << 0 << 2 << "Keypress & Display Change"
        << "Always ON";
    QTest::newRow("duration change keeps back light") << "cbDispOpts_1"
                                                      << "6 Seconds" << 2 << 1 << "Display Change"
                                                      << "6 Seconds";
    QTest::newRow("duration off turns back light off") << "cbDispOpts_1"
                                                       << "OFF" << 1 << 3 << "OFF"
                                                       << "OFF";
    QTest::newRow("reselecting repairs an inconsistent pair") << "cbDispOpts_0"
                                                              << "KeyPress" << 1 << 0 << "KeyPress"
                                                              << "1 Second";
}

void TestGlobalCodec::backLightCoupling()
{
    QFETCH(QString, control);
    QFETCH(QString, choice);
    QFETCH(int, backLightBits);
    QFETCH(int, duration);
    QFETCH(QString, backLight);
    QFETCH(QString, durationText);
    MemMap.set(0, 197, 0xF9 | backLightBits << 1);
    MemMap.set(0, 199, 0xF8 | duration);
    QVERIFY(ChooseGlobalOption(MemMap, control.toStdString(), choice.toStdString()));
    QCOMPARE(qs(GetBackLight(MemMap)), backLight);
    QCOMPARE(qs(GetBackLightDuration(MemMap)), durationText);
    QCOMPARE(MemMap.get(0, 197) & 0xF9, 0xF9);
    QCOMPARE(MemMap.get(0, 199) & 0xF8, 0xF8);
}

void TestGlobalCodec::chooseOnlyReportsRealChanges()
{
    LoadDefaultImage(MemMap);
    const MemMapImage before = MemMap;
    // The list's text differs from the decoded one but stands for the same value.
    QVERIFY(!ChooseGlobalOption(MemMap, "cbANI", "10 Char/Sec"));
    MemMap.set(0, 135, 64);
    QCOMPARE(decode("cbPriRate"), QStringLiteral(".25 Seconds"));
    QVERIFY(!ChooseGlobalOption(MemMap, "cbPriRate", "0.25 Seconds"));
    MemMap.set(0, 135, 65);
    QVERIFY(!ChooseGlobalOption(MemMap, "cbMisc_1", "225 Seconds"));
    QVERIFY(!ChooseGlobalOption(MemMap, "cbNoSuchList", "x"));
    QVERIFY(MemMap == before);
}

QTEST_APPLESS_MAIN(TestGlobalCodec)
#include "tst_globalcodec.moc"
