// The configuration as YAML text: written and read back byte for byte, read onto another image
// through the owned bits only, and every refused value named by line and field.

#include "defaultimage.h"
#include "fakeplatform.h"
#include "fielddiff.h"
#include "formfields.h"
#include "freqcodec.h"
#include "ownedbits.h"
#include "platform.h"
#include "textform.h"

#include <QtTest>

#include <random>

namespace
{

// An image the editor could have made: the default one with every unowned bit at random, each
// field given the text a random image shows or, where the editor refuses that, a typed one.
MemMapImage RandomImage(unsigned seed)
{
    std::mt19937 r(seed);
    MemMapImage mm, raw;
    LoadDefaultImage(mm);
    for (int page = 0; page < MemMapPages; ++page)
        for (int offset = 0; offset < PageSize; ++offset) {
            const int owned = OwnedMask(page, offset);
            mm.set(page, offset, (mm.get(page, offset) & owned) | (r() & ~owned & 0xFF));
            raw.set(page, offset, r() & 0xFF);
        }
    const char *const typed[] = {"Inactive", "136.00000",    "155.00625", "173.99750",
                                 "067.0",    "250.3",        "D023",      "D754-",
                                 "UTXG 32",  "h .<>-*$/+%|", "S",         "N",
                                 "L",        "0123456789AB", "Yes",       "On"};
    for (const FormField &field : FormFields())
        if (!field.store(mm, field.shown(raw)).empty())
            field.store(mm, typed[r() % std::size(typed)]);
    return mm;
}

// The line of a key path ("Group 1/Channel 2/RX Freq") in an exported text, from 0.
int LineOf(const QStringList &lines, const QString &path)
{
    QStringList open;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const int depth = int(line.size() - line.trimmed().size()) / 2;
        open = open.mid(0, depth);
        open << line.trimmed().section(':', 0, 0);
        if (open.join('/') == path)
            return i;
    }
    return -1;
}

} // namespace

class TestTextForm : public QObject
{
    Q_OBJECT

    ScriptedDialogs dialogs;

private Q_SLOTS:
    void initTestCase() { platform().dialogs = &dialogs; }
    void cleanupTestCase() { platform().dialogs = nullptr; }

    // The default image and random ones: read back onto themselves nothing changes; read onto
    // the image before, only owned bits change and the text is what that image then shows.
    // (The fuzz stage runs the same round trip on many more images.)
    void roundTrip()
    {
        MemMapImage previous;
        LoadDefaultImage(previous);
        std::vector<TextFormError> errors;
        for (int seed = -1; seed < 24; ++seed) {
            MemMapImage image = previous;
            if (seed >= 0)
                image = RandomImage(unsigned(seed));
            const std::string text = WriteTextForm(image);
            MemMapImage same = image;
            QVERIFY2(ReadTextForm(text, same, errors),
                     errors.empty() ? "" : errors[0].what.c_str());
            QVERIFY(same == image);

            MemMapImage other = previous;
            QVERIFY2(ReadTextForm(text, other, errors),
                     errors.empty() ? "" : errors[0].what.c_str());
            QVERIFY(WriteTextForm(other) == text);
            int strayBits = 0;
            for (int page = 0; page < MemMapPages; ++page)
                for (int offset = 0; offset < PageSize; ++offset)
                    strayBits |= (other.get(page, offset) ^ previous.get(page, offset)) &
                                 ~OwnedMask(page, offset);
            QCOMPARE(strayBits, 0);
            previous = image;
        }
    }

    void edits_data()
    {
        // Edits of the default text: "path=value" sets a value, "-path" drops a key with what
        // it holds, "+path=line" adds a line after the key. The text is refused with one error,
        // or taken with a note or none.
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("at"); // the key whose line the error names
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("taken");
        // name|edits (by ";")|at|field|what, "@" for "Group 1/Channel 2/" in paths and
        // "Group 1 Channel 2 " in fields.
        const char *rows[] = {
            "out of band|@RX Freq=\"180.00000\"|@RX Freq|@RX Freq|\"180.00000\" is not a frequency "
            "from 136.00000 to",
            "guard|@TX Guard=\"D08X\"|@TX Guard|@TX Guard|\"D08X\" is not a channel guard",
            "reference on receive|@RX Guard=\"UTXG 3\"|@RX Guard|@RX Guard|\"UTXG 3\" is not a "
            "channel guard",
            "transmit without receive|@RX Freq=\"Inactive\";@TX Freq=\"150.00000\"|@TX Freq|"
            "@TX Freq|a channel that does not receive cannot transmit",
            "option|Global Settings (2)/Battery Saver=\"Sometimes\"|Global Settings (2)/Battery "
            "Saver|Global Settings (2) Battery Saver|unknown option \"Sometimes\" (the list: "
            "\"Allow\", \"Inhibit\")",
            "label character|@Label=\"Ch#2\"|@Label|@Label|\"Ch#2\" holds \"#\", which is not a "
            "label character",
            "long label|Group 4/Group Label=\"ABCDEFGHIJKLM\"|Group 4/Group Label|Group 4 Group "
            "Label|\"ABCDEFGHIJKLM\" is longer than 12 characters",
            "missing group|-Group 7|Group 8|Group 7|missing",
            "missing key|-@Narrow|@Low Power|@Narrow|missing",
            "doubled key|+Global Settings (1)/Silent Mode=  Silent Mode: \"On\"|Global Settings "
            "(1)/Silent Mode/|Global Settings (1) Silent Mode|appears twice (first on line 17)",
            "unknown key|+Global Settings (1)/Silent Mode=  Volume: \"11\"|Global Settings "
            "(1)/Volume|Global Settings (1) Volume|unknown key",
            "syntax|Global Settings (1)/Low Power=\"Keypad\" x|Global Settings (1)/Low Power||end "
            "of map not found",
            "second document|+Group 25/Channel 20/Low Power=--- {Volume: 11}|Group 25/Channel "
            "20/Low Power/||the text holds more than one document",
            // Choosing a duration lights the back light, as in the window.
            "coupled values|Global Settings (2)/Duration=\"3 Seconds\"|Global Settings (2)/Back "
            "Light|Global Settings (2) Back Light|\"OFF\" does not hold with the values after it, "
            "which make it \"Keypress & Display Change\""};
        for (const char *row : rows) {
            const QStringList f = QString(row).replace("@", "Group 1/Channel 2/").split('|');
            QTest::newRow(qPrintable(f[0]))
                << f[1].split(';') << f[2] << QString(f[3]).replace('/', ' ') << f[4] << false;
        }
        // A message repeats only the start of a pasted value.
        QTest::newRow("megabyte label")
            << QStringList{"Group 1/Channel 2/Label=\"" + QString(3500000, 'A') + "\""}
            << "Group 1/Channel 2/Label"
            << "Group 1 Channel 2 Label"
            << "\"" + QString(37, 'A') + "...\" is longer than 12 characters" << false;
        // A frequency the window would take as "Inactive" is taken so, and said.
        const char *const taken[][2] = {{"nan", "\"nan\""},
                                        {"inf", "\"inf\""},
                                        {"\"-146.52\"", "\"-146.52\""},
                                        {"\"\"", "\"\""},
                                        {"!!binary \"AAAA\"", "\"AAAA\""},
                                        {"\"inactive\"", nullptr}};
        for (const auto &[value, shown] : taken)
            QTest::newRow(value) << QStringList{"Group 1/Channel 2/RX Freq=" + QString(value)}
                                 << "Group 1/Channel 2/RX Freq"
                                 << "Group 1 Channel 2 RX Freq"
                                 << (shown ? QString(shown) + " taken as \"Inactive\"" : QString())
                                 << true;
    }

    void edits()
    {
        QFETCH(QStringList, edits);
        QFETCH(QString, at);
        QFETCH(QString, field);
        QFETCH(QString, what);
        QFETCH(bool, taken);
        MemMapImage image;
        LoadDefaultImage(image);
        QStringList lines = QString::fromStdString(WriteTextForm(image)).split('\n');
        for (const QString &edit : edits) {
            const QString path = edit.mid(edit[0] == '-' || edit[0] == '+').section('=', 0, 0);
            const QString value = edit.section('=', 1);
            const int line = LineOf(lines, path);
            QVERIFY2(line >= 0, qPrintable(path));
            if (edit[0] == '-') {
                const int depth = int(lines[line].size() - lines[line].trimmed().size());
                do
                    lines.removeAt(line);
                while (lines[line].startsWith(QString(depth + 2, ' ')));
            } else if (edit[0] == '+') {
                lines.insert(line + 1, value);
            } else {
                lines[line] = lines[line].section(':', 0, 0) + ": " + value;
            }
        }
        // A doubled key: the second one, after the first.
        const int errorLine =
            at.endsWith('/') ? LineOf(lines, at.chopped(1)) + 1 : LineOf(lines, at);

        const MemMapImage before = image;
        std::vector<TextFormError> errors, notes;
        QCOMPARE(ReadTextForm(lines.join('\n').toStdString(), image, errors, &notes), taken);
        QVERIFY(taken ? GetChanFreq(image, 0, 1, true) == "Inactive" : image == before);
        // A file is not a dialog: nothing prompts or shows a message.
        QVERIFY(dialogs.messages.empty() && dialogs.inputs.empty());
        const std::vector<TextFormError> &said = taken ? notes : errors;
        QCOMPARE(said.size(), std::size_t(what.isEmpty() ? 0 : 1));
        if (said.empty())
            return;
        QCOMPARE(said[0].line, errorLine + 1);
        QCOMPARE(QString::fromStdString(said[0].field), field);
        QVERIFY2(QString::fromStdString(said[0].what).startsWith(what), said[0].what.c_str());
        QVERIFY(said[0].what.size() < 200);
    }

    // Every owned bit of the global page and of a group page, flipped alone, is found as a
    // difference in the right place (by name, or as a byte where the shown texts agree);
    // unowned bits never are.
    void differencesOfSingleBits()
    {
        MemMapImage image;
        LoadDefaultImage(image);
        for (int page : {0, 7}) {
            for (int off = 0; off < PageSize; ++off) {
                const int mask = OwnedMask(page, off);
                // The lowest owned and the lowest unowned bit of each byte.
                for (int bit = 0; bit < 8; ++bit) {
                    const int same = mask & (1 << bit) ? mask : ~mask & 0xFF;
                    if (same & ((1 << bit) - 1))
                        continue;
                    MemMapImage flipped = image;
                    flipped.set(page, off, image.get(page, off) ^ (1 << bit));
                    const auto d = DiffFields(image, flipped);
                    const bool owned = mask & (1 << bit);
                    QVERIFY2(d.empty() != owned,
                             qPrintable(
                                 QString("page %1 offset %2 bit %3").arg(page).arg(off).arg(bit)));
                    if (owned)
                        QVERIFY(d.size() == 1 && d[0].group == page && d[0].field.back() != ':');
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestTextForm)
#include "tst_textform.moc"
