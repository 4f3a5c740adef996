#pragma once

// Takes the bench's events and gets them into the database. record() only queues: the
// radio work never waits on the database. A worker thread (or flush(), called directly)
// sends what waits, each event in its own transaction; the queue is kept in a local file, so
// events survive a lost server and a closed program.

#include "filesystem.h"
#include "radioevent.h"
#include "sqldatabase.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class HistoryRecorder
{
public:
    HistoryRecorder(SqlConnector &connector, SqlConnection where, FileSystem *files,
                    std::string queueFile);
    ~HistoryRecorder();
    HistoryRecorder(const HistoryRecorder &) = delete;
    HistoryRecorder &operator=(const HistoryRecorder &) = delete;

    void record(RadioEvent event);
    // Sends every waiting event it can; returns how many still wait.
    std::size_t flush();

    // Sends in the background from now on, trying again every retrySeconds while the
    // database is away.
    void startWorker(int retrySeconds = 30);
    void stopWorker();

    std::size_t waiting() const;
    // The last attempt to reach the database failed.
    bool away() const { return m_away; }
    // True once per outage, for the one status message.
    bool takeAwayNotice();
    std::string lastError() const;

private:
    void SaveQueue(); // under m_lock
    void Work(int retrySeconds);

    SqlConnector &m_connector;
    SqlConnection m_where;
    FileSystem *m_files;
    std::string m_queueFile;

    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<RadioEvent> m_queue;
    bool m_queueSaved = true;
    std::string m_error;
    std::unique_ptr<SqlDatabase> m_db; // used by the sending thread only
    bool m_schemaChecked = false;
    std::mutex m_sending;
    std::atomic<bool> m_away{false};
    std::atomic<bool> m_told{false};
    bool m_stop = false;
    std::thread m_worker;
};
