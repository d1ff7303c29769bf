#include "filters/widgets/keycombofilterwidget.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

KeyComboFilterWidget::KeyComboFilterWidget(const QString& noneText, QWidget* parent)
    : FilterWidget(parent)
    , m_box(new QComboBox(this))
    , m_row(new QHBoxLayout)
{
    m_box->addItem(noneText, QString());
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->addWidget(m_box, 1);
    contentLayout()->addLayout(m_row);
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

void KeyComboFilterWidget::setTitle(const QString& title)
{
    if (m_title) {
        m_title->setText(title);
        return;
    }
    m_title = new QLabel(title, this);
    m_title->setBuddy(m_box);
    m_row->insertWidget(0, m_title);
}

void KeyComboFilterWidget::setNoneText(const QString& text)
{
    m_box->setItemText(0, text);
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
    : KeyComboFilterWidget(QString(), parent)
{
    SecNameFilterWidget::retranslate();
}

void SecNameFilterWidget::retranslate()
{
    setNoneText(tr("<не указан>"));
}

ExpDateFilterWidget::ExpDateFilterWidget(QWidget* parent)
    : KeyComboFilterWidget(QString(), parent)
{
    ExpDateFilterWidget::retranslate();
}

void ExpDateFilterWidget::retranslate()
{
    setNoneText(tr("<не указана>"));
}

SecNameFilterToolBarWidget::SecNameFilterToolBarWidget(QWidget* parent)
    : SecNameFilterWidget(parent)
{
    SecNameFilterToolBarWidget::retranslate();
    box()->setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

void SecNameFilterToolBarWidget::retranslate()
{
    SecNameFilterWidget::retranslate();
    setTitle(tr("Базовый контракт:"));
}

ExpDateFilterToolBarWidget::ExpDateFilterToolBarWidget(QWidget* parent)
    : ExpDateFilterWidget(parent)
{
    ExpDateFilterToolBarWidget::retranslate();
    box()->setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

void ExpDateFilterToolBarWidget::retranslate()
{
    ExpDateFilterWidget::retranslate();
    setTitle(tr("Экспирация:"));
}
