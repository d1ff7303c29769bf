#pragma once

#include "trees/treeindexmodel.h"

class TreeIndexModelWithTextFilterPrivate;

// A tree model narrowed by a free text: a record stays when any of the model's columns shows the text (without
// regard to case), or the name of any of its groups above the leaf contains it.
class BASIC_VIEWS_EXPORT TreeIndexModelWithTextFilter : public TreeIndexModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(TreeIndexModelWithTextFilter)
public:
    explicit TreeIndexModelWithTextFilter(Table* table, QObject* parent = nullptr);

    // A new text rebuilds the model (one reset) and emits filterTextChanged().
    void setFilterText(const QString& text);
    QString filterText() const;

    bool filter(const Record& record) const override;
    QString getClassName() const override;

Q_SIGNALS:
    void filterTextChanged(const QString& text);

protected:
    TreeIndexModelWithTextFilter(Table* table, TreeIndexModelWithTextFilterPrivate& dd, QObject* parent);

private:
    bool matchesText(const Record& record) const;
};
