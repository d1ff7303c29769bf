#include "orders/private/futorder.h"

#include "core/db/appsettings.h"
#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/editors/numbereditor.h"
#include "core/host/editors/quantityeditor.h"
#include "core/host/icore.h"
#include "core/host/selectors/accountselectorbox.h"
#include "core/host/selectors/boardselectorbox.h"
#include "core/host/selectors/partnerselectorbox.h"
#include "core/host/selectors/securityselectorbox.h"
#include "core/host/widgets/pushbuttonsend.h"
#include "orders/newordertransactions.h"
#include "orders/private/ordermore.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>

namespace {

enum Board {
    Anonymous = 1,
    Address = 2,
    Swap = 10,
    SwapAddress = 11,
    Options = 14,
    NegotiatedAddress = 15,
    Clearing = 17
};

const char* const SettingsGroup = "OrderShortDialog";

bool isSwap(int board)
{
    return board == Swap || board == SwapAddress;
}

QLabel* buddyLabel(QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

FutOrder::FutOrder(QWidget* parent)
    : AddOrder(parent)
    , m_board(new BoardSelectorBox(this))
    , m_security(new SecuritySelectorBox(this))
    , m_account(new AccountSelectorBox(this))
    , m_price(new NumberEditor(this))
    , m_quantity(new QuantityEditor(this))
    , m_yield(new NumberEditor(this))
    , m_partner(new PartnerSelectorBox(this))
    , m_comment(new QLineEdit(this))
    , m_transaction(new QLineEdit(this))
    , m_limits(new QCheckBox(this))
    , m_extras(new QGroupBox(this))
    , m_extraPages(new QStackedWidget(m_extras))
    , m_more(new OrderMore(m_extraPages))
    , m_addressMore(new OrderAddressMore(m_extraPages))
    , m_buy(new PushButtonSend(QString(), this))
    , m_sell(new PushButtonSend(QString(), this))
    , m_cancel(new QPushButton(this))
    , m_boardLabel(buddyLabel(m_board, this))
    , m_securityLabel(buddyLabel(m_security, this))
    , m_accountLabel(buddyLabel(m_account, this))
    , m_priceLabel(buddyLabel(m_price, this))
    , m_quantityLabel(buddyLabel(m_quantity, this))
    , m_yieldLabel(buddyLabel(m_yield, this))
    , m_partnerLabel(buddyLabel(m_partner, this))
    , m_commentLabel(new QLabel(this))
    , m_typeLabel(new QLabel(this))
{
    m_price->setNegativeAllowed(true);
    m_account->setFirmsOffered(false);
    m_transaction->setReadOnly(true);
    m_transaction->setFocusPolicy(Qt::NoFocus);
    m_limits->setChecked(AppSettings(QStringLiteral("Kestrel2")).value(QStringLiteral("CheckLimits"), true).toBool());
    m_comment->setMaxLength(20);
    m_buy->setSide(QLatin1Char('B'));
    m_sell->setSide(QLatin1Char('S'));
    m_buy->setObjectName(QStringLiteral("buy"));
    m_sell->setObjectName(QStringLiteral("sell"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    // Bonds are not traded here: the yield row stays out of use.
    m_yield->hide();
    m_yieldLabel->hide();

    m_extraPages->addWidget(m_more);
    m_extraPages->addWidget(m_addressMore);
    auto* extrasLayout = new QVBoxLayout(m_extras);
    extrasLayout->addWidget(m_extraPages);
    m_extras->setCheckable(true);
    m_extras->setChecked(false);
    m_extraPages->setVisible(false);
    connect(m_extras, &QGroupBox::toggled, m_extraPages, &QWidget::setVisible);

    auto* grid = new QGridLayout(this);
    int row = 0;
    const auto addRow = [&](QLabel* label, QWidget* editor) {
        grid->addWidget(label, row, 0);
        grid->addWidget(editor, row++, 1);
    };
    addRow(m_boardLabel, m_board);
    addRow(m_securityLabel, m_security);
    addRow(m_accountLabel, m_account);
    addRow(m_priceLabel, m_price);
    addRow(m_quantityLabel, m_quantity);
    addRow(m_yieldLabel, m_yield);
    addRow(m_partnerLabel, m_partner);
    addRow(m_commentLabel, m_comment);
    addRow(m_typeLabel, m_transaction);
    grid->addWidget(m_limits, row++, 0, 1, 2);
    grid->addWidget(m_extras, row++, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_buy);
    buttons->addWidget(m_sell);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, row, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    // The keyboard walks the fields in the order they are read.
    QWidget* order[] = { m_board, m_security, m_account, m_price, m_quantity, m_partner, m_comment, m_extras, m_buy,
        m_sell, m_cancel };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_board, &BoardSelectorBox::boardChanged, this, &FutOrder::onBoardChanged);
    connect(m_security, &SecuritySelectorBox::securityChanged, this, &FutOrder::onSecurityChanged);
    connect(m_account, &AccountSelectorBox::changedAccount, this, &FutOrder::onChanged);
    for (QLineEdit* edit : std::initializer_list<QLineEdit*> { m_price, m_quantity, m_yield })
        connect(edit, &QLineEdit::textChanged, this, &FutOrder::onChanged);
    connect(m_partner, &QComboBox::currentTextChanged, this, &FutOrder::onChanged);
    connect(m_more, &OrderMore::changed, this, &FutOrder::onChanged);
    connect(m_buy, &QPushButton::clicked, this, [this] { Q_EMIT changedBuySell(QLatin1Char('B')); });
    connect(m_sell, &QPushButton::clicked, this, [this] { Q_EMIT changedBuySell(QLatin1Char('S')); });
    connect(m_cancel, &QPushButton::clicked, this, &AddOrder::cancel);
    // Room for an option's name and the longest transaction name.
    setMinimumWidth(440);
    retranslate();
    setStockId(1);
    setBuySell(m_side);
}

void FutOrder::retranslate()
{
    m_limits->setText(tr("Проверять лимиты цен опционов"));
    m_extras->setTitle(tr("Дополнительно"));
    m_buy->setText(tr("&Купить"));
    m_sell->setText(tr("&Продать"));
    m_cancel->setText(tr("Отмена"));
    m_boardLabel->setText(tr("&Режим торгов:"));
    m_securityLabel->setText(tr("&Инструмент:"));
    m_accountLabel->setText(tr("С&чет:"));
    m_priceLabel->setText(isSwap(boardId()) ? tr("&Своп-Цена:") : tr("&Цена:"));
    m_quantityLabel->setText(tr("Ко&личество:"));
    m_yieldLabel->setText(tr("Доходность:"));
    m_partnerLabel->setText(tr("Контр&агент:"));
    m_commentLabel->setText(tr("Комментарий:"));
    m_typeLabel->setText(tr("Транзакция:"));
}

void FutOrder::changeEvent(QEvent* event)
{
    AddOrder::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    retranslate();
    // The transaction's name comes from the host, in the language it speaks now.
    onChanged();
}

void FutOrder::setStockId(int stock)
{
    m_stockId = stock;
    m_board->setStockId(stock);
    m_security->setStockId(stock);
    onBoardChanged(m_board->getBoardId());
}

int FutOrder::boardId() const
{
    return m_board->getBoardId();
}

void FutOrder::setBoardId(int board)
{
    m_board->setBoardId(board);
    onBoardChanged(m_board->getBoardId());
}

void FutOrder::onBoardChanged(int board)
{
    if (board > 0)
        AppSettings(QLatin1String(SettingsGroup)).setValue(QStringLiteral("board_id"), board);
    m_security->setBoardId(board);
    layOutBoard(board);
    onSecurityChanged();
}

void FutOrder::layOutBoard(int board)
{
    // Which boards are priced, and which price is a swap price, goes by the board; whether an order is addressed
    // to a partner goes by the board directory, the same that decides whether the partner is sent.
    const bool swap = isSwap(board);
    const bool priced
        = board == Anonymous || board == Address || swap || board == Options || board == NegotiatedAddress;
    const bool address = priced && isAddressBoard();
    m_priceLabel->setText(swap ? tr("&Своп-Цена:") : tr("&Цена:"));
    m_priceLabel->setVisible(priced);
    m_price->setVisible(priced);
    m_partnerLabel->setVisible(address);
    m_partner->setVisible(address);
    m_limits->setVisible(board == Options);
    if (priced)
        m_extraPages->setCurrentWidget(address ? static_cast<QWidget*>(m_addressMore) : m_more);
}

qint64 FutOrder::securityId() const
{
    return m_security->getSecurityId();
}

bool FutOrder::setSecurityId(qint64 security)
{
    const bool found = m_security->setSecurityId(security);
    onSecurityChanged();
    return found;
}

void FutOrder::onSecurityChanged()
{
    const Record instrument = SecurityDirectory::i()->recordById(m_stockId, boardId(), securityId());
    if (!instrument.isNull()) {
        // The price is typed in the instrument's decimals; the arrows move it by its step.
        m_price->setDecimals(instrument.data(QStringLiteral("decimals")).toInteger());
        m_price->setStep(instrument.data(QStringLiteral("price_step")).toDecimal());
        AppSettings(QLatin1String(SettingsGroup)).setValue(QStringLiteral("sec_id"), securityId());
    }
    onChanged();
}

QString FutOrder::account() const
{
    return m_account->getAccount();
}

void FutOrder::setAccount(const QString& account)
{
    m_account->setAccount(account);
    onChanged();
}

IPrice FutOrder::price() const
{
    return IPrice(m_price->getValue());
}

void FutOrder::setPrice(const IPrice& price)
{
    m_price->setValue(price.text());
}

QString FutOrder::quantity() const
{
    return m_quantity->getValue();
}

void FutOrder::setQuantity(const QString& quantity)
{
    m_quantity->setValue(quantity);
}

QString FutOrder::partner() const
{
    return m_partner->getPartner();
}

void FutOrder::setPartner(const QString& partner)
{
    m_partner->setPartner(partner);
    onChanged();
}

QString FutOrder::orderType() const
{
    // Only the anonymous boards' panel offers a type: elsewhere the order is a plain limit order, whatever that
    // panel holds while it is put away.
    return m_extraPages->currentWidget() == m_more ? m_more->orderType() : QStringLiteral("1");
}

bool FutOrder::isIceberg() const
{
    return orderType() == QLatin1String("4");
}

void FutOrder::setOrderType(const QString& type)
{
    m_more->setOrderType(type);
}

bool FutOrder::isAddressBoard() const
{
    return BoardDirectory::i()->isAddressById(m_stockId, boardId());
}

Values FutOrder::values() const
{
    const int board = boardId();
    const Record instrument = SecurityDirectory::i()->recordById(m_stockId, board, securityId());
    Values values { { QStringLiteral("StockId"), m_stockId }, { QStringLiteral("BoardId"), board },
        { QStringLiteral("Security"), SecurityDirectory::i()->codeById(m_stockId, board, securityId()) },
        { QStringLiteral("SecurityId"), securityId() },
        { QStringLiteral("isin_id"), instrument.isNull() ? 0 : instrument.data(QStringLiteral("isin_id")).toInteger() },
        { QStringLiteral("Account"), account() }, { QStringLiteral("Quantity"), quantity() },
        { QStringLiteral("iceberg_amount"), quantity() }, { QStringLiteral("check_limit"), m_limits->isChecked() },
        { QStringLiteral("Comment"), m_comment->text().trimmed() } };
    if (board != Clearing)
        values.insert(QStringLiteral("Price"), m_price->getValue());
    const Values extras = m_extraPages->currentWidget() == m_addressMore ? m_addressMore->values() : m_more->values();
    for (auto it = extras.constBegin(); it != extras.constEnd(); ++it)
        values.insert(it.key(), it.value());
    if (isAddressBoard())
        values.insert(QStringLiteral("Partner"), partner());
    return values;
}

void FutOrder::setValues(const Values& values)
{
    if (values.contains(QStringLiteral("BoardId")))
        setBoardId(values.value(QStringLiteral("BoardId")).toInt());
    if (values.contains(QStringLiteral("Security"))) {
        const Record instrument = SecurityDirectory::i()->recordBySecCode(
            values.value(QStringLiteral("Security")).toString(), m_stockId, boardId());
        if (!instrument.isNull())
            setSecurityId(instrument.data(QStringLiteral("sec_id")).toInteger64());
    }
    if (values.contains(QStringLiteral("Account")))
        setAccount(values.value(QStringLiteral("Account")).toString());
    if (values.contains(QStringLiteral("Price")))
        setPrice(IPrice(values.value(QStringLiteral("Price")).toString()));
    if (values.contains(QStringLiteral("Quantity")))
        setQuantity(values.value(QStringLiteral("Quantity")).toString());
    if (values.contains(QStringLiteral("Partner")))
        setPartner(values.value(QStringLiteral("Partner")).toString());
    if (values.contains(QStringLiteral("Comment")))
        m_comment->setText(values.value(QStringLiteral("Comment")).toString());
    if (values.contains(QStringLiteral("BuySell")))
        setBuySell(values.value(QStringLiteral("BuySell")).toString().startsWith(QLatin1Char('B')) ? QLatin1Char('B')
                                                                                                   : QLatin1Char('S'));
    m_more->setValues(values);
    m_addressMore->setValues(values);
    onChanged();
}

TransactionDescription FutOrder::description() const
{
    const int kind = NewOrderTransactions::transactionId(m_stockId, boardId(), isIceberg());
    ITransactionSender* sender = ICore::instance() ? ICore::instance()->transactions() : nullptr;
    if (kind == 0 || !sender)
        return {};
    try {
        return sender->description(m_stockId, kind);
    } catch (const QString&) {
        return {};
    }
}

void FutOrder::setBuySell(QChar side)
{
    m_side = side == QLatin1Char('B') ? QLatin1Char('B') : QLatin1Char('S');
    // Enter presses the side's button.
    m_buy->setDefault(m_side == QLatin1Char('B'));
    m_sell->setDefault(m_side == QLatin1Char('S'));
}

QPushButton* FutOrder::buyButton() const
{
    return m_buy;
}

QPushButton* FutOrder::sellButton() const
{
    return m_sell;
}

bool FutOrder::isPartnerShown() const
{
    return !m_partner->isHidden();
}

bool FutOrder::isPriceShown() const
{
    return !m_price->isHidden();
}

bool FutOrder::validate()
{
    const int board = boardId();
    const bool iceberg = isIceberg();
    const qint64 amount = m_quantity->quantity();
    const QList<QPair<QLabel*, bool>> checks {
        { m_boardLabel, board > 0 },
        { m_securityLabel, securityId() > 0 },
        { m_accountLabel, !account().isEmpty() },
        { m_priceLabel, board == Clearing || !m_price->getValue().isEmpty() },
        { m_quantityLabel, amount > 0 },
        { m_yieldLabel, m_yield->isHidden() || board == Clearing || !m_yield->getValue().isEmpty() },
        { m_partnerLabel, m_partner->isHidden() || !partner().isEmpty() },
        // The board takes no order of the chosen type (an iceberg on the clearing board).
        { m_typeLabel,
            description().kind != 0
                && (!iceberg
                    || (m_more->visiblePart() > 0 && m_more->visiblePart() < amount
                        && m_more->deviation() < m_more->visiblePart())) },
    };
    bool valid = true;
    for (const auto& [label, passes] : checks) {
        label->setStyleSheet(passes ? QString() : QStringLiteral("color: red"));
        valid = valid && passes;
    }
    return valid;
}

void FutOrder::onChanged()
{
    // An iceberg's parts are in the extra panel: it opens to show them.
    if (isIceberg())
        m_extras->setChecked(true);
    const TransactionDescription kind = description();
    m_transaction->setText(kind.name);
    const bool valid = validate() && kind.kind != 0;
    m_buy->setEnabled(valid);
    m_sell->setEnabled(valid);
}
