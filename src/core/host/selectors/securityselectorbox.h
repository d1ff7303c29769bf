#pragma once

#include "core/host/securitykey.h"
#include "core/host/selectors/completingselectorbox.h"

// The instrument of an order form: the instruments of a market and board (0 for any) from the security
// directory, found by typing a part of a code or name. Follows the directory as instruments come and go.
class BV_HOST_EXPORT SecuritySelectorBox : public CompletingSelectorBox
{
    Q_OBJECT
public:
    explicit SecuritySelectorBox(QWidget* parent = nullptr);

    void setStockId(int stock);
    // 0 lists the instruments of every board of the market.
    void setBoardId(int board);
    int getStockId() const { return m_stock; }
    // The chosen instrument's board, or the board set when none is chosen.
    int getBoardId() const;
    // False when the instrument is not among those listed.
    bool setSecurityId(qint64 sec);
    bool setSecurityKey(const SecurityKey& key);
    // 0 when none is chosen.
    qint64 getSecurityId() const;
    QString getSecurityCode() const;
    SecurityKey securityKey() const;

Q_SIGNALS:
    void securityChanged(const SecurityKey& key);

protected:
    QString unknownText(const QString& text) const override;
    // A language change names the hint again.
    void changeEvent(QEvent* event) override;

private:
    void reload();

    int m_stock = 0;
    int m_board = 0;
};
