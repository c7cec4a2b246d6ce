#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QIODevice>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace core {

// A write-only device that passes every byte on to another device and hashes what went through
// on a thread of its own, so that the checksum of a long file costs its writer next to no time
// where the computer has a second processor, and the file is not read again to be hashed.
class HashingWriter : public QIODevice
{
public:
    // `target` must be open for writing; this device is open for writing once made.
    HashingWriter(QIODevice &target, QCryptographicHash::Algorithm algorithm);
    ~HashingWriter() override;
    HashingWriter(const HashingWriter &) = delete;
    HashingWriter &operator=(const HashingWriter &) = delete;

    // The bytes the target took so far.
    qint64 written() const { return m_written; }
    // The hash of every byte the target took, once the writing is over; ends the hashing.
    QByteArray result();

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    void handOver();
    void finish();

    QIODevice &m_target;
    qint64 m_written = 0;
    QByteArray m_pending; // bytes gathered for the thread, which takes them a block at a time
    QCryptographicHash m_hash;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QByteArray> m_blocks;
    bool m_done = false;
    std::thread m_thread;
};

} // namespace core
