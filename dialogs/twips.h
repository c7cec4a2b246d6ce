#pragma once

#include <QRect>
#include <QSize>
#include <QtMath>

// Window geometry is designed in twips, 1440 to the inch; these are the only conversions
// between twips and the screen's logical pixels (15 twips a pixel at 96 DPI).
namespace dialogs {

constexpr int TwipsPerInch = 1440;

inline int twipsToPixels(int twips, qreal logicalDpi)
{
    return qRound(twips * logicalDpi / TwipsPerInch);
}

inline QSize twipsToPixels(const QSize &twips, qreal logicalDpi)
{
    return {twipsToPixels(twips.width(), logicalDpi), twipsToPixels(twips.height(), logicalDpi)};
}

inline QRect twipsToPixels(const QRect &twips, qreal logicalDpi)
{
    return {twipsToPixels(twips.left(), logicalDpi), twipsToPixels(twips.top(), logicalDpi),
            twipsToPixels(twips.width(), logicalDpi), twipsToPixels(twips.height(), logicalDpi)};
}

inline int pixelsToTwips(int pixels, qreal logicalDpi)
{
    return qRound(pixels * TwipsPerInch / logicalDpi);
}

inline QRect pixelsToTwips(const QRect &pixels, qreal logicalDpi)
{
    return {pixelsToTwips(pixels.left(), logicalDpi), pixelsToTwips(pixels.top(), logicalDpi),
            pixelsToTwips(pixels.width(), logicalDpi), pixelsToTwips(pixels.height(), logicalDpi)};
}

} // namespace dialogs
