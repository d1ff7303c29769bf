#include "views/find/abstractfindtoolbar.h"

#include "core/host/widgets/filterlineedit.h"
#include "core/host/widgets/qprogressindicator.h"
#include "views/find/private/abstractfindtoolbar_p.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

namespace {

QAction* makeAction(QWidget* owner, const QString& text, const QString& icon, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(text, owner);
    if (!icon.isEmpty())
        action->setIcon(QIcon(icon));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    return action;
}

} // namespace

AbstractFindToolBar::AbstractFindToolBar(QWidget* parent)
    : AbstractFindToolBar(*new AbstractFindToolBarPrivate, parent)
{ }

AbstractFindToolBar::AbstractFindToolBar(AbstractFindToolBarPrivate& dd, QWidget* parent)
    : QToolBar(parent)
    , m_d(&dd)
{
    Q_D(AbstractFindToolBar);
    d->edit = new FilterLineEdit(this);
    d->busy = new QProgressIndicator(this);
    d->status = new QLabel(this);
    setIconSize(QSize(16, 16));
    d->edit->setMaximumWidth(260);
    addWidget(d->edit);
    d->previous = makeAction(this, QString(), QStringLiteral(":/help/icons/previous_small.png"),
        QKeySequence::keyBindings(QKeySequence::FindPrevious));
    d->next = makeAction(this, QString(), QStringLiteral(":/help/icons/next_small.png"),
        QKeySequence::keyBindings(QKeySequence::FindNext));
    d->filter = makeAction(this, QString(), QStringLiteral(":/icons/preferences/filter.png"), {});
    d->close = makeAction(this, QString(), QString(), { QKeySequence(Qt::Key_Escape) });
    retranslate();
    addAction(d->previous);
    addAction(d->next);
    addAction(d->filter);
    addWidget(d->busy);
    addWidget(d->status);
    auto* spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);
    addAction(d->close);
    // Return steps on from the text only: no button of its own.
    d->nextByEnter
        = makeAction(this, QString(), QString(), { QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter) });
    d->edit->addAction(d->nextByEnter);

    connect(d->previous, &QAction::triggered, this, qOverload<>(&AbstractFindToolBar::findPrev));
    connect(d->next, &QAction::triggered, this, qOverload<>(&AbstractFindToolBar::findNext));
    connect(d->nextByEnter, &QAction::triggered, this, qOverload<>(&AbstractFindToolBar::findNext));
    connect(d->filter, &QAction::triggered, this, qOverload<>(&AbstractFindToolBar::filter));
    connect(d->close, &QAction::triggered, this, &AbstractFindToolBar::close);
    connect(d->edit, &QLineEdit::textChanged, this, &AbstractFindToolBar::textChanged);
    connect(d->edit, &FilterLineEdit::filterChanged, this, &AbstractFindToolBar::onTypingPaused);
    connect(d->edit, &FancyLineEdit::rightButtonClicked, this, [this] {
        d_func()->filtering = false;
        resetSearch();
    });
}

AbstractFindToolBar::~AbstractFindToolBar() = default;

FilterLineEdit* AbstractFindToolBar::lineEdit() const
{
    Q_D(const AbstractFindToolBar);
    return d->edit;
}

bool AbstractFindToolBar::isFound() const
{
    Q_D(const AbstractFindToolBar);
    return d->found;
}

bool AbstractFindToolBar::isSearching() const
{
    Q_D(const AbstractFindToolBar);
    return d->searching;
}

QAction* AbstractFindToolBar::previousAction() const
{
    Q_D(const AbstractFindToolBar);
    return d->previous;
}

QAction* AbstractFindToolBar::nextAction() const
{
    Q_D(const AbstractFindToolBar);
    return d->next;
}

QAction* AbstractFindToolBar::filterAction() const
{
    Q_D(const AbstractFindToolBar);
    return d->filter;
}

QAction* AbstractFindToolBar::closeAction() const
{
    Q_D(const AbstractFindToolBar);
    return d->close;
}

QString AbstractFindToolBar::statusText() const
{
    Q_D(const AbstractFindToolBar);
    return d->status->text();
}

void AbstractFindToolBar::openFind()
{
    Q_D(AbstractFindToolBar);
    d->filter->setEnabled(isFilterAvailable());
    show();
    d->found = false;
    d->edit->setFocus(Qt::ShortcutFocusReason);
    d->edit->selectAll();
}

void AbstractFindToolBar::findPrev()
{
    run(&AbstractFindToolBar::findPrev);
}

void AbstractFindToolBar::findNext()
{
    run(&AbstractFindToolBar::findNext);
}

void AbstractFindToolBar::filter()
{
    Q_D(AbstractFindToolBar);
    d->filtering = !d->edit->text().isEmpty();
    filter(d->edit->text());
}

void AbstractFindToolBar::close()
{
    Q_D(AbstractFindToolBar);
    stopSearch();
    d->filtering = false;
    resetSearch();
    hide();
}

void AbstractFindToolBar::textChanged(const QString&)
{
    Q_D(AbstractFindToolBar);
    d->found = false;
    d->status->clear();
    stopSearch();
}

void AbstractFindToolBar::setActionsEnabled(bool enabled)
{
    Q_D(AbstractFindToolBar);
    d->previous->setEnabled(enabled);
    d->next->setEnabled(enabled);
    d->nextByEnter->setEnabled(enabled);
    d->filter->setEnabled(enabled && isFilterAvailable());
}

void AbstractFindToolBar::onTypingPaused()
{
    Q_D(AbstractFindToolBar);
    // Once the rows are filtered, the filter follows the text: an old filter would hide what is searched now.
    if (d->filtering) {
        filter();
        if (!d->filtering)
            return;
    }
    if (d->searching)
        d->incrementalPending = true;
    else
        run(&AbstractFindToolBar::findIncremental);
}

void AbstractFindToolBar::run(Search search)
{
    Q_D(AbstractFindToolBar);
    const QString text = d->edit->text();
    if (text.isEmpty() || d->searching)
        return;
    d->searching = true;
    setActionsEnabled(false);
    d->busy->startAnimation();
    const QPointer<AbstractFindToolBar> alive(this);
    const bool found = (this->*search)(text);
    if (!alive)
        return;
    d->searching = false;
    d->busy->stopAnimation();
    setActionsEnabled(true);
    // A text typed meanwhile stopped this search: its result says nothing about the new text.
    if (text == d->edit->text()) {
        d->found = d->found || found;
        d->status->setText(d->found ? QString() : notFoundText());
    }
    if (d->incrementalPending) {
        d->incrementalPending = false;
        QTimer::singleShot(0, this, [this] { run(&AbstractFindToolBar::findIncremental); });
    }
}

QString AbstractFindToolBar::notFoundText()
{
    return tr("Не найдено");
}

void AbstractFindToolBar::retranslate()
{
    Q_D(AbstractFindToolBar);
    setWindowTitle(tr("Поиск"));
    d->previous->setText(tr("Найти предыдущий"));
    d->next->setText(tr("Найти следующий"));
    d->filter->setText(tr("Фильтр"));
    d->filter->setToolTip(tr("Фильтровать строки по значению"));
    d->close->setText(tr("Готово"));
    d->close->setToolTip(tr("Закрыть поиск"));
    if (!d->status->text().isEmpty())
        d->status->setText(notFoundText());
}

void AbstractFindToolBar::changeEvent(QEvent* event)
{
    QToolBar::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}
