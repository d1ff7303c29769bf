#include "views/qtreefastview.h"

#include <QLineEdit>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <QtTest>

class tst_QTreeFastView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The selected row keeps the active highlight when another widget has the focus (a plain QTreeView switches
    // to the inactive colour group).
    void selectedRowKeepsTheActiveHighlightWithoutFocus()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* tree = new QTreeFastView;
        auto* plain = new QTreeView;
        auto* other = new QLineEdit;
        layout->addWidget(tree);
        layout->addWidget(plain);
        layout->addWidget(other);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 0, 255));
        palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(255, 0, 0));
        tree->setPalette(palette);
        plain->setPalette(palette);

        QStandardItemModel model(3, 1);
        for (int row = 0; row < 3; ++row)
            model.setItem(row, 0, new QStandardItem(QStringLiteral("row %1").arg(row)));
        tree->setModel(&model);
        plain->setModel(&model);
        tree->setRootIsDecorated(false);
        plain->setRootIsDecorated(false);
        tree->selectionModel()->select(
            model.index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        plain->selectionModel()->select(
            model.index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        window.resize(300, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        other->setFocus();
        QApplication::processEvents();

        auto colourOfRow = [](QTreeView* view, int row) {
            const QRect rect = view->visualRect(view->model()->index(row, 0));
            const QImage image = view->viewport()->grab().toImage();
            return image.pixelColor(rect.right() - 2, rect.center().y());
        };
        QCOMPARE(colourOfRow(tree, 1), QColor(0, 0, 255));
        QVERIFY(colourOfRow(tree, 0) != QColor(0, 0, 255));
        // What the override changes: the stock view paints the inactive colour here.
        QVERIFY(colourOfRow(plain, 1) != QColor(0, 0, 255));
    }
};

QTEST_MAIN(tst_QTreeFastView)
#include "tst_qtreefastview.moc"
