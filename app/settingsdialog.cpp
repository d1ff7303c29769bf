#include "settingsdialog.h"

#include "core/host/ioptionspage.h"
#include "views/iview.h"
#include "views/iviewsettingspage.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

SettingsDialog::SettingsDialog(const QList<IOptionsPage*>& pages, IView* view, QWidget* parent)
    : QDialog(parent)
    , m_list(new QTreeWidget(this))
    , m_stack(new QStackedWidget(this))
    , m_pages(pages)
    , m_view(view)
{
    setWindowTitle(tr("Настройки"));
    auto* body = new QHBoxLayout;
    m_list->setHeaderHidden(true);
    m_list->setIconSize(QSize(20, 20));
    m_list->setMaximumWidth(280);
    body->addWidget(m_list);
    body->addWidget(m_stack, 1);
    auto* buttons
        = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);

    for (IOptionsPage* page : m_pages)
        addPage(page->displayCategory(), page->categoryIcon(), page->displayName(), page->createPage(m_stack));
    if (m_view) {
        // The window's pages edit a copy of its state.
        m_view->store(m_viewState);
        m_appliedState = m_viewState;
        m_viewPages = m_view->getSettingsPages(this);
        const auto* widget = dynamic_cast<const QWidget*>(m_view);
        const QString window = tr("Окно «%1»").arg(widget ? widget->windowTitle() : QString());
        for (IViewSettingsPage* page : qAsConst(m_viewPages))
            addPage(window, page->categoryIcon(), page->displayName(), page->createPage(m_viewState, m_stack));
    }
    m_list->expandAll();
    connect(m_list, &QTreeWidget::currentItemChanged, this, &SettingsDialog::onCurrentItemChanged);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showPage(0);
    resize(860, 560);
}

SettingsDialog::~SettingsDialog()
{
    for (IOptionsPage* page : qAsConst(m_pages))
        page->finish();
    for (IViewSettingsPage* page : qAsConst(m_viewPages))
        page->finish();
}

void SettingsDialog::addPage(const QString& category, const QIcon& icon, const QString& title, QWidget* page)
{
    if (!page)
        return;
    QTreeWidgetItem* parent = nullptr;
    for (int i = 0; i < m_list->topLevelItemCount() && !parent; ++i) {
        if (m_list->topLevelItem(i)->text(0) == category)
            parent = m_list->topLevelItem(i);
    }
    if (!parent) {
        parent = new QTreeWidgetItem(m_list, { category });
        parent->setFlags(Qt::ItemIsEnabled);
        QFont bold = parent->font(0);
        bold.setBold(true);
        parent->setFont(0, bold);
    }
    auto* item = new QTreeWidgetItem(parent, { title });
    item->setIcon(0, icon);
    item->setData(0, Qt::UserRole, m_stack->addWidget(page));
    m_items << item;
}

void SettingsDialog::onCurrentItemChanged(QTreeWidgetItem* item)
{
    const QVariant page = item ? item->data(0, Qt::UserRole) : QVariant();
    if (page.isValid())
        m_stack->setCurrentIndex(page.toInt());
}

int SettingsDialog::pageCount() const
{
    return m_items.size();
}

QString SettingsDialog::pageTitle(int page) const
{
    const QTreeWidgetItem* item = m_items.value(page);
    return item ? item->text(0) : QString();
}

void SettingsDialog::showPage(int page)
{
    if (QTreeWidgetItem* item = m_items.value(page))
        m_list->setCurrentItem(item);
}

void SettingsDialog::apply()
{
    for (IOptionsPage* page : qAsConst(m_pages))
        page->apply();
    if (!m_view || m_viewPages.isEmpty())
        return;
    for (IViewSettingsPage* page : qAsConst(m_viewPages))
        page->apply(m_viewState);
    // Only what the pages changed goes over the window's present state: the place it scrolled to while the
    // dialog was open (new rows arrive meanwhile) stays. The present state also stands for the defaults the view
    // compares against: it reads its rows again only for a changed key that shapes them (a filter, the sort).
    MapSettings present;
    m_view->store(present);
    MapSettings wanted(present.values());
    const QMap<QString, QVariant>& before = m_appliedState.values();
    for (auto edited = m_viewState.values().cbegin(); edited != m_viewState.values().cend(); ++edited) {
        if (!before.contains(edited.key()) || before.value(edited.key()) != edited.value())
            wanted.setValue(edited.key(), edited.value());
    }
    for (auto old = before.cbegin(); old != before.cend(); ++old) {
        if (!m_viewState.values().contains(old.key()))
            wanted.remove(old.key());
    }
    m_appliedState = m_viewState;
    m_view->restore(present, wanted);
    m_view->apply();
}
