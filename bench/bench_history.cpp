// The radio history on SQLite: fills a database with 100,000 events over 2,000 radios (every
// radio with its own images, most events sharing one), then times the questions the history
// window asks: a search by serial number, one radio's timeline, a search by label text, the
// whole radio list. Then runs Read All against tessaro-radio-sim paced at the line rate with the
// history off and on, alternately, and prints the medians and their ratio.
//
// usage: tessaro-bench-history SIM-PROGRAM [RATE]   (offscreen or under a display)

#include "appglobals.h"
#include "baudrates.h"
#include "benchradio.h"
#include "caption.h"
#include "defaultimage.h"
#include "historyrecorder.h"
#include "historyschema.h"
#include "historystore.h"
#include "linkstate.h"
#include "mainwindow.h"
#include "qtplatform.h"
#include "qtsqldatabase.h"
#include "radiocommands.h"
#include "recordevent.h"
#include "sha256.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace
{

constexpr int Radios = 2000;
constexpr int Events = 100000;

double MedianMs(int runs, const std::function<void(int)> &action)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        action(i);
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string Serial(int radio)
{
    return std::to_string(3000000 + radio * 37);
}

bool Fill(SqlDatabase &db)
{
    const char *kinds[] = {"Read All", "Write All", "Verify", "Alignment", "Save"};
    if (!db.begin())
        return false;
    std::vector<std::uint8_t> image(UsedPages * PageSize);
    for (int r = 0; r < Radios; ++r) {
        // Three images per radio: as read, after a re-program, after a repair.
        std::vector<std::string> hashes;
        for (int v = 0; v < 3; ++v) {
            for (std::size_t i = 0; i < image.size(); ++i)
                image[i] = static_cast<std::uint8_t>(i * 31 + r * 7 + v);
            image[0] = static_cast<std::uint8_t>(r >> 8);
            image[1] = static_cast<std::uint8_t>(r);
            image[2] = static_cast<std::uint8_t>(v);
            hashes.push_back(Sha256Hex(image));
            if (!db.exec("INSERT INTO images (hash, bytes) VALUES (?, ?)", {hashes.back(), image}))
                return false;
        }
        if (!db.exec("INSERT INTO radios (serial, customer, search_text) VALUES (?, ?, ?)",
                     {Serial(r), "Customer " + std::to_string(r % 150),
                      "FIRE EMS GRP" + std::to_string(r % 40) + " | fleet" + std::to_string(r) +
                          ".tdf"}))
            return false;
        const int perRadio = Events / Radios;
        for (int e = 0; e < perRadio; ++e) {
            char at[32];
            std::snprintf(at, sizeof at, "20%02d-%02d-%02d 10:%02d:00", 10 + e / 4, 1 + e % 12,
                          1 + r % 28, r % 60);
            const bool withImage = e % 5 != 2;
            if (!db.exec(
                    "INSERT INTO events (event_key, serial, at, kind, bench, port, version, "
                    "outcome, detail, file, labels, image) "
                    "VALUES (?, ?, ?, ?, 'bench-1', '/dev/ttyUSB0', '1.0.0', 'OK', '', ?, "
                    "?, ?)",
                    {Serial(r) + "-" + std::to_string(e), Serial(r), std::string(at),
                     std::string(kinds[e % 5]),
                     e % 5 == 4 ? "fleet" + std::to_string(r) + ".tdf" : std::string(),
                     "FIRE EMS GRP" + std::to_string(r % 40),
                     withImage ? SqlValue(hashes[static_cast<std::size_t>(e % 3)]) : SqlValue()}))
                return false;
        }
        if (!db.exec("UPDATE radios SET event_count = ?, last_at = (SELECT MAX(at) FROM events "
                     "WHERE serial = radios.serial), last_kind = 'Save' WHERE serial = ?",
                     {static_cast<long long>(perRadio), Serial(r)}))
            return false;
    }
    return db.commit();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tessaro-bench-history SIM-PROGRAM [RATE]\n");
        return 2;
    }
    QTemporaryDir dir;
    SqlConnection where;
    where.file = dir.filePath(QStringLiteral("history.sqlite")).toStdString();
    QtSqlConnector connector;
    std::string why;
    auto db = connector.open(where, why);
    if (!db || !UpgradeSchema(*db, why)) {
        std::fprintf(stderr, "cannot open %s: %s\n", where.file.c_str(), why.c_str());
        return 1;
    }
    QElapsedTimer filling;
    filling.start();
    if (!Fill(*db)) {
        std::fprintf(stderr, "fill failed: %s\n", db->lastError().c_str());
        return 1;
    }
    HistoryStore store(*db);
    std::printf("%lld events, %lld radios, %lld images filled in %.1f s\n", store.count("events"),
                store.count("radios"), store.count("images"),
                static_cast<double>(filling.elapsed()) / 1000);

    std::size_t found = 0;
    const double bySerial =
        MedianMs(51, [&](int i) { found += store.findRadios(Serial((i * 389) % Radios))->size(); });
    const double timeline =
        MedianMs(51, [&](int i) { found += store.timeline(Serial((i * 389) % Radios))->size(); });
    const double byLabel = MedianMs(11, [&](int) { found += store.findRadios("GRP17")->size(); });
    const double byDate =
        MedianMs(11, [&](int) { found += store.findRadios("2013-02-1")->size(); });
    const double all = MedianMs(11, [&](int) { found += store.findRadios("")->size(); });
    const double image = MedianMs(51, [&](int i) {
        const auto events = store.timeline(Serial(i * 13));
        found += store.image(events->front().imageHash)->size();
    });
    std::printf("search by serial number   %7.2f ms\n", bySerial);
    std::printf("one radio's timeline      %7.2f ms\n", timeline);
    std::printf("search by label text      %7.2f ms\n", byLabel);
    std::printf("search by date            %7.2f ms\n", byDate);
    std::printf("all %d radios             %7.2f ms\n", Radios, all);
    std::printf("timeline and one image    %7.2f ms\n", image);

    // A new event with an image, as the recorder's thread stores it.
    long long key = 0;
    const double add = MedianMs(51, [&](int i) {
        RadioEvent e;
        e.key = "bench-add-" + std::to_string(++key);
        e.serial = Serial(i);
        e.at = "2026-12-07 10:00:00";
        e.image.assign(UsedPages * PageSize, static_cast<std::uint8_t>(i));
        store.addEvent(e);
    });
    std::printf("store one event and image %7.2f ms (on the recorder's thread)\n", add);

    // Read All, history off and on.
    const QString sim = QString::fromLocal8Bit(argv[1]);
    const long rate = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 115200;
    BenchLink bench;
    platform().programFolder = dir.path().toStdString();
    LoadDefaultImage(MemMap);
    MainWindow window;
    window.LoadWindow();
    QApplication::processEvents();
    QtFileSystem files;
    HistoryRecorder recorder(connector, where, &files,
                             dir.filePath(QStringLiteral("queue")).toStdString());
    recorder.startWorker();
    std::vector<double> off, on;
    for (int run = 0; run < 10; ++run) {
        const bool history = run % 2 == 1;
        InstallHistory(history ? &recorder : nullptr, "bench-1");
        QProcess radio;
        if (!StartPacedRadio(radio, sim))
            return 1;
        ResetLinkState();
        m_lBaudRate = rate;
        m_iBaudIndex = BaudIndexOfRate(rate);
        SetCaption(false);
        QElapsedTimer t;
        t.start();
        const bool ok = RunRadioCommand(RadioCommand::ReadAll);
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        radio.terminate();
        radio.waitForFinished(3000);
        if (!ok) {
            std::fprintf(stderr, "Read All failed\n");
            return 1;
        }
        (history ? on : off).push_back(ms);
    }
    // What a command itself spends on its event, on the window's thread.
    InstallHistory(&recorder, "bench-1");
    const double handOver =
        MedianMs(51, [&](int) { RecordRadioEvent(ImageEvent("Read All", "OK", MemMap)); });
    InstallHistory(nullptr, {});
    recorder.stopWorker();
    std::printf("an event handed over by a command: %.3f ms on the window's thread\n", handOver);
    std::sort(off.begin(), off.end());
    std::sort(on.begin(), on.end());
    const double offMs = off[off.size() / 2], onMs = on[on.size() / 2];
    std::printf("Read All at %ld bit/s: %.0f ms without history, %.0f ms with it, ratio %.4f; "
                "%zu event(s) waiting\n",
                rate, offMs, onMs, onMs / offMs, recorder.flush());
    return found > 0 ? 0 : 1;
}
