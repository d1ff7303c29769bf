#pragma once

#include "core/host/bv_host_export.h"

#include <QLineEdit>

class QAction;
class QMenu;

// A line edit with a button inside each end. A button can carry a menu, which it opens below the edit
// (also from the keyboard: Alt+Down opens the right button's menu, else the left one's).
class BV_HOST_EXPORT FancyLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    enum Side { Left = 0, Right = 1 };

    explicit FancyLineEdit(QWidget* parent = nullptr);

    void setButtonIcon(Side side, const QIcon& icon);
    void setButtonToolTip(Side side, const QString& toolTip);
    void setButtonVisible(Side side, bool visible);
    bool isButtonVisible(Side side) const;
    // The edit does not own the menu; null removes it. A button with a menu opens it instead of clicking.
    void setButtonMenu(Side side, QMenu* menu);
    QMenu* buttonMenu(Side side) const;
    QAction* buttonAction(Side side) const { return m_buttons[side]; }

Q_SIGNALS:
    void buttonClicked(FancyLineEdit::Side side);
    void leftButtonClicked();
    void rightButtonClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onButtonTriggered(Side side);

    QAction* m_buttons[2];
    QMenu* m_menus[2] = { nullptr, nullptr }; // not owned
};
