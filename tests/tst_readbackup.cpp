#include "fakeplatform.h"
#include "memmap.h"
#include "platform.h"
#include "radiobackup.h"

#include <QtTest>

// The backup copy of every image read from a radio.
class TestReadBackup : public QObject
{
    Q_OBJECT

    MemoryFileSystem fs;
    const std::string folder = "/home/tech/.local/share/ZPA Tessaro Editor/Backups";

private Q_SLOTS:
    void init()
    {
        fs = MemoryFileSystem();
        platform().files = &fs;
        platform().programFolder = "/home/tech/.local/share/ZPA Tessaro Editor";
        MemMap.clear();
    }

    void names()
    {
        const char *rows[][2] = {{"12.34.567", "2026-01-02_03-04-05_SN12.34.567.tdf"},
                                 {"N/A", "2026-01-02_03-04-05_SN-unknown.tdf"},
                                 {"1/2.x", "2026-01-02_03-04-05_SN12..tdf"}}; // no path characters
        for (const auto &[serial, name] : rows)
            QCOMPARE(ReadBackupName({2026, 1, 2, 3, 4, 5}, serial), std::string(name));
    }

    void writesTheImageAsADataFile()
    {
        for (int p = 0; p < MemMapPages; ++p)
            for (int a = 0; a < PageSize; ++a)
                MemMap.set(p, a, p * 11 + a);
        for (int i = 0; i < 7; ++i)
            MemMap.set(0, 113 + i, 7 - i);
        const std::string path = KeepReadBackup({2026, 12, 6, 9, 15, 0});
        QCOMPARE(path, folder + "/2026-12-06_09-15-00_SN76.54.321.tdf");
        const std::vector<std::uint8_t> &image = fs.files[path];
        QCOMPARE(image.size(), std::size_t(26624));
        for (std::size_t i = 0; i < image.size(); ++i)
            QVERIFY(image[i] == MemMap.get(static_cast<int>(i / 1024), static_cast<int>(i % 1024)));
        // A group read did not see this radio's serial number; the one held may be another's.
        QCOMPARE(KeepReadBackup({2026, 12, 6, 9, 16, 0}, false),
                 folder + "/2026-12-06_09-16-00_SN-unknown.tdf");
        // A second backup in the same second keeps both.
        MemMap.set(5, 5, 99);
        const std::string second = KeepReadBackup({2026, 12, 6, 9, 15, 0});
        QVERIFY(!second.empty() && second != path);
        QCOMPARE(int(fs.files[second][5 * 1024 + 5]), 99);
        QCOMPARE(int(fs.files[path][5 * 1024 + 5]), 5 * 11 + 5);
    }

    void keepsTheNewest200()
    {
        // 204 older backups over several days, and a file of the technician's own.
        auto older = [](int i) {
            return ReadBackupName({2025, 1 + i / 28, 1 + i % 28, 8, 0, 0}, "11.11.111");
        };
        for (int i = 0; i < 204; ++i)
            fs.files[folder + "/" + older(i)] = {1};
        fs.files[folder + "/notes.txt"] = {2};
        const std::string newest = KeepReadBackup({2026, 1, 1, 0, 0, 0});
        QCOMPARE(fs.listFolder(folder).size(), std::size_t(201));
        QVERIFY(fs.exists(newest) && fs.exists(folder + "/notes.txt"));
        for (int i = 0; i < 6; ++i) // the five oldest went
            QCOMPARE(fs.exists(folder + "/" + older(i)), i == 5);
    }

    void failureIsQuiet()
    {
        fs.failWrite.insert(folder + "/2026-12-06_09-15-00_SN-unknown.tdf");
        QCOMPARE(KeepReadBackup({2026, 12, 6, 9, 15, 0}), std::string());
        platform().files = nullptr;
        QCOMPARE(KeepReadBackup({2026, 12, 6, 9, 15, 0}), std::string());
    }
};

QTEST_APPLESS_MAIN(TestReadBackup)
#include "tst_readbackup.moc"
