#pragma once

#include "views/headerview.h"

// The header of the library's tree views: the first column, which holds the tree, can be locked in front.
class BASIC_VIEWS_EXPORT TreeHeaderView : public HeaderView
{
    Q_OBJECT
public:
    explicit TreeHeaderView(QWidget* parent = nullptr);

    bool isFirstColumnLocked() const { return m_firstColumnLocked; }
    void setFirstColumnLocked(bool locked) { m_firstColumnLocked = locked; }

    // The style's height of a header section, whatever the labels hold.
    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;

private Q_SLOTS:
    void sectionMoved(int logical, int oldVisual, int newVisual);

private:
    int m_sectionHeight = 0;
    bool m_firstColumnLocked = true;
};
