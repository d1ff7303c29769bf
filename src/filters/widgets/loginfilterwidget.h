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
class LoginFilterWidgetPrivate;

// The editor of a login choice: "Все логины", or "Логин:" with a login typed or picked from the terminal's users
// (LoginFilterModel).
class BASIC_VIEWS_EXPORT LoginFilterWidget : public FilterWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, LoginFilterWidget)
public:
    explicit LoginFilterWidget(QWidget* parent = nullptr);
    QComboBox* box() const;
    QRadioButton* allButton() const;
    QRadioButton* loginButton() const;
    // The chosen login; empty for "Все логины".
    QString login() const;
    // An empty login chooses "Все логины".
    void setLogin(const QString& login);
    // A login is one word.
    QString refusal() const override;
};
