#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QSignalSpy>
#include <QLineEdit>
#include <QTest>
#include <array>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/CommandRoute.h"
#include "framework/Document.h"
#include "framework/FrameWindow.h"
#include "framework/View.h"

namespace {

using framework::CommandUI;

constexpr int kCommand = 32771;

// The handler registration of each kind of target, opened up for the tests.
class Target : public framework::CommandTarget {
public:
    using CommandTarget::onCommand;
    using CommandTarget::onCommandRange;
    using CommandTarget::onUpdate;
    using CommandTarget::onUpdateRange;
};

class TestDocument : public framework::Document {
public:
    using CommandTarget::onCommand;
    using CommandTarget::onUpdate;
};

class TestFrame : public framework::FrameWindow {
public:
    using CommandTarget::onCommand;
    using CommandTarget::onUpdate;
    using FrameWindow::FrameWindow;
};

class TestApplication : public framework::Application {
public:
    using CommandTarget::onCommand;
    using CommandTarget::onUpdate;
};

class TestView : public framework::View {
public:
    QWidget* widget() override { return pane; }
    using CommandTarget::onCommand;
    using CommandTarget::onUpdate;

    QWidget* pane = nullptr;
};

TEST(CommandRoute, TheFirstTargetWithAHandlerRunsTheCommand) {
    std::array<Target, 4> targets;
    std::vector<int> ran;
    for (int index : {1, 3}) {
        targets[index].onCommand(kCommand, [&ran, index] { ran.push_back(index); });
    }
    const framework::CommandRoute route{&targets[0], nullptr, &targets[1], &targets[2],
                                        &targets[3]};
    EXPECT_TRUE(framework::routeCommand(route, kCommand));
    EXPECT_EQ(ran, std::vector<int>{1});
    EXPECT_FALSE(framework::routeCommand(route, kCommand + 1));
    EXPECT_EQ(ran, std::vector<int>{1});
}

TEST(CommandRoute, RangesHandEachIdToTheirHandler) {
    Target target;
    std::vector<int> ran;
    target.onCommandRange(100, 102, [&ran](int id) { ran.push_back(id); });
    target.onUpdateRange(100, 102, [](CommandUI& ui) { ui.SetCheck(ui.id() == 101); });
    const framework::CommandRoute route{&target};
    for (int id : {102, 100, 103}) {
        framework::routeCommand(route, id);
    }
    EXPECT_EQ(ran, (std::vector<int>{102, 100}));
    EXPECT_EQ(framework::routeUpdate(route, 101).checked, true);
    EXPECT_EQ(framework::routeUpdate(route, 102).checked, false);
    EXPECT_EQ(framework::routeUpdate(route, 103).enabled, false);
}

TEST(CommandRoute, AHandlerMayReplaceItselfWhileItRuns) {
    Target target;
    int runs = 0;
    std::string kept = "captured state that must outlive the replacement";
    target.onCommand(kCommand, [&target, &runs, kept] {
        target.onCommand(kCommand, [] {});
        runs += kept.empty() ? 0 : 1;
    });
    EXPECT_TRUE(framework::routeCommand({&target}, kCommand));
    EXPECT_EQ(runs, 1);
}

// What one stop of the route has for the command: a command handler, an update handler and
// what that says.
enum class Update { None, Silent, Enable, Disable };
struct Stop {
    bool command = false;
    Update update = Update::None;
};

TEST(CommandRoute, TheFirstUpdateHandlerDecidesElseAnyCommandHandler) {
    const struct {
        const char* what;
        std::array<Stop, 4> stops;  // view, document, frame, application
        bool enabled;
        int updateThatRuns;  // -1: none
    } cases[] = {
        {"no handler anywhere", {}, false, -1},
        {"a command handler at the end", {{{}, {}, {}, {true}}}, true, -1},
        {"an update handler after the command handler disables",
         {{{true}, {}, {}, {false, Update::Disable}}},
         false,
         3},
        {"an update handler enables a command nobody handles",
         {{{}, {}, {false, Update::Enable}, {}}},
         true,
         2},
        {"a silent update handler leaves it to the command handler",
         {{{false, Update::Silent}, {true}, {}, {}}},
         true,
         0},
        {"a silent update handler and no command handler",
         {{{false, Update::Silent}, {}, {}, {}}},
         false,
         0},
        {"the earlier of two update handlers decides",
         {{{}, {false, Update::Disable}, {false, Update::Enable}, {true}}},
         false,
         1},
        {"a silent update handler still ends the route",
         {{{false, Update::Silent}, {false, Update::Disable}, {}, {true}}},
         true,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::array<Target, 4> targets;
        std::vector<int> updatesRun;
        for (int index = 0; index < 4; ++index) {
            const Stop& stop = c.stops[index];
            if (stop.command) {
                targets[index].onCommand(kCommand, [] {});
            }
            if (stop.update != Update::None) {
                targets[index].onUpdate(kCommand, [&updatesRun, index, stop](CommandUI& ui) {
                    updatesRun.push_back(index);
                    if (stop.update != Update::Silent) {
                        ui.Enable(stop.update == Update::Enable);
                    }
                });
            }
        }
        const CommandUI ui =
            framework::routeUpdate({&targets[0], &targets[1], &targets[2], &targets[3]}, kCommand);
        EXPECT_EQ(ui.enabled, c.enabled);
        EXPECT_EQ(updatesRun,
                  c.updateThatRuns < 0 ? std::vector<int>{} : std::vector<int>{c.updateThatRuns});
    }
}

class FrameCommandsTest : public ::testing::Test {
protected:
    TestApplication app;
    TestDocument doc;
    TestFrame frame{doc};
};

TEST_F(FrameCommandsTest, RouteRunsActiveViewThenItsDocumentThenFrameThenApplication) {
    TestView view;
    doc.AddView(&view);
    std::vector<std::string> ran;
    // Stop number d of the route handles the commands kCommand to kCommand + d, so that
    // kCommand + n reaches stop n first.
    const auto handle = [&ran](auto& target, const char* name, int stop) {
        for (int n = 0; n <= stop; ++n) {
            target.onCommand(kCommand + n, [&ran, name] { ran.push_back(name); });
        }
    };
    handle(view, "view", 0);
    handle(doc, "document", 1);
    handle(frame, "frame", 2);
    handle(app, "application", 3);

    frame.SetActiveView(&view);
    ASSERT_EQ(frame.GetActiveView(), &view);
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(frame.dispatch(kCommand + n), n < 4);
    }
    EXPECT_EQ(ran, (std::vector<std::string>{"view", "document", "frame", "application"}));

    // Without an active view the document comes first.
    ran.clear();
    frame.SetActiveView(nullptr);
    frame.dispatch(kCommand);
    EXPECT_EQ(ran, std::vector<std::string>{"document"});

    // A view that left the document is no longer active.
    frame.SetActiveView(&view);
    doc.RemoveView(&view);
    EXPECT_EQ(frame.GetActiveView(), nullptr);
}

TEST_F(FrameCommandsTest, TheViewWithTheFocusBecomesActive) {
    TestView view;
    view.pane = new QWidget;
    auto* edit = new QLineEdit(view.pane);
    frame.setCentralWidget(view.pane);
    doc.AddView(&view);
    frame.show();
    frame.activateWindow();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

    edit->setFocus();
    EXPECT_EQ(frame.GetActiveView(), &view);
}

TEST_F(FrameCommandsTest, ActionsFollowTheRouteAndSendTheirCommand) {
    const int kHandled = kCommand;
    const int kUnhandled = kCommand + 1;
    const int kGated = kCommand + 2;
    bool open = false;
    int gatedRuns = 0;
    doc.onCommand(kHandled, [&open] { open = !open; });
    frame.onCommand(kGated, [&gatedRuns] { ++gatedRuns; });
    app.onUpdate(kGated, [&open](CommandUI& ui) {
        ui.Enable(open);
        ui.SetCheck(open);
    });

    QAction handled;
    QAction unhandled;
    QAction gatedMenu;
    QAction gatedButton;
    frame.addCommandAction(kHandled, &handled);
    frame.addCommandAction(kUnhandled, &unhandled);
    frame.addCommandAction(kGated, &gatedMenu);
    frame.addCommandAction(kGated, &gatedButton);
    frame.updateCommandUI();
    EXPECT_TRUE(handled.isEnabled());
    EXPECT_FALSE(unhandled.isEnabled());
    for (QAction* gated : {&gatedMenu, &gatedButton}) {
        EXPECT_FALSE(gated->isEnabled());
        EXPECT_FALSE(gated->isChecked());
    }
    gatedMenu.trigger();
    EXPECT_EQ(gatedRuns, 0);

    // A command brings the enabling up to date at once.
    handled.trigger();
    ASSERT_TRUE(open);
    for (QAction* gated : {&gatedMenu, &gatedButton}) {
        EXPECT_TRUE(gated->isEnabled());
        EXPECT_TRUE(gated->isCheckable());
        EXPECT_TRUE(gated->isChecked());
    }
    gatedButton.trigger();
    EXPECT_EQ(gatedRuns, 1);

    // An action still enabled from before does not run a command that is disabled now.
    open = false;
    gatedButton.trigger();
    EXPECT_EQ(gatedRuns, 1);
    EXPECT_FALSE(gatedMenu.isEnabled());

    // A change of the document shows at once, with no timer involved, and is announced.
    QSignalSpy announced(&frame, &framework::FrameWindow::documentChanged);
    open = true;
    doc.SetModifiedFlag();
    EXPECT_TRUE(gatedMenu.isEnabled());
    EXPECT_EQ(announced.count(), 1);
    open = false;
    doc.UpdateAllViews(nullptr);
    EXPECT_FALSE(gatedMenu.isEnabled());
    EXPECT_FALSE(gatedButton.isChecked());
}

TEST_F(FrameCommandsTest, EnablingFollowsTheFocusedEditAndTheClipboardAtOnce) {
    const int kCopy = kCommand;
    const int kPaste = kCommand + 1;
    TestView view;
    view.pane = new QWidget;
    auto* edit = new QLineEdit(QStringLiteral("Knopf"), view.pane);
    auto* list = new QListWidget(view.pane);
    list->addItems({QStringLiteral("a"), QStringLiteral("b")});
    frame.setCentralWidget(view.pane);
    doc.AddView(&view);
    // Copy wants a selection in the focused edit, paste text on the clipboard.
    const auto focusedEdit = [] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); };
    view.onCommand(kCopy, [] {});
    view.onUpdate(kCopy, [&](CommandUI& ui) {
        ui.Enable(focusedEdit() != nullptr && focusedEdit()->hasSelectedText());
    });
    view.onCommand(kPaste, [] {});
    view.onUpdate(kPaste, [](CommandUI& ui) {
        ui.Enable(!QApplication::clipboard()->text().isEmpty());
    });
    QAction copy;
    QAction paste;
    frame.addCommandAction(kCopy, &copy);
    frame.addCommandAction(kPaste, &paste);
    QApplication::clipboard()->clear();
    frame.show();
    frame.activateWindow();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

    edit->setFocus();
    EXPECT_FALSE(copy.isEnabled());
    edit->selectAll();
    EXPECT_TRUE(copy.isEnabled()) << "a new selection in the focused edit";
    list->setFocus();
    EXPECT_FALSE(copy.isEnabled()) << "the focus left the edit";
    edit->setFocus();
    edit->selectAll();
    EXPECT_TRUE(copy.isEnabled());
    edit->deselect();
    EXPECT_FALSE(copy.isEnabled());

    EXPECT_FALSE(paste.isEnabled());
    QApplication::clipboard()->setText(QStringLiteral("Text"));
    EXPECT_TRUE(paste.isEnabled()) << "the clipboard changed";
    QApplication::clipboard()->clear();
    EXPECT_FALSE(paste.isEnabled());
}

TEST_F(FrameCommandsTest, AnActionThatIsGoneIsSkipped) {
    doc.onCommand(kCommand, [] {});
    auto* action = new QAction;
    frame.addCommandAction(kCommand, action);
    delete action;
    frame.updateCommandUI();
    EXPECT_TRUE(frame.dispatch(kCommand));
}

}  // namespace
