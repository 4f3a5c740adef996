#include "fakeplatform.h"
#include "memmap.h"
#include "platform.h"
#include "radiobackup.h"

#include <QtTest>

// The backup copy of every image read from a radio.
class TestReadBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void names_data();
    void names();
    void writesTheImageAsADataFile();
    void sameSecondKeepsBoth();
    void keepsTheNewest200();
    void failureIsQuiet();

private:
    MemoryFileSystem m_fs;
    const std::string m_folder = "/home/tech/.local/share/ZPA Tessaro Editor/Backups";
};

void TestReadBackup::init()
{
    m_fs = MemoryFileSystem();
    platform().files = &m_fs;
    platform().programFolder = "/home/tech/.local/share/ZPA Tessaro Editor";
    MemMap.clear();
}

void TestReadBackup::names_data()
{
    QTest::addColumn<QString>("serialText");
    QTest::addColumn<QString>("name");
    QTest::newRow("serial") << "12.34.567"
                            << "2026-01-02_03-04-05_SN12.34.567.tdf";
    QTest::newRow("none") << "N/A"
                          << "2026-01-02_03-04-05_SN-unknown.tdf";
    QTest::newRow("no path characters") << "1/2.x"
                                        << "2026-01-02_03-04-05_SN12..tdf";
}

void TestReadBackup::names()
{
    QFETCH(QString, serialText);
    QFETCH(QString, name);
    QCOMPARE(
        QString::fromStdString(ReadBackupName({2026, 1, 2, 3, 4, 5}, serialText.toStdString())),
        name);
}

void TestReadBackup::writesTheImageAsADataFile()
{
    for (int p = 0; p < MemMapPages; ++p)
        for (int a = 0; a < PageSize; ++a)
            MemMap.set(p, a, p * 11 + a);
    for (int i = 0; i < 7; ++i)
        MemMap.set(0, 113 + i, 7 - i);
    const std::string path = KeepReadBackup({2026, 12, 6, 9, 15, 0});
    QCOMPARE(path, m_folder + "/2026-12-06_09-15-00_SN76.54.321.tdf");
    const std::vector<std::uint8_t> &image = m_fs.files[path];
    QCOMPARE(image.size(), std::size_t(26624));
    for (std::size_t i = 0; i < image.size(); ++i)
        QVERIFY(image[i] == MemMap.get(static_cast<int>(i / 1024), static_cast<int>(i % 1024)));
    // A group read did not see this radio's serial number; the one held may be another's.
    QCOMPARE(KeepReadBackup({2026, 12, 6, 9, 16, 0}, false),
             m_folder + "/2026-12-06_09-16-00_SN-unknown.tdf");
}

void TestReadBackup::sameSecondKeepsBoth()
{
    const std::string first = KeepReadBackup({2026, 12, 6, 9, 15, 0});
    MemMap.set(5, 5, 99);
    const std::string second = KeepReadBackup({2026, 12, 6, 9, 15, 0});
    QVERIFY(!second.empty());
    QVERIFY(first != second);
    QCOMPARE(int(m_fs.files[second][5 * 1024 + 5]), 99);
    QCOMPARE(int(m_fs.files[first][5 * 1024 + 5]), 0);
}

void TestReadBackup::keepsTheNewest200()
{
    // 204 older backups over several days, and a file of the technician's own.
    for (int i = 0; i < 204; ++i) {
        const LocalTime t{2025, 1 + i / 28, 1 + i % 28, 8, 0, 0};
        m_fs.files[m_folder + "/" + ReadBackupName(t, "11.11.111")] = {1};
    }
    m_fs.files[m_folder + "/notes.txt"] = {2};
    const std::string newest = KeepReadBackup({2026, 1, 1, 0, 0, 0});
    const std::vector<std::string> names = m_fs.listFolder(m_folder);
    QCOMPARE(names.size(), std::size_t(201));
    QVERIFY(m_fs.files.count(newest));
    QVERIFY(m_fs.files.count(m_folder + "/notes.txt"));
    // The five oldest went.
    for (int i = 0; i < 5; ++i) {
        const LocalTime t{2025, 1 + i / 28, 1 + i % 28, 8, 0, 0};
        QVERIFY(!m_fs.files.count(m_folder + "/" + ReadBackupName(t, "11.11.111")));
    }
    QVERIFY(m_fs.files.count(m_folder + "/" + ReadBackupName({2025, 1, 6, 8, 0, 0}, "11.11.111")));
}

void TestReadBackup::failureIsQuiet()
{
    m_fs.failWrite.insert(m_folder + "/2026-12-06_09-15-00_SN-unknown.tdf");
    QCOMPARE(KeepReadBackup({2026, 12, 6, 9, 15, 0}), std::string());
    platform().files = nullptr;
    QCOMPARE(KeepReadBackup({2026, 12, 6, 9, 15, 0}), std::string());
    platform().files = &m_fs;
}

QTEST_APPLESS_MAIN(TestReadBackup)
#include "tst_readbackup.moc"
