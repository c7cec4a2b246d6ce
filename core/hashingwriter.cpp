#include "hashingwriter.h"

namespace core {

namespace {

// Blocks large enough that handing one over costs nothing beside hashing it, and few enough
// waiting that a writer faster than the hash never holds more than a few megabytes.
constexpr qsizetype kBlockSize = 256 * 1024;
constexpr std::size_t kMostWaiting = 16;

} // namespace

HashingWriter::HashingWriter(QIODevice &target, QCryptographicHash::Algorithm algorithm)
    : m_target(target), m_hash(algorithm)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    m_thread = std::thread([this] {
        while (true) {
            QByteArray block;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [this] { return !m_blocks.empty() || m_done; });
                if (m_blocks.empty())
                    return;
                block = std::move(m_blocks.front());
                m_blocks.pop_front();
            }
            m_changed.notify_all();
            m_hash.addData(block);
        }
    });
}

HashingWriter::~HashingWriter()
{
    finish();
}

qint64 HashingWriter::writeData(const char *data, qint64 size)
{
    const qint64 taken = m_target.write(data, size);
    if (taken > 0) {
        m_written += taken;
        m_pending.append(data, taken);
        if (m_pending.size() >= kBlockSize)
            handOver();
    }
    return taken;
}

void HashingWriter::handOver()
{
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_blocks.size() < kMostWaiting; });
        m_blocks.push_back(std::exchange(m_pending, {}));
    }
    m_changed.notify_all();
}

void HashingWriter::finish()
{
    if (!m_thread.joinable())
        return;
    if (!m_pending.isEmpty())
        handOver();
    {
        const std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

QByteArray HashingWriter::result()
{
    finish();
    return m_hash.result();
}

} // namespace core
