#include "filters/widgets/loginfilterwidget.h"

#include "core/host/directories/kvuserdirectory.h"
#include "filters/widgets/private/loginfilterwidget_p.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>

namespace {
const QRegularExpression& oneLogin()
{
    static const QRegularExpression pattern(QStringLiteral("^\\S+$"));
    return pattern;
}
} // namespace

LoginFilterModel::LoginFilterModel(QObject* parent)
    : QStringListModel(parent)
{
    connect(KvUserDirectory::i(), &TableDirectory::dataChanged, this, &LoginFilterModel::refill);
    refill();
}

void LoginFilterModel::refill()
{
    QStringList logins = KvUserDirectory::i()->getUserList();
    logins.sort();
    if (logins != stringList())
        setStringList(logins);
}

LoginFilterWidget::LoginFilterWidget(QWidget* parent)
    : FilterWidget(*new LoginFilterWidgetPrivate, parent)
{
    Q_D(LoginFilterWidget);
    d->all = new QRadioButton(tr("Все логины"), this);
    d->one = new QRadioButton(tr("Логин:"), this);
    d->box = new QComboBox(this);
    d->box->setEditable(true);
    d->box->setInsertPolicy(QComboBox::NoInsert);
    d->box->setModel(new LoginFilterModel(d->box));
    d->box->setCurrentIndex(-1);
    d->box->setToolTip(tr("Логин пользователя: введите или выберите из списка"));
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(d->all, 0, 0, 1, 2);
    grid->addWidget(d->one, 1, 0);
    grid->addWidget(d->box, 1, 1);
    grid->setColumnStretch(1, 1);
    contentLayout()->addLayout(grid);
    d->all->setChecked(true);
    d->box->setEnabled(false);
    connect(d->one, &QRadioButton::toggled, d->box, &QWidget::setEnabled);
    connect(d->one, &QRadioButton::toggled, this, [this] { notifyChanged(); });
    connect(d->box, &QComboBox::currentTextChanged, this, [this, d] {
        if (d->one->isChecked())
            notifyChanged();
    });
}

QString LoginFilterWidget::login() const
{
    Q_D(const LoginFilterWidget);
    if (!d->one->isChecked())
        return QString();
    const QString text = d->box->currentText().trimmed();
    return oneLogin().match(text).hasMatch() ? text : QString();
}

void LoginFilterWidget::setLogin(const QString& login)
{
    Q_D(LoginFilterWidget);
    (login.isEmpty() ? d->all : d->one)->setChecked(true);
    const int at = login.isEmpty() ? -1 : d->box->findText(login);
    if (at >= 0)
        d->box->setCurrentIndex(at);
    else
        d->box->setEditText(login);
}

QString LoginFilterWidget::refusal() const
{
    Q_D(const LoginFilterWidget);
    const QString text = d->box->currentText().trimmed();
    if (!d->one->isChecked() || oneLogin().match(text).hasMatch())
        return QString();
    return text.isEmpty() ? tr("Введите логин или выберите «Все логины»")
                          : tr("Логин пишется одним словом, без пробелов");
}

QComboBox* LoginFilterWidget::box() const
{
    return d_func()->box;
}

QRadioButton* LoginFilterWidget::allButton() const
{
    return d_func()->all;
}

QRadioButton* LoginFilterWidget::loginButton() const
{
    return d_func()->one;
}
