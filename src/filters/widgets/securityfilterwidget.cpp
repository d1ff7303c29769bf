#include "filters/widgets/securityfilterwidget.h"

#include "core/host/directories/securitydirectory.h"
#include "core/host/securitykey.h"
#include "filters/widgets/private/securityfilterwidget_p.h"
#include "filters/widgets/private/securityselectdialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

SecurityFilterWidget::SecurityFilterWidget(QWidget* parent)
    : FilterWidget(*new SecurityFilterWidgetPrivate, parent)
{
    Q_D(SecurityFilterWidget);
    d->all = new QRadioButton(this);
    d->one = new QRadioButton(this);
    d->name = new QLineEdit(this);
    d->select = new QPushButton(this);
    retranslate();
    d->name->setReadOnly(true);
    d->name->setMinimumWidth(90);
    d->all->setChecked(true);
    // One line, so that it fits a tool bar as well as a settings page.
    auto* row = new QHBoxLayout;
    row->addWidget(d->all);
    row->addWidget(d->one);
    row->addWidget(d->name, 1);
    row->addWidget(d->select);
    contentLayout()->addLayout(row);
    connect(d->select, &QPushButton::clicked, this, &SecurityFilterWidget::selectSecurity);
    connect(d->one, &QRadioButton::toggled, this, [this] { notifyChanged(); });
}

void SecurityFilterWidget::setSecurity(const QString& textId, const QString& name)
{
    Q_D(SecurityFilterWidget);
    d->textId = textId;
    d->name->setText(name);
}

bool SecurityFilterWidget::isFiltering() const
{
    Q_D(const SecurityFilterWidget);
    return d->one->isChecked();
}

void SecurityFilterWidget::setFiltering(bool filtering)
{
    Q_D(SecurityFilterWidget);
    (filtering ? d->one : d->all)->setChecked(true);
}

void SecurityFilterWidget::selectSecurity()
{
    Q_D(SecurityFilterWidget);
    SecuritySelectDialog dialog(this);
    dialog.setWindowTitle(tr("Выбор инструмента для установки фильтра"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedTextId().isEmpty())
        return;
    const SecurityKey key = SecurityKey::fromTextId(dialog.selectedTextId());
    setSecurity(dialog.selectedTextId(), SecurityDirectory::i()->nameById(key.stock, key.board, key.sec));
    d->one->setChecked(true);
    notifyChanged();
}

QString SecurityFilterWidget::refusal() const
{
    Q_D(const SecurityFilterWidget);
    return d->one->isChecked() && d->textId.isEmpty() ? tr("Выберите инструмент кнопкой «Выбрать...»") : QString();
}

void SecurityFilterWidget::retranslate()
{
    Q_D(SecurityFilterWidget);
    d->all->setText(tr("Все инструменты"));
    d->one->setText(tr("Инструмент"));
    d->select->setText(tr("Выбрать..."));
}

QString SecurityFilterWidget::textId() const
{
    return d_func()->textId;
}

QRadioButton* SecurityFilterWidget::allChoice() const
{
    return d_func()->all;
}

QRadioButton* SecurityFilterWidget::oneChoice() const
{
    return d_func()->one;
}

QPushButton* SecurityFilterWidget::selectButton() const
{
    return d_func()->select;
}
