#pragma once

#include <QString>

#include "document/NineSliceInput.h"
#include "document/NineSliceRecognition.h"
#include "framework/Dialog.h"

// "Knopfgröße ändern": the new width and height of a nine-part button, its current size
// first. What is wrong with them is said under the fields and keeps "OK" disabled.
class CNineSliceResizeDlg : public framework::Dialog {
    Q_OBJECT

public:
    explicit CNineSliceResizeDlg(const NineSliceSet& set, QWidget* parent = nullptr);

    // The size confirmed by "OK".
    int width() const { return check.button ? check.button->width : 0; }
    int height() const { return check.button ? check.button->height : 0; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(framework::DataExchange& exchange) override;
    void OnOK() override;

private:
    void recheck();

    NineSliceSet set;
    QString widthText;
    QString heightText;
    NineSliceCheck check;
};
