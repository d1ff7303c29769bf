#pragma once

#include "basic_views_export.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

class HeldRowsModel;
class QAbstractItemView;
class QAction;
class QTimer;
class QToolButton;

// Holds a view's rows still while the trader reads them: the pointer is over the rows, or the trader walks
// them with the keyboard. Values keep changing in place; rows that come, go or move wait, counted on a badge
// ("N изменений") in the corner of the view. The hold ends when the pointer leaves the view (also a keyboard
// reading), when the keyboard reading ends with the focus, or at a click on the badge, and the view catches up in
// one step. Off by default.
class BASIC_VIEWS_EXPORT ReadingHold : public QObject
{
    Q_OBJECT
public:
    explicit ReadingHold(QAbstractItemView* view);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // "Удерживать строки при чтении", checkable, following isEnabled().
    QAction* toggleAction() const { return m_toggle; }
    QToolButton* badge() const { return m_badge; }
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

    QAbstractItemView* m_view; // the parent
    QWidget* m_viewport; // the view's, watched
    QPointer<HeldRowsModel> m_model;
    QAction* m_toggle;
    QToolButton* m_badge;
    QTimer* m_pointerCheck;
    QPoint m_pointerAt; // where the pointer was at the last check
    bool m_enabled = false;
    bool m_pointerInside = false;
    bool m_keyboardReading = false;
    bool m_suppressed = false;
};
