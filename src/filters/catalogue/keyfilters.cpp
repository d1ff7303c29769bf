#include "filters/catalogue/keyfilters.h"

#include "core/db/datetime.h"
#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/kvuserdirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "filters/catalogue/securityselectdialog.h"
#include "filters/securityfilterfunc.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {
int columnOf(const Table& table, const char* name)
{
    return table.columnIndex(QString::fromLatin1(name));
}
} // namespace

AccountFilter::AccountFilter(Table& table, QObject* parent)
    : AccountFilter(table, columnOf(table, "account"), parent)
{ }

AccountFilter::AccountFilter(Table& table, int column, QObject* parent)
    : ValueFilter(table, column, parent)
{ }

QString AccountFilter::name() const
{
    return tr("Счёт");
}

BaseCodeFilter::BaseCodeFilter(Table& table, QObject* parent)
    : ValueFilter(table, columnOf(table, "base_code"), parent)
{ }

QString BaseCodeFilter::name() const
{
    return tr("Базовый актив");
}

BoardFilter::BoardFilter(Table& table, QObject* parent)
    : ValueFilter(
        table, columnOf(table, "board_id"), { columnOf(table, "stock_id"), columnOf(table, "board_id") }, -1, parent)
{ }

QString BoardFilter::name() const
{
    return tr("Режим торгов");
}

QString BoardFilter::keyToText(const KeyValue& key) const
{
    if (key.size() != 2)
        return QString();
    return BoardDirectory::i()->nameById(int(key.at(0).toInteger64()), int(key.at(1).toInteger64()));
}

ExpDateFilter::ExpDateFilter(Table& table, int modelColumn, QObject* parent)
    : ValueFilter(table, columnOf(table, "expdate"), { columnOf(table, "expdate") }, modelColumn, parent)
{ }

QString ExpDateFilter::name() const
{
    return tr("Дата экспирации");
}

QString ExpDateFilter::keyToText(const KeyValue& key) const
{
    return key.isEmpty() ? QString() : key.first().toDatetime().date().toString(QStringLiteral("dd.MM.yyyy"));
}

SecNameFilter::SecNameFilter(Table& table, int modelColumn, QObject* parent)
    : ValueFilter(table, columnOf(table, "fut_isin_id"), { columnOf(table, "fut_isin_id") }, modelColumn, parent)
{ }

QString SecNameFilter::name() const
{
    return tr("Базовый контракт");
}

QString SecNameFilter::keyToText(const KeyValue& key) const
{
    if (key.isEmpty())
        return QString();
    const int isin = columnOf(table(), "isin_id");
    const int type = columnOf(table(), "sectype");
    const int name = columnOf(table(), "sec_name");
    const MasterIndex* all = table().masterIndex();
    if (isin >= 0 && type >= 0 && name >= 0 && all) {
        const qint64 wanted = key.first().toInteger64();
        for (int row = 0; row < all->count(); ++row) {
            const Record& r = all->at(row);
            if (r.data(isin).toInteger64() == wanted && r.data(type).toChar() == QLatin1Char('F'))
                return r.data(name).toString();
        }
    }
    return key.toString();
}

// ---- logins

QWidget* LoginChoiceFilter::createFilterWidget(QWidget* parent)
{
    return new LoginFilterWidget(parent);
}

void LoginChoiceFilter::init(QWidget* widget)
{
    if (auto* editor = qobject_cast<LoginFilterWidget*>(widget))
        editor->setLogin(isEnabled() && keys().size() == 1 ? keyToValue(keys().first()) : QString());
}

void LoginChoiceFilter::apply(QWidget* widget)
{
    auto* editor = qobject_cast<LoginFilterWidget*>(widget);
    if (!editor)
        return;
    setValue(editor->login());
    setEnabled(keys().size() == 1);
}

LoginFilterWidget::LoginFilterWidget(QWidget* parent)
    : QWidget(parent)
    , m_box(new QComboBox(this))
{
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->addItem(tr("Все логины"));
    m_box->addItems(KvUserDirectory::i()->getUserList());
    m_box->lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\S+( \\S+)*")), m_box));
    m_box->setToolTip(tr("Логин пользователя или «Все логины»"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_box);
}

QString LoginFilterWidget::login() const
{
    const QString text = m_box->currentText().trimmed();
    if (text == m_box->itemText(0))
        return QString(); // "Все логины"
    static const QRegularExpression oneLogin(QStringLiteral("^\\S+$"));
    return oneLogin.match(text).hasMatch() ? text : QString();
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

LoginFilter::LoginFilter(Table& table, QObject* parent)
    : LoginFilter(table, columnOf(table, "login"), parent)
{ }

LoginFilter::LoginFilter(Table& table, int column, QObject* parent)
    : LoginChoiceFilter(table, column, parent)
{ }

QString LoginFilter::name() const
{
    return tr("Логин");
}

AsprefFilter::AsprefFilter(Table& table, QObject* parent)
    : LoginChoiceFilter(table, columnOf(table, "aspref"), parent)
{ }

QString AsprefFilter::name() const
{
    return tr("Мастер логин");
}

QString AsprefFilter::keyToValue(const KeyValue& key) const
{
    return key.isEmpty() ? QString() : KvUserDirectory::i()->loginByAspref(int(key.first().toInteger64()));
}

KeyValue AsprefFilter::valueToKey(const QString& value) const
{
    const int aspref = KvUserDirectory::i()->asprefByLogin(value);
    return aspref < 0 ? KeyValue() : ValueFilter::valueToKey(QString::number(aspref));
}

// ---- SecurityFilter

SecurityFilter::SecurityFilter(Table& table, const char* column, int modelColumn, QObject* parent)
    : SelectFilter(table, columnOf(table, column),
        { columnOf(table, "stock_id"), columnOf(table, "board_id"), columnOf(table, "sec_id") }, modelColumn, parent)
{ }

QString SecurityFilter::name() const
{
    return tr("Инструмент");
}

FilterFunc* SecurityFilter::createFilterFunc(QObject* parent) const
{
    return new SecurityFilterFunc(&table(), keys(), keyColumns(), parent);
}

QString SecurityFilter::keyToValue(const KeyValue& key) const
{
    if (key.size() != 3)
        return QString();
    return SecurityKey { int(key.at(0).toInteger64()), int(key.at(1).toInteger64()), key.at(2).toInteger64() }.textId();
}

KeyValue SecurityFilter::valueToKey(const QString& value) const
{
    const SecurityKey key = SecurityKey::fromTextId(value);
    if (!key.isValid())
        return KeyValue();
    return ValueFilter::valueToKey(QStringLiteral("%1,%2,%3").arg(key.stock).arg(key.board).arg(key.sec));
}

QString SecurityFilter::keyToText(const KeyValue& key) const
{
    if (key.size() != 3)
        return QString();
    return SecurityDirectory::i()->nameById(
        int(key.at(0).toInteger64()), int(key.at(1).toInteger64()), key.at(2).toInteger64());
}

QString SecurityFilter::selectActionName() const
{
    return tr("Выбрать инструмент...");
}

bool SecurityFilter::selectDialog(QWidget* parent)
{
    SecuritySelectDialog dialog(parent);
    dialog.setWindowTitle(tr("Выбор инструмента для установки фильтра"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedTextId().isEmpty())
        return false;
    setValue(dialog.selectedTextId());
    setEnabled(hasValue());
    return true;
}
