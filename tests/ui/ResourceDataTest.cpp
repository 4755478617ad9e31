// The editor's resource data: it loads without a complaint, and has every template the
// editor asks for.
#include <gtest/gtest.h>

#include "framework/Dialog.h"
#include "framework/Resources.h"
#include "support/QtPrinters.h"
#include "ui/ResourceIds.h"

namespace {

TEST(ResourceData, LoadsAndHasEveryTemplateTheEditorUses) {
    QString error;
    ASSERT_TRUE(framework::Resources::load(QStringLiteral(":/res"), &error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    for (const int id : kDialogTemplateIds) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(framework::Resources::hasDialog(id));
        EXPECT_NO_THROW(framework::Dialog dialog(id));
    }
}

}  // namespace
