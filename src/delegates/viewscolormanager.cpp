#include "delegates/viewscolormanager.h"
#include "delegates/private/viewscolormanager_p.h"

#include "core/db/settings.h"
#include "core/host/icore.h"
#include "delegates/viewscolorpage.h"

#include <QMetaEnum>

namespace {

ViewsColorManager* g_instance = nullptr;
bool g_destroyed = false;

QColor rgb(int r, int g, int b)
{
    return QColor(r, g, b, 255);
}

// Buy and sell rows: light green and red backgrounds, dark green and red selections.
QColor buySell(ViewsColorManager::Role role, ViewsColorManager::Color color)
{
    using M = ViewsColorManager;
    const bool background = role == M::BackgroundRole;
    if (role != M::BackgroundRole && role != M::SelectionRole)
        return QColor();
    switch (color) {
    case M::BuyColor:
        return background ? rgb(230, 255, 210) : rgb(0, 150, 0);
    case M::SellColor:
        return background ? rgb(255, 230, 210) : rgb(180, 0, 0);
    default:
        return QColor();
    }
}

} // namespace

ViewsColorManager* ViewsColorManager::instance()
{
    // One-time construction, thread-safe by the static's initialisation; destroyed at exit.
    static struct Holder
    {
        Holder()
        {
            manager = new ViewsColorManager;
            g_instance = manager;
        }
        ~Holder()
        {
            delete manager;
            g_instance = nullptr;
            g_destroyed = true;
        }
        ViewsColorManager* manager;
    } holder;
    return g_destroyed ? nullptr : g_instance;
}

ViewsColorManager::ViewsColorManager(QObject* parent)
    : QObject(parent)
    , m_d(new ViewsColorManagerPrivate)
{
    Q_D(ViewsColorManager);
    for (int v = 0; v < ViewCount; ++v) {
        for (int r = 0; r < RoleCount; ++r) {
            for (int c = 0; c < ColorCount; ++c)
                d->colors[position(View(v), Role(r), Color(c))] = defaultColor(View(v), Role(r), Color(c));
        }
    }
    ICore* core = ICore::instance();
    for (int v = 0; v < ViewCount; ++v) {
        auto* page = new ViewsColorPage(View(v), this);
        d->pages << page;
        if (core)
            core->addOptionsPage(page);
    }
    if (core)
        core->registerColorManager(this);
}

ViewsColorManager::~ViewsColorManager() = default;

QColor ViewsColorManager::color(View view, Role role, Color color) const
{
    Q_D(const ViewsColorManager);
    if (view < 0 || view >= ViewCount || role < 0 || role >= RoleCount || color < 0 || color >= ColorCount)
        return QColor();
    return d->colors[position(view, role, color)];
}

void ViewsColorManager::setColor(View view, Role role, Color color, const QColor& value)
{
    Q_D(ViewsColorManager);
    if (view < 0 || view >= ViewCount || role < 0 || role >= RoleCount || color < 0 || color >= ColorCount)
        return;
    d->colors[position(view, role, color)] = value;
}

QColor ViewsColorManager::defaultColor(View view, Role role, Color color)
{
    switch (view) {
    case Orders:
        return ordersColors(role, color);
    case Dom:
        return domColors(role, color);
    case Deals:
    case MyDeals:
        return dealsColors(role, color);
    case Securities:
        return securitiesColors(role, color);
    case MmResponsibilities:
        return mmResponsibilitiesColors(role, color);
    case OptCalc:
        return optCalcColors(role, color);
    case ViewCount:
        break;
    }
    return QColor();
}

QColor ViewsColorManager::ordersColors(Role role, Color color)
{
    if (color == UnknownOperationColor && role == BackgroundRole)
        return rgb(255, 255, 255);
    if (color == UnknownOperationColor && role == SelectionRole)
        return QColor(Qt::blue);
    return buySell(role, color);
}

QColor ViewsColorManager::domColors(Role role, Color color)
{
    if (color == BestBuyPriceColor)
        return role == BackgroundRole ? rgb(90, 200, 50) : role == SelectionRole ? rgb(0, 150, 0) : QColor();
    if (color == BestSellPriceColor)
        return role == BackgroundRole ? rgb(240, 50, 50) : role == SelectionRole ? rgb(180, 0, 0) : QColor();
    return ordersColors(role, color);
}

QColor ViewsColorManager::dealsColors(Role role, Color color)
{
    if (color == UnknownOperationColor)
        return role == BackgroundRole ? rgb(255, 255, 190) : role == SelectionRole ? rgb(220, 220, 0) : QColor();
    return buySell(role, color);
}

QColor ViewsColorManager::securitiesColors(Role role, Color color)
{
    if (role == BackgroundRole) {
        switch (color) {
        case UpColor:
            return rgb(221, 237, 221);
        case DownColor:
            return rgb(252, 221, 221);
        case ChangeColor:
            return rgb(255, 255, 190);
        default:
            return rfsColors(role, color);
        }
    }
    if (role == SelectionRole) {
        switch (color) {
        case UpColor:
            return rgb(0, 95, 20);
        case DownColor:
            return rgb(174, 0, 1);
        case ChangeColor:
            return rgb(160, 160, 0);
        default:
            break;
        }
    }
    return QColor();
}

QColor ViewsColorManager::rfsColors(Role role, Color color)
{
    if (role != BackgroundRole)
        return QColor();
    switch (color) {
    case UpPriceColor:
        return rgb(90, 200, 50);
    case DownPriceColor:
        return rgb(240, 50, 50);
    case ChangePriceColor:
        return QColor(Qt::gray);
    default:
        return QColor();
    }
}

QColor ViewsColorManager::mmResponsibilitiesColors(Role role, Color color)
{
    if (color < MMGroupOptionFulfil || color > MMPercentDurationViolation)
        return QColor();
    const bool fulfilled = (color - MMGroupOptionFulfil) % 2 == 0;
    return buySell(role, fulfilled ? BuyColor : SellColor);
}

QColor ViewsColorManager::optCalcColors(Role role, Color color)
{
    if (color != OptCalcMivMpBase)
        return QColor();
    return role == BackgroundRole ? rgb(150, 250, 240) : role == SelectionRole ? rgb(65, 110, 105) : QColor();
}

QString ViewsColorManager::colorName(View view, Color color)
{
    switch (view) {
    case Orders:
    case Dom:
        if (color == BuyColor)
            return tr("Фон строки заявки на покупку");
        if (color == SellColor)
            return tr("Фон строки заявки на продажу");
        if (view == Dom && color == BestBuyPriceColor)
            return tr("Фон ячейки лучшей цены на покупку");
        if (view == Dom && color == BestSellPriceColor)
            return tr("Фон ячейки лучшей цены на продажу");
        break;
    case Deals:
        if (color == BuyColor)
            return tr("Фон строки, если сделка инициирована покупкой");
        if (color == SellColor)
            return tr("Фон строки, если сделка инициирована продажей");
        if (color == UnknownOperationColor)
            return tr("Фон строки, если направление сделки не определено");
        break;
    case MyDeals:
        if (color == BuyColor)
            return tr("Фон строки сделки на покупку");
        if (color == SellColor)
            return tr("Фон строки сделки на продажу");
        break;
    case Securities:
        switch (color) {
        case BuyColor:
            return tr("Фон строки при завершении сделки покупкой");
        case SellColor:
            return tr("Фон строки при завершении сделки продажей");
        case UpColor:
            return tr("Фон строки при росте цены последней сделки");
        case DownColor:
            return tr("Фон строки при падении цены последней сделки");
        case ChangeColor:
            return tr("Фон строки при неизменности цены последней сделки");
        case UpPriceColor:
            return tr("Фон ячейки при росте цены спроса/предложения");
        case DownPriceColor:
            return tr("Фон ячейки при падении цены спроса/предложения");
        case ChangePriceColor:
            return tr("Фон ячейки при неизменности цены спроса/предложения");
        default:
            break;
        }
        break;
    case MmResponsibilities:
        switch (color) {
        case MMGroupOptionFulfil:
            return tr("Фон строки группы опционов при исполнении обязательства");
        case MMGroupOptionViolation:
            return tr("Фон строки группы опционов при неисполнении обязательства");
        case MMSpreadFulfil:
            return tr("Фон ячейки спреда по договору инструмента при исполнении обязательства");
        case MMSpreadViolation:
            return tr("Фон ячейки спреда по договору инструмента при неисполнении обязательства");
        case MMAmountFulfil:
            return tr("Фон ячейки количества по договору инструмента при исполнении обязательства");
        case MMAmountViolation:
            return tr("Фон ячейки количества по договору инструмента при неисполнении обязательства");
        case MMPercentDurationFulfil:
            return tr("Фон ячеек процента исполнения по договору инструмента при исполнении обязательства");
        case MMPercentDurationViolation:
            return tr("Фон ячеек процента исполнения по договору инструмента при неисполнении обязательства");
        default:
            break;
        }
        break;
    case OptCalc:
        if (color == OptCalcMivMpBase)
            return tr("Фон ячейки активной модельной величины");
        break;
    case ViewCount:
        break;
    }
    return tr("Фон строки");
}

QString ViewsColorManager::viewName(View view)
{
    switch (view) {
    case Orders:
        return tr("Заявки");
    case Dom:
        return tr("Котировки");
    case Deals:
        return tr("Сделки");
    case MyDeals:
        return tr("Свои сделки");
    case Securities:
        return tr("Инструменты");
    case MmResponsibilities:
        return tr("Обязательства маркет-мейкера");
    case OptCalc:
        return tr("Опционный калькулятор");
    case ViewCount:
        break;
    }
    return QString();
}

QList<ViewsColorManager::Color> ViewsColorManager::viewColors(View view)
{
    switch (view) {
    case Orders:
    case MyDeals:
        return { BuyColor, SellColor };
    case Dom:
        return { BuyColor, SellColor, BestBuyPriceColor, BestSellPriceColor };
    case Deals:
        return { BuyColor, SellColor, UnknownOperationColor };
    case Securities:
        return { UpColor, DownColor, ChangeColor, UpPriceColor, DownPriceColor, ChangePriceColor };
    case MmResponsibilities: {
        QList<Color> colors;
        for (int c = MMGroupOptionFulfil; c <= MMPercentDurationViolation; ++c)
            colors << Color(c);
        return colors;
    }
    case OptCalc:
        return { OptCalcMivMpBase };
    case ViewCount:
        break;
    }
    return {};
}

void ViewsColorManager::store(Settings& settings) const
{
    Q_D(const ViewsColorManager);
    const QMetaEnum views = QMetaEnum::fromType<View>();
    const QMetaEnum roles = QMetaEnum::fromType<Role>();
    const QMetaEnum colors = QMetaEnum::fromType<Color>();
    settings.beginGroup(QStringLiteral("ViewsColors"));
    for (int v = 0; v < ViewCount; ++v) {
        settings.beginGroup(QString::fromLatin1(views.valueToKey(v)));
        for (int r = 0; r < RoleCount; ++r) {
            settings.beginGroup(QString::fromLatin1(roles.valueToKey(r)));
            for (int c = 0; c < ColorCount; ++c) {
                const QColor value = d->colors[position(View(v), Role(r), Color(c))];
                if (value.isValid())
                    settings.setValue(QString::fromLatin1(colors.valueToKey(c)), value);
            }
            settings.endGroup();
        }
        settings.endGroup();
    }
    settings.endGroup();
}

void ViewsColorManager::restore(const Settings& settings)
{
    Q_D(ViewsColorManager);
    const QMetaEnum views = QMetaEnum::fromType<View>();
    const QMetaEnum roles = QMetaEnum::fromType<Role>();
    const QMetaEnum colors = QMetaEnum::fromType<Color>();
    for (int v = 0; v < ViewCount; ++v) {
        for (int r = 0; r < RoleCount; ++r) {
            for (int c = 0; c < ColorCount; ++c) {
                QColor& entry = d->colors[position(View(v), Role(r), Color(c))];
                if (!entry.isValid())
                    continue;
                const QString key = QStringLiteral("ViewsColors/%1/%2/%3")
                                        .arg(QLatin1String(views.valueToKey(v)), QLatin1String(roles.valueToKey(r)),
                                            QLatin1String(colors.valueToKey(c)));
                const QVariant stored = settings.value(key, entry);
                // A QColor, or text a QColor understands ("#5ac832"); anything else: no colour at all.
                entry = stored.canConvert<QColor>() ? stored.value<QColor>() : QColor();
            }
        }
    }
}

QList<ViewsColorPage*> ViewsColorManager::pages() const
{
    return d_func()->pages;
}
