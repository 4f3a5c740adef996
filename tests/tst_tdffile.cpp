#include "appglobals.h"
#include "appsettings.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "memmap.h"
#include "platform.h"
#include "tdffile.h"

#include <QtTest>

class TestTdfFile : public QObject
{
    Q_OBJECT

    MemoryFileSystem fs;
    FakeSettings settings;
    ScriptedDialogs dialogs;

    static void fillPattern(int seed)
    {
        for (int p = 0; p < MemMapPages; ++p)
            for (int o = 0; o < PageSize; ++o)
                MemMap.set(p, o, (p * 1024 + o) * 7 + seed);
    }
    static MemMapImage defaults()
    {
        MemMapImage image;
        LoadDefaultImage(image);
        return image;
    }
    std::string ioError(const std::string &routine, const std::string &path) const
    {
        return "There was an I/O error in the sub routine: '" + routine + " - *" + path + "*'";
    }

private Q_SLOTS:
    void init()
    {
        InstallDoubles(fs, settings, dialogs);
        ResetAppGlobals();
        MemMap.clear();
    }

    // A file replaces what it holds and no more, every byte value untranslated; what the
    // writer saves is the image's first pages whole.
    void readAndWrite()
    {
        std::vector<std::uint8_t> data;
        for (const int length : {0, 1500, TdfFileSize - 1, 30000}) {
            data.resize(length);
            for (int i = 0; i < length; ++i)
                data[i] = static_cast<std::uint8_t>(i + i / 256 + 1);
            fs.files["/x.tdf"] = data;
            fillPattern(0);
            const MemMapImage before = MemMap;
            LoadMemMapFrom_TDF_File("/x.tdf");
            for (int i = 0; i < MemMapPages * PageSize; ++i) {
                const int p = i / PageSize, o = i % PageSize;
                if (MemMap.get(p, o) !=
                    (i < std::min(length, TdfFileSize) ? data[i] : before.get(p, o)))
                    QFAIL(qPrintable(
                        QStringLiteral("%1: page %2 offset %3").arg(length).arg(p).arg(o)));
            }
        }
        WriteMemMapTo_TDF_File("/d/unit.tdf");
        data.resize(TdfFileSize);
        QVERIFY(fs.files["/d/unit.tdf"] == data);
        QVERIFY(dialogs.messages.empty());
    }

    void defaultValuesAndMissingFiles()
    {
        for (const char *name : {"DEFAULT VALUES", "default values", "Default Values"}) {
            fillPattern(1);
            LoadMemMapFrom_TDF_File(name);
            QVERIFY2(MemMap == defaults(), name);
        }
        QCOMPARE(fs.operations, 0);
        QCOMPARE(settings.saveCount, 0);
        // A missing file loads the defaults and forgets the name.
        g_sCurFileName = "/gone.tdf";
        fillPattern(2);
        LoadMemMapFrom_TDF_File(g_sCurFileName);
        QVERIFY(MemMap == defaults());
        QCOMPARE(GetSetting("Current File Name", ""), std::string("DEFAULT VALUES"));
        QCOMPARE(g_sCurFileName, std::string("/gone.tdf"));
        QVERIFY(dialogs.messages.empty());
    }

    void ioErrorsAreReported()
    {
        fs.files["/bad.tdf"] = std::vector<std::uint8_t>(TdfFileSize, 9);
        fs.failRead.insert("/bad.tdf");
        fillPattern(4);
        const MemMapImage before = MemMap;
        LoadMemMapFrom_TDF_File("/bad.tdf");
        QVERIFY(MemMap == before);
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(dialogs.messages[0].text, ioError("LoadMemMapFrom_TDF_File", "/bad.tdf"));
        QCOMPARE(dialogs.messages[0].caption, std::string("ZPA Tessaro Editor"));
        QVERIFY(dialogs.messages[0].buttons == MsgButtons::Ok);
        QVERIFY(dialogs.messages[0].icon == MsgIcon::None);
        // A failed write keeps the old file.
        const std::vector<std::uint8_t> old(100, 5);
        fs.files["/d/old.tdf"] = old;
        fs.failWrite.insert("/d/old.tdf");
        WriteMemMapTo_TDF_File("/d/old.tdf");
        QCOMPARE(fs.files["/d/old.tdf"], old);
        QCOMPARE(dialogs.messages.size(), size_t(2));
        QCOMPARE(dialogs.messages[1].text, ioError("WriteMemMapTo_TDF_File", "/d/old.tdf"));
    }
};

QTEST_GUILESS_MAIN(TestTdfFile)
#include "tst_tdffile.moc"
