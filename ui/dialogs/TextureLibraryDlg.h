#pragma once

#include <QString>
#include <cstdint>

#include "framework/Dialog.h"

class ResourceLibrary;
class TextureEntry;

namespace framework {
class ReportList;
}

// "Texturbibliothek": the texture table of the open library as a list, with fields that edit
// the selected texture. Every change goes into the library at once and marks the document
// modified; "OK" and "Abbrechen" only close.
class CTextureLibraryDlg : public framework::Dialog {
    Q_OBJECT

public:
    explicit CTextureLibraryDlg(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(framework::DataExchange& exchange) override;

private:
    ResourceLibrary& library() const;
    framework::ReportList* list() const;
    // The position of the selected texture, or -1.
    int SelectedTexture() const;
    TextureEntry& texture(int position) const;

    void RebuildList();
    void RefreshFields();
    void OnNew();
    void OnDelete();
    void OnIdChange();
    void OnPathChange();
    void OnComboPick(int comboId);
    // What column shows of entry.
    QString cellText(int column, const TextureEntry& entry) const;
    // The text of combo comboId's entry at position, empty for a position outside its list.
    QString entryText(int comboId, std::int32_t position) const;
    QString sizeText(const TextureEntry& entry) const;

    std::uint32_t idValue = 0;
    QString pathValue;
};
