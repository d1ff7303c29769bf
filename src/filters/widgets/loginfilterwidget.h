#pragma once

#include "filters/widgets/filterwidget.h"

#include <QStringListModel>

class QComboBox;
class QRadioButton;

// The terminal's user logins in order, kept up to date with the user directory: the list a login editor offers.
class BASIC_VIEWS_EXPORT LoginFilterModel : public QStringListModel
{
    Q_OBJECT
public:
    explicit LoginFilterModel(QObject* parent = nullptr);

private:
    // One reset with the directory's logins, unless they are the ones shown.
    void refill();
};

// The editor of a login choice: "Все логины", or "Логин:" with a login typed or picked from the terminal's users
// (LoginFilterModel).
class BASIC_VIEWS_EXPORT LoginFilterWidget : public FilterWidget
{
    Q_OBJECT
public:
    explicit LoginFilterWidget(QWidget* parent = nullptr);
    QComboBox* box() const { return m_box; }
    QRadioButton* allButton() const { return m_all; }
    QRadioButton* loginButton() const { return m_one; }
    // The chosen login; empty for "Все логины".
    QString login() const;
    // An empty login chooses "Все логины".
    void setLogin(const QString& login);
    // A login is one word.
    QString refusal() const override;

private:
    QRadioButton* m_all;
    QRadioButton* m_one;
    QComboBox* m_box;
};
