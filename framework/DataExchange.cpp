#include "framework/DataExchange.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "framework/ControlHost.h"
#include "framework/FrameworkTexts.h"
#include "framework/MessageBox.h"
#include "framework/NumberText.h"

namespace framework {

QWidget* DataExchange::control(int id) const {
    return host.GetDlgItem(id);
}

QWidget* DataExchange::readableControl(int id) const {
    QWidget* widget = control(id);
    return widget != nullptr && widget->isEnabledTo(widget->window()) ? widget : nullptr;
}

void DataExchange::fail(int id, const QString& message) {
    if (rejected) {
        return;
    }
    rejected = true;
    AfxMessageBox(message);
    if (QWidget* widget = control(id)) {
        widget->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->selectAll();
        }
    }
}

QString controlText(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
        return combo->currentText();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    return control != nullptr ? control->windowTitle() : QString();
}

void setControlText(QWidget* control, const QString& text) {
    if (control == nullptr || controlText(control) == text) {
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable()) {
        combo->setEditText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    }
}

void DDX_Text(DataExchange& exchange, int id, QString& value) {
    if (!exchange.isSaving()) {
        setControlText(exchange.control(id), value);
    } else if (const QWidget* source = exchange.readableControl(id)) {
        value = controlText(source);
    }
}

void DDX_Text(DataExchange& exchange, int id, std::uint32_t& value) {
    if (!exchange.isSaving()) {
        setControlText(exchange.control(id), unsignedText(value));
    } else if (const QWidget* source = exchange.readableControl(id)) {
        if (const auto read = parseUnsignedText(controlText(source))) {
            value = *read;
        } else {
            exchange.fail(id, texts::enterUnsigned());
        }
    }
}

void DDX_Text(DataExchange& exchange, int id, float& value) {
    if (!exchange.isSaving()) {
        setControlText(exchange.control(id), floatText(value));
    } else if (const QWidget* source = exchange.readableControl(id)) {
        if (const auto read = parseFloatText(controlText(source))) {
            value = *read;
        } else {
            exchange.fail(id, texts::enterNumber());
        }
    }
}

}  // namespace framework
