// Templates that name something unknown are refused when they load, and a window asking for
// a template that is not there fails at once.
#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "framework/FormView.h"
#include "framework/Resources.h"
#include "support/QtPrinters.h"

namespace {

class ResourcesTest : public TestTemplates {
protected:
    // Loads a dialogs.json holding the one template given; the error when it is refused.
    QString refusal(const char* dialogTemplate) {
        writeFileBytes(folder.file("strings.json"), "{}");
        writeFileBytes(folder.file("dialogs.json"),
                       std::string("{\"950\": ") + dialogTemplate + "}");
        QString error;
        if (framework::Resources::load(QString::fromStdString(folder.path()), &error)) {
            return QStringLiteral("loaded");
        }
        return error;
    }

    TemporaryFolder folder;
};

TEST_F(ResourcesTest, UnknownKindsStylesAndMisplacedEntriesAreRefused) {
    EXPECT_EQ(refusal(R"({"controls": [{"kind": "slider", "id": 1001, "rect": [0, 0, 9, 9]}]})"),
              QStringLiteral("dialog 950, control 1001: unknown kind \"slider\""));
    EXPECT_EQ(refusal(R"({"controls": [{"kind": "edit", "id": 1001, "style": ["uppercse"]}]})"),
              QStringLiteral("dialog 950, control 1001: unknown style \"uppercse\" for a edit"));
    EXPECT_EQ(refusal(R"({"style": ["modal"], "controls": []})"),
              QStringLiteral("dialog 950: unknown style \"modal\""));
    EXPECT_EQ(refusal(R"({"controls": [{"kind": "listbox", "id": 1000, "entries": ["a"]}]})"),
              QStringLiteral("dialog 950, control 1000: only a combobox has entries"));
    EXPECT_TRUE(refusal("[1,").contains(QStringLiteral("dialogs.json: not a JSON object")));
    EXPECT_EQ(refusal(R"({"controls": [{"kind": "combobox", "id": 1012,
                                        "style": ["dropdown"], "entries": ["BMP"]}]})"),
              QStringLiteral("loaded"));
}

TEST_F(ResourcesTest, ARefusedLoadKeepsTheResourcesBefore) {
    ASSERT_NE(refusal(R"({"controls": [{"kind": "slider", "id": 1}]})"), QStringLiteral("loaded"));
    EXPECT_TRUE(framework::Resources::hasDialog(kExchangeTemplate));
    EXPECT_EQ(framework::Resources::dialog(kExchangeTemplate).title, QStringLiteral("Prüfdialog"));
}

TEST_F(ResourcesTest, AWindowOfAMissingTemplateFailsAtOnce) {
    EXPECT_FALSE(framework::Resources::hasDialog(999));
    EXPECT_THROW(ExchangeDialog dialog(999), framework::MissingTemplate);
    EXPECT_THROW(framework::FormView view(999), framework::MissingTemplate);
}

}  // namespace
