#pragma once

#include "filters/widgets/filterwidget.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class SecurityFilterWidgetPrivate;

// The editor of the instrument filter: "Все инструменты", or "Инструмент" with the chosen one and "Выбрать...",
// which opens the instrument selector.
class BASIC_VIEWS_EXPORT SecurityFilterWidget : public FilterWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, SecurityFilterWidget)
public:
    explicit SecurityFilterWidget(QWidget* parent = nullptr);

    // The chosen instrument's text id; empty for none.
    QString textId() const;
    // Shows the instrument with its name.
    void setSecurity(const QString& textId, const QString& name);
    bool isFiltering() const;
    void setFiltering(bool filtering);
    QRadioButton* allChoice() const;
    QRadioButton* oneChoice() const;
    QPushButton* selectButton() const;
    QString refusal() const override;

public Q_SLOTS:
    // Opens the selector; a chosen instrument becomes the filter's and "Инструмент" is chosen.
    void selectSecurity();

protected:
    void retranslate() override;
};
