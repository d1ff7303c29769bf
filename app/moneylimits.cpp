#include "moneylimits.h"

#include "core/db/appsettings.h"
#include "core/host/icore.h"
#include "keptaside.h"

#include <QAction>
#include <QDir>
#include <QUndoStack>

MoneyLimits::MoneyLimits(Table* table, ICore* core, QObject* parent)
    : QObject(parent)
    , m_table(table)
    , m_core(core)
    , m_file(table, fileName())
    , m_stack(new QUndoStack(this))
    , m_undo(m_stack->createUndoAction(this, tr("Отменить")))
    , m_redo(m_stack->createRedoAction(this, tr("Повторить")))
{
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo->setShortcuts({ QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });
    connect(m_stack, &QUndoStack::indexChanged, this, &MoneyLimits::save);
}

QString MoneyLimits::fileName()
{
    return QDir(AppSettings::location()).filePath(QStringLiteral("money_limits.json"));
}

bool MoneyLimits::load()
{
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
    QString error;
    if (m_file.write(&error))
        return true;
    m_core->notify(tr("Денежные лимиты не записаны: %1").arg(error));
    return false;
}
