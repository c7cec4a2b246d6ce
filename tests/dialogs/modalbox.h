#pragma once

// Helpers for driving the tool's boxes through their real buttons and keys.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

// Answers the next modal box of the tool once it is shown and active: `azione` presses its
// buttons or keys. A box that `azione` leaves open is rejected, so a failing test cannot hang.
inline void quandoAperto(std::function<void(QDialog *)> azione)
{
    QTimer::singleShot(0, [azione] {
        QPointer<QDialog> box;
        const bool aperto = QTest::qWaitFor([&] {
            box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            return !box.isNull() && box->isVisible();
        });
        QVERIFY2(aperto, "no modal box was shown");
        box->activateWindow();
        const bool attivo = QTest::qWaitForWindowActive(box);
        if (attivo)
            azione(box);
        if (box && box->isVisible()) {
            box->reject();
            QFAIL(attivo ? "the box was left open" : "the box never became active");
        }
    });
}

// Shows a form as the routines do, ready for keys and clicks.
inline bool mostraAttivo(QDialog &box)
{
    box.show();
    box.activateWindow();
    return QTest::qWaitForWindowActive(&box);
}

// The box's button T(indice).
inline QPushButton *pulsante(const QWidget *box, int indice)
{
    return box->findChild<QPushButton *>(QStringLiteral("T%1").arg(indice));
}

inline qreal dpi()
{
    return QGuiApplication::primaryScreen()->logicalDotsPerInch();
}
