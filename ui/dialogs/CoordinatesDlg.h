#pragma once

#include <functional>

#include "framework/Dialog.h"
#include "library/uiresourcecontrol.h"

namespace framework {
class ComboBox;
}

// "Koordinaten erfassen": edits one area on a working copy, which the caller takes over after
// "OK". The rectangle can be given by its corners or by a corner and its width and height;
// X1 and Y1 are the anchors. Each change of an edit goes into the working area at once.
class CCoordinatesDlg : public framework::Dialog {
    Q_OBJECT

public:
    explicit CCoordinatesDlg(QWidget* parent = nullptr);

    // The area being edited; a caller that edits an existing area copies it in before
    // DoModal.
    ResourceArea workingArea;

signals:
    // Once for each change the user makes in the dialog, after the working area took it.
    void workingAreaChanged();

protected:
    void DoDataExchange(framework::DataExchange& exchange) override;
    bool OnInitDialog() override;

private:
    // Runs rule for each change of edit editId, and tells of it.
    void onRule(int editId, std::function<void()> rule);
    // Reads the edits, lets apply change the working area and the display values, and then
    // shows the rectangle again in display form.
    void changeRectangle(void (CCoordinatesDlg::*apply)());
    void applyX1();
    void applyY1();
    void applyX2();
    void applyY2();
    void applyWidth();
    void applyHeight();
    void OnSelectTexture();
    void fillTextureList();

    framework::ComboBox* textureList = nullptr;
    // The display values of the ten edits.
    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    float stretchX = 0.0f;
    float stretchY = 0.0f;
};
