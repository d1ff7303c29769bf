#include "filters/widgets/keycombofilterwidget.h"

#include <QComboBox>

KeyComboFilterWidget::KeyComboFilterWidget(const QString& noneText, QWidget* parent)
    : FilterWidget(parent)
    , m_box(new QComboBox(this))
{
    m_box->addItem(noneText, QString());
    contentLayout()->addWidget(m_box);
    connect(m_box, QOverload<int>::of(&QComboBox::activated), this, [this] { notifyChanged(); });
}

void KeyComboFilterWidget::setKeys(const QList<QPair<QString, QString>>& keys)
{
    const QString chosen = value();
    while (m_box->count() > 1)
        m_box->removeItem(1);
    for (const auto& [text, value] : keys)
        m_box->addItem(text, value);
    setValue(chosen);
    // A choice the new keys no longer hold is a change the user must see applied.
    if (value() != chosen)
        notifyChanged();
}

QString KeyComboFilterWidget::value() const
{
    return m_box->currentData().toString();
}

void KeyComboFilterWidget::setValue(const QString& value)
{
    const int at = value.isEmpty() ? 0 : m_box->findData(value);
    m_box->setCurrentIndex(qMax(at, 0));
}

SecNameFilterWidget::SecNameFilterWidget(QWidget* parent)
    : KeyComboFilterWidget(tr("<не указан>"), parent)
{ }

ExpDateFilterWidget::ExpDateFilterWidget(QWidget* parent)
    : KeyComboFilterWidget(tr("<не указана>"), parent)
{ }
