#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "support/TemporaryFolder.h"

// Dialog templates of the framework tests, loaded in place of the editor's resources while a
// test runs, and a dialog that exchanges one member of every kind.

// Template 900 "Prüfdialog": a text, an unsigned and two float edits, an editable combo, a
// list box, OK, Abbrechen and a plain button. Template 901 "Raster": a large list and an edit.
inline constexpr int kExchangeTemplate = 900;
inline constexpr int kGridTemplate = 901;
// Template 902 "Bedienelemente": a drop-down combo with entries (1012) above a drop-down list
// (1015), an upper-case edit (1013), a report list (1000), OK and Abbrechen.
inline constexpr int kControlsTemplate = 902;
inline constexpr int kFormatCombo = 1012;
inline constexpr int kChoiceCombo = 1015;
inline constexpr int kCapitalsEdit = 1013;
inline constexpr int kReportList = 1000;

inline constexpr int kNameEdit = 1001;
inline constexpr int kCountEdit = 1002;
inline constexpr int kWidthEdit = 1003;
inline constexpr int kHeightEdit = 1004;
inline constexpr int kKindCombo = 1005;
inline constexpr int kChoiceList = 1006;
inline constexpr int kCountButton = 1010;
inline constexpr int kGridList = 1000;

// Writes the test templates into a temporary folder and loads them as the resource data.
bool loadTestTemplates();

// A test that may load other resource data: the test templates come back afterwards.
class TestTemplates : public ::testing::Test {
protected:
    void TearDown() override { ASSERT_TRUE(loadTestTemplates()); }
};

// Exchanges name (1001), count (1002), width (1003), height (1004) and kind (1005) in this
// order, then runs alsoExchange. Every change notification of its controls is noted in
// notified, e.g. "edit 1001", "selection 1006", "clicked 1010".
class ExchangeDialog : public framework::Dialog {
public:
    explicit ExchangeDialog(int templateId = kExchangeTemplate);

    QLineEdit* edit(int id) const { return control<QLineEdit>(id); }
    // Runs handler after the note of every text change of control id.
    void whenEdited(int id, std::function<void()> handler);

    QString name;
    std::uint32_t count = 0;
    float width = 0.0f;
    float height = 0.0f;
    QString kind;
    std::function<void(framework::DataExchange&)> alsoExchange;
    QStringList notified;
    int cancels = 0;  // runs of OnCancel

protected:
    void DoDataExchange(framework::DataExchange& exchange) override;
    void OnCancel() override;
};

// Shows window and makes it the active one, so that focus changes can be seen.
void showActive(QWidget& window);
// The template control that widget belongs to (it or one of its parents), or -1.
int controlIdOf(const QWidget* widget);
