#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

// What a trader does with the mouse, as the platform delivers it: a right click reaches the widget under the
// pointer (a view's viewport, a header) as a context menu event at that point.
namespace TraderHands {

// The texts of a menu's actions, sub-menus as "title/action".
inline QStringList menuTexts(const QMenu* menu, const QString& prefix = QString())
{
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        texts << prefix + action->text();
        if (action->menu())
            texts << menuTexts(action->menu(), prefix + action->text() + QLatin1Char('/'));
    }
    return texts;
}

// Right-clicks `target` at `at` (its own coordinates) and returns the texts of the menu that opens (empty when
// none does). When an action's text starts with `choose` it is clicked (a sub-menu's action by "title/action"),
// otherwise the menu is closed with Esc. Works whether the menu pops up or runs a loop of its own.
inline QStringList rightClick(QWidget* target, const QPoint& at, const QString& choose = QString())
{
    struct State
    {
        QStringList texts;
        bool done = false;
    };
    const auto state = std::make_shared<State>();
    const auto handle = [state, choose](QMenu* menu) {
        state->done = true;
        state->texts = menuTexts(menu);
        QStringList path = choose.split(QLatin1Char('/'));
        QMenu* in = menu;
        QAction* picked = nullptr;
        while (!choose.isEmpty() && in && !path.isEmpty()) {
            const QString step = path.takeFirst();
            picked = nullptr;
            for (QAction* action : in->actions()) {
                if (!action->isSeparator() && action->text().startsWith(step)) {
                    picked = action;
                    break;
                }
            }
            if (!picked || !picked->menu() || path.isEmpty())
                break;
            in->setActiveAction(picked);
            in = picked->menu();
            in->popup(menu->pos());
            if (!QTest::qWaitForWindowExposed(in))
                break;
        }
        if (picked && path.isEmpty())
            QTest::mouseClick(in, Qt::LeftButton, {}, in->actionGeometry(picked).center());
        else
            QTest::keyClick(menu, Qt::Key_Escape);
    };
    const auto active = [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); };
    // A menu with a loop of its own is handled from inside that loop.
    const auto look = std::make_shared<std::function<void()>>();
    *look = [state, look, handle, active] {
        if (state->done)
            return;
        if (QMenu* menu = active())
            handle(menu);
        else
            QTimer::singleShot(5, *look);
    };
    QTimer::singleShot(0, *look);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QCoreApplication::sendEvent(target, &event);
    if (!state->done && QTest::qWaitFor([&] { return active() != nullptr; }, 1000) && !state->done)
        handle(active());
    state->done = true;
    *look = nullptr; // it holds itself to run again
    return state->texts;
}

// A key as the platform delivers it: to the popup open (a completion list) if there is one, else to the widget
// with focus.
inline void press(Qt::Key key)
{
    QWidget* popup = QApplication::activePopupWidget();
    QTest::keyClick(popup ? popup : QApplication::focusWidget(), key);
}

// The centre of a cell of a view, in its viewport's coordinates.
inline QPoint cellPoint(const QAbstractItemView* view, const QModelIndex& index)
{
    return view->visualRect(index).center();
}

} // namespace TraderHands
