#include "progressstrip.h"

#include "daytext.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>

namespace app {

ProgressStrip::ProgressStrip(QLabel *strip, std::function<qint64()> elapsedMs)
    : m_strip(strip), m_elapsedMs(std::move(elapsedMs))
{
    m_clock.start();
    if (!m_elapsedMs)
        m_elapsedMs = [this] { return m_clock.elapsed(); };
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

ProgressStrip::~ProgressStrip()
{
    QGuiApplication::restoreOverrideCursor();
    m_strip->clear();
}

void ProgressStrip::day(QDate day)
{
    if (m_elapsedMs() < kQuietMs)
        return;
    m_strip->setText(QStringLiteral("Creazione del file in corso... %1").arg(movement::dayText(day)));
    m_strip->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace app
