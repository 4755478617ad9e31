#include "ui/shell/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <algorithm>

#include "framework/CommandBars.h"
#include "framework/Document.h"
#include "framework/Resources.h"
#include "framework/SplitterWindow.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/history/HistoryDock.h"
#include "ui/history/LibraryHistory.h"
#include "ui/shell/TolvaneApp.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/shell/TolvaneViewBlank.h"
#include "ui/shell/WindowArrangement.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"

namespace {

constexpr int kTreePane = 0;
constexpr int kFormPane = 1;
constexpr int kCapsLockPane = 59137;
constexpr int kNumLockPane = 59138;
constexpr int kScrollLockPane = 59139;

}  // namespace

CMainFrame::CMainFrame(framework::Document& document) : FrameWindow(document) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(QIcon(framework::Resources::path(QStringLiteral("icons/tolvane-32.png"))));
    setAcceptDrops(true);
    arrangement = new WindowArrangement(*this);
    OnCreate();
    OnCreateClient();
    createPreview();
    createHistory();
    updateTitle();
}

void CMainFrame::OnCreate() {
    recentPlaceholder = framework::loadMenu(*this, IDR_MAINFRAME, &fileMenu);
    if (fileMenu != nullptr) {
        connect(fileMenu, &QMenu::aboutToShow, this, &CMainFrame::updateRecentFiles);
    }
    framework::loadAccelerators(*this, IDR_MAINFRAME);

    mainBar = framework::loadToolBar(*this, IDR_MAINFRAME, QStringLiteral("mainToolBar"));
    resourceBar =
        framework::loadToolBar(*this, IDR_RESOURCE_TOOLBAR, QStringLiteral("resourceToolBar"));
    addToolBar(Qt::TopToolBarArea, mainBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, resourceBar);
    createStatusBar();

    // "Symbolleiste" shows and hides the main tool bar only; the resource bar keeps its state.
    onCommand(framework::ID_VIEW_TOOLBAR, [this] { mainBar->setVisible(!mainBar->isVisible()); });
    onUpdate(framework::ID_VIEW_TOOLBAR, [this](framework::CommandUI& ui) {
        ui.SetCheck(!mainBar->isHidden());
        ui.Enable();
    });
    onCommand(framework::ID_VIEW_STATUS_BAR,
              [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    onUpdate(framework::ID_VIEW_STATUS_BAR, [this](framework::CommandUI& ui) {
        ui.SetCheck(!statusBar()->isHidden());
        ui.Enable();
    });
    onCommand(framework::ID_NEXT_PANE, [this] { moveFocusToPane(1); });
    onCommand(framework::ID_PREV_PANE, [this] { moveFocusToPane(-1); });
    onCommand(ID_VIEW_RESET_ARRANGEMENT, [this] { arrangement->reset(); });
}

void CMainFrame::createStatusBar() {
    messagePane = new QLabel;
    messagePane->setSizePolicy(QSizePolicy::Ignored,
                               QSizePolicy::Preferred);  // a long text never widens the window
    SetMessageText(QString());
    statusBar()->addWidget(messagePane, 1);
    // The lock states of the keyboard cannot be read here; the panes keep their place greyed.
    for (const int pane : {kCapsLockPane, kNumLockPane, kScrollLockPane}) {
        auto* label = new QLabel(framework::Resources::LoadString(pane));
        label->setObjectName(QStringLiteral("pane%1").arg(pane));
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
    }
}

void CMainFrame::SetMessageText(const QString& text) {
    messagePane->setText(
        text.isEmpty() ? framework::Resources::LoadString(framework::AFX_IDS_IDLEMESSAGE) : text);
}

QString CMainFrame::messageText() const {
    return messagePane->text();
}

// The preview beside the form follows the tree's selection and every change of the library.
void CMainFrame::createPreview() {
    previewDock = new CPreviewDock(*this);
    // The texture is where a person works: the panel takes all the width the tree and the
    // form beside it can spare.
    arrangement->addDock(
        *previewDock, QStringLiteral("Preview"), Qt::RightDockWidgetArea, true, [this] {
            return width() - CTolvaneView_Button::PreferredWidth() -
                   style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
        });
    arrangement->addSplitter(*previewDock->panel()->viewSplitter(), QStringLiteral("Panes/views"),
                             [this] { return previewDock->panel()->defaultViewSizes(); });
    onCommand(ID_VIEW_PREVIEW, [this] { previewDock->setVisible(previewDock->isHidden()); });
    onUpdate(ID_VIEW_PREVIEW, [this](framework::CommandUI& ui) {
        ui.SetCheck(!previewDock->isHidden());
        ui.Enable();
    });
    // Runs after the tree's own handler, which has replaced the form by then.
    connect(currentTreeView, &QTreeWidget::itemSelectionChanged, previewDock,
            &CPreviewDock::Refresh);
    // Every change of the library marks the document modified, which the frame hears of.
    connect(this, &FrameWindow::documentChanged, previewDock, &CPreviewDock::Refresh);
}

// The "Verlauf" panel, hidden until the user shows it.
void CMainFrame::createHistory() {
    historyDock = new CHistoryDock(*this, currentDocument->history->stack());
    arrangement->addDock(*historyDock, QStringLiteral("History"), Qt::RightDockWidgetArea, false,
                         [] { return 0; });
    onCommand(ID_VIEW_HISTORY, [this] { historyDock->setVisible(historyDock->isHidden()); });
    onUpdate(ID_VIEW_HISTORY, [this](framework::CommandUI& ui) {
        ui.SetCheck(!historyDock->isHidden());
        ui.Enable();
    });
}

// The tree above the form, so that the form's area list has the width it needs and the
// texture beside them the rest.
void CMainFrame::OnCreateClient() {
    splitterWindow = new framework::SplitterWindow(2, Qt::Vertical, this);
    splitterWindow->setObjectName(QStringLiteral("splitter"));
    splitterWindow->setPaneStretch(kTreePane, 0);
    splitterWindow->setPaneStretch(kFormPane, 1);
    setCentralWidget(splitterWindow);

    auto* tree = new CTolvaneView;
    document().AddView(tree);
    splitterWindow->CreateView(kTreePane, tree);
    auto* blank = new CTolvaneView_Blank;
    document().AddView(blank);
    splitterWindow->CreateView(kFormPane, blank);
    SetActiveView(tree);
    // A third of the height for the tree.
    arrangement->addSplitter(*splitterWindow, QStringLiteral("Panes/treeAndForm"), [this] {
        const int room = splitterWindow->height() - splitterWindow->handleWidth();
        return QList<int>{room / 3, room - room / 3};
    });
}

void CMainFrame::SwitchRightPane(int kind) {
    if (GetActiveView() == splitterWindow->GetPane(kFormPane)) {
        SetActiveView(splitterWindow->GetPane(kTreePane));
    }
    splitterWindow->DeleteView(kFormPane);
    framework::View* form = nullptr;
    if (kind == 0) {
        form = new CTolvaneView_Button;
    } else {
        form = new CTolvaneView_Blank;
    }
    document().AddView(form);
    splitterWindow->CreateView(kFormPane, form);
    form->OnInitialUpdate();
    if (kind == 0 && currentButtonView != nullptr) {
        currentButtonView->FillFromSelection();
    }
}

// F6 and Shift+F6 go round the tree, the form and, while the panel shows, the texture view
// and the button view.
void CMainFrame::moveFocusToPane(int step) {
    std::vector<QWidget*> stops{splitterWindow->GetPane(kTreePane)->widget(),
                                splitterWindow->GetPane(kFormPane)->widget()};
    if (previewDock->isVisible()) {
        stops.push_back(previewDock->panel()->textureView());
        stops.push_back(previewDock->panel()->compositionView());
    }
    const QWidget* focus = QApplication::focusWidget();
    const auto holding = std::find_if(stops.begin(), stops.end(), [focus](const QWidget* stop) {
        return focus != nullptr && (stop == focus || stop->isAncestorOf(focus));
    });
    // Without the focus in any of them, the active view counts.
    const framework::View* active = GetActiveView();
    const std::size_t current = holding != stops.end()
                                    ? static_cast<std::size_t>(holding - stops.begin())
                                : active == splitterWindow->GetPane(kFormPane) ? kFormPane
                                                                               : kTreePane;
    const std::size_t next =
        (current + stops.size() + static_cast<std::size_t>(step)) % stops.size();
    stops[next]->setFocus(Qt::OtherFocusReason);
    for (const int pane : {kTreePane, kFormPane}) {
        if (splitterWindow->GetPane(pane)->widget() == stops[next]) {
            SetActiveView(splitterWindow->GetPane(pane));
        }
    }
}

void CMainFrame::updateRecentFiles() {
    if (auto* app = CTolvaneApp::instance(); app != nullptr && recentPlaceholder != nullptr) {
        app->recentFiles().updateMenu(fileMenu, recentPlaceholder, framework::ID_FILE_MRU_FIRST,
                                      [this](int id) { dispatch(id); });
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!document().SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
    if (auto* app = CTolvaneApp::instance()) {
        app->frameClosed();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

// Of several files dropped at once, the first is opened.
void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            activateWindow();
            framework::Application::instance()->OpenDocumentFile(url.toLocalFile());
            return;
        }
    }
}
