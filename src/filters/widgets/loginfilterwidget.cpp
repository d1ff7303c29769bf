#include "filters/widgets/loginfilterwidget.h"

#include "core/host/directories/kvuserdirectory.h"

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
    : FilterWidget(parent)
    , m_all(new QRadioButton(tr("Все логины"), this))
    , m_one(new QRadioButton(tr("Логин:"), this))
    , m_box(new QComboBox(this))
{
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->setModel(new LoginFilterModel(m_box));
    m_box->setCurrentIndex(-1);
    m_box->setToolTip(tr("Логин пользователя: введите или выберите из списка"));
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_all, 0, 0, 1, 2);
    grid->addWidget(m_one, 1, 0);
    grid->addWidget(m_box, 1, 1);
    grid->setColumnStretch(1, 1);
    contentLayout()->addLayout(grid);
    m_all->setChecked(true);
    m_box->setEnabled(false);
    connect(m_one, &QRadioButton::toggled, m_box, &QWidget::setEnabled);
    connect(m_one, &QRadioButton::toggled, this, [this] { notifyChanged(); });
    connect(m_box, &QComboBox::currentTextChanged, this, [this] {
        if (m_one->isChecked())
            notifyChanged();
    });
}

QString LoginFilterWidget::login() const
{
    if (!m_one->isChecked())
        return QString();
    const QString text = m_box->currentText().trimmed();
    return oneLogin().match(text).hasMatch() ? text : QString();
}

void LoginFilterWidget::setLogin(const QString& login)
{
    (login.isEmpty() ? m_all : m_one)->setChecked(true);
    const int at = login.isEmpty() ? -1 : m_box->findText(login);
    if (at >= 0)
        m_box->setCurrentIndex(at);
    else
        m_box->setEditText(login);
}

QString LoginFilterWidget::refusal() const
{
    const QString text = m_box->currentText().trimmed();
    if (!m_one->isChecked() || oneLogin().match(text).hasMatch())
        return QString();
    return text.isEmpty() ? tr("Введите логин или выберите «Все логины»")
                          : tr("Логин пишется одним словом, без пробелов");
}
