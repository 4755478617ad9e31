#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace framework {

class ControlHost;

// One exchange between a window's members and its controls, in one direction. Reading takes
// every control that can be read, so that no value shown in one is lost because an earlier
// one holds a text that does not read; such a control keeps its member's value. Only the first
// of them is told: its message is shown and the focus goes to it with its text selected.
// Disabled controls are not read: the user could not mend their texts.
class DataExchange {
public:
    DataExchange(ControlHost& host, bool saveAndValidate) : host(host), saving(saveAndValidate) {}

    bool isSaving() const { return saving; }
    bool failed() const { return rejected; }
    QWidget* control(int id) const;
    // The control to read from, or null when it is missing or disabled.
    QWidget* readableControl(int id) const;
    void fail(int id, const QString& message);

private:
    ControlHost& host;
    bool saving;
    bool rejected = false;
};

// The text of control id and a member, in the direction of the exchange.
void DDX_Text(DataExchange& exchange, int id, QString& value);
void DDX_Text(DataExchange& exchange, int id, std::uint32_t& value);
void DDX_Text(DataExchange& exchange, int id, float& value);

// The text a control shows, and setting it; an unchanged text is left alone, so the caret
// and the selection stay where they are.
QString controlText(const QWidget* control);
void setControlText(QWidget* control, const QString& text);

}  // namespace framework
