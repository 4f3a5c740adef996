#include "appglobals.h"
#include "appsettings.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "memmap.h"
#include "platform.h"
#include "qtplatform.h"
#include "tdffile.h"

#include <QtTest>

class TestTdfFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void roundTripKeepsEveryByteValue();
    void shortAndLongFiles_data();
    void shortAndLongFiles();
    void defaultValuesInAnyCaseTouchesNothing_data();
    void defaultValuesInAnyCaseTouchesNothing();
    void missingFileLoadsDefaults();
    void unreadableFileIsReported();
    void failedWriteKeepsOldFile();
    void realFileSystemWrite();

private:
    void fillPattern(int seed);
    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
};

void TestTdfFile::init()
{
    InstallDoubles(m_fs, m_settings, m_dialogs);
    ResetAppGlobals();
    MemMap.clear();
}

void TestTdfFile::fillPattern(int seed)
{
    for (int p = 0; p < MemMapPages; ++p)
        for (int o = 0; o < PageSize; ++o)
            MemMap.set(p, o, (p * 1024 + o) * 7 + seed);
}

void TestTdfFile::roundTripKeepsEveryByteValue()
{
    fillPattern(3);
    for (int p = 26; p < MemMapPages; ++p)
        for (int o = 0; o < PageSize; ++o)
            MemMap.set(p, o, 0);
    const MemMapImage written = MemMap;
    WriteMemMapTo_TDF_File("/d/unit.tdf");
    QCOMPARE(m_fs.files["/d/unit.tdf"].size(), size_t(TdfFileSize));
    // Line ends and high bytes come through untranslated.
    QCOMPARE(int(m_fs.files["/d/unit.tdf"][10]), int(written.get(0, 10)));

    MemMap.clear();
    LoadMemMapFrom_TDF_File("/d/unit.tdf");
    QVERIFY(MemMap == written);
    QVERIFY(m_dialogs.messages.empty());

    // Every value 0..255 passes through the file.
    for (int v = 0; v < 256; ++v)
        MemMap.set(v / 10, v, v);
    const MemMapImage all = MemMap;
    WriteMemMapTo_TDF_File("/d/all.tdf");
    MemMap.clear();
    LoadMemMapFrom_TDF_File("/d/all.tdf");
    QVERIFY(MemMap == all);
}

void TestTdfFile::shortAndLongFiles_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("replaced");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("1500 bytes") << 1500 << 1500;
    QTest::newRow("one page") << 1024 << 1024;
    QTest::newRow("one byte short") << TdfFileSize - 1 << TdfFileSize - 1;
    QTest::newRow("30000 bytes") << 30000 << TdfFileSize;
}

void TestTdfFile::shortAndLongFiles()
{
    QFETCH(int, length);
    QFETCH(int, replaced);
    std::vector<std::uint8_t> data(length);
    for (int i = 0; i < length; ++i)
        data[i] = static_cast<std::uint8_t>(i % 251 + 1);
    m_fs.files["/x.tdf"] = data;
    fillPattern(0);
    const MemMapImage before = MemMap;
    LoadMemMapFrom_TDF_File("/x.tdf");
    for (int i = 0; i < MemMapPages * PageSize; ++i) {
        const int p = i / PageSize, o = i % PageSize;
        const int expected = i < replaced ? data[i] : before.get(p, o);
        if (MemMap.get(p, o) != expected)
            QFAIL(qPrintable(QStringLiteral("page %1 offset %2").arg(p).arg(o)));
    }
    QVERIFY(m_dialogs.messages.empty());
}

void TestTdfFile::defaultValuesInAnyCaseTouchesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("upper") << "DEFAULT VALUES";
    QTest::newRow("lower") << "default values";
    QTest::newRow("mixed") << "Default Values";
}

void TestTdfFile::defaultValuesInAnyCaseTouchesNothing()
{
    QFETCH(QString, name);
    fillPattern(1);
    LoadMemMapFrom_TDF_File(name.toStdString());
    MemMapImage expected;
    LoadDefaultImage(expected);
    QVERIFY(MemMap == expected);
    QCOMPARE(m_fs.operations, 0);
    QCOMPARE(m_settings.saveCount, 0);
}

void TestTdfFile::missingFileLoadsDefaults()
{
    g_sCurFileName = "/gone.tdf";
    fillPattern(2);
    LoadMemMapFrom_TDF_File(g_sCurFileName);
    MemMapImage expected;
    LoadDefaultImage(expected);
    QVERIFY(MemMap == expected);
    QCOMPARE(GetSetting("Current File Name", ""), std::string("DEFAULT VALUES"));
    QCOMPARE(g_sCurFileName, std::string("/gone.tdf"));
    QVERIFY(m_dialogs.messages.empty());
}

void TestTdfFile::unreadableFileIsReported()
{
    m_fs.files["/bad.tdf"] = std::vector<std::uint8_t>(TdfFileSize, 9);
    m_fs.failRead.insert("/bad.tdf");
    fillPattern(4);
    const MemMapImage before = MemMap;
    LoadMemMapFrom_TDF_File("/bad.tdf");
    QVERIFY(MemMap == before);
    QCOMPARE(m_dialogs.messages.size(), size_t(1));
    QCOMPARE(m_dialogs.messages[0].text, std::string("There was an I/O error in the sub routine: "
                                                     "'LoadMemMapFrom_TDF_File - */bad.tdf*'"));
    QCOMPARE(m_dialogs.messages[0].caption, std::string("ZPA Tessaro Editor"));
    QVERIFY(m_dialogs.messages[0].buttons == MsgButtons::Ok);
    QVERIFY(m_dialogs.messages[0].icon == MsgIcon::None);
}

void TestTdfFile::failedWriteKeepsOldFile()
{
    const std::vector<std::uint8_t> old(100, 5);
    m_fs.files["/d/old.tdf"] = old;
    m_fs.failWrite.insert("/d/old.tdf");
    fillPattern(5);
    WriteMemMapTo_TDF_File("/d/old.tdf");
    QCOMPARE(m_fs.files["/d/old.tdf"], old);
    QCOMPARE(m_dialogs.messages.size(), size_t(1));
    QCOMPARE(m_dialogs.messages[0].text, std::string("There was an I/O error in the sub routine: "
                                                     "'WriteMemMapTo_TDF_File - */d/old.tdf*'"));
}

void TestTdfFile::realFileSystemWrite()
{
    QtFileSystem realFs;
    platform().files = &realFs;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("unit.tdf"));
    {
        QFile longer(path);
        QVERIFY(longer.open(QIODevice::WriteOnly));
        longer.write(QByteArray(40000, 'x'));
    }
    fillPattern(6);
    const MemMapImage written = MemMap;
    WriteMemMapTo_TDF_File(path.toStdString());
    QCOMPARE(QFileInfo(path).size(), qint64(TdfFileSize));
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("unit.tdf")});
    MemMap.clear();
    LoadMemMapFrom_TDF_File(path.toStdString());
    for (int i = 0; i < TdfFileSize; ++i)
        QCOMPARE(MemMap.get(i / PageSize, i % PageSize), written.get(i / PageSize, i % PageSize));

    // A folder that does not exist: reported, nothing created.
    const QString nowhere = dir.filePath(QStringLiteral("missing/unit.tdf"));
    WriteMemMapTo_TDF_File(nowhere.toStdString());
    QVERIFY(!QFileInfo::exists(nowhere));
    QCOMPARE(m_dialogs.messages.size(), size_t(1));
    QVERIFY(m_dialogs.messages[0].text.find("WriteMemMapTo_TDF_File - *" + nowhere.toStdString() +
                                            "*") != std::string::npos);

    // The target is a folder: the write fails and the folder is untouched.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.tdf")));
    WriteMemMapTo_TDF_File(dir.filePath(QStringLiteral("taken.tdf")).toStdString());
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("taken.tdf"))).isDir());
    QCOMPARE(m_dialogs.messages.size(), size_t(2));
}

QTEST_GUILESS_MAIN(TestTdfFile)
#include "tst_tdffile.moc"
