#pragma once

// A watchdog for one case of a test: a case that has not ended when its limit runs out stops
// the whole test with a fatal error naming it, so a hang fails the run instead of stalling it.
// It measures nothing: the limit is far above what any case needs.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace timelimit {

class TimeLimit
{
public:
    explicit TimeLimit(const QString &what, std::chrono::seconds limit = std::chrono::seconds(60))
        : m_what(what.toUtf8())
    {
        m_watch = std::thread([this, limit] {
            std::unique_lock lock(m_mutex);
            if (!m_ended.wait_for(lock, limit, [this] { return m_done; }))
                qFatal("%s: no answer after %lld seconds", m_what.constData(), qlonglong(limit.count()));
        });
    }

    ~TimeLimit()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_ended.notify_one();
        m_watch.join();
    }

    TimeLimit(const TimeLimit &) = delete;
    TimeLimit &operator=(const TimeLimit &) = delete;

private:
    QByteArray m_what;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    std::thread m_watch;
};

} // namespace timelimit
