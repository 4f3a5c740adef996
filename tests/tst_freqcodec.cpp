#include "cellundo.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "memmap.h"
#include "platform.h"

#include <QtTest>

class TestFreqCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void freqToBytes_data();
    void freqToBytes();
    void bytesToFreq_data();
    void bytesToFreq();
    void chanFreqDisplay_data();
    void chanFreqDisplay();
    void setChanFreq_data();
    void setChanFreq();
    void isValidFreq_data();
    void isValidFreq();
    void validateFreqAcceptsWithoutPrompt_data();
    void validateFreqAcceptsWithoutPrompt();
    void validateFreqPromptsUntilValid();
    void validateFreqCancelKeepsPreviousFrequency();
    void validateFreqEmptyAnswerClears();
    void validateFreqRepairsInvalidExample();
    void nullFreqSub_data();
    void nullFreqSub();
    void nullFreqSubEdit();

private:
    ScriptedDialogs m_dialogs;
};

static QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

static std::string expectedPrompt(const std::string &text, const std::string &example)
{
    return "You attempted to enter a frequency of '" + text +
           "'.\r\n\r\nPlease enter a valid frequency in MHz in\r\nthe range of 136.00000 and "
           "174.00000\r\nFrequencies must be divisible by 2.5kHz or 6.25kHz.\r\nConsult your "
           "owners manual for details.\r\n(example: " +
           example + ")";
}

void TestFreqCodec::init()
{
    m_dialogs = ScriptedDialogs();
    platform().dialogs = &m_dialogs;
    CellUndoText = CellUndoTexts();
    MemMap.clear();
}

void TestFreqCodec::freqToBytes_data()
{
    QTest::addColumn<double>("mhz");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::newRow("162.4") << 162.4 << 0xC3 << 0x00;
    QTest::newRow("162.55") << 162.55 << 0xC3 << 0x78;
    QTest::newRow("136 lower band edge") << 136.0 << 28800 / 256 << 28800 % 256;
    QTest::newRow("174 upper band edge") << 174.0 << 59200 / 256 << 59200 % 256;
    QTest::newRow("largest storable") << 181.91875 << 0xFF << 0xFF;
    // Exact half steps go to the even count.
    QTest::newRow("half step to even 0") << 100.000625 << 0 << 0;
    QTest::newRow("half step to even 2") << 100.001875 << 0 << 2;
    QTest::newRow("below the base stores 0") << 50.0 << 0 << 0;
    QTest::newRow("beyond two bytes is held") << 500.0 << 0xFF << 0xFF;
}

void TestFreqCodec::freqToBytes()
{
    QFETCH(double, mhz);
    QFETCH(int, high);
    QFETCH(int, low);
    const FreqBytes bytes = FreqToBytes(mhz);
    QCOMPARE(int(bytes.high), high);
    QCOMPARE(int(bytes.low), low);
}

void TestFreqCodec::bytesToFreq_data()
{
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::addColumn<QString>("text");
    QTest::newRow("162.4") << 0xC3 << 0x00 << "162.40000";
    QTest::newRow("162.55") << 0xC3 << 0x78 << "162.55000";
    QTest::newRow("one step") << 0 << 1 << "100.00125";
    QTest::newRow("largest") << 0xFF << 0xFF << "181.91875";
}

void TestFreqCodec::bytesToFreq()
{
    QFETCH(int, high);
    QFETCH(int, low);
    QFETCH(QString, text);
    QCOMPARE(qs(BytesToFreq(high, low)), text);
}

void TestFreqCodec::chanFreqDisplay_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("text");
    QTest::newRow("both 0") << 0 << "Inactive";
    QTest::newRow("in band") << 49920 << "162.40000";
    QTest::newRow("band start") << 28800 << "136.00000";
    QTest::newRow("band end") << 59200 << "174.00000";
    QTest::newRow("just below band") << 28799 << "?";
    QTest::newRow("just above band") << 59201 << "?";
    QTest::newRow("180 MHz") << 64000 << "?";
}

void TestFreqCodec::chanFreqDisplay()
{
    QFETCH(int, steps);
    QFETCH(QString, text);
    const int page = 25;
    const int rec = 256 + 32 * 19;
    MemMap.set(page, rec + 0, steps / 256);
    MemMap.set(page, rec + 1, steps % 256);
    MemMap.set(page, rec + 8, steps / 256);
    MemMap.set(page, rec + 9, steps % 256);
    QCOMPARE(qs(GetChanFreq(MemMap, 24, 19, true)), text);
    QCOMPARE(qs(GetChanFreq(MemMap, 24, 19, false)), text);
}

void TestFreqCodec::setChanFreq_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isReceive");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::newRow("rx 162.4") << "162.40000" << true << 0xC3 << 0x00;
    QTest::newRow("tx 162.55") << "162.55" << false << 0xC3 << 0x78;
    QTest::newRow("Inactive") << "Inactive" << true << 0 << 0;
    QTest::newRow("question mark") << "?" << false << 0 << 0;
    QTest::newRow("empty") << "" << true << 0 << 0;
    QTest::newRow("blank is not a digit") << " 162.4" << true << 0 << 0;
}

void TestFreqCodec::setChanFreq()
{
    QFETCH(QString, text);
    QFETCH(bool, isReceive);
    QFETCH(int, high);
    QFETCH(int, low);
    for (int o = 0; o < PageSize; ++o)
        MemMap.set(3, o, 0x5A);
    const MemMapImage before = MemMap;
    SetChanFreq(MemMap, 2, 7, isReceive, text.toStdString());
    const int at = 256 + 32 * 7 + (isReceive ? 0 : 8);
    QCOMPARE(int(MemMap.get(3, at)), high);
    QCOMPARE(int(MemMap.get(3, at + 1)), low);
    MemMapImage rest = MemMap;
    rest.set(3, at, 0x5A);
    rest.set(3, at + 1, 0x5A);
    QVERIFY(rest == before);
}

void TestFreqCodec::isValidFreq_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("after");
    QTest::newRow("162.4") << "162.4" << true << "162.4";
    QTest::newRow("three digits") << "162" << true << "162";
    QTest::newRow("trailing point") << "162." << true << "162.";
    QTest::newRow("136") << "136" << true << "136";
    QTest::newRow("174") << "174" << true << "174";
    QTest::newRow("174.00001 out of band") << "174.00001" << false << "174.00001";
    QTest::newRow("135.99 out of band") << "135.99" << false << "135.99";
    QTest::newRow("6.25k raster") << "155.00625" << true << "155.00625";
    QTest::newRow("2.5k raster") << "155.0025" << true << "155.0025";
    // Both candidates 1000 Hz away and equal: the 2.5 kHz one, same value.
    QTest::newRow("161.401 snaps") << "161.401" << true << "161.40000";
    // 155 006 250 is 2550 Hz away, 155 002 500 only 1200 Hz.
    QTest::newRow("155.0037 snaps to 2.5k") << "155.0037" << true << "155.00250";
    // 155 006 250 is 250 Hz away, 155 005 000 1000 Hz.
    QTest::newRow("155.0060 snaps to 6.25k") << "155.0060" << true << "155.00625";
    // Equally near the 6.25 kHz and 2.5 kHz points (625 Hz each side): 2.5 kHz wins.
    QTest::newRow("tie goes to 2.5k") << "155.005625" << true << "155.00500";
    // Near the top the upper 2.5 kHz neighbour would leave the band and is held at its edge.
    QTest::newRow("snap held in band") << "173.9999" << true << "174.00000";
    QTest::newRow("two digits") << "16" << false << "16";
    QTest::newRow("16.24 shape") << "16.24" << false << "16.24";
    QTest::newRow("1624.0 shape") << "1624.0" << false << "1624.0";
    QTest::newRow("second point") << "162.4.5" << false << "162.4.5";
    QTest::newRow("letter") << "16A.4" << false << "16A.4";
    QTest::newRow("leading blank") << " 162.4" << false << " 162.4";
}

void TestFreqCodec::isValidFreq()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, after);
    std::string work = text.toStdString();
    QCOMPARE(IsValidFreq(work), valid);
    QCOMPARE(qs(work), after);
}

void TestFreqCodec::validateFreqAcceptsWithoutPrompt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("162.4") << "162.4"
                           << "162.40000";
    QTest::newRow("snapped") << "155.0037"
                             << "155.00250";
    QTest::newRow("136") << "136"
                         << "136.00000";
    QTest::newRow("0") << "0"
                       << "Inactive";
    QTest::newRow("empty") << ""
                           << "Inactive";
    QTest::newRow("Inactive") << "Inactive"
                              << "Inactive";
    QTest::newRow("word") << "off"
                          << "Inactive";
}

void TestFreqCodec::validateFreqAcceptsWithoutPrompt()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(qs(ValidateFreq(text.toStdString(), "RX")), result);
    QVERIFY(m_dialogs.inputs.empty());
}

void TestFreqCodec::validateFreqPromptsUntilValid()
{
    CellUndoText.freq = "155.00250";
    m_dialogs.inputAnswers = {std::string("16.24"), std::string("174.00001"),
                              std::string("155.0037")};
    QCOMPARE(qs(ValidateFreq("1624.0", "TX")), QStringLiteral("155.00250"));
    QCOMPARE(m_dialogs.inputs.size(), std::size_t(3));
    QCOMPARE(qs(m_dialogs.inputs[0].prompt), qs(expectedPrompt("1624.0", "155.00250")));
    QCOMPARE(qs(m_dialogs.inputs[0].title), QStringLiteral("FORMAT ERROR"));
    QCOMPARE(qs(m_dialogs.inputs[0].defaultText), QStringLiteral("155.00250"));
    QCOMPARE(qs(m_dialogs.inputs[1].prompt), qs(expectedPrompt("16.24", "155.00250")));
    QCOMPARE(qs(m_dialogs.inputs[2].prompt), qs(expectedPrompt("174.00001", "155.00250")));
}

void TestFreqCodec::validateFreqCancelKeepsPreviousFrequency()
{
    CellUndoText.freq = "162.40000";
    m_dialogs.inputAnswers = {std::nullopt};
    QCOMPARE(qs(ValidateFreq("200", "RX")), QStringLiteral("162.40000"));
    QCOMPARE(m_dialogs.inputs.size(), std::size_t(1));

    // A cell that was inactive stays inactive.
    CellUndoText.freq = "Inactive";
    m_dialogs.inputAnswers = {std::nullopt};
    QCOMPARE(qs(ValidateFreq("200", "RX")), QStringLiteral("Inactive"));
}

void TestFreqCodec::validateFreqEmptyAnswerClears()
{
    CellUndoText.freq = "162.40000";
    m_dialogs.inputAnswers = {std::string(""), std::string("0")};
    QCOMPARE(qs(ValidateFreq("2000", "RX")), QStringLiteral("Inactive"));
    QCOMPARE(qs(ValidateFreq("2000", "RX")), QStringLiteral("Inactive"));
    QCOMPARE(m_dialogs.inputs.size(), std::size_t(2));
}

void TestFreqCodec::validateFreqRepairsInvalidExample()
{
    CellUndoText.freq = "Inactive";
    m_dialogs.inputAnswers = {std::string("162.55")};
    QCOMPARE(qs(ValidateFreq("abc1", "RX")), QStringLiteral("Inactive"));
    QVERIFY(m_dialogs.inputs.empty());

    QCOMPARE(qs(ValidateFreq("999", "RX")), QStringLiteral("162.55000"));
    QCOMPARE(qs(m_dialogs.inputs[0].defaultText), QStringLiteral("161.40000"));
    QCOMPARE(qs(CellUndoText.freq), QStringLiteral("161.40000"));

    // An off-raster example is snapped in place and offered so.
    CellUndoText.freq = "161.401";
    m_dialogs.inputAnswers = {std::string("162.55")};
    ValidateFreq("999", "RX");
    QCOMPARE(qs(m_dialogs.inputs[1].defaultText), QStringLiteral("161.40000"));
}

void TestFreqCodec::nullFreqSub_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::addColumn<QString>("shown");
    QTest::newRow("162.4") << "162.40000" << 0xC3 << 0x00 << "162.40000";
    QTest::newRow("0") << "0" << 0 << 0 << "0.0";
    QTest::newRow("empty") << "" << 0 << 0 << "0.0";
    QTest::newRow("out of band") << "180" << 0 << 0 << "0.0";
    QTest::newRow("not only digits") << "162.4 MHz" << 0 << 0 << "0.0";
    QTest::newRow("band edge") << "174" << 59200 / 256 << 59200 % 256 << "174.00000";
}

void TestFreqCodec::nullFreqSub()
{
    QFETCH(QString, text);
    QFETCH(int, high);
    QFETCH(int, low);
    QFETCH(QString, shown);
    MemMap.set(0, 173, 0xFF);
    MemMap.set(0, 174, 0x11);
    MemMap.set(0, 175, 0x22);
    MemMap.set(0, 176, 0xEE);
    SetNullFreqSub(MemMap, text.toStdString());
    QCOMPARE(int(MemMap.get(0, 174)), high);
    QCOMPARE(int(MemMap.get(0, 175)), low);
    QCOMPARE(int(MemMap.get(0, 173)), 0xFF);
    QCOMPARE(int(MemMap.get(0, 176)), 0xEE);
    QCOMPARE(qs(GetNullFreqSub(MemMap)), shown);
}

void TestFreqCodec::nullFreqSubEdit()
{
    MemMap.set(0, 174, 64000 / 256);
    MemMap.set(0, 175, 64000 % 256);
    QCOMPARE(qs(GetNullFreqSub(MemMap)), QStringLiteral("?"));

    QCOMPARE(qs(ValidateNullFreqSub("155.0037", "?")), QStringLiteral("155.00250"));
    QCOMPARE(qs(ValidateNullFreqSub("", "155.00250")), QStringLiteral("0.0"));
    QCOMPARE(qs(ValidateNullFreqSub("0", "155.00250")), QStringLiteral("0.0"));

    // The field's own previous text is the example, and what Cancel keeps.
    m_dialogs.inputAnswers = {std::nullopt};
    QCOMPARE(qs(ValidateNullFreqSub("12", "155.00250")), QStringLiteral("155.00250"));
    QCOMPARE(qs(m_dialogs.inputs[0].defaultText), QStringLiteral("155.00250"));
    m_dialogs.inputAnswers = {std::nullopt};
    QCOMPARE(qs(ValidateNullFreqSub("12", "0.0")), QStringLiteral("0.0"));
    QCOMPARE(qs(m_dialogs.inputs[1].defaultText), QStringLiteral("161.40000"));
}

QTEST_APPLESS_MAIN(TestFreqCodec)
#include "tst_freqcodec.moc"
