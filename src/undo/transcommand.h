#pragma once

#include "basic_views_export.h"

#include <QUndoCommand>

class RecordsTrans;

namespace Undo {

// A child of a Transaction that stages its writes into the transaction's RecordsTrans instead of writing the
// table. The transaction is there only while the parent runs (or after Transaction::prepareTrans()); run
// without one, the command does nothing of its own.
class BASIC_VIEWS_EXPORT TransCommand : public QUndoCommand
{
public:
    explicit TransCommand(QUndoCommand* parent);

    RecordsTrans* trans() const { return m_trans; }
    void setTrans(RecordsTrans* trans) { m_trans = trans; }

private:
    RecordsTrans* m_trans = nullptr; // not owned
};

} // namespace Undo
