#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filter.h"

// The entry that stands for an instrument pick in a list of filters: it filters nothing itself (the pick is
// chosen on the instruments page) and says where to choose.
class BASIC_VIEWS_EXPORT FilterRecordsModelFilter : public Filter
{
    Q_OBJECT
public:
    explicit FilterRecordsModelFilter(int id, QObject* parent = nullptr);

    FilterFunc* createFilterFunc(QObject* parent) const override;
    // "Выберите нужные инструменты на странице 'Инструменты'".
    QWidget* createFilterWidget(QWidget* parent) override;
    QString name() const override;
    QString text() const override;
};
