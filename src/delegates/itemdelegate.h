#pragma once

#include <QScopedPointer>

#include "delegates/styleditemdelegate.h"

class QAbstractItemModel;

class ItemDelegatePrivate;

// Paints each cell through QPixmapCache: the key holds only what the cell looks like (state, font, size,
// alignment, text, brush, check state, palette), never its model, row or column, so equal-looking cells share
// one pixmap and a repaint of unchanged cells is a pixmap copy. Edits that the model refuses show
// "Невозможно завершить редактирование." with the reason in a tool tip under the editor.
class BASIC_VIEWS_EXPORT ItemDelegate : public StyledItemDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ItemDelegate)
public:
    explicit ItemDelegate(QObject* parent = nullptr);
    ~ItemDelegate() override;

    void setDrawFrame(bool on);
    bool drawFrame() const;
    void setDrawIndicator(bool on);
    bool drawIndicator() const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void updateEditorGeometry(
        QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // The pixmap cache key of a cell that looks like `option`.
    QString cacheKey(const QStyleOptionViewItem& option) const;
    // Sets the value; on refusal (false or a thrown message) shows the error under the editor.
    bool commitModelData(
        QWidget* editor, QAbstractItemModel* model, const QModelIndex& index, const QVariant& value, int role) const;

public Q_SLOTS:
    void showToolTip(const QString& text, const QPoint& position);

protected:
    ItemDelegate(ItemDelegatePrivate& dd, QObject* parent);

    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    virtual void drawBackground(QPainter* painter, const QStyleOptionViewItem& option) const;
    virtual void drawContents(QPainter* painter, const QStyleOptionViewItem& option, const QVariant& value) const;
    virtual void drawIndicator(QPainter* painter, const QStyleOptionViewItem& option, const QVariant& value) const;
    virtual QRect indicatorRect(const QStyleOptionViewItem& option) const;
    virtual QRect textRect(const QStyleOptionViewItem& option) const;
    virtual void drawText(QPainter* painter, const QStyleOptionViewItem& option, const QVariant& value) const;
    virtual void drawFrame(QPainter* painter, const QStyleOptionViewItem& option) const;
};
