#include "eeprotocol.h"
#include "linkfixture.h"
#include "memmap.h"
#include "radiotrace.h"
#include "transactions.h"

#include <QtTest>

#include <functional>

using namespace RadioTrace;

namespace
{

const std::string HookErrorText =
    "Unable to 'Hook' radio.  Please check all connections and try again.";

} // namespace

// The six transactions without a window: what they send, what they store, what they report.
class TestTransactions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void progressAgainstFixedTotals_data();
    void progressAgainstFixedTotals();
    void readAllStatusSequence();
    void writeAllStatusSequence();
    void readGlobalsZeroesTheUpperHalf();
    void alreadyHookedStartsWithoutHooking();
    void leftHookedWhenNotClosing();
    void hookFailureUnhooksAndShowsOneMessage();
    void portConflictShowsNothingMore();
    void failedBlockWriteLeavesRadioPartlyWritten();
    void failedGroupReadKeepsThePage();
    void groupOutsideTheRangeIsRefused();

private:
    LinkFixture f;
    RecordingWindow m_window;
    std::vector<std::pair<int, int>> &m_progress = m_window.progress;
    std::vector<std::string> &m_status = m_window.statusTexts;
};

void TestTransactions::init()
{
    f.reset();
    MemMap.clear();
    m_window = RecordingWindow();
    platform().window = &m_window;
}

void TestTransactions::cleanup()
{
    platform().window = nullptr;
}

void TestTransactions::progressAgainstFixedTotals_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("steps");
    // Reads count bytes stored; writes count global writes and group bytes sent.
    QTest::newRow("read all") << 0 << 26368 << 768 + 25 * 1024;
    QTest::newRow("read globals") << 1 << 768 << 768;
    QTest::newRow("read group") << 2 << 1024 << 1024;
    QTest::newRow("write all") << 3 << 23338 << 23 + 25 * 654;
    QTest::newRow("write globals") << 4 << 12 << 21;
    QTest::newRow("write group") << 5 << 782 << 654;
}

void TestTransactions::progressAgainstFixedTotals()
{
    QFETCH(int, which);
    QFETCH(int, total);
    QFETCH(int, steps);
    const std::function<bool()> run[] = {
        [] { return ReadAllFromRadio(); },          [] { return ReadGlobalsFromRadio(true); },
        [] { return ReadGroupFromRadio(3, true); }, [] { return WriteAllToRadio(); },
        [] { return WriteGlobalsToRadio(true); },   [] { return WriteGroupToRadio(3, true); },
    };
    QVERIFY(run[which]());
    QCOMPARE(static_cast<int>(m_progress.size()), steps);
    for (std::size_t i = 0; i < m_progress.size(); ++i) {
        QCOMPARE(m_progress[i].first, static_cast<int>(i) + 1);
        QCOMPARE(m_progress[i].second, total);
    }
}

void TestTransactions::readAllStatusSequence()
{
    QVERIFY(ReadAllFromRadio());
    std::vector<std::string> expected = {"Attempting to 'Hook' radio.....",
                                         "Reading Unit Global Settings....."};
    for (int n = 1; n <= 25; ++n)
        expected.push_back("Reading Group " + std::to_string(n) + " Data.....");
    QCOMPARE(m_status, expected);
}

void TestTransactions::writeAllStatusSequence()
{
    QVERIFY(WriteAllToRadio());
    std::vector<std::string> expected = {"Writing Unit Global Settings....."};
    for (int n = 1; n <= 25; ++n)
        expected.push_back("Writing Group " + std::to_string(n) + " Data.....");
    QCOMPARE(m_status, expected);
    QVERIFY(!f.port->isOpen());
}

void TestTransactions::readGlobalsZeroesTheUpperHalf()
{
    f.fillPattern();
    for (int p = 0; p < MemMapPages; ++p)
        for (int a = 0; a < PageSize; ++a)
            MemMap.set(p, a, 0xAA);
    QVERIFY(ReadGlobalsFromRadio(true));
    for (int a = 0; a < PageSize; ++a)
        QCOMPARE(int(MemMap.get(0, a)), a < 512 ? int(f.radio->eeprom[a]) : 0);
    for (int a = 0; a < PageSize; ++a)
        QCOMPARE(int(MemMap.get(1, a)), 0xAA);
    QCOMPARE(f.radio->received(), ReadTrace({0, 1, 2}));
}

void TestTransactions::alreadyHookedStartsWithoutHooking()
{
    QCOMPARE(HookRadio(1, 3, 4800), 1);
    f.radio->clearTrace();
    QVERIFY(WriteGroupToRadio(0, true));
    Bytes expected = GroupWrites(MemMap, 0);
    Append(expected, Unhook());
    QCOMPARE(f.radio->received(), expected);
}

void TestTransactions::leftHookedWhenNotClosing()
{
    QVERIFY(ReadGroupFromRadio(2, false));
    QVERIFY(g_bHooked);
    QVERIFY(f.port->isOpen());
    QVERIFY(WriteGlobalsToRadio(false));
    QVERIFY(ReadGlobalsFromRadio(true));
    QVERIFY(!g_bHooked);
    QVERIFY(!f.port->isOpen());
    // One wake-up for the three transactions.
    Bytes expected = WakeUp();
    for (int h = 12; h < 16; ++h)
        Append(expected, ReadBlock(h));
    Append(expected, GlobalWrites(MemMap, false));
    for (int h = 0; h < 3; ++h)
        Append(expected, ReadBlock(h));
    Append(expected, Unhook());
    QCOMPARE(f.radio->received(), expected);
}

void TestTransactions::hookFailureUnhooksAndShowsOneMessage()
{
    f.radio->faults.noHookAnswer = true;
    const MemMapImage before = MemMap;
    QVERIFY(!ReadAllFromRadio());
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs->messages[0].text, HookErrorText);
    QCOMPARE(f.dialogs->messages[0].icon, MsgIcon::Exclamation);
    QVERIFY(!f.port->isOpen());
    QVERIFY(MemMap == before);
    QCOMPARE(m_status, std::vector<std::string>{"Attempting to 'Hook' radio....."});
}

void TestTransactions::portConflictShowsNothingMore()
{
    f.port->refuse[LinkFixture::Device] = SerialError::Busy;
    QVERIFY(!WriteAllToRadio());
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs->messages[0].caption, std::string("COMM PORT CONFLICT"));
    QVERIFY(f.radio->received().empty());
    QVERIFY(m_status.empty());
}

void TestTransactions::failedBlockWriteLeavesRadioPartlyWritten()
{
    for (int a = 0; a < PageSize; ++a)
        MemMap.set(0, a, 0x5A);
    // Hook and the first six byte writes are answered; the first block write is not.
    f.radio->faults.stopAfterCommands = 7;
    QVERIFY(!WriteGlobalsToRadio(true));
    QCOMPARE(f.dialogs->messages.size(), std::size_t(2));
    QCOMPARE(f.dialogs->messages[0].text,
             std::string("A COMM ERROR occurred in sub routine 'WriteMultiEEBytes'.      "));
    QCOMPARE(f.dialogs->messages[1].text, HookErrorText);
    QCOMPARE(int(f.radio->eeprom[0x007]), 0x5A);
    QCOMPARE(int(f.radio->eeprom[0x0AE]), 0);
    QVERIFY(!f.port->isOpen());
    QVERIFY(!g_bHooked);
}

void TestTransactions::failedGroupReadKeepsThePage()
{
    f.fillPattern();
    for (int a = 0; a < PageSize; ++a)
        MemMap.set(10, a, 0x33);
    f.radio->faults.stopAfterCommands = 3; // the fourth block never comes
    QVERIFY(!ReadGroupFromRadio(9, true));
    for (int a = 0; a < PageSize; ++a)
        QCOMPARE(int(MemMap.get(10, a)), 0x33);
    QCOMPARE(f.dialogs->messages.size(), std::size_t(2));
}

void TestTransactions::groupOutsideTheRangeIsRefused()
{
    QVERIFY(!ReadGroupFromRadio(25, true));
    QVERIFY(!WriteGroupToRadio(-1, true));
    QVERIFY(f.radio->received().empty());
}

QTEST_APPLESS_MAIN(TestTransactions)
#include "tst_transactions.moc"
