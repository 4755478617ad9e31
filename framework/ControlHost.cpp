#include "framework/ControlHost.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "framework/DataExchange.h"
#include "framework/DialogUnits.h"
#include "framework/Resources.h"

namespace framework {

namespace {

QWidget* makeControl(const ControlTemplate& entry, QWidget* page) {
    const auto has = [&entry](const char* style) {
        return entry.styles.contains(QLatin1String(style));
    };
    if (entry.kind == QLatin1String("edit")) {
        auto* edit = new QLineEdit(page);
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
        auto* combo = new QComboBox(page);
        combo->setEditable(has("dropdown"));
        return combo;
    }
    if (entry.kind == QLatin1String("listview")) {
        // A list in report mode: rows with columns, no tree lines.
        auto* list = new QTreeWidget(page);
        list->setRootIsDecorated(false);
        list->setItemsExpandable(false);
        list->setUniformRowHeights(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->header()->setStretchLastSection(false);
        return list;
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
    label->setAlignment(entry.kind == QLatin1String("rtext")   ? Qt::AlignRight | Qt::AlignTop
                        : entry.kind == QLatin1String("ctext") ? Qt::AlignHCenter | Qt::AlignTop
                                                               : Qt::AlignLeft | Qt::AlignTop);
    return label;
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
    for (const ControlTemplate& entry : dialogTemplate.controls) {
        QWidget* control = makeControl(entry, page);
        control->setGeometry(units.toPixels(entry.rect));
        control->setProperty("controlId", entry.id);
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
        }
    };
}

void ControlHost::onEditChange(int id, std::function<void()> handler) {
    auto guarded = unlessExchanging(std::move(handler));
    if (auto* edit = control<QLineEdit>(id)) {
        QObject::connect(edit, &QLineEdit::textChanged, edit, guarded);
    } else if (auto* combo = control<QComboBox>(id)) {
        QObject::connect(combo, &QComboBox::editTextChanged, combo, guarded);
    }
}

void ControlHost::onSelectionChange(int id, std::function<void()> handler) {
    auto guarded = unlessExchanging(std::move(handler));
    if (auto* combo = control<QComboBox>(id)) {
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo, guarded);
    } else if (auto* list = control<QListWidget>(id)) {
        QObject::connect(list, &QListWidget::currentRowChanged, list, guarded);
    }
}

void ControlHost::onClicked(int id, std::function<void()> handler) {
    if (auto* button = control<QAbstractButton>(id)) {
        QObject::connect(button, &QAbstractButton::clicked, button,
                         unlessExchanging(std::move(handler)));
    }
}

}  // namespace framework
