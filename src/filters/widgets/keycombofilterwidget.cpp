#include "filters/widgets/keycombofilterwidget.h"

#include "filters/widgets/private/keycombofilterwidget_p.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

KeyComboFilterWidget::KeyComboFilterWidget(const QString& noneText, QWidget* parent)
    : FilterWidget(*new KeyComboFilterWidgetPrivate, parent)
{
    Q_D(KeyComboFilterWidget);
    d->box = new QComboBox(this);
    d->row = new QHBoxLayout;
    d->box->addItem(noneText, QString());
    d->row->setContentsMargins(0, 0, 0, 0);
    d->row->addWidget(d->box, 1);
    contentLayout()->addLayout(d->row);
    connect(d->box, QOverload<int>::of(&QComboBox::activated), this, [this] { notifyChanged(); });
}

void KeyComboFilterWidget::setKeys(const QList<QPair<QString, QString>>& keys)
{
    Q_D(KeyComboFilterWidget);
    const QString chosen = value();
    while (d->box->count() > 1)
        d->box->removeItem(1);
    for (const auto& [text, value] : keys)
        d->box->addItem(text, value);
    setValue(chosen);
    // A choice the new keys no longer hold is a change the user must see applied.
    if (value() != chosen)
        notifyChanged();
}

void KeyComboFilterWidget::setTitle(const QString& title)
{
    Q_D(KeyComboFilterWidget);
    if (d->title) {
        d->title->setText(title);
        return;
    }
    d->title = new QLabel(title, this);
    d->title->setBuddy(d->box);
    d->row->insertWidget(0, d->title);
}

void KeyComboFilterWidget::setNoneText(const QString& text)
{
    Q_D(KeyComboFilterWidget);
    d->box->setItemText(0, text);
}

QString KeyComboFilterWidget::value() const
{
    Q_D(const KeyComboFilterWidget);
    return d->box->currentData().toString();
}

void KeyComboFilterWidget::setValue(const QString& value)
{
    Q_D(KeyComboFilterWidget);
    const int at = value.isEmpty() ? 0 : d->box->findData(value);
    d->box->setCurrentIndex(qMax(at, 0));
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

QComboBox* KeyComboFilterWidget::box() const
{
    return d_func()->box;
}

bool KeyComboFilterWidget::hasTitle() const
{
    return d_func()->title != nullptr;
}
