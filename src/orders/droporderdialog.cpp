#include "orders/droporderdialog.h"
#include "orders/private/droporderdialog_p.h"

#include "core/host/directories/accountdirectory.h"
#include "core/host/icore.h"
#include "core/host/itransactionsender.h"
#include "core/host/selectors/accountselectorbox.h"
#include "core/host/selectors/stockselectorbox.h"
#include "core/host/widgets/confirmationdialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The market whose orders the dialog withdraws, and its kind of request (the market id plus 11).
constexpr int Derivatives = 1;
constexpr int WithdrawKindOffset = 11;

struct ModeTexts
{
    const char* title;
    const char* explanation;
    const char* side;
    const char* clientQuestion;
    const char* firmQuestion;
};

const ModeTexts Modes[] = {
    { QT_TRANSLATE_NOOP("DropOrdersDialog", "Снять все заявки"),
        QT_TRANSLATE_NOOP("DropOrdersDialog", "Снятие заявок для указанного счёта клиента или брокерской фирмы"), "A",
        QT_TRANSLATE_NOOP("DropOrdersDialog", "Вы уверены, что хотите снять все заявки по счёту %1?"),
        QT_TRANSLATE_NOOP("DropOrdersDialog", "Вы уверены, что хотите снять все заявки брокерской фирмы %1?") },
    { QT_TRANSLATE_NOOP("DropOrdersDialog", "Снять все заявки на покупку"),
        QT_TRANSLATE_NOOP(
            "DropOrdersDialog", "Снятие заявок на покупку для указанного счёта клиента или брокерской фирмы"),
        "B", QT_TRANSLATE_NOOP("DropOrdersDialog", "Вы уверены, что хотите снять все заявки на покупку по счёту %1?"),
        QT_TRANSLATE_NOOP(
            "DropOrdersDialog", "Вы уверены, что хотите снять все заявки брокерской фирмы %1 на покупку?") },
    { QT_TRANSLATE_NOOP("DropOrdersDialog", "Снять все заявки на продажу"),
        QT_TRANSLATE_NOOP(
            "DropOrdersDialog", "Снятие заявок на продажу для указанного счёта клиента или брокерской фирмы"),
        "S", QT_TRANSLATE_NOOP("DropOrdersDialog", "Вы уверены, что хотите снять все заявки на продажу по счёту %1?"),
        QT_TRANSLATE_NOOP(
            "DropOrdersDialog", "Вы уверены, что хотите снять все заявки брокерской фирмы %1 на продажу?") },
    { QT_TRANSLATE_NOOP("DropOrdersDialog", "Снять все заявки вне лимитов"),
        QT_TRANSLATE_NOOP(
            "DropOrdersDialog", "Снятие заявок вне лимитов для указанного счёта клиента или брокерской фирмы"),
        "L", QT_TRANSLATE_NOOP("DropOrdersDialog", "Вы уверены, что хотите снять все заявки вне лимитов по счёту %1?"),
        QT_TRANSLATE_NOOP(
            "DropOrdersDialog", "Вы уверены, что хотите снять все заявки брокерской фирмы %1 вне лимитов?") },
};

const ModeTexts* textsOf(int mode)
{
    return mode >= 0 && mode < int(sizeof(Modes) / sizeof(Modes[0])) ? &Modes[mode] : nullptr;
}

} // namespace

DropOrdersDialog::DropOrdersDialog(QWidget* parent)
    : QDialog(parent)
    , m_d(new DropOrdersDialogPrivate)
{
    Q_D(DropOrdersDialog);
    d->label = new QLabel(this);
    d->stock = new StockSelectorBox(this);
    d->account = new AccountSelectorBox(this);
    d->buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    d->label->setWordWrap(true);
    d->stock->setStockIdFilter({ Derivatives });
    d->stock->setStockId(Derivatives);
    d->form = new QFormLayout(this);
    d->form->addRow(d->label);
    d->form->addRow(new QLabel(this), d->stock);
    d->form->addRow(new QLabel(this), d->account);
    d->form->addRow(d->buttons);
    connect(d->stock, &StockSelectorBox::stockChanged, this, &DropOrdersDialog::invalidate);
    connect(d->account, &AccountSelectorBox::changedAccount, this, &DropOrdersDialog::invalidate);
    connect(d->buttons, &QDialogButtonBox::accepted, this, &DropOrdersDialog::accept);
    connect(d->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    retranslate();
    invalidate();
}

DropOrdersDialog::~DropOrdersDialog() = default;

void DropOrdersDialog::retranslate()
{
    Q_D(DropOrdersDialog);
    const ModeTexts* texts = textsOf(d->mode);
    setWindowTitle(texts ? tr(texts->title) : tr("Снять заявки"));
    d->label->setText(texts ? tr(texts->explanation) : QString());
    for (const auto& [field, text] : { qMakePair<QWidget*, QString>(d->stock, tr("Рынок:")),
             qMakePair<QWidget*, QString>(d->account, tr("Счёт:")) }) {
        if (auto* label = qobject_cast<QLabel*>(d->form->labelForField(field)))
            label->setText(text);
    }
}

void DropOrdersDialog::changeEvent(QEvent* event)
{
    Q_D(DropOrdersDialog);
    QDialog::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    retranslate();
    // Qt names its standard buttons when it makes them: made again, they take the new language.
    d->buttons->setStandardButtons(d->buttons->standardButtons());
    invalidate();
}

DropOrdersDialog* DropOrdersDialog::showDialog(int mode)
{
    auto* dialog = new DropOrdersDialog(ICore::dialogParent());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setMode(mode);
    dialog->show();
    return dialog;
}

void DropOrdersDialog::setMode(int mode)
{
    Q_D(DropOrdersDialog);
    d->mode = mode;
    retranslate();
}

int DropOrdersDialog::getStockId() const
{
    Q_D(const DropOrdersDialog);
    return d->stock->getStockId();
}

QString DropOrdersDialog::getAccount() const
{
    Q_D(const DropOrdersDialog);
    return d->account->getAccount();
}

void DropOrdersDialog::invalidate()
{
    Q_D(DropOrdersDialog);
    const int length = getAccount().size();
    const bool valid = (length == AccountDirectory::FirmCodeLength || length == AccountDirectory::ClientCodeLength)
        && getStockId() == Derivatives;
    d->buttons->button(QDialogButtonBox::Ok)->setEnabled(valid);
}

void DropOrdersDialog::accept()
{
    try {
        send();
    } catch (const QString& error) {
        QMessageBox::information(this, windowTitle(), error);
        QDialog::accept();
    } catch (...) {
        reject();
    }
}

void DropOrdersDialog::send()
{
    Q_D(DropOrdersDialog);
    const QString account = getAccount();
    const bool firm = account.size() == AccountDirectory::FirmCodeLength;
    if (!firm && account.size() != AccountDirectory::ClientCodeLength) {
        QMessageBox::information(this, windowTitle(),
            tr("Код брокера (и клиента) должен быть длиной или %1, или %2 символов!")
                .arg(int(AccountDirectory::FirmCodeLength))
                .arg(int(AccountDirectory::ClientCodeLength)));
        return;
    }
    const ModeTexts* texts = textsOf(d->mode);
    if (!texts)
        throw QStringLiteral("Wrong parameter!"); // a caller's mistake, not the user's
    ConfirmationDialog confirmation(this);
    confirmation.setWindowTitle(tr("Снять заявки"));
    confirmation.setText(tr(firm ? texts->firmQuestion : texts->clientQuestion).arg(account));
    confirmation.setSettingsKey(QStringLiteral("questionOnDropAllOrders"));
    if (confirmation.shouldShowDialog() && confirmation.exec() != QDialog::Accepted)
        return;
    const int stockId = getStockId();
    if (stockId == Derivatives) {
        try {
            sendRequest(stockId, stockId + WithdrawKindOffset, QString::fromLatin1(texts->side));
        } catch (const QString&) {
            // Reported to the user; the dialog's work is done either way.
        }
    }
    QDialog::accept();
}

void DropOrdersDialog::sendRequest(int stockId, int kind, const QString& side)
{
    ICore* core = ICore::instance();
    ITransactionSender* sender = core ? core->transactions() : nullptr;
    RawTransactionPtr transaction;
    try {
        if (!sender)
            throw tr("Транзакция не найдена");
        const TransactionDescription description = sender->description(stockId, kind);
        if (description.kind != kind)
            throw tr("Транзакция не найдена");
        transaction = sender->build(
            description, { { QStringLiteral("Account"), getAccount() }, { QStringLiteral("BuySell"), side } });
    } catch (const QString& error) {
        QMessageBox::information(this, tr("Ошибка отмены заявок"), tr("Невозможно сформировать запрос: %1").arg(error));
        throw;
    }
    try {
        transaction->restartTimer();
        if (!sender->queue(transaction))
            throw tr("транзакция не добавлена в очередь");
    } catch (const QString& error) {
        QMessageBox::information(
            this, tr("Ошибка отправки запроса отмены заявок"), tr("Невозможно отправить запрос: %1").arg(error));
        throw;
    }
}

int DropOrdersDialog::mode() const
{
    return d_func()->mode;
}

StockSelectorBox* DropOrdersDialog::stockSelector() const
{
    return d_func()->stock;
}

AccountSelectorBox* DropOrdersDialog::accountSelector() const
{
    return d_func()->account;
}
