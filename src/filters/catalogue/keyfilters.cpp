#include "filters/catalogue/keyfilters.h"

#include "filters/catalogue/private/keyfilters_p.h"

#include "core/db/datetime.h"
#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/kvcodenamedirectory.h"
#include "core/host/directories/kvuserdirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "filters/filterlinks.h"
#include "filters/private/securityfilterfunc.h"
#include "filters/widgets/boardselectorwidget.h"
#include "filters/widgets/checklistfilterwidget.h"
#include "filters/widgets/keycombofilterwidget.h"
#include "filters/widgets/loginfilterwidget.h"
#include "filters/widgets/private/securityselectdialog.h"
#include "filters/widgets/securityfilterwidget.h"

#include <QLocale>
#include <QPointer>
#include <QSet>

#include <functional>

namespace {
int columnOf(const Table& table, const char* name)
{
    return table.columnIndex(QString::fromLatin1(name));
}

// The keys a table holds in the filter's key columns (of the records `keep` takes, when given), as (text, value):
// by text, or in the filter's key order.
QList<QPair<QString, QString>> keysInTable(const ValueFilter& filter, bool byText,
    const std::function<bool(const Record&)>& keep = std::function<bool(const Record&)>())
{
    QSet<QString> seen;
    QList<KeyValue> found;
    const MasterIndex* all = filter.table().masterIndex();
    for (int row = 0; all && row < all->count(); ++row) {
        if (keep && !keep(all->at(row)))
            continue;
        const KeyValue key = filter.keyFromRecord(all->at(row));
        const QString value = filter.keyToValue(key);
        if (seen.contains(value) || filter.keyToText(key).isEmpty())
            continue;
        seen.insert(value);
        found << key;
    }
    std::sort(found.begin(), found.end(), [&](const KeyValue& a, const KeyValue& b) {
        return byText ? filter.keyToText(a) < filter.keyToText(b) : filter.compare(a, b) < 0;
    });
    QList<QPair<QString, QString>> keys;
    for (const KeyValue& key : qAsConst(found))
        keys << qMakePair(filter.keyToText(key), filter.keyToValue(key));
    return keys;
}

// A filter of one key chosen in a combo box: none chosen is no filter.
void initKeyCombo(const ValueFilter& filter, QWidget* widget, const QList<QPair<QString, QString>>& keys)
{
    if (auto* editor = qobject_cast<KeyComboFilterWidget*>(widget)) {
        editor->setKeys(keys);
        editor->setValue(
            filter.isEnabled() && filter.keys().size() == 1 ? filter.keyToValue(filter.keys().first()) : QString());
    }
}

// A filter of the keys checked in a list (their values are the keys' value forms): all checked is no filter.
void applyCheckList(ValueFilter& filter, QWidget* widget)
{
    auto* editor = qobject_cast<CheckListFilterWidget*>(widget);
    if (!editor || !editor->checkAcceptable())
        return;
    filter.clear();
    for (const QString& value : editor->checkedValues())
        filter.addKey(filter.valueToKey(value));
    filter.setEnabled(!editor->isAllChecked());
}

void applyKeyCombo(ValueFilter& filter, QWidget* widget)
{
    auto* editor = qobject_cast<KeyComboFilterWidget*>(widget);
    if (!editor || !editor->checkAcceptable())
        return;
    if (!editor->value().isEmpty())
        filter.setValue(editor->value());
    filter.setEnabled(!editor->value().isEmpty() && filter.hasValue());
}
// An expiry editor next to a base contract editor offers the dates of the chosen contract; the two are tied when
// the second of them is placed.
void linkExpiryToBaseContract(Filter* placed, QWidget* editor, const QList<Filter*>& others,
    const QList<QWidget*>& otherEditors, QObject* context)
{
    ExpDateFilter* expiry = qobject_cast<ExpDateFilter*>(placed);
    QWidget* dates = expiry ? editor : nullptr;
    SecNameFilterWidget* contract = nullptr;
    if (expiry) {
        for (int i = otherEditors.size() - 1; i >= 0 && !contract; --i)
            contract = qobject_cast<SecNameFilterWidget*>(otherEditors.at(i));
    } else if ((contract = qobject_cast<SecNameFilterWidget*>(editor))) {
        for (int i = others.size() - 1; i >= 0 && !expiry; --i) {
            expiry = qobject_cast<ExpDateFilter*>(others.at(i));
            dates = otherEditors.value(i);
        }
    }
    if (!expiry || !dates || !contract)
        return;
    const QPointer<ExpDateFilter> follower(expiry);
    const QPointer<QWidget> followerEditor(dates);
    QObject::connect(contract, &FilterWidget::changed, context, [follower, followerEditor, contract] {
        if (follower && followerEditor)
            follower->followBaseContract(followerEditor, contract->value());
    });
    expiry->followBaseContract(dates, contract->value());
}

// Told once, before any base contract or expiry filter can be placed: the two editors' tie and their tool bar
// forms.
void linkContractEditors()
{
    static const bool linked = [] {
        FilterLinks::add(linkExpiryToBaseContract);
        FilterLinks::addToolBarEditor([](Filter* filter, QWidget* parent) -> QWidget* {
            if (qobject_cast<SecNameFilter*>(filter))
                return new SecNameFilterToolBarWidget(parent);
            if (qobject_cast<ExpDateFilter*>(filter))
                return new ExpDateFilterToolBarWidget(parent);
            return nullptr;
        });
        return true;
    }();
    Q_UNUSED(linked)
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

QWidget* AccountFilter::createFilterWidget(QWidget* parent)
{
    return new CheckListFilterWidget(parent);
}

void AccountFilter::init(QWidget* widget)
{
    auto* editor = qobject_cast<CheckListFilterWidget*>(widget);
    if (!editor)
        return;
    // The clients' accounts, and any other account the filter holds (the firm's own), so that none is lost.
    QStringList codes = KvInvestorDirectory::i()->codes();
    for (const KeyValue& key : keys()) {
        if (!codes.contains(keyToValue(key)))
            codes << keyToValue(key);
    }
    std::sort(codes.begin(), codes.end());
    QList<QPair<QString, QString>> items;
    QSet<QString> unchecked;
    for (const QString& code : qAsConst(codes)) {
        const QString name = KvInvestorDirectory::i()->nameByCode(code);
        items << qMakePair(name.isEmpty() ? code : QStringLiteral("%1 %2").arg(code, name), code);
        if (isEnabled() && !hasKey(valueToKey(code)))
            unchecked.insert(code);
    }
    editor->setItems(items, unchecked);
}

void AccountFilter::apply(QWidget* widget)
{
    applyCheckList(*this, widget);
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
    , m_d(new BoardFilterPrivate)
{ }

QString BoardFilter::name() const
{
    return tr("Режим торгов");
}

BoardFilter::~BoardFilter() = default;

void BoardFilter::setFilterBoards(const boardlist& boards)
{
    m_d->filterBoards = boards;
}

const boardlist& BoardFilter::filterBoards() const
{
    return m_d->filterBoards;
}

void BoardFilter::setForPositions(bool forPositions)
{
    m_d->forPositions = forPositions;
}

bool BoardFilter::isForPositions() const
{
    return m_d->forPositions;
}

QString BoardFilter::keyToText(const KeyValue& key) const
{
    if (key.size() != 2)
        return QString();
    return BoardDirectory::i()->nameById(int(key.at(0).toInteger64()), int(key.at(1).toInteger64()));
}

QWidget* BoardFilter::createFilterWidget(QWidget* parent)
{
    return new BoardSelectorWidget(parent);
}

void BoardFilter::init(QWidget* widget)
{
    auto* editor = qobject_cast<BoardSelectorWidget*>(widget);
    if (!editor)
        return;
    editor->setOffered(m_d->filterBoards, m_d->forPositions);
    boardlist unchecked;
    if (isEnabled()) {
        for (const boardid& board : editor->offeredBoards()) {
            if (!hasKey(valueToKey(QStringLiteral("%1,%2").arg(board.stock).arg(board.board))))
                unchecked << board;
        }
    }
    editor->setUnchecked(unchecked);
}

void BoardFilter::apply(QWidget* widget)
{
    applyCheckList(*this, widget);
}

ExpDateFilter::ExpDateFilter(Table& table, int modelColumn, QObject* parent)
    : ValueFilter(table, columnOf(table, "expdate"), { columnOf(table, "expdate") }, modelColumn, parent)
    , m_d(new ExpDateFilterPrivate)
{
    linkContractEditors();
}

ExpDateFilter::~ExpDateFilter() = default;

QString ExpDateFilter::name() const
{
    return tr("Дата экспирации");
}

QString ExpDateFilter::keyToText(const KeyValue& key) const
{
    return key.isEmpty() ? QString() : QLocale().toString(key.first().toDatetime().date(), QLocale::ShortFormat);
}

QWidget* ExpDateFilter::createFilterWidget(QWidget* parent)
{
    return new ExpDateFilterWidget(parent);
}

void ExpDateFilter::init(QWidget* widget)
{
    initKeyCombo(*this, widget, choices(m_d->baseContract));
}

QList<QPair<QString, QString>> ExpDateFilter::choices(const QString& baseContract) const
{
    const int base = columnOf(table(), "fut_isin_id");
    if (baseContract.isEmpty() || base < 0)
        return keysInTable(*this, false);
    const qint64 isin = baseContract.toLongLong();
    return keysInTable(*this, false, [base, isin](const Record& r) { return r.data(base).toInteger64() == isin; });
}

void ExpDateFilter::followBaseContract(QWidget* widget, const QString& baseContract)
{
    m_d->baseContract = baseContract;
    if (auto* editor = qobject_cast<KeyComboFilterWidget*>(widget))
        editor->setKeys(choices(baseContract));
}

void ExpDateFilter::apply(QWidget* widget)
{
    applyKeyCombo(*this, widget);
}

SecNameFilter::SecNameFilter(Table& table, int modelColumn, QObject* parent)
    : ValueFilter(table, columnOf(table, "fut_isin_id"), { columnOf(table, "fut_isin_id") }, modelColumn, parent)
{
    linkContractEditors();
}

QString SecNameFilter::name() const
{
    return tr("Базовый контракт");
}

QString SecNameFilter::keyToText(const KeyValue& key) const
{
    if (key.isEmpty())
        return QString();
    // Asked per row when an editor lists the keys and on every rebuild of the window: a lookup, never a scan.
    const QString name = SecurityDirectory::i()->futureNameByIsinId(key.first().toInteger64());
    return name.isEmpty() ? key.toString() : name;
}

QWidget* SecNameFilter::createFilterWidget(QWidget* parent)
{
    return new SecNameFilterWidget(parent);
}

void SecNameFilter::init(QWidget* widget)
{
    initKeyCombo(*this, widget, keysInTable(*this, true));
}

void SecNameFilter::apply(QWidget* widget)
{
    applyKeyCombo(*this, widget);
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
    if (!editor || !editor->checkAcceptable())
        return;
    setValue(editor->login());
    setEnabled(keys().size() == 1);
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

QWidget* SecurityFilter::createFilterWidget(QWidget* parent)
{
    return new SecurityFilterWidget(parent);
}

void SecurityFilter::init(QWidget* widget)
{
    auto* editor = qobject_cast<SecurityFilterWidget*>(widget);
    if (!editor)
        return;
    if (keys().size() == 1)
        editor->setSecurity(keyToValue(keys().first()), keyToText(keys().first()));
    editor->setFiltering(isEnabled());
}

void SecurityFilter::apply(QWidget* widget)
{
    auto* editor = qobject_cast<SecurityFilterWidget*>(widget);
    if (!editor || !editor->checkAcceptable())
        return;
    if (editor->isFiltering())
        setValue(editor->textId());
    setEnabled(editor->isFiltering() && hasValue());
}
