#pragma once

#include <QLineEdit>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "EditorFixture.h"
#include "document/LibraryBuilding.h"
#include "framework/ReportList.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"

// The editor on a library of one button (id 5, "Knopf"), with the areas and textures a test
// gives, and that button selected in the tree.
class ButtonFormTest : public EditorTest {
protected:
    void startOnButton(const std::vector<ResourceArea>& areas = {},
                       const std::vector<std::pair<std::int32_t, std::string>>& textures = {}) {
        ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 5, "Knopf"}}))}));
        for (const auto& [id, path] : textures) {
            auto texture = std::make_unique<TextureEntry>();
            texture->id = id;
            texture->path = path;
            doc().library.textures.push_back(std::move(texture));
        }
        button().areas = areas;
        tree().SelectResource(&button());
        ASSERT_NE(currentButtonView, nullptr);
        ASSERT_EQ(dynamic_cast<CTolvaneView_Button*>(rightPane()), currentButtonView);
    }

    UiResource& button() { return *doc().library.resources.at(0); }
    CTolvaneView_Button& form() { return *currentButtonView; }
    framework::ReportList& areaList() { return *form().areaList; }
    QLineEdit& formEdit(int id) { return *form().control<QLineEdit>(id); }
    QString treeLabel() { return tree().itemOf(&button())->text(0); }

    void click(int id) { QTest::mouseClick(form().GetDlgItem(id), Qt::LeftButton); }
    // Types text at the end of the form's edit id, key by key.
    void type(int id, const QString& text) {
        QLineEdit& edit = formEdit(id);
        edit.setFocus();
        edit.end(false);
        QTest::keyClicks(&edit, text);
    }
    void selectRow(int row) { areaList().SelectItem(row); }

    std::vector<QString> row(int index) {
        std::vector<QString> cells;
        for (int column = 0; column < 10; ++column) {
            cells.push_back(areaList().GetItemText(index, column));
        }
        return cells;
    }

    ScriptedModalDialogs dialogs;
};
