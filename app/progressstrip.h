#pragma once

#include <QDate>
#include <QElapsedTimer>

#include <functional>

class QLabel;

namespace app {

// While a file is being written: the wait cursor, and once the run has lasted long enough for
// the operator to wonder, the day being written on the yellow strip, painted at once. Keys and
// clicks wait until the end. The cursor comes back and the strip is emptied however the run
// ends.
class ProgressStrip
{
public:
    // `elapsedMs` gives the milliseconds since the run began (a clock started here when empty).
    explicit ProgressStrip(QLabel *strip, std::function<qint64()> elapsedMs = {});
    ~ProgressStrip();
    ProgressStrip(const ProgressStrip &) = delete;
    ProgressStrip &operator=(const ProgressStrip &) = delete;

    // The day about to be written.
    void day(QDate day);

    // Runs shorter than this show nothing but the cursor.
    static constexpr qint64 kQuietMs = 300;

private:
    QLabel *m_strip;
    QElapsedTimer m_clock;
    std::function<qint64()> m_elapsedMs;
};

} // namespace app
