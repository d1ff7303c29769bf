#include "orders/private/addordercheckdialog.h"

#include "core/host/directories/securitydirectory.h"

#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include <cmath>

namespace {

const QString SimpleOrder = QStringLiteral("simpleOrder");
const QString PostponedOrder = QStringLiteral("postponedOrder");
const QString PriceKind = QStringLiteral("price");
const QString SwapPriceKind = QStringLiteral("swapPrice");
constexpr int MinimumButtonWidth = 220;

// Equal within a relative 10^-12, the way prices computed in double are compared.
bool fuzzyEqual(double a, double b)
{
    return std::min(std::fabs(a), std::fabs(b)) >= std::fabs(a - b) * 1e12;
}

// Boards whose prices are swap prices (the texts say so).
bool isSwapBoard(int board)
{
    return board == 10 || board == 11;
}

// Boards traded without price limits.
bool hasNoLimits(int board)
{
    return board == 14 || board == 15;
}

} // namespace

AddOrderCheckDialog::AddOrderCheckDialog(QWidget* parent)
    : QDialog(parent)
    , m_send(new QPushButton(this))
    , m_correct(new QPushButton(this))
    , m_cancel(new QPushButton(this))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetMinimumSize);
    for (int row = 0; row < 4; ++row) {
        m_labels[row] = new QLabel(this);
        grid->addWidget(m_labels[row], row, 0, 1, 3);
    }
    int column = 0;
    for (QPushButton* button : { m_send, m_correct, m_cancel }) {
        button->setMinimumWidth(MinimumButtonWidth);
        grid->addWidget(button, 4, column++);
    }
    setUpDialogFields();
    connect(m_send, &QPushButton::clicked, this, &AddOrderCheckDialog::onSendButtonClicked);
    connect(m_correct, &QPushButton::clicked, this, &AddOrderCheckDialog::onCorrectButtonClicked);
    connect(m_cancel, &QPushButton::clicked, this, &AddOrderCheckDialog::onCancelButtonClicked);
}

void AddOrderCheckDialog::setUpDialogFields()
{
    for (const QString& mode : { SimpleOrder, PostponedOrder }) {
        const bool postponed = mode == PostponedOrder;
        auto& texts = m_texts[mode];
        texts[QStringLiteral("inputAllowFields")] = { { PriceKind, tr("Можно ввести заявку с ценой") },
            { SwapPriceKind, tr("Можно ввести заявку со своп-ценой") },
            { QStringLiteral("rate"), tr("Можно ввести заявку со ставкой") } };
        texts[QStringLiteral("orderSendFields")]
            = { { PriceKind, postponed ? tr("Добавить отложенную заявку по цене") : tr("Отправить заявку по цене") },
                  { SwapPriceKind,
                      postponed ? tr("Добавить отложенную заявку по своп-цене") : tr("Отправить заявку по своп-цене") },
                  { QStringLiteral("rate"),
                      postponed ? tr("Добавить отложенную заявку по ставке") : tr("Отправить заявку по ставке") } };
        texts[QStringLiteral("correctedOrderSendFields")] = {
            { PriceKind,
                postponed ? tr("Добавить исправленную заявку по цене") : tr("Отправить исправленную заявку по цене") },
            { SwapPriceKind,
                postponed ? tr("Добавить исправленную заявку по своп-цене")
                          : tr("Отправить исправленную заявку по своп-цене") },
            { QStringLiteral("rate"),
                postponed ? tr("Добавить исправленную заявку по ставке")
                          : tr("Отправить исправленную заявку по ставке") }
        };
        texts[QStringLiteral("checkButtonFields")]
            = { { QStringLiteral("correct"), tr("Исправить") }, { QStringLiteral("cancel"), tr("Отменить") } };
        texts[QStringLiteral("tooltipFields")] = {
            { QStringLiteral("correctPrice"),
                postponed ? tr("Откорректировать цену, но НЕ добавлять заявку")
                          : tr("Откорректировать цену, но НЕ отправлять заявку") },
            { QStringLiteral("cancelPrice"),
                postponed ? tr("Отменить добавление заявки, не исправлять цену")
                          : tr("Отменить постановку заявки, не исправлять цену") },
            { QStringLiteral("correctSwapPrice"),
                postponed ? tr("Откорректировать своп-цену, но НЕ добавлять заявку")
                          : tr("Откорректировать своп-цену, но НЕ отправлять заявку") },
            { QStringLiteral("cancelSwapPrice"),
                postponed ? tr("Отменить добавление заявки, не исправлять своп-цену")
                          : tr("Отменить постановку заявки, не исправлять своп-цену") },
            { QStringLiteral("correctRate"),
                postponed ? tr("Откорректировать ставку, но НЕ добавлять заявку")
                          : tr("Откорректировать ставку, но НЕ отправлять заявку") },
            { QStringLiteral("cancelRate"),
                postponed ? tr("Отменить добавление заявки, не исправлять ставку")
                          : tr("Отменить постановку заявки, не исправлять ставку") },
        };
    }
}

QString AddOrderCheckDialog::text(const QString& group, const QString& key) const
{
    return m_texts.value(m_postponed ? PostponedOrder : SimpleOrder).value(group).value(key);
}

void AddOrderCheckDialog::setPostponedOrderProperty(bool postponed)
{
    m_postponed = postponed;
}

void AddOrderCheckDialog::checkPrice(int board, const decimal& price, const QString& textId)
{
    if (board <= 0 || price.isEmpty() || textId.isEmpty())
        return;
    m_show = false;
    m_mode = NoProblem;
    m_price = price;
    m_reducedPrice = price;
    m_resultPrice = toLocalReducedString(price.toString());

    decimal min = decimal::maximum();
    decimal max = decimal::minimum();
    decimal step = decimal::zero();
    const SecurityDirectory* securities = SecurityDirectory::i();
    securities->minMaxStepByTextId(textId, min, max, step);
    const int decimals = securities->decimalsByTextId(textId);
    // An instrument without limits or step in the directory is not checked.
    if (min == decimal::maximum() || max == decimal::minimum() || step.isEmpty() || step == decimal::zero())
        return;
    m_min = min;
    m_max = max;
    const double stepValue = step.toDouble();
    const double priceValue = price.toDouble();
    const double rounded = std::floor((stepValue * 0.5 + priceValue) / stepValue) * stepValue;
    const QString kind = isSwapBoard(board) ? SwapPriceKind : PriceKind;
    const bool swap = kind == SwapPriceKind;

    if (!hasNoLimits(board) && (price > max || price < min) && min <= max) {
        m_mode = OutsideLimits;
        const QString limit = (price > max ? max : min).toSystemString();
        setWindowTitle(tr("Проверка на лимиты"));
        m_labels[0]->setText(swap ? tr("Введенная своп-цена вне лимитов") : tr("Введенная цена вне лимитов"));
        m_labels[1]->setText(QLatin1Char('\t') + price.toSystemString());
        m_labels[2]->setText(text(QStringLiteral("inputAllowFields"), kind));
        m_labels[3]->setText(QLatin1Char('\t') + limit);
        fillButtons(kind, limit);
    } else {
        // A zero price is compared one up: the relative test means nothing at zero.
        const bool multiple
            = priceValue == 0 ? fuzzyEqual(priceValue + 1, rounded + 1) : fuzzyEqual(priceValue, rounded);
        if (multiple)
            return;
        m_mode = OffStep;
        m_correctedText = QString::number(rounded, 'f', 6);
        m_reducedPrice = decimal::fromDouble(rounded, decimals);
        const QString reduced = m_reducedPrice.toSystemString();
        setWindowTitle(tr("Проверка на кратность"));
        m_labels[0]->setText(
            swap ? tr("Введенная своп-цена не кратна шагу своп-цены") : tr("Введенная цена не кратна шагу цены"));
        m_labels[1]->setText(QLatin1Char('\t') + price.toSystemString());
        m_labels[2]->setText(text(QStringLiteral("inputAllowFields"), kind));
        m_labels[3]->setText(QLatin1Char('\t') + reduced);
        fillButtons(kind, reduced);
    }
    m_cancel->setFocus();
    m_show = true;
}

void AddOrderCheckDialog::fillButtons(const QString& kind, const QString& value)
{
    const bool swap = kind == SwapPriceKind;
    m_send->setText(QStringLiteral("%1 %2").arg(text(QStringLiteral("orderSendFields"), kind), value));
    m_send->setToolTip(QStringLiteral("%1 %2").arg(text(QStringLiteral("correctedOrderSendFields"), kind), value));
    m_correct->setText(text(QStringLiteral("checkButtonFields"), QStringLiteral("correct")));
    m_correct->setToolTip(text(
        QStringLiteral("tooltipFields"), swap ? QStringLiteral("correctSwapPrice") : QStringLiteral("correctPrice")));
    m_cancel->setText(text(QStringLiteral("checkButtonFields"), QStringLiteral("cancel")));
    m_cancel->setToolTip(text(
        QStringLiteral("tooltipFields"), swap ? QStringLiteral("cancelSwapPrice") : QStringLiteral("cancelPrice")));
}

int AddOrderCheckDialog::exec()
{
    return m_show ? QDialog::exec() : Send;
}

void AddOrderCheckDialog::takeResultPrice()
{
    if (m_mode == OutsideLimits) {
        if (m_price > m_max)
            m_resultPrice = toLocalReducedString(m_max.toString());
        else if (m_price < m_min)
            m_resultPrice = toLocalReducedString(m_min.toString());
    } else if (m_mode == OffStep) {
        m_resultPrice = toLocalReducedString(m_correctedText);
    }
}

void AddOrderCheckDialog::onSendButtonClicked()
{
    takeResultPrice();
    done(Send);
}

void AddOrderCheckDialog::onCorrectButtonClicked()
{
    takeResultPrice();
    done(Correct);
}

void AddOrderCheckDialog::onCancelButtonClicked()
{
    done(Cancel);
}

QString AddOrderCheckDialog::toLocalReducedString(const QString& number)
{
    if (number.isEmpty())
        return number;
    QString text = number;
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
    }
    const QChar point = QLocale::system().decimalPoint();
    if (point != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), point);
    else if (point != QLatin1Char(','))
        text.replace(QLatin1Char(','), point);
    if (text.endsWith(point))
        text.chop(1);
    return text;
}
