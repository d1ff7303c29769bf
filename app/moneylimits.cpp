#include "moneylimits.h"

#include "core/db/appsettings.h"
#include "core/host/icore.h"
#include "keptaside.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QUndoStack>

MoneyLimits::MoneyLimits(Table* table, ICore* core, QObject* parent)
    : QObject(parent)
    , m_table(table)
    , m_core(core)
    , m_file(table, fileName())
    , m_stack(new QUndoStack(this))
    , m_undo(new QAction(this))
    , m_redo(new QAction(this))
{
    connect(m_undo, &QAction::triggered, m_stack, &QUndoStack::undo);
    connect(m_redo, &QAction::triggered, m_stack, &QUndoStack::redo);
    for (auto changed : { &QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged })
        connect(m_stack, changed, this, &MoneyLimits::updateActions);
    for (auto changed : { &QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged })
        connect(m_stack, changed, this, &MoneyLimits::updateActions);
    updateActions();
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo->setShortcuts({ QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });
    connect(m_stack, &QUndoStack::indexChanged, this, &MoneyLimits::save);
}

void MoneyLimits::setReplayed(bool replayed)
{
    m_replayed = replayed;
    updateActions();
}

QString MoneyLimits::editReason() const
{
    return m_replayed ? tr("Лимиты не меняются: терминал воспроизводит запись, в ней лимиты записанного дня")
                      : QString();
}

void MoneyLimits::updateActions()
{
    for (QAction* action : { m_undo, m_redo }) {
        action->setToolTip(editReason());
        action->setStatusTip(editReason());
    }
    m_undo->setEnabled(m_stack->canUndo() && !m_replayed);
    m_undo->setText(m_stack->undoText().isEmpty() ? tr("Отменить") : tr("Отменить %1").arg(m_stack->undoText()));
    m_redo->setEnabled(m_stack->canRedo() && !m_replayed);
    m_redo->setText(m_stack->redoText().isEmpty() ? tr("Повторить") : tr("Повторить %1").arg(m_stack->redoText()));
}

bool MoneyLimits::event(QEvent* event)
{
    // Told by the window that holds it.
    if (event->type() == QEvent::LanguageChange)
        updateActions();
    return QObject::event(event);
}

QString MoneyLimits::fileName()
{
    return QDir(AppSettings::location()).filePath(QStringLiteral("money_limits.json"));
}

bool MoneyLimits::load()
{
    if (m_replayed)
        return true;
    QString error;
    if (m_file.read(&error))
        return true;
    const QString aside = keepAside(m_file.path());
    m_core->notify(
        tr("Денежные лимиты не прочитаны (%1): %2%3")
            .arg(error, m_file.path(), aside.isEmpty() ? QString() : tr(", прежний файл сохранён как %1").arg(aside)));
    return false;
}

bool MoneyLimits::save()
{
    if (m_replayed)
        return true;
    QString error;
    if (m_file.write(&error))
        return true;
    m_core->notify(tr("Денежные лимиты не записаны: %1").arg(error));
    return false;
}
