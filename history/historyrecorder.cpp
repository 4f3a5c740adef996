#include "historyrecorder.h"

#include "historyqueue.h"
#include "historyschema.h"
#include "historystore.h"

#include <chrono>

HistoryRecorder::HistoryRecorder(SqlConnector &connector, SqlConnection where, FileSystem *files,
                                 std::string queueFile)
    : m_connector(connector), m_where(std::move(where)), m_files(files),
      m_queueFile(std::move(queueFile))
{
    if (m_files == nullptr || m_queueFile.empty())
        return;
    if (const auto bytes = m_files->read(m_queueFile, 1ull << 31)) {
        if (auto events = QueueFromBytes(*bytes))
            m_queue = std::move(*events);
    }
}

HistoryRecorder::~HistoryRecorder()
{
    stopWorker();
}

void HistoryRecorder::record(RadioEvent event)
{
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_queue.push_back(std::move(event));
        m_queueSaved = false;
    }
    m_wake.notify_one();
}

void HistoryRecorder::SaveQueue()
{
    if (m_queueSaved || m_files == nullptr || m_queueFile.empty())
        return;
    if (m_queue.empty())
        m_queueSaved = !m_files->exists(m_queueFile) || m_files->remove(m_queueFile);
    else
        m_queueSaved = m_files->writeAtomic(m_queueFile, QueueBytes(m_queue));
}

std::size_t HistoryRecorder::flush()
{
    const std::lock_guard<std::mutex> sending(m_sending);
    RadioEvent next;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        SaveQueue();
        if (m_queue.empty())
            return 0;
        next = m_queue.front();
    }
    std::string why;
    if (!m_db) {
        m_db = m_connector.open(m_where, why);
        m_schemaChecked = false;
    }
    if (m_db && !m_schemaChecked)
        m_schemaChecked = UpgradeSchema(*m_db, why);
    for (;;) {
        if (!m_db || !m_schemaChecked)
            break;
        HistoryStore store(*m_db);
        if (!store.addEvent(next)) {
            why = store.lastError();
            m_db.reset(); // a lost server: connect anew next time
            break;
        }
        const std::lock_guard<std::mutex> hold(m_lock);
        m_queue.pop_front();
        m_queueSaved = false;
        m_away = false;
        m_told = false;
        if (m_queue.empty()) {
            SaveQueue();
            return 0;
        }
        next = m_queue.front();
    }
    const std::lock_guard<std::mutex> hold(m_lock);
    m_error = why;
    m_away = true;
    SaveQueue();
    return m_queue.size();
}

void HistoryRecorder::Work(int retrySeconds)
{
    std::unique_lock<std::mutex> hold(m_lock);
    while (!m_stop) {
        if (!m_queue.empty()) {
            hold.unlock();
            const bool left = flush() > 0;
            hold.lock();
            if (left && !m_stop)
                m_wake.wait_for(hold, std::chrono::seconds(retrySeconds));
            continue;
        }
        m_wake.wait(hold);
    }
}

void HistoryRecorder::startWorker(int retrySeconds)
{
    if (m_worker.joinable())
        return;
    m_stop = false;
    m_worker = std::thread([this, retrySeconds] {
        Work(retrySeconds);
        m_db.reset(); // closed on the thread that opened it
    });
}

void HistoryRecorder::stopWorker()
{
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_stop = true;
        SaveQueue();
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

std::size_t HistoryRecorder::waiting() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_queue.size();
}

bool HistoryRecorder::takeAwayNotice()
{
    if (!m_away || m_told)
        return false;
    m_told = true;
    return true;
}

std::string HistoryRecorder::lastError() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_error;
}
