#include "framework/ControlHost.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>

#include "framework/ComboBox.h"
#include "framework/DataExchange.h"
#include "framework/DialogUnits.h"
#include "framework/FrameWindow.h"
#include "framework/ReportList.h"
#include "framework/Resources.h"
#include "framework/UpperCaseEdit.h"

namespace framework {

namespace {

QWidget* makeControl(const ControlTemplate& entry, QWidget* page) {
    const auto has = [&entry](const char* style) {
        return entry.styles.contains(QLatin1String(style));
    };
    if (entry.kind == QLatin1String("edit")) {
        auto* edit = has("uppercase") ? new UpperCaseEdit(page) : new QLineEdit(page);
        edit->setReadOnly(has("readonly"));
        return edit;
    }
    if (entry.kind == QLatin1String("pushbutton") || entry.kind == QLatin1String("defpushbutton")) {
        auto* button = new QPushButton(entry.text, page);
        // A button with the focus takes Enter for itself; elsewhere Enter goes to the
        // template's default button.
        button->setAutoDefault(true);
        button->setDefault(entry.kind == QLatin1String("defpushbutton"));
        return button;
    }
    if (entry.kind == QLatin1String("listbox")) {
        auto* list = new QListWidget(page);
        list->setSortingEnabled(has("sort"));
        return list;
    }
    if (entry.kind == QLatin1String("combobox")) {
        auto* combo = new ComboBox(has("dropdown"), page);
        for (const QString& text : entry.entries) {
            combo->AddString(text);
        }
        return combo;
    }
    if (entry.kind == QLatin1String("listview")) {
        return new ReportList(page);
    }
    if (entry.kind == QLatin1String("groupbox")) {
        return new QGroupBox(entry.text, page);
    }
    if (entry.kind == QLatin1String("icon")) {
        auto* label = new QLabel(page);
        label->setPixmap(QIcon(Resources::path(entry.text)).pixmap(32, 32));
        return label;
    }
    auto* label = new QLabel(entry.text, page);  // ltext, rtext, ctext
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(entry.kind == QLatin1String("rtext")   ? Qt::AlignRight | Qt::AlignTop
                        : entry.kind == QLatin1String("ctext") ? Qt::AlignHCenter | Qt::AlignTop
                                                               : Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A combo's template height is that of its dropped-down list; closed, it is one line high.
// A left-aligned label grows to the right where the desktop's font is wider than the one the
// template was laid out for, so that its text is not cut off.
void place(QWidget* control, const QRect& pixels) {
    if (auto* combo = qobject_cast<ComboBox*>(control)) {
        combo->setGeometry(pixels.x(), pixels.y(), pixels.width(), combo->sizeHint().height());
        combo->setDroppedHeight(pixels.height());
        return;
    }
    QRect area = pixels;
    if (auto* label = qobject_cast<QLabel*>(control);
        label != nullptr && label->alignment().testFlag(Qt::AlignLeft) && label->pixmap().isNull()) {
        area.setWidth(qMax(area.width(), label->sizeHint().width()));
    }
    control->setGeometry(area);
}

QString withoutMnemonic(QString text) {
    static const QRegularExpression mnemonic(QStringLiteral("&(.)"));
    return text.replace(mnemonic, QStringLiteral("\\1"));
}

// Screen readers and automation find a control by what a person sees: a button by its text,
// a field by the label in front of it, which also gives the field the label's shortcut.
void name(QWidget* control, QLabel* label) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setAccessibleName(withoutMnemonic(button->text()));
        return;
    }
    const bool field = qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                       qobject_cast<QAbstractItemView*>(control);
    if (field && label != nullptr) {
        label->setBuddy(control);
        control->setAccessibleName(withoutMnemonic(label->text()));
    }
}

}  // namespace

QWidget* ControlHost::GetDlgItem(int id) const {
    const auto found = controls.find(id);
    return found == controls.end() ? nullptr : found->second;
}

bool ControlHost::UpdateData(bool saveAndValidate) {
    const bool wasExchanging = exchanging;
    exchanging = true;
    DataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    exchanging = wasExchanging;
    return !exchange.failed();
}

void ControlHost::DoDataExchange(DataExchange&) {}

void ControlHost::buildControls(QWidget* page, const DialogTemplate& dialogTemplate) {
    const DialogUnits units(page->font());
    QWidget* previous = nullptr;
    QLabel* label = nullptr;  // the text in front of the control being made
    for (const ControlTemplate& entry : dialogTemplate.controls) {
        QWidget* control = makeControl(entry, page);
        place(control, units.toPixels(entry.rect));
        control->setProperty("controlId", entry.id);
        name(control, label);
        label = entry.kind.endsWith(QLatin1String("text")) ? qobject_cast<QLabel*>(control)
                                                           : nullptr;
        if (entry.styles.contains(QLatin1String("disabled"))) {
            control->setEnabled(false);
        }
        if (entry.id != -1 && !controls.contains(entry.id)) {
            controls[entry.id] = control;
        }
        if (previous != nullptr && control->focusPolicy() != Qt::NoFocus) {
            QWidget::setTabOrder(previous, control);
        }
        if (control->focusPolicy() != Qt::NoFocus) {
            previous = control;
        }
    }
}

std::function<void()> ControlHost::unlessExchanging(std::function<void()> handler) {
    return [this, handler = std::move(handler)] {
        if (!exchanging) {
            handler();
            FrameWindow::commandStateChanged();
        }
    };
}

void ControlHost::onEditChange(int id, std::function<void()> handler) {
    auto guarded = unlessExchanging(std::move(handler));
    if (auto* capitals = control<UpperCaseEdit>(id)) {
        QObject::connect(capitals, &UpperCaseEdit::textAccepted, capitals, guarded);
    } else if (auto* edit = control<QLineEdit>(id)) {
        QObject::connect(edit, &QLineEdit::textChanged, edit, guarded);
    } else if (auto* combo = control<QComboBox>(id)) {
        QObject::connect(combo, &QComboBox::editTextChanged, combo, guarded);
    }
}

void ControlHost::onSelectionChange(int id, std::function<void()> handler) {
    auto guarded = unlessExchanging(std::move(handler));
    if (auto* combo = control<ComboBox>(id)) {
        QObject::connect(combo, &ComboBox::picked, combo, guarded);
    } else if (auto* list = control<QListWidget>(id)) {
        QObject::connect(list, &QListWidget::currentRowChanged, list, guarded);
    }
}

void ControlHost::onListClick(int id, std::function<void()> handler) {
    if (auto* list = control<ReportList>(id)) {
        QObject::connect(list, &ReportList::clickedOnList, list,
                         unlessExchanging(std::move(handler)));
    }
}

void ControlHost::onListKey(int id, std::function<void()> handler) {
    if (auto* list = control<ReportList>(id)) {
        QObject::connect(list, &ReportList::keyPressedOnList, list,
                         unlessExchanging(std::move(handler)));
    }
}

void ControlHost::onClicked(int id, std::function<void()> handler) {
    if (auto* button = control<QAbstractButton>(id)) {
        QObject::connect(button, &QAbstractButton::clicked, button,
                         unlessExchanging(std::move(handler)));
    }
}

}  // namespace framework
