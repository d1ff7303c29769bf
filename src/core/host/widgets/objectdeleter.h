#pragma once

#include "core/host/bv_host_export.h"

#include <QObject>

// Shared ownership in Qt terms: an object with several owners, deleted (with its children) when the last of
// them is. Objects that several windows share are made its children.
class BV_HOST_EXPORT ObjectDeleter : public QObject
{
    Q_OBJECT
public:
    explicit ObjectDeleter(QObject* parent = nullptr);

    // Adding the same owner twice counts it once.
    void addParent(QObject* parent);
    int parentCount() const { return m_parents.size(); }

private:
    void onParentDestroyed(QObject* parent);

    QList<QObject*> m_parents; // not owned
};
