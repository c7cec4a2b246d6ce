#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

namespace dialogs {

// What the message box and the input box share: a borderless modal window framed by a
// dark green outline (Shape1), a title line, a read-only centred text and buttons that
// Enter presses when they have the focus. Geometry is given in twips.
class BoxForm : public QDialog
{
    Q_OBJECT

public:
    BoxForm();

protected:
    // The primary screen's available area in twips.
    static QRect schermoTwips();
    QLabel *creaTitolo(const QString &titolo);
    QTextEdit *creaTesto(const QString &testo);
    QPushButton *creaPulsante(const QString &didascalia, int indice);
    void posiziona(QWidget *widget, const QRect &twips) const;

    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static qreal dpi();
};

} // namespace dialogs
