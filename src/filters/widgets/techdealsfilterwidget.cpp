#include "filters/widgets/techdealsfilterwidget.h"

#include "filters/widgets/private/techdealsfilterwidget_p.h"

#include <QRadioButton>
#include <QVBoxLayout>

TechDealsFilterWidget::TechDealsFilterWidget(QWidget* parent)
    : FilterWidget(*new TechDealsFilterWidgetPrivate, parent)
{
    Q_D(TechDealsFilterWidget);
    for (const QString& text : { tr("Все сделки"), tr("Только технические сделки по связкам"),
             tr("Только обычные сделки"), tr("Только сделки по индикативным котировкам"), tr("Только RFS сделки") }) {
        auto* choice = new QRadioButton(text, this);
        d->choices << choice;
        contentLayout()->addWidget(choice);
        connect(choice, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                notifyChanged();
        });
    }
    d->choices.at(IndicativeOnly)->hide();
    d->choices.at(AllDeals)->setChecked(true);
}

int TechDealsFilterWidget::mode() const
{
    Q_D(const TechDealsFilterWidget);
    for (int choice = AllDeals; choice <= RegularOnly; ++choice) {
        if (d->choices.at(choice)->isChecked())
            return choice;
    }
    return AllDeals;
}

void TechDealsFilterWidget::setMode(int mode)
{
    Q_D(TechDealsFilterWidget);
    d->choices.at(mode >= AllDeals && mode <= RegularOnly ? mode : AllDeals)->setChecked(true);
}

QRadioButton* TechDealsFilterWidget::choice(Choice choice) const
{
    return d_func()->choices.at(choice);
}
