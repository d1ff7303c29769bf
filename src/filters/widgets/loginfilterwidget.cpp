#include "filters/widgets/loginfilterwidget.h"

#include "core/host/directories/kvuserdirectory.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {
const QRegularExpression& oneLogin()
{
    static const QRegularExpression pattern(QStringLiteral("^\\S+$"));
    return pattern;
}
} // namespace

LoginFilterWidget::LoginFilterWidget(QWidget* parent)
    : FilterWidget(parent)
    , m_box(new QComboBox(this))
{
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->addItem(tr("Все логины"));
    m_box->addItems(KvUserDirectory::i()->getUserList());
    m_box->setToolTip(tr("Логин пользователя или «Все логины»"));
    contentLayout()->addWidget(m_box);
    connect(m_box, &QComboBox::currentTextChanged, this, [this] { notifyChanged(); });
}

QString LoginFilterWidget::login() const
{
    const QString text = m_box->currentText().trimmed();
    if (text == m_box->itemText(0))
        return QString(); // "Все логины"
    return oneLogin().match(text).hasMatch() ? text : QString();
}

void LoginFilterWidget::setLogin(const QString& login)
{
    if (login.isEmpty()) {
        m_box->setCurrentIndex(0);
        return;
    }
    const int at = m_box->findText(login);
    if (at >= 0)
        m_box->setCurrentIndex(at);
    else
        m_box->setEditText(login);
}

QString LoginFilterWidget::refusal() const
{
    const QString text = m_box->currentText().trimmed();
    if (text == m_box->itemText(0) || oneLogin().match(text).hasMatch())
        return QString();
    return text.isEmpty() ? tr("Введите логин или выберите «Все логины»")
                          : tr("Логин пишется одним словом, без пробелов");
}
