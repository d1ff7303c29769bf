#include "filters/widgets/securityfilterwidget.h"

#include "core/host/directories/securitydirectory.h"
#include "core/host/securitykey.h"
#include "filters/widgets/securityselectdialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

SecurityFilterWidget::SecurityFilterWidget(QWidget* parent)
    : FilterWidget(parent)
    , m_all(new QRadioButton(this))
    , m_one(new QRadioButton(this))
    , m_name(new QLineEdit(this))
    , m_select(new QPushButton(this))
{
    retranslate();
    m_name->setReadOnly(true);
    m_name->setMinimumWidth(90);
    m_all->setChecked(true);
    // One line, so that it fits a tool bar as well as a settings page.
    auto* row = new QHBoxLayout;
    row->addWidget(m_all);
    row->addWidget(m_one);
    row->addWidget(m_name, 1);
    row->addWidget(m_select);
    contentLayout()->addLayout(row);
    connect(m_select, &QPushButton::clicked, this, &SecurityFilterWidget::selectSecurity);
    connect(m_one, &QRadioButton::toggled, this, [this] { notifyChanged(); });
}

void SecurityFilterWidget::setSecurity(const QString& textId, const QString& name)
{
    m_textId = textId;
    m_name->setText(name);
}

bool SecurityFilterWidget::isFiltering() const
{
    return m_one->isChecked();
}

void SecurityFilterWidget::setFiltering(bool filtering)
{
    (filtering ? m_one : m_all)->setChecked(true);
}

void SecurityFilterWidget::selectSecurity()
{
    SecuritySelectDialog dialog(this);
    dialog.setWindowTitle(tr("Выбор инструмента для установки фильтра"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedTextId().isEmpty())
        return;
    const SecurityKey key = SecurityKey::fromTextId(dialog.selectedTextId());
    setSecurity(dialog.selectedTextId(), SecurityDirectory::i()->nameById(key.stock, key.board, key.sec));
    m_one->setChecked(true);
    notifyChanged();
}

QString SecurityFilterWidget::refusal() const
{
    return m_one->isChecked() && m_textId.isEmpty() ? tr("Выберите инструмент кнопкой «Выбрать...»") : QString();
}

void SecurityFilterWidget::retranslate()
{
    m_all->setText(tr("Все инструменты"));
    m_one->setText(tr("Инструмент"));
    m_select->setText(tr("Выбрать..."));
}
