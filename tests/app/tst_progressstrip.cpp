// The wait cursor and the yellow strip while a file is being written, headless, on a clock
// the test sets.

#include "progressstrip.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using app::ProgressStrip;

class TestProgressStrip : public QObject
{
    Q_OBJECT

private:
    static bool waiting()
    {
        return QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }

    QLabel m_label;
    qint64 m_now = 0;

private slots:
    void init()
    {
        m_label.setText(QString());
        m_now = 0;
    }

    void shortRunShowsOnlyTheCursor()
    {
        {
            ProgressStrip strip(&m_label, [this] { return m_now; });
            QVERIFY(waiting());
            bool timerRan = false;
            QTimer::singleShot(0, [&] { timerRan = true; });
            m_now = ProgressStrip::kQuietMs - 1;
            strip.day(QDate(2026, 12, 7));
            QVERIFY(m_label.text().isEmpty());
            QVERIFY(!timerRan); // nothing else runs while the file is written
            QCoreApplication::processEvents();
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void longRunShowsTheDay()
    {
        {
            ProgressStrip strip(&m_label, [this] { return m_now; });
            m_now = ProgressStrip::kQuietMs;
            bool timerRan = false;
            QTimer::singleShot(0, [&] { timerRan = true; });
            strip.day(QDate(2026, 12, 31));
            QCOMPARE(m_label.text(), u"Creazione del file in corso... 31/12/2026"_qs);
            QVERIFY(timerRan); // the window is painted and kept alive
            strip.day(QDate(2027, 1, 1));
            QCOMPARE(m_label.text(), u"Creazione del file in corso... 01/01/2027"_qs);
            QVERIFY(waiting());
        }
        QVERIFY(m_label.text().isEmpty());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void failedRunEndsTheSameWay()
    {
        try {
            ProgressStrip strip(&m_label, [this] { return m_now; });
            m_now = 5000;
            strip.day(QDate(2026, 12, 7));
            QVERIFY(!m_label.text().isEmpty());
            throw std::runtime_error("Il database Comuni.mdb non esiste.");
        } catch (const std::runtime_error &) {
        }
        QVERIFY(m_label.text().isEmpty());
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestProgressStrip)
#include "tst_progressstrip.moc"
