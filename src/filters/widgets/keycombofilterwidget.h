#pragma once

#include "filters/widgets/filterwidget.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class KeyComboFilterWidgetPrivate;

// A filter editor choosing one key, or none: the base contracts and the expiry dates of the instruments.
class BASIC_VIEWS_EXPORT KeyComboFilterWidget : public FilterWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, KeyComboFilterWidget)
public:
    // `noneText` is the first entry, which chooses nothing.
    KeyComboFilterWidget(const QString& noneText, QWidget* parent = nullptr);

    QComboBox* box() const;
    // A title left of the list, where no section or header names the editor (a tool bar); a later call renames it.
    void setTitle(const QString& title);
    bool hasTitle() const;
    // (text, value) per key, in order; the chosen value is kept when it is still there, else none is chosen
    // and changed() tells so.
    void setKeys(const QList<QPair<QString, QString>>& keys);
    // Empty for none.
    QString value() const;
    void setValue(const QString& value);

protected:
    void setNoneText(const QString& text);
};

// Base futures contracts; "<не указан>" for none.
class BASIC_VIEWS_EXPORT SecNameFilterWidget : public KeyComboFilterWidget
{
    Q_OBJECT
public:
    explicit SecNameFilterWidget(QWidget* parent = nullptr);

protected:
    void retranslate() override;
};

// Expiry dates; "<не указана>" for none.
class BASIC_VIEWS_EXPORT ExpDateFilterWidget : public KeyComboFilterWidget
{
    Q_OBJECT
public:
    explicit ExpDateFilterWidget(QWidget* parent = nullptr);

protected:
    void retranslate() override;
};

// The base contract on a filter tool bar: titled, as wide as its longest contract.
class BASIC_VIEWS_EXPORT SecNameFilterToolBarWidget : public SecNameFilterWidget
{
    Q_OBJECT
public:
    explicit SecNameFilterToolBarWidget(QWidget* parent = nullptr);

protected:
    void retranslate() override;
};

// The expiry on a filter tool bar, next to the base contract whose dates it offers: titled, as wide as a date.
class BASIC_VIEWS_EXPORT ExpDateFilterToolBarWidget : public ExpDateFilterWidget
{
    Q_OBJECT
public:
    explicit ExpDateFilterToolBarWidget(QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
