#include "views/find/abstractfindtoolbar.h"

#include "core/host/widgets/filterlineedit.h"
#include "core/host/widgets/qprogressindicator.h"

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
    : QToolBar(parent)
    , m_edit(new FilterLineEdit(this))
    , m_busy(new QProgressIndicator(this))
    , m_status(new QLabel(this))
{
    setIconSize(QSize(16, 16));
    m_edit->setMaximumWidth(260);
    addWidget(m_edit);
    m_previous = makeAction(this, QString(), QStringLiteral(":/help/icons/previous_small.png"),
        QKeySequence::keyBindings(QKeySequence::FindPrevious));
    m_next = makeAction(this, QString(), QStringLiteral(":/help/icons/next_small.png"),
        QKeySequence::keyBindings(QKeySequence::FindNext));
    m_filter = makeAction(this, QString(), QStringLiteral(":/icons/preferences/filter.png"), {});
    m_close = makeAction(this, QString(), QString(), { QKeySequence(Qt::Key_Escape) });
    retranslate();
    addAction(m_previous);
    addAction(m_next);
    addAction(m_filter);
    addWidget(m_busy);
    addWidget(m_status);
    auto* spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);
    addAction(m_close);
    // Return steps on from the text only: no button of its own.
    m_nextByEnter
        = makeAction(this, QString(), QString(), { QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter) });
    m_edit->addAction(m_nextByEnter);

    connect(m_previous, &QAction::triggered, this, qOverload<>(&AbstractFindToolBar::findPrev));
    connect(m_next, &QAction::triggered, this, qOverload<>(&AbstractFindToolBar::findNext));
    connect(m_nextByEnter, &QAction::triggered, this, qOverload<>(&AbstractFindToolBar::findNext));
    connect(m_filter, &QAction::triggered, this, qOverload<>(&AbstractFindToolBar::filter));
    connect(m_close, &QAction::triggered, this, &AbstractFindToolBar::close);
    connect(m_edit, &QLineEdit::textChanged, this, &AbstractFindToolBar::textChanged);
    connect(m_edit, &FilterLineEdit::filterChanged, this, &AbstractFindToolBar::onTypingPaused);
    connect(m_edit, &FancyLineEdit::rightButtonClicked, this, [this] {
        m_filtering = false;
        resetSearch();
    });
}

QString AbstractFindToolBar::statusText() const
{
    return m_status->text();
}

void AbstractFindToolBar::openFind()
{
    m_filter->setEnabled(isFilterAvailable());
    show();
    m_found = false;
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
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
    m_filtering = !m_edit->text().isEmpty();
    filter(m_edit->text());
}

void AbstractFindToolBar::close()
{
    stopSearch();
    m_filtering = false;
    resetSearch();
    hide();
}

void AbstractFindToolBar::textChanged(const QString&)
{
    m_found = false;
    m_status->clear();
    stopSearch();
}

void AbstractFindToolBar::setActionsEnabled(bool enabled)
{
    m_previous->setEnabled(enabled);
    m_next->setEnabled(enabled);
    m_nextByEnter->setEnabled(enabled);
    m_filter->setEnabled(enabled && isFilterAvailable());
}

void AbstractFindToolBar::onTypingPaused()
{
    // Once the rows are filtered, the filter follows the text: an old filter would hide what is searched now.
    if (m_filtering) {
        filter();
        if (!m_filtering)
            return;
    }
    if (m_searching)
        m_incrementalPending = true;
    else
        run(&AbstractFindToolBar::findIncremental);
}

void AbstractFindToolBar::run(Search search)
{
    const QString text = m_edit->text();
    if (text.isEmpty() || m_searching)
        return;
    m_searching = true;
    setActionsEnabled(false);
    m_busy->startAnimation();
    const QPointer<AbstractFindToolBar> alive(this);
    const bool found = (this->*search)(text);
    if (!alive)
        return;
    m_searching = false;
    m_busy->stopAnimation();
    setActionsEnabled(true);
    // A text typed meanwhile stopped this search: its result says nothing about the new text.
    if (text == m_edit->text()) {
        m_found = m_found || found;
        m_status->setText(m_found ? QString() : notFoundText());
    }
    if (m_incrementalPending) {
        m_incrementalPending = false;
        QTimer::singleShot(0, this, [this] { run(&AbstractFindToolBar::findIncremental); });
    }
}

QString AbstractFindToolBar::notFoundText()
{
    return tr("Не найдено");
}

void AbstractFindToolBar::retranslate()
{
    setWindowTitle(tr("Поиск"));
    m_previous->setText(tr("Найти предыдущий"));
    m_next->setText(tr("Найти следующий"));
    m_filter->setText(tr("Фильтр"));
    m_filter->setToolTip(tr("Фильтровать строки по значению"));
    m_close->setText(tr("Готово"));
    m_close->setToolTip(tr("Закрыть поиск"));
    if (!m_status->text().isEmpty())
        m_status->setText(notFoundText());
}

void AbstractFindToolBar::changeEvent(QEvent* event)
{
    QToolBar::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}
