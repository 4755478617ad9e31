#pragma once

#include <QFont>
#include <QRect>

// Dialog units: templates place controls in units of the dialog font (a quarter of its
// average character width across, an eighth of its height down), so layouts keep their
// proportions whatever font the desktop uses.

namespace framework {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    QRect toPixels(const QRect& units) const;
    int toPixelsX(int units) const;
    int toPixelsY(int units) const;

private:
    int baseX;
    int baseY;
};

}  // namespace framework
