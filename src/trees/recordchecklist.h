#pragma once

#include "basic_views_export.h"
#include "core/db/indexlist.h"

#include <QObject>
#include <QScopedPointer>

class RecordCheckListPrivate;

// The records a user has checked, in the order they were checked: the single source of truth behind a
// TreeIndexCheckModel's check boxes. It follows its table only to forget records that leave it; new or changed
// records never join by themselves.
class BASIC_VIEWS_EXPORT RecordCheckList : public QObject, public IndexList
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, RecordCheckList)
public:
    explicit RecordCheckList(Table* table, QObject* parent = nullptr);
    ~RecordCheckList() override;

    // Emit added()/removed() when the list changes.
    void check(const Record& record);
    void uncheck(const Record& record);

    bool contains(const Record& record) const override;
    bool filter(const Record& record) const override;
    void add(const Record& record) override;
    void remove(const Record& record, int row) override;
    // A checked record stays checked whatever changes in it.
    void update(const Record& record, int firstColumn, int lastColumn, int row) override;
    // The list is the user's, not the table's: nothing to build.
    void build() override;
    void clear() override;
    void sourceDestroyed() override;
    QString getClassName() const override;

Q_SIGNALS:
    void added(const Record& record);
    void removed(const Record& record);

private:
    QScopedPointer<RecordCheckListPrivate> m_d;
};
