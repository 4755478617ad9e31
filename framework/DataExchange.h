#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace framework {

class ControlHost;

// One exchange between a window's members and its controls, in one direction. The first
// control whose text cannot be read ends it: its message is shown, the focus goes to the
// control with its text selected, and later exchanges of the same run do nothing.
class DataExchange {
public:
    DataExchange(ControlHost& host, bool saveAndValidate) : host(host), saving(saveAndValidate) {}

    bool isSaving() const { return saving; }
    bool failed() const { return stopped; }
    QWidget* control(int id) const;
    void fail(int id, const QString& message);

private:
    ControlHost& host;
    bool saving;
    bool stopped = false;
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
