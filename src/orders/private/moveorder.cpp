#include "orders/private/moveorder.h"

#include "core/db/appsettings.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/editors/numbereditor.h"
#include "core/host/editors/quantityeditor.h"
#include "core/host/icore.h"
#include "core/host/selectors/accountselectorbox.h"
#include "core/host/selectors/boardselectorbox.h"
#include "core/host/selectors/securityselectorbox.h"
#include "delegates/viewscolormanager.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Prices are compared at five decimals: the order's own price and the one in the editor.
constexpr int PriceScale = 5;
constexpr int OptionsBoard = 14;

// A finer price is rounded to five decimals, a coarser one kept as typed: widening its scale could overflow
// for a long number the editor accepts, and decimals compare exactly across scales.
decimal priceOf(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return decimal::minimum();
    const decimal price = decimal::fromString(trimmed);
    return price.scale() > PriceScale ? price.withScale(PriceScale) : price;
}

} // namespace

MoveOrder::MoveOrder(QWidget* parent)
    : QWidget(parent)
    , m_board(new BoardSelectorBox(this))
    , m_security(new SecuritySelectorBox(this))
    , m_account(new AccountSelectorBox(this))
    , m_price(new NumberEditor(this))
    , m_quantity(new QuantityEditor(this))
    , m_transaction(new QLineEdit(this))
    , m_limits(new QCheckBox(this))
    , m_priceLabel(new QLabel(this))
    , m_quantityLabel(new QLabel(this))
    , m_send(new QPushButton(this))
    , m_cancel(new QPushButton(this))
{
    const ViewsColorManager* colors = ViewsColorManager::instance();
    m_buyColor
        = colors->color(ViewsColorManager::Orders, ViewsColorManager::BackgroundRole, ViewsColorManager::BuyColor);
    m_sellColor
        = colors->color(ViewsColorManager::Orders, ViewsColorManager::BackgroundRole, ViewsColorManager::SellColor);
    // The order stays where it is: only its price and quantity change.
    for (QWidget* fixed : std::initializer_list<QWidget*> { m_board, m_security, m_account })
        fixed->setEnabled(false);
    m_send->setObjectName(QStringLiteral("send"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_transaction->setReadOnly(true);
    m_price->setNegativeAllowed(true);
    m_limits->setChecked(AppSettings(QStringLiteral("Kestrel2")).value(QStringLiteral("CheckLimits"), true).toBool());
    m_limits->hide();
    m_cancel->setStyleSheet(QStringLiteral("QPushButton { background-color: lightgrey; }"));

    auto* grid = new QGridLayout(this);
    int row = 0;
    auto addRow = [&](QWidget* editor, QLabel* label) {
        grid->addWidget(label, row, 0);
        grid->addWidget(editor, row++, 1, 1, 2);
    };
    for (QLabel*& label : m_labels)
        label = new QLabel(this);
    addRow(m_board, m_labels[0]);
    addRow(m_security, m_labels[1]);
    addRow(m_account, m_labels[2]);
    addRow(m_transaction, m_labels[3]);
    addRow(m_price, m_priceLabel);
    addRow(m_quantity, m_quantityLabel);
    grid->addWidget(m_limits, row++, 0, 1, 3);
    grid->addWidget(m_send, row, 1);
    grid->addWidget(m_cancel, row, 2);

    connect(m_price, &QLineEdit::textChanged, this, [this] { onChanged(); });
    connect(m_quantity, &QLineEdit::textChanged, this, [this] { onChanged(); });
    connect(m_board, &BoardSelectorBox::boardChanged, this, [this] { onChanged(); });
    connect(m_limits, &QCheckBox::toggled, this, [this] { onChanged(); });
    connect(m_send, &QPushButton::clicked, this, [this] { Q_EMIT changedBuySell(m_side); });
    connect(m_cancel, &QPushButton::clicked, this, &MoveOrder::cancel);
    retranslate();
    setBuySell(m_side);
    onChanged();
}

void MoveOrder::retranslate()
{
    m_limits->setText(tr("Проверять лимиты цен опционов"));
    m_priceLabel->setText(tr("Цена:"));
    m_quantityLabel->setText(tr("Количество:"));
    m_send->setText(tr("&Отправить заявку"));
    m_cancel->setText(tr("Отмена"));
    m_labels[0]->setText(tr("Режим торгов:"));
    m_labels[1]->setText(tr("Инструмент:"));
    m_labels[2]->setText(tr("Счет:"));
    m_labels[3]->setText(tr("Транзакция:"));
}

void MoveOrder::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    retranslate();
    // The transaction's name comes from the host, in the language it speaks now.
    onChanged();
}

void MoveOrder::setStockId(int stock)
{
    m_stockId = stock;
    m_board->setStockId(stock);
    m_security->setStockId(stock);
    onChanged();
}

void MoveOrder::setBoardId(int board)
{
    m_board->setBoardId(board);
    m_security->setBoardId(board);
    m_limits->setVisible(board == OptionsBoard);
    onChanged();
}

int MoveOrder::boardId() const
{
    return m_board->getBoardId();
}

bool MoveOrder::setSecurity(const QString& code)
{
    const Record record = SecurityDirectory::i()->recordBySecCode(code, m_stockId, boardId());
    if (record.isNull() || !m_security->setSecurityId(record.data(QStringLiteral("sec_id")).toInteger()))
        return false;
    // The price is typed in the instrument's decimals; the arrows move it by its step.
    m_price->setDecimals(record.data(QStringLiteral("decimals")).toInteger());
    m_price->setStep(record.data(QStringLiteral("price_step")).toDecimal());
    return true;
}

qint64 MoveOrder::securityId() const
{
    return m_security->getSecurityId();
}

QString MoveOrder::securityCode() const
{
    return SecurityDirectory::i()->codeById(m_stockId, boardId(), securityId());
}

void MoveOrder::setAccount(const QString& code)
{
    m_account->setAccount(code);
}

QString MoveOrder::account() const
{
    return m_account->getAccount();
}

void MoveOrder::setBuySell(QChar side)
{
    m_side = side;
    m_send->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; }")
                              .arg((side == QLatin1Char('B') ? m_buyColor : m_sellColor).name()));
}

void MoveOrder::setIceberg(bool iceberg)
{
    m_iceberg = iceberg;
    m_quantity->setVisible(!iceberg);
    m_quantityLabel->setVisible(!iceberg);
    onChanged();
}

void MoveOrder::setPrice(const QString& text)
{
    if (m_initialPrice.isEmpty() && !text.trimmed().isEmpty())
        m_initialPrice = priceOf(text);
    if (m_price->getValue() != text)
        m_price->setValue(text);
    onChanged();
}

void MoveOrder::setQuantity(const QString& text)
{
    if (m_initialQuantity == 0)
        m_initialQuantity = text.trimmed().toLongLong();
    if (m_quantity->getValue() != text)
        m_quantity->setValue(text);
    onChanged();
}

QString MoveOrder::priceText() const
{
    return m_price->getValue();
}

QString MoveOrder::quantityText() const
{
    return m_quantity->getValue();
}

bool MoveOrder::checkLimits() const
{
    return m_limits->isChecked();
}

int MoveOrder::transactionKind(int stock, int board, bool iceberg)
{
    if (stock != 1 || (board != 1 && board != OptionsBoard))
        return 0;
    return iceberg ? 150 : 13;
}

bool MoveOrder::validate()
{
    const QString price = priceText();
    const QString quantity = quantityText();
    // An empty field would send the exchange nothing to change to; the same values would change nothing.
    const bool empty = price.isEmpty() || quantity.isEmpty();
    const bool same = priceOf(price) == m_initialPrice && quantity.toLongLong() == m_initialQuantity;
    const bool valid = !empty && !same;
    const QString style = valid ? QString() : QStringLiteral("color: red");
    m_priceLabel->setStyleSheet(style);
    m_quantityLabel->setStyleSheet(style);
    return valid;
}

void MoveOrder::onChanged()
{
    const int kind = transactionKind(m_stockId, boardId(), m_iceberg);
    m_description = TransactionDescription();
    if (kind != 0) {
        if (ICore* core = ICore::instance(); core && core->transactions()) {
            try {
                m_description = core->transactions()->description(m_stockId, kind);
            } catch (const QString&) {
                m_description = TransactionDescription();
            }
        }
    }
    m_transaction->setText(m_description.name);
    const bool valid = validate();
    m_send->setEnabled(m_description.kind != 0 && valid);
}

bool MoveOrder::canSend() const
{
    return m_send->isEnabled();
}
