#include "TestDialogs.h"

#include <QApplication>
#include <QTest>

#include "framework/Resources.h"

namespace {

const char* const kDialogs = R"json({
    "900": {
        "title": "Prüfdialog",
        "rect": [0, 0, 200, 130],
        "style": ["modalframe", "caption", "sysmenu"],
        "controls": [
            {"kind": "ltext", "id": -1, "text": "Name:", "rect": [7, 9, 30, 8]},
            {"kind": "edit", "id": 1001, "rect": [40, 7, 90, 14]},
            {"kind": "edit", "id": 1002, "rect": [40, 25, 40, 14]},
            {"kind": "edit", "id": 1003, "rect": [40, 43, 40, 14]},
            {"kind": "edit", "id": 1004, "rect": [90, 43, 40, 14]},
            {"kind": "combobox", "id": 1005, "rect": [40, 61, 90, 60], "style": ["dropdown"]},
            {"kind": "listbox", "id": 1006, "rect": [7, 79, 123, 44]},
            {"kind": "defpushbutton", "id": 1, "text": "OK", "rect": [143, 7, 50, 14]},
            {"kind": "pushbutton", "id": 2, "text": "Abbrechen", "rect": [143, 24, 50, 14]},
            {"kind": "pushbutton", "id": 1010, "text": "Zählen", "rect": [143, 41, 50, 14]}
        ]
    },
    "901": {
        "title": "Raster",
        "rect": [0, 0, 503, 389],
        "style": ["modalframe", "caption", "sysmenu"],
        "controls": [
            {"kind": "listview", "id": 1000, "rect": [7, 7, 479, 198]},
            {"kind": "edit", "id": 1001, "rect": [53, 213, 42, 14]}
        ]
    },
    "902": {
        "title": "Bedienelemente",
        "rect": [0, 0, 300, 220],
        "style": ["modalframe", "caption", "sysmenu"],
        "controls": [
            {"kind": "ltext", "id": -1, "text": "&Format:", "rect": [7, 9, 30, 8]},
            {"kind": "combobox", "id": 1012, "rect": [40, 7, 54, 112],
             "style": ["dropdown", "vscroll"], "entries": ["BMP", "TGA", "PNG"]},
            {"kind": "ltext", "id": -1, "text": "Wahl:", "rect": [7, 27, 30, 8]},
            {"kind": "combobox", "id": 1015, "rect": [40, 25, 54, 75],
             "style": ["dropdownlist", "vscroll"]},
            {"kind": "ltext", "id": -1, "text": "Kennung:", "rect": [7, 45, 30, 8]},
            {"kind": "edit", "id": 1013, "rect": [40, 43, 90, 14], "style": ["uppercase"]},
            {"kind": "listview", "id": 1000, "rect": [7, 63, 286, 120],
             "style": ["report", "singlesel", "showselalways", "border"]},
            {"kind": "defpushbutton", "id": 1, "text": "OK", "rect": [243, 190, 50, 14]},
            {"kind": "pushbutton", "id": 2, "text": "&Abbrechen", "rect": [190, 190, 50, 14]}
        ]
    }
})json";

const char* const kStrings = R"json({"57344": "Tolvane"})json";

}  // namespace

bool loadTestTemplates() {
    static const TemporaryFolder folder;
    writeFileBytes(folder.file("dialogs.json"), kDialogs);
    writeFileBytes(folder.file("strings.json"), kStrings);
    return framework::Resources::load(QString::fromStdString(folder.path()));
}

ExchangeDialog::ExchangeDialog(int templateId) : framework::Dialog(templateId) {
    const auto note = [this](const char* what, int id) {
        return [this, what, id] { notified << QStringLiteral("%1 %2").arg(what).arg(id); };
    };
    for (int id : {kNameEdit, kCountEdit, kWidthEdit, kHeightEdit, kKindCombo}) {
        onEditChange(id, note("edit", id));
    }
    for (int id : {kKindCombo, kChoiceList}) {
        onSelectionChange(id, note("selection", id));
    }
    onClicked(kCountButton, note("clicked", kCountButton));
}

void ExchangeDialog::whenEdited(int id, std::function<void()> handler) {
    onEditChange(id, std::move(handler));
}

void ExchangeDialog::OnCancel() {
    ++cancels;
    framework::Dialog::OnCancel();
}

void ExchangeDialog::DoDataExchange(framework::DataExchange& exchange) {
    framework::DDX_Text(exchange, kNameEdit, name);
    framework::DDX_Text(exchange, kCountEdit, count);
    framework::DDX_Text(exchange, kWidthEdit, width);
    framework::DDX_Text(exchange, kHeightEdit, height);
    framework::DDX_Text(exchange, kKindCombo, kind);
    if (alsoExchange) {
        alsoExchange(exchange);
    }
}

void showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

int controlIdOf(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        const QVariant id = widget->property("controlId");
        if (id.isValid()) {
            return id.toInt();
        }
    }
    return -1;
}
