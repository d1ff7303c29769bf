#include "delegates/buttondelegate.h"
#include "delegates/checkboxdelegate.h"
#include "delegates/comboboxcontainer.h"
#include "delegates/comboboxdelegate.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QTableView>
#include <QtTest>

Q_DECLARE_METATYPE(QAbstractItemDelegate::EndEditHint)

namespace {

// A factory that offers no list for cells of the first column.
class SidesFactory : public ComboBoxContainerFactory
{
public:
    using ComboBoxContainerFactory::ComboBoxContainerFactory;
    QComboBox* createComboBox(QAbstractItemView* view, ComboBoxContainer* container, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override
    {
        if (index.column() == 0)
            return nullptr;
        return ComboBoxContainerFactory::createComboBox(view, container, option, index);
    }
};

QStyleOptionViewItem cellOption(const QRect& rect)
{
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = QStyle::State_Enabled;
    return option;
}

QMouseEvent mouse(QEvent::Type type, const QPoint& at)
{
    return QMouseEvent(type, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
}

} // namespace

class tst_WidgetDelegates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<QAbstractItemDelegate::EndEditHint>(); }

    void comboBoxEditsACellWithTheFactorysList()
    {
        // Given a side column edited with a list of "Купля" and "Продажа".
        QStandardItemModel model(1, 2);
        model.setData(model.index(0, 1), QStringLiteral("Продажа"));
        QStringListModel sides({ QStringLiteral("Купля"), QStringLiteral("Продажа") });
        ComboBoxDelegate delegate;
        auto* factory = new SidesFactory(&delegate);
        factory->setModel(&sides);
        delegate.setContainerFactory(factory);
        QWidget parent;

        // A cell without a list gets no editor.
        QVERIFY(!delegate.createEditor(&parent, cellOption(QRect(0, 0, 80, 20)), model.index(0, 0)));

        // The editor is a container whose combo box takes the focus and shows the cell's value.
        QWidget* editor = delegate.createEditor(&parent, cellOption(QRect(0, 0, 80, 20)), model.index(0, 1));
        auto* container = qobject_cast<ComboBoxContainer*>(editor);
        QVERIFY(container);
        QCOMPARE(container->objectName(), QStringLiteral("ComboBoxContainer"));
        QCOMPARE(container->focusProxy(), container->comboBox());
        delegate.setEditorData(editor, model.index(0, 1));
        QCOMPARE(container->comboBox()->currentText(), QStringLiteral("Продажа"));

        // A value the list does not have (the match is case-sensitive) selects the first item.
        model.setData(model.index(0, 1), QStringLiteral("продажа"));
        delegate.setEditorData(editor, model.index(0, 1));
        QCOMPARE(container->comboBox()->currentIndex(), 0);

        // Committing writes the chosen text.
        container->comboBox()->setCurrentIndex(1);
        delegate.setModelData(editor, &model, model.index(0, 1));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("Продажа"));

        // The size hint is that of an editor.
        QCOMPARE(delegate.sizeHint(cellOption(QRect(0, 0, 80, 20)), model.index(0, 1)), editor->sizeHint());
    }

    void comboBoxClosesOnActivateWhenAsked()
    {
        QStandardItemModel model(1, 1);
        QStringListModel sides({ QStringLiteral("Купля"), QStringLiteral("Продажа") });
        ComboBoxDelegate delegate;
        delegate.containerFactory()->setModel(&sides);
        QWidget parent;
        QSignalSpy commits(&delegate, &QAbstractItemDelegate::commitData);
        QSignalSpy closes(&delegate, &QAbstractItemDelegate::closeEditor);
        QVERIFY(commits.isValid() && closes.isValid());

        // Without the flag picking an item commits and keeps the editor open.
        QWidget* editor = delegate.createEditor(&parent, cellOption(QRect(0, 0, 80, 20)), model.index(0, 0));
        auto* combo = static_cast<ComboBoxContainer*>(editor)->comboBox();
        Q_EMIT combo->activated(1);
        QCOMPARE(commits.count(), 1);
        QCOMPARE(closes.count(), 0);

        // With it, the editor is committed and closed; its list opens once the view has shown it.
        delegate.setCloseEditorOnActivate(true);
        QWidget* closing = delegate.createEditor(&parent, cellOption(QRect(0, 0, 80, 20)), model.index(0, 0));
        auto* closingCombo = static_cast<ComboBoxContainer*>(closing)->comboBox();
        Q_EMIT closingCombo->activated(0);
        QCOMPARE(commits.count(), 2);
        QCOMPARE(closes.count(), 1);
        QCOMPARE(closes.last().at(0).value<QWidget*>(), closing);

        // An editor gone before its list opens is no harm.
        QWidget* dropped = delegate.createEditor(&parent, cellOption(QRect(0, 0, 80, 20)), model.index(0, 0));
        delete dropped;
        QTest::qWait(1);
    }

    void buttonTriggersItsActionOnlyOnAnEnabledCell()
    {
        QAction action(QStringLiteral("Снять"));
        QSignalSpy triggered(&action, &QAction::triggered);
        QVERIFY(triggered.isValid());
        ButtonDelegate delegate(action);
        QStandardItemModel model(2, 1);
        model.setData(model.index(0, 0), true);
        model.setData(model.index(1, 0), false);
        const QStyleOptionViewItem option = cellOption(QRect(0, 0, 100, 24));

        // A press inside an enabled cell sinks the button, a release raises it and triggers the action.
        auto press = mouse(QEvent::MouseButtonPress, QPoint(10, 10));
        QVERIFY(delegate.editorEvent(&press, &model, option, model.index(0, 0)));
        QVERIFY(delegate.isSunken());
        auto release = mouse(QEvent::MouseButtonRelease, QPoint(10, 10));
        QVERIFY(delegate.editorEvent(&release, &model, option, model.index(0, 0)));
        QVERIFY(!delegate.isSunken());
        QCOMPARE(triggered.count(), 1);

        // Dragging out of the cell raises it; the release outside triggers nothing.
        QVERIFY(delegate.editorEvent(&press, &model, option, model.index(0, 0)));
        auto away = mouse(QEvent::MouseMove, QPoint(300, 10));
        QVERIFY(delegate.editorEvent(&away, &model, option, model.index(0, 0)));
        QVERIFY(!delegate.isSunken());
        auto releaseAway = mouse(QEvent::MouseButtonRelease, QPoint(300, 10));
        QVERIFY(delegate.editorEvent(&releaseAway, &model, option, model.index(0, 0)));
        QCOMPARE(triggered.count(), 1);

        // A disabled cell never triggers.
        QVERIFY(delegate.editorEvent(&press, &model, option, model.index(1, 0)));
        QVERIFY(delegate.editorEvent(&release, &model, option, model.index(1, 0)));
        QCOMPARE(triggered.count(), 1);

        // Other events are left to the view.
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
        QVERIFY(!delegate.editorEvent(&key, &model, option, model.index(0, 0)));
    }

    void checkBoxTogglesOnItsCentredBox()
    {
        // Given a table whose first column shows a check box centred in a wide cell.
        QStandardItemModel model(2, 1);
        auto* checkable = new QStandardItem;
        checkable->setCheckable(true);
        checkable->setCheckState(Qt::Unchecked);
        model.setItem(0, checkable);
        model.setItem(1, new QStandardItem(QStringLiteral("без флажка")));
        QTableView view;
        CheckBoxDelegate delegate;
        view.setItemDelegate(&delegate);
        view.setModel(&model);
        view.setColumnWidth(0, 200);
        view.resize(260, 120);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        // A click on the left edge, where Qt would put the box, does nothing; one in the centre toggles.
        const QRect cell = view.visualRect(model.index(0, 0));
        QTest::mouseClick(
            view.viewport(), Qt::LeftButton, Qt::NoModifier, cell.topLeft() + QPoint(6, cell.height() / 2));
        QCOMPARE(checkable->checkState(), Qt::Unchecked);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QCOMPARE(checkable->checkState(), Qt::Checked);

        // Space toggles back; a row without a check state ignores it.
        QStyleOptionViewItem option = cellOption(cell);
        option.widget = &view;
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
        QVERIFY(delegate.editorEvent(&space, &model, option, model.index(0, 0)));
        QCOMPARE(checkable->checkState(), Qt::Unchecked);
        QVERIFY(!delegate.editorEvent(&space, &model, option, model.index(1, 0)));

        // The box is painted in the middle of the cell: its dark pixels lie around the centre.
        const QImage image = view.viewport()->grab().toImage();
        int minX = image.width(), maxX = -1;
        for (int x = cell.left(); x <= cell.right(); ++x) {
            for (int y = cell.top() + 2; y < cell.bottom() - 2; ++y) {
                if (qGray(image.pixel(x, y)) < 160) {
                    minX = qMin(minX, x);
                    maxX = qMax(maxX, x);
                }
            }
        }
        QVERIFY(maxX > minX);
        QVERIFY(qAbs((minX + maxX) / 2 - cell.center().x()) <= 2);
    }
};

QTEST_MAIN(tst_WidgetDelegates)
#include "tst_widgetdelegates.moc"
