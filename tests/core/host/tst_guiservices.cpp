#include "core/host/actions/action.h"
#include "core/host/actions/actionmanager.h"
#include "core/host/actions/command.h"
#include "core/host/actions/commandcontainer.h"
#include "core/host/progress/progressdialog.h"
#include "core/host/progress/progressworker.h"
#include "core/host/widgets/comboboxsorted.h"
#include "core/host/widgets/docktile.h"
#include "core/host/widgets/elidecomboboxlistview.h"
#include "core/host/widgets/filterlineedit.h"
#include "core/host/widgets/modelmenu.h"
#include "core/host/widgets/movewidgetrelatively.h"
#include "core/host/widgets/objectdeleter.h"
#include "core/host/widgets/outlinewidget.h"
#include "core/host/widgets/pushbuttonsend.h"
#include "core/host/widgets/slidergroup.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardItemModel>
#include <QThread>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

// Counts work steps and notes the step at which the user's cancel arrives and the one at which it is seen.
class CountingWorker : public ProgressWorker
{
public:
    CountingWorker(ProgressDialog* dialog, int steps, int cancelAt, std::function<void()> userAct)
        : ProgressWorker(dialog)
        , m_steps(steps)
        , m_cancelAt(cancelAt)
        , m_userAct(std::move(userAct))
    { }
    int run() override
    {
        for (int step = 0; step < m_steps; ++step) {
            dialog()->setProgress(step * 100 / m_steps);
            if (step == m_cancelAt)
                QTimer::singleShot(0, m_userAct);
            if (!processEvents()) {
                stoppedAt = step;
                return -1;
            }
            ++done;
        }
        return done;
    }
    int done = 0;
    int stoppedAt = -1;

private:
    int m_steps;
    int m_cancelAt;
    std::function<void()> m_userAct;
};

// Works for a given time, pausing every few milliseconds, and notes whether its window was ever up.
class TimedWorker : public ProgressWorker
{
public:
    TimedWorker(ProgressDialog* dialog, int ms)
        : ProgressWorker(dialog)
        , m_ms(ms)
    { }
    int run() override
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < m_ms) {
            QThread::msleep(5);
            if (!processEvents())
                return -1;
            shown = shown || dialog()->isVisible();
        }
        return 1;
    }
    bool shown = false;

private:
    int m_ms;
};

QString menuTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->menu() ? a->text() + QStringLiteral("[") + menuTexts(a->menu()) + QStringLiteral("]") : a->text());
    return texts.join(QLatin1Char(' '));
}

QToolButton* buttonOf(QLineEdit* edit, QAction* action)
{
    for (QToolButton* b : edit->findChildren<QToolButton*>()) {
        if (b->defaultAction() == action)
            return b;
    }
    return nullptr;
}

} // namespace

class tst_GuiServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandStandsForTheActionOfTheActiveWindow()
    {
        ActionManager::instance()->registerCommand(
            QStringLiteral("Export"), QStringLiteral("Экспорт"), QIcon(), QKeySequence(QStringLiteral("Ctrl+E")));
        QWidget first, second;
        auto* a = new Action(QStringLiteral("Export"), &first);
        auto* b = new Action(QStringLiteral("Export"), &second);
        first.addAction(a);
        second.addAction(b);
        // The look is defined once and reaches every window's action, also when it changes later.
        QCOMPARE(a->text(), QStringLiteral("Экспорт"));
        QCOMPARE(b->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
        QCOMPARE(a->shortcutContext(), Qt::WidgetWithChildrenShortcut);
        Command* command = ActionManager::instance()->command(QStringLiteral("Export"));
        command->setText(QStringLiteral("Экспорт в файл"));
        QCOMPARE(a->text(), QStringLiteral("Экспорт в файл"));
        QCOMPARE(command->commandAction()->text(), QStringLiteral("Экспорт в файл"));

        QSignalSpy firstTriggered(a, &QAction::triggered), secondTriggered(b, &QAction::triggered);
        first.show();
        second.show();
        QApplication::setActiveWindow(&first);
        QCOMPARE(command->currentAction(), a);
        command->commandAction()->trigger();
        QCOMPARE(firstTriggered.count(), 1);
        QCOMPARE(secondTriggered.count(), 0);

        QApplication::setActiveWindow(&second);
        QCOMPARE(command->currentAction(), b);
        b->setEnabled(false);
        QVERIFY(!command->commandAction()->isEnabled());
        command->commandAction()->trigger();
        QCOMPARE(secondTriggered.count(), 0);
        b->setEnabled(true);
        command->commandAction()->trigger();
        QCOMPARE(secondTriggered.count(), 1);

        // A window that closes leaves the stand-in to the remaining one.
        delete b;
        QCOMPARE(command->currentAction(), a);

        // Panes of one main window: the one holding the focus has it.
        auto* left = new QLineEdit(&first);
        auto* right = new QLineEdit(&first);
        auto* leftAction = new Action(QStringLiteral("Export"), left);
        auto* rightAction = new Action(QStringLiteral("Export"), right);
        left->show();
        right->show();
        QApplication::setActiveWindow(&first);
        left->setFocus();
        QCOMPARE(command->currentAction(), leftAction);
        right->setFocus();
        QCOMPARE(command->currentAction(), rightAction);
    }

    void checkableCommandKeepsTheStateTheUserClicked()
    {
        QWidget window;
        auto* a = new Action(QStringLiteral("ExportDynamic"), &window);
        a->setCheckable(true);
        window.show();
        QApplication::setActiveWindow(&window);
        QAction* proxy = ActionManager::instance()->command(QStringLiteral("ExportDynamic"))->commandAction();
        QVERIFY(proxy->isCheckable());
        QSignalSpy toggled(a, &QAction::toggled);
        proxy->trigger();
        QVERIFY(a->isChecked());
        QVERIFY(proxy->isChecked());
        proxy->trigger();
        QVERIFY(!a->isChecked());
        QCOMPARE(toggled.count(), 2);
    }

    void containerMakesToolBarsAndMenusOfCommands()
    {
        ActionManager::instance()->registerCommand(QStringLiteral("Copy"), QStringLiteral("Копировать"));
        ActionManager::instance()->registerCommand(QStringLiteral("Find"), QStringLiteral("Найти"));
        QWidget window;
        CommandContainer container(QStringLiteral("TableToolBar"), &window);
        container.addCommand(QStringLiteral("Copy"));
        container.addSeparator();
        container.addCommand(QStringLiteral("Find"));
        QCOMPARE(ActionManager::instance()->container(QStringLiteral("TableToolBar")), &container);
        QToolBar* bar = container.createToolBar(&window);
        QCOMPARE(bar->actions().size(), 3);
        QCOMPARE(bar->actions().at(0), ActionManager::instance()->command(QStringLiteral("Copy"))->commandAction());
        QVERIFY(bar->actions().at(1)->isSeparator());
        QCOMPARE(menuTexts(container.createMenu(&window)), QStringLiteral("Копировать  Найти"));
    }

    void progressDialogCancelsWithinOneSlice_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel button") << "button";
        QTest::newRow("Escape key") << "escape";
        QTest::newRow("window closed") << "close";
    }
    void progressDialogCancelsWithinOneSlice()
    {
        QFETCH(QString, how);
        ProgressDialog dialog;
        dialog.setText(QStringLiteral("Экспортирую таблицу 'Заявки'"));
        auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("cancel"));
        QVERIFY(cancel);
        CountingWorker worker(&dialog, 1000, 37, [&] {
            if (how == QLatin1String("button"))
                QTest::mouseClick(cancel, Qt::LeftButton);
            else if (how == QLatin1String("escape"))
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.close();
        });
        QCOMPARE(dialog.execWorker(&worker), -1);
        QVERIFY(dialog.wasCanceled());
        // The very next pause sees it.
        QCOMPARE(worker.stoppedAt, 37);
        QVERIFY(!dialog.isVisible());
    }

    void progressWindowOfAShortBackgroundJobNeverShows()
    {
        ProgressDialog dialog;
        dialog.setMinimumDuration(300);
        TimedWorker quick(&dialog, 100);
        QCOMPARE(dialog.execWorker(&quick), 1);
        QVERIFY(!quick.shown);
        TimedWorker slow(&dialog, 600);
        QCOMPARE(dialog.execWorker(&slow), 1);
        QVERIFY(slow.shown);
        QVERIFY(!dialog.isVisible());
    }

    void progressDialogRunsAWorkerToItsEnd()
    {
        ProgressDialog dialog;
        CountingWorker worker(&dialog, 50, -1, [] {});
        QSignalSpy canceled(&dialog, &ProgressDialog::canceled);
        QCOMPARE(dialog.execWorker(&worker), 50);
        QCOMPARE(canceled.count(), 0);
        QCOMPARE(dialog.progress(), 98);
        // The same dialog runs the next job afresh.
        CountingWorker again(&dialog, 10, 3, [&] { dialog.cancel(); });
        QCOMPARE(dialog.execWorker(&again), -1);
        CountingWorker third(&dialog, 5, -1, [] {});
        QCOMPARE(dialog.execWorker(&third), 5);
    }

    void modelMenuShowsTheModelAsItIsWhenOpened()
    {
        QStandardItemModel model;
        auto* csv = new QStandardItem(QStringLiteral("CSV"));
        auto* dbf = new QStandardItem(QStringLiteral("dBASE"));
        dbf->appendRow(new QStandardItem(QStringLiteral("dBASE IV")));
        dbf->appendRow(new QStandardItem(QStringLiteral("dBASE 7")));
        auto* off = new QStandardItem(QStringLiteral("XLS"));
        off->setEnabled(false);
        auto* checked = new QStandardItem(QStringLiteral("Заголовки"));
        checked->setCheckable(true);
        checked->setCheckState(Qt::Checked);
        model.appendRow({ csv });
        model.appendRow({ dbf });
        model.appendRow({ off });
        model.appendRow({ checked });
        ModelMenu menu;
        menu.setModel(&model);
        QCOMPARE(menuTexts(&menu), QStringLiteral("CSV dBASE[dBASE IV dBASE 7] XLS Заголовки"));
        QVERIFY(!menu.actions().at(2)->isEnabled());
        QVERIFY(menu.actions().at(3)->isChecked());

        QSignalSpy activated(&menu, &ModelMenu::activated);
        menu.actions().at(1)->menu()->actions().at(1)->trigger();
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.first().first().toModelIndex().data().toString(), QStringLiteral("dBASE 7"));

        model.removeRow(0);
        QMetaObject::invokeMethod(&menu, "aboutToShow");
        QCOMPARE(menuTexts(&menu), QStringLiteral("dBASE[dBASE IV dBASE 7] XLS Заголовки"));
        menu.setTextRole(Qt::ToolTipRole);
        model.clear();
        menu.createBaseMenu();
        QCOMPARE(menuTexts(&menu), QStringLiteral("(нет)"));
    }

    void outlineSectionsCollapseByMouseAndKeyboard()
    {
        OutlineWidget outline;
        auto* sides = new QLabel(QStringLiteral("Купля / продажа"));
        auto* accounts = new QLabel(QStringLiteral("Счета"));
        QCOMPARE(outline.addWidget(sides, QStringLiteral("Направление")), 0);
        QCOMPARE(outline.addWidget(accounts, QStringLiteral("Счёт")), 1);
        QCOMPARE(outline.count(), 2);
        outline.resize(300, 300);
        outline.show();
        QVERIFY(QTest::qWaitForWindowExposed(&outline));
        const QList<QToolButton*> titles = outline.findChildren<QToolButton*>(QStringLiteral("title"));
        QCOMPARE(titles.size(), 2);

        QSignalSpy expanded(&outline, &OutlineWidget::expandedChanged);
        QTest::mouseClick(titles.at(0), Qt::LeftButton);
        QVERIFY(!outline.isExpanded(0));
        QVERIFY(!sides->isVisible());
        QCOMPARE(expanded.takeFirst(), (QList<QVariant> { 0, false }));
        titles.at(0)->setFocus();
        QTest::keyClick(titles.at(0), Qt::Key_Right);
        QVERIFY(sides->isVisible());
        QTest::keyClick(titles.at(0), Qt::Key_Space);
        QVERIFY(!sides->isVisible());

        outline.expandAll();
        outline.collapseAll();
        QVERIFY(!outline.isExpanded(0) && !outline.isExpanded(1));
        outline.setRowHidden(1, true);
        QVERIFY(outline.isRowHidden(1));
        QVERIFY(!titles.at(1)->isVisible());

        // Bold marks a highlighted section only while highlighting is on.
        outline.setRowHighlighted(1, true);
        QVERIFY(!titles.at(1)->font().bold());
        outline.setHighlightedFontEnabled(true);
        QVERIFY(titles.at(1)->font().bold());
        QVERIFY(!titles.at(0)->font().bold());
    }

    void fancyEditOpensItsButtonMenu()
    {
        FancyLineEdit edit;
        QMenu menu;
        menu.addAction(QStringLiteral("Код"));
        menu.addAction(QStringLiteral("Название"));
        edit.setButtonIcon(FancyLineEdit::Right, edit.style()->standardIcon(QStyle::SP_ArrowDown));
        edit.setButtonMenu(FancyLineEdit::Right, &menu);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QToolButton* button = buttonOf(&edit, edit.buttonAction(FancyLineEdit::Right));
        QVERIFY(button && button->isVisible());
        QSignalSpy clicked(&edit, &FancyLineEdit::rightButtonClicked);
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(menu.isVisible());
        QCOMPARE(clicked.count(), 0);
        // Below the edit, not over the text being typed.
        QVERIFY(menu.geometry().top() >= edit.mapToGlobal(edit.rect().bottomLeft()).y());
        menu.hide();
        edit.setFocus();
        QTest::keyClick(&edit, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(menu.isVisible());
        menu.hide();
        edit.setButtonMenu(FancyLineEdit::Right, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    void filterEditReportsOnceTypingPauses()
    {
        FilterLineEdit edit;
        edit.setDelay(30);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QSignalSpy changed(&edit, &FilterLineEdit::filterChanged);
        QToolButton* clear = buttonOf(&edit, edit.buttonAction(FancyLineEdit::Right));
        QVERIFY(clear && !clear->isVisible());
        QTest::keyClicks(&edit, QStringLiteral("RTS"));
        QCOMPARE(changed.count(), 0);
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(changed.takeFirst().first().toString(), QStringLiteral("RTS"));
        QVERIFY(clear->isVisible());
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.takeFirst().first().toString(), QString());
        QTest::keyClicks(&edit, QStringLiteral("Si"));
        QTest::keyClick(&edit, Qt::Key_Return);
        QCOMPARE(changed.takeFirst().first().toString(), QStringLiteral("Si"));
        QTest::keyClick(&edit, Qt::Key_Escape);
        QCOMPARE(changed.takeFirst().first().toString(), QString());
        QTest::qWait(60);
        QCOMPARE(changed.count(), 0);
    }

    void sortedComboKeepsOrderAndCurrentItem()
    {
        QStandardItemModel boards;
        for (const char* name : { "Board 10", "board 9", "Board 2" })
            boards.appendRow(new QStandardItem(QString::fromLatin1(name)));
        ComboBoxSorted box;
        box.setSortedModel(&boards, 0);
        const auto order = [&] {
            QStringList texts;
            for (int i = 0; i < box.count(); ++i)
                texts << box.itemText(i);
            return texts.join(QLatin1Char('|'));
        };
        QCOMPARE(order(), QStringLiteral("Board 2|board 9|Board 10"));
        box.setCurrentIndex(1);
        boards.appendRow(new QStandardItem(QStringLiteral("Board 1")));
        QCOMPARE(order(), QStringLiteral("Board 1|Board 2|board 9|Board 10"));
        QCOMPARE(box.currentText(), QStringLiteral("board 9"));
        QCOMPARE(box.currentSourceIndex(), boards.index(1, 0));
        box.setSortedModel(&boards, 0, Qt::DisplayRole, Qt::CaseInsensitive, false);
        QCOMPARE(order(), QStringLiteral("Board 10|board 9|Board 2|Board 1"));
    }

    void narrowComboOpensAListWideEnoughToRead()
    {
        QComboBox box;
        auto* view = new ElideComboBoxListView(&box);
        box.addItems({ QStringLiteral("F001"), QStringLiteral("F002 ООО «Брокер 2» — расчётная фирма") });
        box.setFixedWidth(80);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.showPopup();
        QTRY_VERIFY(view->isVisible());
        QCOMPARE(view->window()->width(), 80);
        box.hidePopup();
        view->setAutoWidth(true);
        box.showPopup();
        QTRY_VERIFY(view->isVisible());
        const int wide = view->window()->width();
        QVERIFY(wide > 80);
        QCOMPARE(wide, view->preferredPopupWidth());
        QVERIFY(wide <= box.screen()->availableGeometry().width());
        QVERIFY(view->visualRect(view->model()->index(1, 0)).width() <= view->viewport()->width());
        box.hidePopup();
    }

    void sharedObjectGoesWithItsLastOwner()
    {
        auto* first = new QObject;
        auto* second = new QObject;
        auto* shared = new ObjectDeleter(first);
        auto* payload = new QObject(shared);
        shared->addParent(second);
        shared->addParent(second);
        QCOMPARE(shared->parentCount(), 2);
        QSignalSpy gone(payload, &QObject::destroyed);
        delete first;
        QCOMPARE(gone.count(), 0);
        delete second;
        QCOMPARE(gone.count(), 1);
    }

    void attentionRequestLastsUntilTheWindowIsActivated()
    {
        QWidget active, background;
        auto* child = new QLabel(&background);
        active.show();
        background.show();
        QApplication::setActiveWindow(&active);
        DockTile::alert(true, child);
        QVERIFY(DockTile::isAlerting(&background));
        DockTile::alert(true, &active);
        QVERIFY(!DockTile::isAlerting(&active));
        QApplication::setActiveWindow(&background);
        QVERIFY(!DockTile::isAlerting(&background));
        QApplication::setActiveWindow(&active);
        DockTile::alert(true, &background);
        DockTile::alert(false, &background);
        QVERIFY(!DockTile::isAlerting(&background));
    }

    void placedWidgetStaysOnTheAnchorsScreen()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget anchor;
        anchor.setGeometry(screen.left() + 100, screen.top() + 100, 40, 20);
        anchor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&anchor));
        const QRect a(anchor.mapToGlobal(QPoint(0, 0)), anchor.size());
        QWidget popup(nullptr, Qt::Tool);
        popup.resize(120, 60);
        moveWidgetRelatively(&popup, &anchor, Qt::AlignRight | Qt::AlignBottom);
        QCOMPARE(popup.pos(), a.bottomRight() + QPoint(1, 1));
        moveWidgetRelatively(&popup, &anchor, Qt::AlignCenter);
        QCOMPARE(QRect(popup.pos(), popup.size()).center(), a.center());
        // Left of an anchor at the screen's left edge would leave the screen: it is pulled back whole.
        anchor.move(screen.left(), screen.bottom() - 30);
        moveWidgetRelatively(&popup, &anchor, Qt::AlignLeft | Qt::AlignBottom);
        QVERIFY(screen.contains(QRect(popup.pos(), popup.size())));
    }

    void sendButtonSendsOnceOnADoubleClick()
    {
        PushButtonSend button;
        button.setGuardTime(80);
        button.setSide(QLatin1Char('S'));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy clicked(&button, &QPushButton::clicked);
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::keyClick(&button, Qt::Key_Space);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(button.isGuarded());
        // The form disabling the button meanwhile is not undone by the guard.
        button.setEnabled(false);
        QTRY_VERIFY(!button.isGuarded());
        QVERIFY(!button.isEnabled());
        button.setEnabled(true);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 2);
    }

    void sliderGroupHoldsAValueOnlyWhileChecked()
    {
        SliderGroup group;
        group.setMinimum(1);
        group.setMaximum(500);
        group.setCheckedText(QStringLiteral("Видимый объём"));
        group.setPlaceholderText(QStringLiteral("весь"));
        group.show();
        QVERIFY(QTest::qWaitForWindowExposed(&group));
        auto* edit = group.findChild<QLineEdit*>(QStringLiteral("edit"));
        auto* slider = group.findChild<QSlider*>(QStringLiteral("slider"));
        QCOMPARE(group.value(), -1);
        QVERIFY(!edit->isEnabled());
        QTest::mouseClick(group.findChild<QWidget*>(QStringLiteral("check")), Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(group.isChecked());
        QSignalSpy changed(&group, &SliderGroup::valueChanged);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("250"));
        QCOMPARE(group.value(), 250);
        QCOMPARE(slider->value(), 250);
        QCOMPARE(changed.last().first().toInt(), 250);
        // Beyond the maximum the validator stops the key: the value stays.
        QTest::keyClicks(edit, QStringLiteral("0"));
        QCOMPARE(group.value(), 250);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(edit->text(), QStringLiteral("251"));
        group.setValue(10000);
        QCOMPARE(group.value(), 500);
        group.setChecked(false);
        QCOMPARE(group.value(), -1);
        QVERIFY(edit->text().isEmpty());
    }
};

QTEST_MAIN(tst_GuiServices)
#include "tst_guiservices.moc"
