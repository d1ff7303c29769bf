#pragma once

#include "filters/widgets/filterwidget.h"

class QComboBox;

// The editor of a login choice: "Все логины", or a login typed or picked from the terminal's users.
class BASIC_VIEWS_EXPORT LoginFilterWidget : public FilterWidget
{
    Q_OBJECT
public:
    explicit LoginFilterWidget(QWidget* parent = nullptr);
    QComboBox* box() const { return m_box; }
    // The chosen login; empty for "Все логины".
    QString login() const;
    void setLogin(const QString& login);
    // A login is one word.
    QString refusal() const override;

private:
    QComboBox* m_box;
};
