#pragma once

#include "basic_views_export.h"

#include <QScopedPointer>
#include <QUndoCommand>

class RecordsTrans;

namespace Undo {

class TransCommandPrivate;

// A child of a Transaction that stages its writes into the transaction's RecordsTrans instead of writing the
// table. The transaction is there only while the parent runs (or after Transaction::prepareTrans()); run
// without one, the command does nothing of its own.
class BASIC_VIEWS_EXPORT TransCommand : public QUndoCommand
{
    Q_DECLARE_PRIVATE(TransCommand)
public:
    explicit TransCommand(QUndoCommand* parent);
    ~TransCommand() override;

    RecordsTrans* trans() const;
    void setTrans(RecordsTrans* trans);

protected:
    TransCommand(TransCommandPrivate& dd, QUndoCommand* parent);

    // The commands' private classes form a chain beside the public ones.
    QScopedPointer<TransCommandPrivate> d_ptr;

private:
    Q_DISABLE_COPY(TransCommand)
};

} // namespace Undo
