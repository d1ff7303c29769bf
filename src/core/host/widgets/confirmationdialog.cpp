#include "core/host/widgets/confirmationdialog.h"

#include "core/db/appsettings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ConfirmationDialog::ConfirmationDialog(QWidget* parent)
    : QDialog(parent)
    , m_text(new QLabel(this))
    , m_dontAsk(new QCheckBox(tr("Больше не спрашивать"), this))
{
    setWindowTitle(tr("Подтверждение"));
    m_text->setWordWrap(true);
    m_text->setObjectName(QStringLiteral("text"));
    m_dontAsk->setObjectName(QStringLiteral("dontAsk"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, this);
    buttons->button(QDialogButtonBox::Yes)->setText(tr("Да"));
    buttons->button(QDialogButtonBox::No)->setText(tr("Нет"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_dontAsk);
    layout->addWidget(buttons);
    m_dontAsk->setVisible(false);
}

void ConfirmationDialog::setText(const QString& text)
{
    m_text->setText(text);
}

QString ConfirmationDialog::text() const
{
    return m_text->text();
}

void ConfirmationDialog::setSettingsKey(const QString& key)
{
    m_key = key;
    m_dontAsk->setVisible(!key.isEmpty());
}

// The key holds whether the user still wants to be asked; an absent key asks.
bool ConfirmationDialog::shouldShowDialog() const
{
    return m_key.isEmpty() || AppSettings(QString()).value(m_key, true).toBool();
}

int ConfirmationDialog::exec()
{
    const int result = QDialog::exec();
    if (result == QDialog::Accepted && !m_key.isEmpty() && m_dontAsk->isChecked()) {
        AppSettings settings { QString() };
        settings.setValue(m_key, false);
        settings.sync();
    }
    return result;
}

void ConfirmationDialog::resetChoice(const QString& key)
{
    AppSettings settings { QString() };
    settings.setValue(key, true);
    settings.sync();
}
