#pragma once

#include "basic_views_export.h"
#include "core/db/decimal.h"

#include <QDialog>
#include <QMap>

class QLabel;
class QPushButton;

// Checks an order's price against its instrument's limits and price step before the order goes out, and when
// the price fails asks what to do: send at the corrected price (2), only correct the price in the form (1), or
// cancel (0). exec() answers 2 at once when there is nothing to ask. The dialog is made once per order form
// and reused: each checkPrice() prepares it anew.
class BASIC_VIEWS_EXPORT AddOrderCheckDialog : public QDialog
{
    Q_OBJECT
public:
    enum Answer { Cancel = 0, Correct = 1, Send = 2 };

    explicit AddOrderCheckDialog(QWidget* parent = nullptr);

    // Postponed orders are "added" rather than "sent" in the dialog's texts.
    void setPostponedOrderProperty(bool postponed);
    // Leaves the previous state when the board is not positive, the price is empty or the text id is.
    void checkPrice(int board, const decimal& price, const QString& textId);
    bool shouldShowDialog() const { return m_show; }
    int exec() override;

    // The price to use, in the user's locale.
    QString resultPrice() const { return m_resultPrice; }
    // The entered price, or the price rounded to the step.
    decimal reducedPrice() const { return m_reducedPrice; }

    // "123.4500" as "123,45" under a comma locale, "100.000" as "100".
    static QString toLocalReducedString(const QString& number);

protected Q_SLOTS:
    void onSendButtonClicked();
    void onCorrectButtonClicked();
    void onCancelButtonClicked();

private:
    enum Mode { NoProblem = 0, OutsideLimits = 1, OffStep = 2 };
    void setUpDialogFields();
    QString text(const QString& group, const QString& key) const;
    void fillButtons(const QString& kind, const QString& value);
    void takeResultPrice();

    QLabel* m_labels[4];
    QPushButton* m_send;
    QPushButton* m_correct;
    QPushButton* m_cancel;
    QMap<QString, QMap<QString, QMap<QString, QString>>> m_texts; // order mode -> group -> key -> text
    decimal m_min;
    decimal m_max;
    decimal m_price;
    QString m_correctedText;
    int m_mode = NoProblem;
    bool m_show = false;
    bool m_postponed = false;
    decimal m_reducedPrice;
    QString m_resultPrice;
};
