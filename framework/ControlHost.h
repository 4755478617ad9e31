#pragma once

#include <QWidget>
#include <functional>
#include <map>

namespace framework {

class DataExchange;
struct DialogTemplate;

// A window made of the controls of a dialog template, found by their ids: dialogs and form
// views. It exchanges data between its members and its controls and keeps the controls'
// change notifications from its handlers while it does.
class ControlHost {
public:
    virtual ~ControlHost() = default;

    // The control with id, or null.
    QWidget* GetDlgItem(int id) const;
    template <typename Control>
    Control* control(int id) const {
        return qobject_cast<Control*>(GetDlgItem(id));
    }

    // true: reads the controls into the members; false when a text could not be read (see
    // DataExchange). false: writes the members into the controls.
    bool UpdateData(bool saveAndValidate = true);
    bool isExchanging() const { return exchanging; }

protected:
    virtual void DoDataExchange(DataExchange& exchange);

    // Creates the template's controls in page, in tab order, placed in dialog units.
    void buildControls(QWidget* page, const DialogTemplate& dialogTemplate);

    // Change notifications: the text of an edit or combo changed, the user picked an entry of
    // a combo or the selection of a list box changed, a button was clicked. None reaches its
    // handler during an exchange; after each, the frame's commands are enabled anew.
    void onEditChange(int id, std::function<void()> handler);
    void onSelectionChange(int id, std::function<void()> handler);
    void onClicked(int id, std::function<void()> handler);
    // A report list was clicked, or a key was pressed in it; its selection has moved already.
    void onListClick(int id, std::function<void()> handler);
    void onListKey(int id, std::function<void()> handler);

private:
    std::function<void()> unlessExchanging(std::function<void()> handler);

    std::map<int, QWidget*> controls;
    bool exchanging = false;
};

}  // namespace framework
