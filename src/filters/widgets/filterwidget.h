#pragma once

#include "basic_views_export.h"

#include <QScopedPointer>
#include <QVBoxLayout>
#include <QWidget>

class FilterWidgetPrivate;

// The base of the filters' editors: the editor's controls, then a line that says why what is entered cannot be
// the filter's value (shown only then). A filter reads an editor only when it is acceptable; a refused editor
// leaves the filter as it was. changed() tells a tool bar to apply the editor at once.
class BASIC_VIEWS_EXPORT FilterWidget : public QWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, FilterWidget)
public:
    explicit FilterWidget(QWidget* parent = nullptr);
    ~FilterWidget() override;

    // Why the editor's content cannot be its filter's value; empty when it can.
    virtual QString refusal() const { return QString(); }
    // Shows or hides the reason; true when there is none.
    bool checkAcceptable();
    QString shownReason() const;

Q_SIGNALS:
    // The user changed the editor.
    void changed();

protected:
    FilterWidget(FilterWidgetPrivate& dd, QWidget* parent);

    // Sets the editor's texts in the application's language; called on every language change. The reason shown
    // is told again too.
    virtual void retranslate() { }
    void changeEvent(QEvent* event) override;
    // Where subclasses put their controls.
    QVBoxLayout* contentLayout() const;
    // Emits changed(), refreshing the reason first.
    void notifyChanged();

    // The editors' private classes form a chain beside the public ones.
    QScopedPointer<FilterWidgetPrivate> m_d;

private:
    Q_DISABLE_COPY(FilterWidget)
};
