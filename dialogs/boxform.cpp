#include "boxform.h"

#include "fonts.h"
#include "twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace dialogs {

namespace {
const QColor VerdeScuro(0, 128, 0);
const QColor Blu(0, 0, 255);
constexpr int SpessoreCornice = 2;
} // namespace

BoxForm::BoxForm()
    : QDialog(nullptr, Qt::FramelessWindowHint | Qt::Dialog)
{
    setModal(true);
}

qreal BoxForm::dpi()
{
    return QGuiApplication::primaryScreen()->logicalDotsPerInch();
}

QRect BoxForm::schermoTwips()
{
    return pixelsToTwips(QGuiApplication::primaryScreen()->availableGeometry(), dpi());
}

QLabel *BoxForm::creaTitolo(const QString &titolo)
{
    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setTextFormat(Qt::PlainText);
    label->setText(titolo);
    setWindowTitle(titolo);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(fontCorbel(12, true));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, VerdeScuro);
    label->setPalette(p);
    return label;
}

QTextEdit *BoxForm::creaTesto(const QString &testo)
{
    auto *text = new QTextEdit(this);
    text->setObjectName(QStringLiteral("Text1"));
    text->setReadOnly(true);
    text->setFocusPolicy(Qt::NoFocus);
    text->setAcceptRichText(false);
    text->setFrameShape(QFrame::NoFrame);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    text->document()->setDocumentMargin(0);
    text->setFont(fontCorbel(9.75));
    QPalette p = text->palette();
    p.setColor(QPalette::Text, Blu);
    p.setColor(QPalette::Base, Qt::white);
    text->setPalette(p);

    // Lines come separated by CR LF; the text area breaks paragraphs on line feeds only.
    QString righe = testo;
    righe.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    righe.replace(u'\r', u'\n');
    text->setPlainText(righe);
    QTextCursor cursore(text->document());
    cursore.select(QTextCursor::Document);
    QTextBlockFormat centrato;
    centrato.setAlignment(Qt::AlignHCenter);
    cursore.mergeBlockFormat(centrato);
    return text;
}

QPushButton *BoxForm::creaPulsante(const QString &didascalia, int indice)
{
    auto *pulsante = new QPushButton(didascalia, this);
    pulsante->setObjectName(QStringLiteral("T%1").arg(indice));
    pulsante->setFont(fontCorbel(12));
    // A default button would take Enter away from the input field and from the focused button.
    pulsante->setAutoDefault(false);
    pulsante->setDefault(false);
    return pulsante;
}

void BoxForm::posiziona(QWidget *widget, const QRect &twips) const
{
    widget->setGeometry(twipsToPixels(twips, dpi()));
}

void BoxForm::showEvent(QShowEvent *event)
{
    // Enter answers the focused button, so the focus is drawn from the start, not only once a
    // key has moved it (showing a window forgets that a key did).
    setAttribute(Qt::WA_KeyboardFocusChange);
    QDialog::showEvent(event);
}

void BoxForm::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    QPen penna(VerdeScuro, SpessoreCornice);
    penna.setJoinStyle(Qt::MiterJoin);
    painter.setPen(penna);
    const qreal meta = SpessoreCornice / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(meta, meta, -meta, -meta));
}

void BoxForm::keyPressEvent(QKeyEvent *event)
{
    const bool invio = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (invio && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto *pulsante = qobject_cast<QPushButton *>(focusWidget())) {
            pulsante->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

} // namespace dialogs
