#include "chanrecord.h"
#include "chirpcsv.h"
#include "csvtext.h"
#include "defaultimage.h"
#include "freqcodec.h"
#include "gridedit.h"
#include "guardcodec.h"
#include "picklistcodec.h"

#include <QtTest>

namespace
{

const char *const Header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                           "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                           "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// Channel i of group 1 is set up from row i, and exports as its line.
struct Setup {
    const char *what;
    const char *label, *rx, *rxGuard, *tx, *txGuard;
    const char *flags; // scan, narrow, low power; "-" for clear
    const char *line;
};
const Setup Setups[] = {
    {"simplex, transmit tone", "SIMPLEX", "146.52", "000.0", "146.52", "100.0", "S--",
     "1,SIMPLEX,146.520000,,0.000000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {"repeater, one tone both ways", "RPT", "146.94", "131.8", "147.54", "131.8", "-NL",
     "2,RPT,146.940000,+,0.600000,TSQL,131.8,131.8,023,NN,023,Tone->Tone,NFM,5.00,S,2.0W,,,,,"},
    {"one code, inverted on transmit", "DCS", "151.82", "D411", "151.82", "D411-", "S--",
     "3,DCS,151.820000,,0.000000,DTCS,88.5,88.5,411,RN,411,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {"receive only, inverted code", "NOAA WX", "162.55", "D754-", "Inactive", "000.0", "S--",
     "4,NOAA WX,162.550000,off,0.000000,Cross,88.5,88.5,023,NR,754,->DTCS,FM,5.00,,5.0W,,,,,"},
    {"tone out, code in, minus", "MIX", "155.00625", "D023", "154.40625", "100.0", "S--",
     "5,MIX,155.006250,-,0.600000,Cross,100.0,88.5,023,NN,023,Tone->DTCS,FM,6.25,,5.0W,,,,,"},
    {"code out, tone in", "X", "150.0025", "067.0", "150.0025", "D023", "S--",
     "6,X,150.002500,,0.000000,Cross,88.5,67.0,023,NN,023,DTCS->Tone,FM,2.50,,5.0W,,,,,"},
    {"receive tone only", "RT", "141", "088.5", "141", "000.0", "S--",
     "7,RT,141.000000,,0.000000,Cross,88.5,88.5,023,NN,023,->Tone,FM,5.00,,5.0W,,,,,"},
    {"two codes", "CC", "142", "D025", "142", "D023", "S--",
     "8,CC,142.000000,,0.000000,Cross,88.5,88.5,023,NN,025,DTCS->DTCS,FM,5.00,,5.0W,,,,,"},
    {"transmit code only", "CO", "143", "000.0", "143", "D155-", "S--",
     "9,CO,143.000000,,0.000000,Cross,88.5,88.5,155,RN,023,DTCS->,FM,5.00,,5.0W,,,,,"},
    {"pick list reference", "PICK", "144", "000.0", "144", "UTXG 3", "S--",
     "10,PICK,144.000000,,0.000000,Tone,110.9,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,UTXG 3,,,,"},
    {"band edges", "EDGE", "136", "000.0", "174", "000.0", "S--",
     "11,EDGE,136.000000,+,38.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
};

void Apply(MemMapImage &mm, int group, int chan, const Setup &s)
{
    SetChanLabel(mm, group, chan, s.label);
    SetChanFreq(mm, group, chan, true, s.rx);
    SetChanFreq(mm, group, chan, false, s.tx);
    SetChanGuard(mm, group, chan, true, s.rxGuard);
    SetChanGuard(mm, group, chan, false, s.txGuard);
    SetChanScan(mm, group, chan, std::string(1, s.flags[0]));
    SetChanNarrow(mm, group, chan, std::string(1, s.flags[1]));
    SetChanLowPower(mm, group, chan, std::string(1, s.flags[2]));
}

// The channel's grid cells, label without its padding.
QString Cells(const MemMapImage &mm, int group, int chan)
{
    QStringList cells;
    for (int col = 1; col <= GridLastCol; ++col)
        cells << QString::fromStdString(ChannelCellText(mm, group, chan, col));
    cells[0] = cells[0].trimmed();
    return cells.join('|');
}

QStringList Lines(const std::string &text)
{
    return QString::fromStdString(text).split("\r\n", Qt::SkipEmptyParts);
}

const std::string HandFile =
    std::string(Header) +
    "\r\n"
    "2,RPT PLUS,146.940000,+,0.600000,TSQL,88.5,131.8,023,NN,023,Tone->Tone,NFM,5.00,S,2.0W\n"
    "3,RPT MINUS,147.000000,-,0.600000,DTCS,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,Low\r\n"
    "4,DCS REV,151.820000,,0.000000,DTCS,88.5,88.5,411,RN,023,Tone->Tone,FM,5.00,,High\r\n"
    "5,Split Cross,151.820000,split,156.800000,Cross,100.0,123.0,023,NN,023,Tone->Tone\r\n"
    "7,Ham 220,223.940000,-,1.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM\r\n"
    "8,ABCDEFGHIJKLMNOP,155.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM\r\n"
    "9,High tone,155.100000,,0.000000,Tone,254.1,88.5,023,NN,023,Tone->Tone,FM\r\n"
    "25,Far,155.200000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM\r\n"
    "10,\"Ops, \"\"A\"\"\",155.300000,,0.000000,Cross,88.5,71.9,025,NN,023,DTCS->Tone,FM\r\n"
    "11,Reverse,155.500000,,0.000000,TSQL-R,88.5,88.5,023,NN,023,Tone->Tone,FM\r\n"
    "3,Again,155.600000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM\r\n";

} // namespace

// Channel import and export in CHIRP's CSV layout, on an image of our own.
class TestChirpCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        LoadDefaultImage(m_mm);
        SetPickListGuard(m_mm, 2, "110.9");
    }

    void records_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("fields"); // records split by ";", fields by "/"
        QTest::addColumn<QString>("lines");

        const char *rows[][4] = {
            {"CR LF", "a,b\r\nc,d\r\n", "a/b;c/d", "1 2"},
            {"LF, no last break", "a,b\nc", "a/b;c", "1 2"},
            {"quoted comma, doubled quote", "\"x,y\",\"say \"\"hi\"\"\"\n", "x,y/say \"hi\"", "1"},
            {"break inside quotes", "\"two\r\nlines\",z\r\nnext\r\n", "two\r\nlines/z;next", "1 3"},
            {"byte order mark", "\xEF\xBB\xBFLocation,Name\r\n", "Location/Name", "1"},
            {"blank line", "a\r\n\r\nb", "a;;b", "1 2 3"}};
        for (const auto &[name, text, fields, lines] : rows)
            QTest::newRow(name) << QByteArray(text) << QString(fields) << QString(lines);
    }

    void records()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, fields);
        QFETCH(QString, lines);

        QStringList gotFields;
        QStringList gotLines;
        for (const CsvRecord &record : ReadCsvRecords(text.toStdString())) {
            QStringList parts;
            for (const std::string &field : record.fields)
                parts << QString::fromStdString(field);
            gotFields << parts.join('/');
            gotLines << QString::number(record.line);
            // What is written reads back the same.
            const std::vector<CsvRecord> again = ReadCsvRecords(CsvLine(record.fields));
            QCOMPARE(again.size(), std::size_t(1));
            QVERIFY(again[0].fields == record.fields);
        }
        QCOMPARE(gotFields.join(';'), fields);
        QCOMPARE(gotLines.join(' '), lines);
    }

    // Into group 1, by Location or in file order: the cells of the channels given as
    // "channel=cells;...", none where the file is refused; the rows naming a Location outside
    // 1 to 20; the notes, one a line.
    void imports_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("renumber");
        QTest::addColumn<int>("outside");
        QTest::addColumn<QString>("channels");
        QTest::addColumn<QString>("notes");
        // Lines 6, 8, 9, 11 and 12 are skipped; 7 and 10 carried in part. Rows may stop before
        // the last columns. (Rows as this program exports them: the round trip.)
        QTest::newRow("by hand")
            << QByteArray(HandFile.c_str()) << false << 1 << // TSQL takes cToneFreq, +
            "2=RPT PLUS|146.94000|131.8|147.54000|131.8|-|N|L;"
            // DTCS, -, the first of two
            "3=RPT MINUS|147.00000|D023|146.40000|D023|S|-|L;"
            "4=DCS REV|151.82000|D411|151.82000|D411-|S|-|-;"
            "5=SPLIT CROSS|151.82000|123.0|156.80000|100.0|S|-|-;"
            "7=|Inactive|000.0|Inactive|000.0|-|-|-;"
            "8=ABCDEFGHIJKL|155.00000|000.0|155.00000|000.0|S|-|-;"
            "9=|Inactive|000.0|Inactive|000.0|-|-|-;"
            "10=OPS   A|155.30000|071.9|155.30000|D025|S|-|-;"
            "20=|Inactive|000.0|Inactive|000.0|-|-|-"
            << "6: frequency 223.940000 MHz is outside 136-174 MHz; row skipped\n"
               "7: name 'ABCDEFGHIJKLMNOP' cut to 12 characters\n"
               "8: tone '254.1' is not one the radio has; row skipped\n"
               "9: Location 25 is outside 1..20; row skipped\n"
               "10: name 'Ops, \"A\"' has characters the radio lacks; blanks stand in\n"
               "11: tone mode 'TSQL-R' is not one the radio has; row skipped\n"
               "12: Location 3 given twice; row skipped";
        QTest::newRow("empty") << QByteArray() << false << -1 << QString()
                               << "1: no CHIRP header with a Frequency column";
        QTest::newRow("no header")
            << QByteArray("Channel,RX,TX\r\n1,146.52,146.52\r\n") << false << -1 << QString()
            << "1: no CHIRP header with a Frequency column";
        QTest::newRow("columns reordered, most missing")
            << QByteArray("Name,Frequency\r\nA,150.000000\r\nB,151.000000\r\n") << false << 0
            << "2=B|151.00000|000.0|151.00000|000.0|S|-|-" << QString();
        QTest::newRow("older layout")
            << QByteArray("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                          "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL\n"
                          "1,OLD,146.520000,,0.000000,DTCS,88.5,88.5,065,NR,FM,5.00,,,,,\n")
            << false << 0 << "1=OLD|146.52000|D065-|146.52000|D065|S|-|-" << QString();
        QTest::newRow("off the raster")
            << QByteArray("Frequency\n146.501000\n") << false << 0
            << "1=|146.50000|000.0|146.50000|000.0|S|-|-"
            << "2: frequency 146.501000 MHz moved onto the raster: 146.50000";
        QTest::newRow("21 rows without Location")
            << QByteArray("Frequency\n") + QByteArray("150.000000\n").repeated(21) << false << 0
            << "20=|150.00000|000.0|150.00000|000.0|S|-|-"
            << "22: more than 20 channels; row skipped";
        // A file that carries no channel changes nothing.
        QByteArray from0 = "Location,Name,Frequency\r\n", past20 = from0;
        for (int loc = 0; loc < 20; ++loc)
            from0 += QByteArray::number(loc) + ",C" + QByteArray::number(loc) + "," +
                     QByteArray::number(150 + loc) + ".000000\r\n";
        for (int loc = 21; loc < 24; ++loc)
            past20 += QByteArray::number(loc) + ",P,151.000000\r\n";
        QTest::newRow("header only") << QByteArray("Location,Name,Frequency\r\n") << false << 0
                                     << QString() << "1: no channel carried";
        QTest::newRow("Locations 0-19")
            << from0 << false << 1
            << "1=C1|151.00000|000.0|151.00000|000.0|S|-|-;20=|Inactive|000.0|Inactive|000.0|-|-|-"
            << "2: Location 0 is outside 1..20; row skipped";
        QTest::newRow("Locations 0-19, renumbered")
            << from0 << true << 0
            << "1=C0|150.00000|000.0|150.00000|000.0|S|-|-;20=C19|169.00000|000.0|169.00000|000.0|"
               "S|-|-"
            << QString();
        QTest::newRow("all past 20") << past20 << false << 3 << QString()
                                     << "2: Location 21 is outside 1..20; row skipped\n"
                                        "3: Location 22 is outside 1..20; row skipped\n"
                                        "4: Location 23 is outside 1..20; row skipped\n"
                                        "1: no channel carried";
        QTest::newRow("all past 20, renumbered")
            << past20 << true << 0
            << "2=P|151.00000|000.0|151.00000|000.0|S|-|-;20=|Inactive|000.0|Inactive|000.0|-|-|-"
            << QString();
    }

    void imports()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, renumber);
        QFETCH(int, outside);
        QFETCH(QString, channels);
        QFETCH(QString, notes);
        const MemMapImage before = m_mm;
        std::vector<CsvNote> got;
        int skipped = -1;
        QCOMPARE(ImportChannelsCsv(text.toStdString(), 0, m_mm, got,
                                   renumber ? CsvNumbering::FileOrder : CsvNumbering::ByLocation,
                                   &skipped),
                 !channels.isEmpty());
        QCOMPARE(skipped, outside);
        QVERIFY(!channels.isEmpty() || m_mm == before);
        QStringList cells, gotNotes;
        for (const QString &chan : channels.split(';', Qt::SkipEmptyParts)) {
            const int n = chan.section('=', 0, 0).toInt();
            cells << QString::number(n) + "=" + Cells(m_mm, 0, n - 1);
        }
        QCOMPARE(cells.join(';'), channels);
        for (const CsvNote &note : got)
            gotNotes << QString::number(note.line) + ": " + QString::fromStdString(note.what);
        QCOMPARE(gotNotes.join('\n'), notes);
    }

    void roundTrip()
    {
        // All groups: numbered on through the groups, an inactive channel left out.
        SetChanFreq(m_mm, 1, 0, true, "Inactive");
        const QStringList all = Lines(ExportChannelsCsv(m_mm, -1));
        QCOMPARE(all.size(), 1 + NumGroups * ChansPerGroup - 1);
        QVERIFY(all[20].startsWith("20,Ch 20,162.550000,off,"));
        QVERIFY(all[21].startsWith("22,Ch  2,162.550000,off,"));
        QVERIFY(all.last().startsWith("500,Ch 20,"));

        for (int i = 0; i < int(std::size(Setups)); ++i)
            Apply(m_mm, 0, i, Setups[i]);
        // Blanks around a label are its own.
        SetChanLabel(m_mm, 0, 11, " A ");
        SetChanLabel(m_mm, 0, 19, "");
        SetChanFreq(m_mm, 0, 19, true, "Inactive");
        // Every field of the target differs from what it gets.
        for (int chan = 0; chan < ChansPerGroup; ++chan)
            Apply(m_mm, 4, chan, {"", "JUNK", "173", "D023", "173", "UTXG 5", "SNL", ""});

        const std::string text = ExportChannelsCsv(m_mm, 0);
        const QStringList lines = Lines(text);
        QCOMPARE(lines.value(0), QString(Header));
        for (int i = 0; i < int(std::size(Setups)); ++i)
            QVERIFY2(lines.value(i + 1) == Setups[i].line, Setups[i].what);
        std::vector<CsvNote> notes;
        QVERIFY(ImportChannelsCsv(text, 4, m_mm, notes));
        QVERIFY(notes.empty());
        for (int chan = 0; chan < ChansPerGroup; ++chan)
            QCOMPARE(Cells(m_mm, 4, chan), Cells(m_mm, 0, chan));
        QCOMPARE(GetChanLabel(m_mm, 4, 11), std::string(" A          "));
    }

private:
    MemMapImage m_mm;
};

QTEST_APPLESS_MAIN(TestChirpCsv)
#include "tst_chirpcsv.moc"
