#include "filters/widgets/techdealsfilterwidget.h"

#include <QRadioButton>
#include <QVBoxLayout>

TechDealsFilterWidget::TechDealsFilterWidget(QWidget* parent)
    : FilterWidget(parent)
{
    for (const QString& text : { tr("Все сделки"), tr("Только технические сделки по связкам"),
             tr("Только обычные сделки"), tr("Только сделки по индикативным котировкам"), tr("Только RFS сделки") }) {
        auto* choice = new QRadioButton(text, this);
        m_choices << choice;
        contentLayout()->addWidget(choice);
        connect(choice, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                notifyChanged();
        });
    }
    m_choices.at(IndicativeOnly)->hide();
    m_choices.at(AllDeals)->setChecked(true);
}

int TechDealsFilterWidget::mode() const
{
    for (int choice = AllDeals; choice <= RegularOnly; ++choice) {
        if (m_choices.at(choice)->isChecked())
            return choice;
    }
    return AllDeals;
}

void TechDealsFilterWidget::setMode(int mode)
{
    m_choices.at(mode >= AllDeals && mode <= RegularOnly ? mode : AllDeals)->setChecked(true);
}
