#pragma once

#include <QRect>
#include <QStringView>

// Rules shared by the message box and the input box, all lengths in twips.
namespace dialogs {

// 1 plus the carriage returns of the text: the lines of a text whose lines end in CR LF.
int contaRighe(QStringView testo);

// The longest line of the text, at least `minimo`. A carriage return ends a line; every
// other character, a line feed included, counts, so after CR LF the next line counts its
// line feed as one character.
int rigaPiuLunga(QStringView testo, int minimo);

// A length grown by the text, kept between the box's smallest size and the screen's:
// beyond the screen the text area scrolls instead (this also keeps texts beyond the
// historical 16-bit sizing limits from overflowing).
int limitaAlloSchermo(qint64 naturale, int minimo, int schermo);

// The top-left corner that centres a window of the given size on the screen.
QPoint centraSulloSchermo(const QSize &finestra, const QRect &schermo);

// The window moved as little as needed to lie on the screen; one larger than the screen
// keeps its top-left corner on it.
QRect dentroLoSchermo(const QRect &finestra, const QRect &schermo);

} // namespace dialogs
