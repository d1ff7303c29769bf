#pragma once

#include "core/host/widgets/fancylineedit.h"

class QTimer;

// The search edit of find bars and filter lists: a magnifier on the left, a clear button on the right while
// there is text; Escape clears too. filterChanged() comes once typing pauses, not on every key.
class BV_HOST_EXPORT FilterLineEdit : public FancyLineEdit
{
    Q_OBJECT
public:
    explicit FilterLineEdit(QWidget* parent = nullptr);

    // The pause after the last key before filterChanged(); 0 reports every change at once.
    void setDelay(int ms);
    int delay() const;

Q_SIGNALS:
    void filterChanged(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void onTextChanged(const QString& text);
    void reportFilter();

    QTimer* m_delay;
    QString m_reported;
};
