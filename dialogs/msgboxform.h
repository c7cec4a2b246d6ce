#pragma once

#include "boxform.h"
#include "msgboxlayout.h"

#include <array>

class QLabel;
class QPushButton;
class QTextEdit;

namespace dialogs {

// The message box: a title, the message sized to its text and the buttons of its style.
// It lays itself out when shown and closes on a button press, Escape or a close request,
// keeping the answer.
class MsgBox_Form : public BoxForm
{
    Q_OBJECT

public:
    MsgBox_Form(const QString &messaggio, int stile, const QString &titolo);

    int risposta() const { return m_risposta; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void T_Click(int indice);

    QString m_messaggio;
    int m_stile;
    MsgBoxLayout m_layout;
    QLabel *m_label1;
    QTextEdit *m_text1;
    std::array<QPushButton *, 3> m_t;
    int m_risposta = RispostaOk;
};

} // namespace dialogs
