#pragma once

#include "basic_views_export.h"

#include <QStringList>

// The price an order form holds, as the order dialogs see it: one price text, or two (a buy and a sell price,
// for forms that enter both sides at once). A plain value.
class BASIC_VIEWS_EXPORT IPrice
{
public:
    IPrice() = default;
    explicit IPrice(const QString& text)
        : m_texts { text }
    { }
    IPrice(const QString& buy, const QString& sell)
        : m_texts { buy, sell }
    { }

    int count() const { return m_texts.size(); }
    bool isTwoSided() const { return m_texts.size() == 2; }
    // Empty for a position the price does not have.
    QString text(int index = 0) const { return m_texts.value(index); }
    void setText(int index, const QString& text)
    {
        if (index >= 0 && index < m_texts.size())
            m_texts[index] = text;
    }

private:
    QStringList m_texts;
};
