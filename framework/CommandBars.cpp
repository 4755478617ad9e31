#include "framework/CommandBars.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonObject>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>

#include "framework/FrameWindow.h"
#include "framework/Resources.h"

namespace framework {

namespace {

constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;

QString key(int id) {
    return QString::number(id);
}

QAction* commandAction(FrameWindow& frame, QObject* owner, const QString& text, int id) {
    auto* action = new QAction(text, owner);
    action->setStatusTip(commandPrompt(id));
    frame.addCommandAction(id, action);
    return action;
}

void fillMenu(FrameWindow& frame, QMenu* menu, const QJsonArray& items, QAction*& placeholder) {
    for (const QJsonValue& value : items) {
        const QJsonObject item = value.toObject();
        if (item.value(QStringLiteral("separator")).toBool()) {
            menu->addSeparator();
        } else if (item.contains(QStringLiteral("items"))) {
            QMenu* submenu = menu->addMenu(item.value(QStringLiteral("text")).toString());
            fillMenu(frame, submenu, item.value(QStringLiteral("items")).toArray(), placeholder);
        } else {
            const int id = item.value(QStringLiteral("id")).toInt();
            const QString text = item.value(QStringLiteral("text")).toString();
            if (item.value(QStringLiteral("mru")).toBool()) {
                placeholder = new QAction(text, menu);
                placeholder->setStatusTip(commandPrompt(id));
                placeholder->setEnabled(false);
                menu->addAction(placeholder);
            } else {
                menu->addAction(commandAction(frame, menu, text, id));
            }
        }
    }
}

}  // namespace

QString commandPrompt(int id) {
    return Resources::LoadString(id).section(QLatin1Char('\n'), 0, 0);
}

QString commandToolTip(int id) {
    return Resources::LoadString(id).section(QLatin1Char('\n'), 1, 1);
}

QAction* loadMenu(FrameWindow& frame, int id, QMenu** fileMenu) {
    QAction* placeholder = nullptr;
    for (const QJsonValue& value : Resources::data(QStringLiteral("menus"), key(id)).toArray()) {
        const QJsonObject popup = value.toObject();
        QMenu* menu = frame.menuBar()->addMenu(popup.value(QStringLiteral("text")).toString());
        QAction* before = placeholder;
        fillMenu(frame, menu, popup.value(QStringLiteral("items")).toArray(), placeholder);
        if (fileMenu != nullptr && placeholder != before) {
            *fileMenu = menu;
        }
        QObject::connect(menu, &QMenu::aboutToShow, &frame, &FrameWindow::updateCommandUI);
    }
    return placeholder;
}

QToolBar* loadToolBar(FrameWindow& frame, int id, const QString& objectName) {
    const QJsonObject data = Resources::data(QStringLiteral("toolbars"), key(id)).toObject();
    const QPixmap strip(Resources::path(data.value(QStringLiteral("image")).toString()));
    auto* bar = new QToolBar(&frame);
    bar->setObjectName(objectName);
    bar->setIconSize(QSize(kButtonWidth, kButtonHeight));
    int picture = 0;
    for (const QJsonValue& value : data.value(QStringLiteral("buttons")).toArray()) {
        const int command = value.toInt();
        if (command == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = commandAction(frame, bar, commandToolTip(command), command);
        action->setToolTip(commandToolTip(command));
        action->setIcon(
            QIcon(strip.copy(picture++ * kButtonWidth, 0, kButtonWidth, kButtonHeight)));
        bar->addAction(action);
    }
    return bar;
}

void loadAccelerators(FrameWindow& frame, int id) {
    for (const QJsonValue& value :
         Resources::data(QStringLiteral("accelerators"), key(id)).toArray()) {
        const QJsonObject entry = value.toObject();
        const int command = entry.value(QStringLiteral("id")).toInt();
        QAction* action = commandAction(frame, &frame, QString(), command);
        action->setShortcut(QKeySequence(entry.value(QStringLiteral("key")).toString()));
        action->setShortcutContext(Qt::WindowShortcut);
        frame.addAction(action);
    }
}

}  // namespace framework
