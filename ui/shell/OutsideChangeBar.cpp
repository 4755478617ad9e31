#include "ui/shell/OutsideChangeBar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

const QString kChangedText = QStringLiteral("Die Datei wurde außerhalb von Tolvane geändert.");
const QString kDeletedText = QStringLiteral("Die Datei wurde gelöscht.");
const QString kChangedHint = QStringLiteral(
    "Neu laden verwirft die ungesicherten Änderungen, Rückgängig holt sie zurück. Behalten "
    "behält sie; das nächste Speichern fragt vorher.");
const QString kDeletedHint = QStringLiteral("Behalten: Speichern schreibt die Datei neu.");

// Screen readers present an alert when it appears, where a tool bar would pass unnoticed.
QAccessibleInterface* alertInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("OutsideChangeBar") && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    }
    return nullptr;
}

}  // namespace

OutsideChangeBar::OutsideChangeBar(QWidget* parent) : QToolBar(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(alertInterface);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    setObjectName(QStringLiteral("outsideChangeBar"));
    setMovable(false);
    setFloatable(false);
    toggleViewAction()->setVisible(false);  // not one of the bars a user shows and hides
    // Coloured as a note, so that it is seen among the tool bars.
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    auto* sign = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize);
    sign->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    addWidget(sign);
    text = new QLabel(this);
    reload = new QPushButton(QStringLiteral("&Neu laden"), this);
    keep = new QPushButton(QStringLiteral("Beha&lten"), this);
    for (QPushButton* button : {reload, keep}) {
        button->setAutoDefault(false);
    }
    addWidget(text);
    addSeparator();
    reloadAction = addWidget(reload);
    addWidget(keep);
    connect(reload, &QPushButton::clicked, this, &OutsideChangeBar::reloadChosen);
    connect(keep, &QPushButton::clicked, this, &OutsideChangeBar::keepChosen);
    hide();
}

void OutsideChangeBar::announce(Kind kind) {
    shown = kind;
    const bool changed = kind == Kind::Changed;
    const QString message = changed ? kChangedText : kDeletedText;
    if (!isHidden() && text->text() != message) {
        hide();  // screen readers present an alert as it appears, not as its text changes
    }
    text->setText(message);
    reloadAction->setVisible(changed);
    setWindowTitle(text->text());
    setAccessibleName(text->text());
    setAccessibleDescription(changed ? kChangedHint : kDeletedHint);
    show();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

QString OutsideChangeBar::message() const {
    return isHidden() ? QString() : text->text();
}
