#pragma once

#include <QString>
#include <cstdint>

#include "framework/Dialog.h"

class ResourceLibrary;

// "Projekteinstellungen": the open library's name, first resource id and local resource
// path. Every change goes into the library at once and marks the document modified; "OK"
// and "Abbrechen" only close.
class CProjectSettingsDlg : public framework::Dialog {
    Q_OBJECT

public:
    explicit CProjectSettingsDlg(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(framework::DataExchange& exchange) override;

private:
    ResourceLibrary& library() const;
    void OnNameChange();
    void OnIdStartChange();
    void OnResourcePathChange();

    QString nameValue;
    std::uint32_t idStartValue = 0;
    QString resourcePathValue;
};
