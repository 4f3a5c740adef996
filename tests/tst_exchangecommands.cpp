#include "appglobals.h"
#include "caption.h"
#include "chirpcsv.h"
#include "defaultimage.h"
#include "exchangecommands.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "memmap.h"
#include "platform.h"
#include "textform.h"

#include <QtTest>

// File > Export and Import over scripted dialogs and an in-memory file system.
class TestExchangeCommands : public QObject
{
    Q_OBJECT

    MemoryFileSystem fs;
    FakeSettings settings;
    ScriptedDialogs dialogs;
    RecordingWindow rec;
    const std::string docs = "/home/tech/Documents/My QV Radios";

    std::string file(const std::string &name)
    {
        const auto &bytes = fs.files[docs + "/" + name];
        return std::string(bytes.begin(), bytes.end());
    }
    void answer(const std::string &name) { dialogs.fileAnswers.push_back(docs + "/" + name); }
    // The file as the technician picks it for the import command.
    void import(void (*command)(), const std::string &name, const std::string &text)
    {
        fs.files[docs + "/" + name] = std::vector<std::uint8_t>(text.begin(), text.end());
        answer(name);
        command();
    }

private Q_SLOTS:
    void init()
    {
        InstallDoubles(fs, settings, dialogs);
        platform().documentsFolder = docs;
        ResetAppGlobals();
        g_sCurFileName = docs + "/Unit 8.tdf";
        LoadDefaultImage(MemMap);
        rec = RecordingWindow();
        platform().window = &rec;
        SetCaption(false);
    }

    // Each export proposes a name after the data file, writes what the library makes of the
    // MemMap, and says so.
    void exports()
    {
        SetChanFreq(MemMap, 2, 0, true, "151.25000");
        g_iCurGroup = 2;
        const struct {
            void (*command)();
            const char *proposed;
            std::string text;
        } rows[] = {
            {ExportTextFormCommand, "Unit 8.yaml", WriteTextForm(MemMap)},
            {ExportGroupCsvCommand, "Unit 8 Group 3.csv", ExportChannelsCsv(MemMap, 2)},
            {ExportAllCsvCommand, "Unit 8.csv", ExportChannelsCsv(MemMap, -1)},
        };
        for (const auto &row : rows) {
            dialogs.saveRequests.clear();
            answer("out");
            row.command();
            QCOMPARE(dialogs.saveRequests.size(), std::size_t(1));
            QCOMPARE(dialogs.saveRequests[0].proposedName, std::string(row.proposed));
            QCOMPARE(dialogs.saveRequests[0].initialDir, docs);
            QCOMPARE(file("out"), row.text);
            QCOMPARE(rec.statusTexts.back(), std::string("Exported out....."));
        }
        QVERIFY(!IsDataChanged());
        // A file that cannot be written is said to be so.
        fs.failWrite.insert(docs + "/locked.yaml");
        answer("locked.yaml");
        ExportTextFormCommand();
        QCOMPARE(dialogs.messages.back().caption, std::string("EXPORT FAILED"));
        QCOMPARE(rec.statusTexts.back(), std::string("Export Failed....."));
    }

    // A text with a bad value changes nothing and names the line; a good one is taken whole.
    void importTextForm()
    {
        MemMapImage edited = MemMap;
        SetChanFreq(edited, 4, 9, false, "155.50000");
        std::string text = WriteTextForm(edited);
        std::string bad = text;
        const std::size_t at = bad.find("\"155.50000\"");
        QVERIFY(at != std::string::npos);
        bad.replace(at, 11, "\"185.50000\"");
        const int badLine = static_cast<int>(std::count(bad.begin(), bad.begin() + at, '\n')) + 1;
        const MemMapImage before = MemMap;
        import(ImportTextFormCommand, "bad.yaml", bad);
        QVERIFY(MemMap == before);
        QVERIFY(!IsDataChanged());
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].caption, std::string("IMPORT FAILED"));
        const std::string where = "bad.yaml:" + std::to_string(badLine) + ": Group 5 Channel 10";
        QVERIFY2(dialogs.messages[0].text.find("\r\n" + where) != std::string::npos,
                 dialogs.messages[0].text.c_str());
        QCOMPARE(rec.statusTexts.back(), std::string("Import Canceled....."));

        import(ImportTextFormCommand, "good.yaml", text);
        QVERIFY(MemMap == edited);
        QVERIFY(IsDataChanged());
        QCOMPARE(rec.statusTexts.back(), std::string("Imported good.yaml....."));
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
    }

    // Channels go into the current group; what could not be carried is listed afterwards.
    void importChannelsCsv()
    {
        g_iCurGroup = 6;
        import(ImportGroupCsvCommand, "list.csv",
               "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
               "DtcsCode,DtcsPolarity,Mode\r\n"
               "1,REPEATER,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,FM\r\n"
               "2,FAR AWAY,223.500000,,0.000000,,88.5,88.5,023,NN,FM\r\n");
        QCOMPARE(GetChanFreq(MemMap, 6, 0, false), std::string("146.34000"));
        QVERIFY(IsDataChanged());
        QCOMPARE(rec.statusTexts.back(),
                 std::string("Group 7 Channels Imported From list.csv....."));
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].caption, std::string("IMPORT NOTES"));
        QVERIFY2(dialogs.messages[0].text.find("\r\nlist.csv:3: ") != std::string::npos,
                 dialogs.messages[0].text.c_str());

        // A header without rows would switch the group off: refused.
        const MemMapImage before = MemMap;
        import(ImportGroupCsvCommand, "empty.csv", "Location,Name,Frequency\r\n");
        QVERIFY(MemMap == before);
        QCOMPARE(dialogs.messages.back().caption, std::string("IMPORT FAILED"));
        QCOMPARE(dialogs.messages.back().text,
                 std::string("Nothing was imported: empty.csv carries no channel.\r\n"
                             "empty.csv:1: no channel carried"));

        // Counted from 0: the technician may take the rows in file order.
        dialogs.messageAnswers = {MsgAnswer::Yes};
        import(ImportGroupCsvCommand, "zero.csv",
               "Location,Name,Frequency\r\n0,A,150.000000\r\n1,B,151.000000\r\n");
        QCOMPARE(dialogs.messages.back().caption, std::string("IMPORT"));
        QCOMPARE(GetChanFreq(MemMap, 6, 0, true), std::string("150.00000"));
        QCOMPARE(GetChanFreq(MemMap, 6, 1, true), std::string("151.00000"));
    }

    void listedLinesAreCut()
    {
        std::vector<std::string> lines;
        for (int i = 1; i <= MaxListedLines + 3; ++i)
            lines.push_back("line " + std::to_string(i));
        const std::string text = ListedLines(lines);
        QVERIFY(text.find("\r\nline 20\r\n... and 3 more.") != std::string::npos);
        QVERIFY(text.find("line 21") == std::string::npos);
        QCOMPARE(ListedLines({"a"}), std::string("\r\na"));
    }
};

QTEST_MAIN(TestExchangeCommands)
#include "tst_exchangecommands.moc"
