#pragma once

#include "filters/widgets/filterwidget.h"

class QComboBox;

// A filter editor choosing one key, or none: the base contracts and the expiry dates of the instruments.
class BASIC_VIEWS_EXPORT KeyComboFilterWidget : public FilterWidget
{
    Q_OBJECT
public:
    // `noneText` is the first entry, which chooses nothing.
    KeyComboFilterWidget(const QString& noneText, QWidget* parent = nullptr);

    QComboBox* box() const { return m_box; }
    // (text, value) per key, in order; the chosen value is kept when it is still there, else none is chosen
    // and changed() tells so.
    void setKeys(const QList<QPair<QString, QString>>& keys);
    // Empty for none.
    QString value() const;
    void setValue(const QString& value);

private:
    QComboBox* m_box;
};

// Base futures contracts; "<не указан>" for none.
class BASIC_VIEWS_EXPORT SecNameFilterWidget : public KeyComboFilterWidget
{
    Q_OBJECT
public:
    explicit SecNameFilterWidget(QWidget* parent = nullptr);
};

// Expiry dates; "<не указана>" for none.
class BASIC_VIEWS_EXPORT ExpDateFilterWidget : public KeyComboFilterWidget
{
    Q_OBJECT
public:
    explicit ExpDateFilterWidget(QWidget* parent = nullptr);
};
