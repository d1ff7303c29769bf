#pragma once

#include "basic_views_export.h"

#include <QObject>
#include <QScopedPointer>

class HeldRowsModel;
class QAbstractItemView;
class QAction;
class ReadingHoldPrivate;
class QToolButton;

// Holds a view's rows still while the trader reads them: the pointer is over the rows, or the trader walks
// them with the keyboard. Values keep changing in place; rows that come, go or move wait, counted on a badge
// ("N изменений") in the corner of the view. The hold ends when the pointer leaves the view (also a keyboard
// reading), when the keyboard reading ends with the focus, or at a click on the badge, and the view catches up in
// one step. Off by default.
class BASIC_VIEWS_EXPORT ReadingHold : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ReadingHold)
public:
    explicit ReadingHold(QAbstractItemView* view);
    ~ReadingHold() override;

    bool isEnabled() const;
    void setEnabled(bool enabled);
    // "Удерживать строки при чтении", checkable, following isEnabled().
    QAction* toggleAction() const;
    QToolButton* badge() const;
    // The rows the view shows; null while the view shows its model directly.
    void setModel(HeldRowsModel* model);
    HeldRowsModel* model() const;
    // Catches up now; a pointer still over the view holds again only after it leaves and comes back.
    void catchUp();

Q_SIGNALS:
    void enabledChanged(bool enabled);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void retranslate();
    void startHold();
    void endHold();
    void showPending(int count);
    void placeBadge();
    // Leave events go missing under popups and other windows: a pointer that moved off the view ends the hold.
    void checkPointer();
    void pointerLeft();

    QScopedPointer<ReadingHoldPrivate> m_d;
};
