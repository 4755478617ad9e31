#include "framework/DialogUnits.h"

#include <QFontMetrics>

namespace framework {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    // The average of the 52 letters, rounded.
    baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    baseY = metrics.height();
}

int DialogUnits::toPixelsX(int units) const {
    return (units * baseX + 2) / 4;
}

int DialogUnits::toPixelsY(int units) const {
    return (units * baseY + 4) / 8;
}

QRect DialogUnits::toPixels(const QRect& units) const {
    return QRect(toPixelsX(units.x()), toPixelsY(units.y()), toPixelsX(units.width()),
                 toPixelsY(units.height()));
}

}  // namespace framework
