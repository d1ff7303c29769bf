#include "limitswindow.h"

#include "core/db/decimal.h"
#include "core/db/table.h"
#include "core/host/directories/kvcodenamedirectory.h"
#include "moneylimits.h"
#include "undo/clear.h"
#include "undo/delete.h"
#include "undo/insert.h"
#include "undo/transaction.h"
#include "undo/transdelete.h"
#include "undo/transupdate.h"
#include "undoeditmodel.h"
#include "windows/tablefastviewwithfilter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QToolTip>
#include <QUndoStack>

#include <memory>

LimitsWindow::LimitsWindow(MoneyLimits* limits, QWidget* parent)
    : TableWindow(new UndoEditModel(limits->table(), limits->undoStack()), Arrangement::Trading, parent)
    , m_limits(limits)
    , m_editModel(static_cast<UndoEditModel*>(model()))
    , m_add(new QAction(this))
    , m_delete(new QAction(this))
    , m_paste(new QAction(this))
    , m_clear(new QAction(this))
{
    retranslate();
    // The rows keep the accounts' order; a header click has nothing to sort.
    view()->setSortingEnabled(false);
    // Room for large sums and a phrase of comment, which the first rows alone may not show.
    const QFontMetrics metrics = view()->fontMetrics();
    for (const char* name : { "limit", "used" })
        view()->header()->resizeSection(m_editModel->columnIndex(QString::fromLatin1(name)),
            metrics.horizontalAdvance(QStringLiteral("0000000000000.00")));
    view()->header()->resizeSection(
        m_editModel->columnIndex(QStringLiteral("comment")), metrics.averageCharWidth() * 40);
    view()->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_delete->setShortcut(QKeySequence::Delete);
    m_paste->setShortcut(QKeySequence::Paste);
    for (QAction* action : { m_delete, m_paste }) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    connect(m_add, &QAction::triggered, this, &LimitsWindow::chooseAccount);
    connect(m_delete, &QAction::triggered, this, &LimitsWindow::deleteSelectedRows);
    connect(m_paste, &QAction::triggered, this, &LimitsWindow::pasteClipboard);
    connect(m_clear, &QAction::triggered, this, &LimitsWindow::clearAll);
    if (!isEditable()) {
        m_editModel->setReadOnly(true);
        view()->setEditTriggers(QAbstractItemView::NoEditTriggers);
        for (QAction* action : { m_add, m_delete, m_paste, m_clear })
            action->setEnabled(false);
    }
}

bool LimitsWindow::isEditable() const
{
    return !m_limits || m_limits->isEditable();
}

void LimitsWindow::retranslate()
{
    m_add->setText(tr("Добавить счёт..."));
    m_delete->setText(tr("Удалить строки"));
    m_paste->setText(tr("Вставить"));
    m_clear->setText(tr("Очистить таблицу"));
    const QString reason = m_limits ? m_limits->editReason() : QString();
    for (QAction* action : { m_add, m_delete, m_paste, m_clear }) {
        action->setToolTip(reason.isEmpty() ? action->text() : reason);
        action->setStatusTip(reason);
    }
}

void LimitsWindow::changeEvent(QEvent* event)
{
    TableWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void LimitsWindow::push(QUndoCommand* command)
{
    if (m_limits && m_limits->isEditable())
        m_limits->undoStack()->push(command);
    else
        delete command;
}

bool LimitsWindow::addAccount(const QString& account)
{
    Table* table = m_editModel->table();
    if (!isEditable() || !table || !table->findByKeyText(account).isNull())
        return false;
    Record row(table);
    try {
        row.data(QStringLiteral("account")) = account;
        row.data(QStringLiteral("limit")) = decimal(0, 2);
        row.data(QStringLiteral("used")) = decimal(0, 2);
    } catch (const QString&) {
        return false;
    }
    auto* command = new Undo::Insert(table, row);
    command->setText(tr("добавление строки %1").arg(account));
    push(command);
    view()->setCurrentRecord(table->findByKeyText(account), m_editModel->columnIndex(QStringLiteral("limit")));
    return true;
}

void LimitsWindow::deleteRows(const QList<Record>& records)
{
    Table* table = m_editModel->table();
    if (!isEditable() || !table || records.isEmpty())
        return;
    if (records.size() == 1) {
        auto* command = new Undo::Delete(table, records.first());
        command->setText(tr("удаление строки %1").arg(records.first().toString()));
        return push(command);
    }
    auto* transaction = new Undo::Transaction(table);
    for (const Record& r : records)
        new Undo::TransDelete(r, transaction);
    transaction->setText(tr("удаление строк (%1)").arg(records.size()));
    push(transaction);
}

bool LimitsWindow::paste(const QString& text, QString* error)
{
    TableFastViewWithFilter* v = view();
    const QModelIndex current = v->currentIndex();
    Table* table = m_editModel->table();
    if (!isEditable()) {
        *error = m_limits->editReason();
        return false;
    }
    if (!current.isValid() || !table) {
        *error = tr("Выберите ячейку, с которой начать вставку");
        return false;
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QHeaderView* header = v->header();
    auto transaction = std::make_unique<Undo::Transaction>(table);
    int cells = 0;
    try {
        for (int line = 0; line < lines.size(); ++line) {
            const Record before = v->recordAt(v->QAbstractItemView::model()->index(current.row() + line, 0));
            if (before.isNull())
                break;
            Record after = before.clone();
            int visual = header->visualIndex(current.column());
            for (const QString& cell : lines.at(line).split(QLatin1Char('\t'))) {
                while (visual < header->count() && header->isSectionHidden(header->logicalIndex(visual)))
                    ++visual;
                if (visual >= header->count())
                    break;
                const int column = header->logicalIndex(visual++);
                m_editModel->writeCell(after, m_editModel->indexByRecord(before, column), cell.trimmed());
                ++cells;
            }
            new Undo::TransUpdate(before, after, transaction.get());
        }
    } catch (const QString& reason) {
        *error = reason;
        return false;
    }
    if (cells == 0) {
        *error = tr("Буфер обмена пуст");
        return false;
    }
    transaction->setText(tr("вставку ячеек (%1)").arg(cells));
    push(transaction.release());
    return true;
}

void LimitsWindow::clearAll()
{
    Table* table = m_editModel->table();
    if (!isEditable() || !table || table->count() == 0)
        return;
    auto* command = new Undo::Clear(table);
    command->setText(tr("очистку таблицы"));
    push(command);
}

void LimitsWindow::chooseAccount()
{
    Table* table = m_editModel->table();
    QStringList accounts;
    for (const QString& code : KvInvestorDirectory::i()->codes()) {
        if (table && table->findByKeyText(code).isNull())
            accounts << code;
    }
    if (accounts.isEmpty())
        return tell(tr("Лимит есть у каждого счёта клиента"));
    // Window-modal without a loop of its own: the window may close while the dialog is up.
    auto* dialog = new QInputDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Новый лимит"));
    dialog->setLabelText(tr("Счёт клиента:"));
    dialog->setComboBoxItems(accounts);
    dialog->setOkButtonText(tr("Добавить"));
    dialog->setCancelButtonText(tr("Отмена"));
    connect(dialog, &QInputDialog::textValueSelected, this, &LimitsWindow::addAccount);
    dialog->open();
}

void LimitsWindow::deleteSelectedRows()
{
    QList<Record> records;
    for (const QModelIndex& index : view()->selectionModel()->selectedRows())
        records << view()->recordAt(index);
    if (records.isEmpty() && !view()->currentRecord().isNull())
        records << view()->currentRecord();
    deleteRows(records);
}

void LimitsWindow::pasteClipboard()
{
    QString error;
    if (!paste(QApplication::clipboard()->text(), &error))
        tell(tr("Вставка не выполнена.") + QLatin1Char('\n') + error);
}

void LimitsWindow::tell(const QString& text)
{
    const QRect cell = view()->visualRect(view()->currentIndex());
    QToolTip::showText(view()->viewport()->mapToGlobal(cell.isValid() ? cell.bottomLeft() : QPoint()), text, view());
}

QList<QAction*> LimitsWindow::getActions()
{
    return TableWindow::getActions() << m_add << m_delete << m_paste << m_clear;
}

void LimitsWindow::populateActionsAt(const QPoint& at, QMenu* menu)
{
    if (m_limits) {
        menu->addAction(m_limits->undoAction());
        menu->addAction(m_limits->redoAction());
        menu->addSeparator();
    }
    menu->addActions({ m_add, m_delete, m_paste, m_clear });
    menu->addSeparator();
    TableWindow::populateActionsAt(at, menu);
}
