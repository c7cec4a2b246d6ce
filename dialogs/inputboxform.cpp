#include "inputboxform.h"

#include "fonts.h"
#include "inputboxlayout.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

#include <limits>

namespace dialogs {

InputBox_form::InputBox_form(const QString &prompt, const QString &titolo, const QString &predefinito)
    : m_prompt(prompt)
    , m_label1(creaTitolo(titolo))
    , m_text1(creaTesto(prompt))
    , m_text2(new QLineEdit(this))
    , m_ok(creaPulsante(QStringLiteral("Ok"), 0))
    , m_annulla(creaPulsante(QStringLiteral("Annulla"), 1))
{
    QPalette sfondo = palette();
    sfondo.setColor(QPalette::Window, Qt::white);
    setPalette(sfondo);

    m_text2->setObjectName(QStringLiteral("Text2"));
    m_text2->setFont(fontArial(12, true));
    m_text2->setMaxLength(std::numeric_limits<int>::max());
    m_text2->setText(predefinito);
    m_text2->installEventFilter(this);
    setTabOrder(m_text2, m_ok);
    setTabOrder(m_ok, m_annulla);

    connect(m_ok, &QPushButton::clicked, this, [this] { T_Click(0); });
    connect(m_annulla, &QPushButton::clicked, this, [this] { T_Click(1); });
}

void InputBox_form::showEvent(QShowEvent *event)
{
    const InputBoxLayout l = inputbox::CalcolaLayout(m_prompt, schermoTwips());
    posiziona(this, l.finestra);
    posiziona(m_label1, l.titolo);
    posiziona(m_text1, l.prompt);
    posiziona(m_text2, l.campo);
    posiziona(m_ok, l.pulsanti[0]);
    posiziona(m_annulla, l.pulsanti[1]);
    // Typing replaces the default text.
    m_text2->selectAll();
    m_text2->setFocus();
    BoxForm::showEvent(event);
}

bool InputBox_form::eventFilter(QObject *oggetto, QEvent *evento)
{
    // Enter in the field only moves on to "Ok"; the operator confirms with the button.
    if (oggetto == m_text2 && evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent *>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            m_ok->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return BoxForm::eventFilter(oggetto, evento);
}

void InputBox_form::T_Click(int indice)
{
    if (indice == 0)
        m_risposta = m_text2->text();
    else
        m_risposta.reset();
    accept();
}

void InputBox_form::reject()
{
    m_risposta.reset();
    BoxForm::reject();
}

} // namespace dialogs
