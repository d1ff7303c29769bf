#pragma once

#include "filters/widgets/filterwidget.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

// The editor of the instrument filter: "Все инструменты", or "Инструмент" with the chosen one and "Выбрать...",
// which opens the instrument selector.
class BASIC_VIEWS_EXPORT SecurityFilterWidget : public FilterWidget
{
    Q_OBJECT
public:
    explicit SecurityFilterWidget(QWidget* parent = nullptr);

    // The chosen instrument's text id; empty for none.
    QString textId() const { return m_textId; }
    // Shows the instrument with its name.
    void setSecurity(const QString& textId, const QString& name);
    bool isFiltering() const;
    void setFiltering(bool filtering);
    QRadioButton* allChoice() const { return m_all; }
    QRadioButton* oneChoice() const { return m_one; }
    QPushButton* selectButton() const { return m_select; }
    QString refusal() const override;

public Q_SLOTS:
    // Opens the selector; a chosen instrument becomes the filter's and "Инструмент" is chosen.
    void selectSecurity();

protected:
    void retranslate() override;

private:
    QRadioButton* m_all;
    QRadioButton* m_one;
    QLineEdit* m_name;
    QPushButton* m_select;
    QString m_textId;
};
