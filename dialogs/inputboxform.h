#pragma once

#include "boxform.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace dialogs {

// The input box: a title, the prompt sized to its text, the input field holding the
// default text, and "Ok" and "Annulla". It lays itself out and centres itself when shown
// and closes on a button press, Escape or a close request, keeping the answer.
class InputBox_form : public BoxForm
{
    Q_OBJECT

public:
    InputBox_form(const QString &prompt, const QString &titolo, const QString &predefinito);

    // The field's text after "Ok"; nothing after "Annulla" or any other close.
    const std::optional<QString> &risposta() const { return m_risposta; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void T_Click(int indice);

    QString m_prompt;
    QLabel *m_label1;
    QTextEdit *m_text1;
    QLineEdit *m_text2;
    QPushButton *m_ok;
    QPushButton *m_annulla;
    std::optional<QString> m_risposta;
};

} // namespace dialogs
