#include "msgboxform.h"

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

namespace dialogs {

MsgBox_Form::MsgBox_Form(const QString &messaggio, int stile, const QString &titolo)
    : m_messaggio(messaggio)
    , m_stile(stile)
    , m_label1(creaTitolo(titolo))
    , m_text1(creaTesto(messaggio))
{
    // As designed: every button hidden until the style shows it.
    const char *didascalie[3] = {"Ok", "Ok", "Annulla"};
    for (int i = 0; i < 3; ++i) {
        m_t[i] = creaPulsante(QString::fromLatin1(didascalie[i]), i);
        m_t[i]->hide();
        connect(m_t[i], &QPushButton::clicked, this, [this, i] { T_Click(i); });
    }
}

void MsgBox_Form::showEvent(QShowEvent *event)
{
    m_layout = msgbox::CalcolaLayout(m_messaggio, m_stile, schermoTwips());
    posiziona(this, m_layout.finestra);
    posiziona(m_label1, m_layout.titolo);
    posiziona(m_text1, m_layout.messaggio);
    for (int i = 0; i < 3; ++i) {
        const PulsanteMessaggio &p = m_layout.pulsanti[i];
        if (p.visibile) {
            m_t[i]->setText(p.didascalia);
            posiziona(m_t[i], p.geometria);
        }
        m_t[i]->setVisible(p.visibile);
    }
    m_t[m_layout.focus]->setFocus();
    BoxForm::showEvent(event);
}

void MsgBox_Form::T_Click(int indice)
{
    m_risposta = m_layout.pulsanti[indice].risposta;
    accept();
}

void MsgBox_Form::reject()
{
    m_risposta = m_layout.rispostaChiusura;
    BoxForm::reject();
}

} // namespace dialogs
