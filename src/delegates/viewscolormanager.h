#pragma once

#include "basic_views_export.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QScopedPointer>

class Settings;
class ViewsColorPage;

class ViewsColorManagerPrivate;

// The process-wide table of meaning colours: by window kind (View), colour use (Role) and meaning (Color).
// Starts at the built-in defaults, changes through setColor() and restore(), and is kept in the application
// settings under "ViewsColors". An invalid colour means: use the normal palette.
class BASIC_VIEWS_EXPORT ViewsColorManager : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ViewsColorManager)
public:
    enum View { Orders, Dom, Deals, MyDeals, Securities, MmResponsibilities, OptCalc, ViewCount };
    Q_ENUM(View)
    enum Role { BackgroundRole, SelectionRole, TextRole, RoleCount };
    Q_ENUM(Role)
    enum Color {
        NoColor,
        BuyColor,
        SellColor,
        UnknownOperationColor,
        UpColor,
        DownColor,
        UpPriceColor,
        DownPriceColor,
        ChangePriceColor,
        ChangeColor,
        BestBuyPriceColor,
        BestSellPriceColor,
        MMGroupOptionFulfil,
        MMGroupOptionViolation,
        MMSpreadFulfil,
        MMSpreadViolation,
        MMAmountFulfil,
        MMAmountViolation,
        MMPercentDurationFulfil,
        MMPercentDurationViolation,
        OptCalcMivMpBase,
        ColorCount
    };
    Q_ENUM(Color)

    // Made on first use, destroyed at process exit; null afterwards.
    static ViewsColorManager* instance();
    explicit ViewsColorManager(QObject* parent = nullptr);
    ~ViewsColorManager() override;

    QColor color(View view, Role role, Color color) const;
    void setColor(View view, Role role, Color color, const QColor& value);

    static QColor defaultColor(View view, Role role, Color color);
    static QString colorName(View view, Color color);
    static QString viewName(View view);
    // The colours a view's settings page lists, in order.
    static QList<Color> viewColors(View view);

    // Writes every valid colour under "ViewsColors/<View>/<Role>/<Color>".
    void store(Settings& settings) const;
    // Reads back every entry that holds a valid colour; a missing key keeps it, a value that is not a colour
    // makes it invalid.
    void restore(const Settings& settings);

    QList<ViewsColorPage*> pages() const;

Q_SIGNALS:
    void changed();

private:
    static int position(View view, Role role, Color color) { return (view * RoleCount + role) * ColorCount + color; }
    static QColor ordersColors(Role role, Color color);
    static QColor domColors(Role role, Color color);
    static QColor dealsColors(Role role, Color color);
    static QColor securitiesColors(Role role, Color color);
    static QColor mmResponsibilitiesColors(Role role, Color color);
    static QColor optCalcColors(Role role, Color color);
    // The bid/offer colours of the request-for-stream windows; kept beside the others, no view uses them yet.
    static QColor rfsColors(Role role, Color color);
    QScopedPointer<ViewsColorManagerPrivate> m_d;
};
