#include "settingsdialog.h"

#include "core/db/defaultsettings.h"
#include "core/host/ioptionspage.h"
#include "core/host/iwindow.h"
#include "views/iview.h"
#include "views/iviewsettingspage.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

SettingsDialog::SettingsDialog(const QList<IOptionsPage*>& pages, IView* view, QWidget* parent)
    : QDialog(parent)
    , m_list(new QListWidget(this))
    , m_stack(new QStackedWidget(this))
    , m_pages(pages)
    , m_view(view)
{
    setWindowTitle(tr("Настройки"));
    auto* body = new QHBoxLayout;
    m_list->setIconSize(QSize(24, 24));
    m_list->setMaximumWidth(240);
    body->addWidget(m_list);
    body->addWidget(m_stack, 1);
    auto* buttons
        = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);

    for (IOptionsPage* page : m_pages)
        addPage(page->categoryIcon(), page->displayName(), page->createPage(m_stack));
    if (m_view) {
        // The window's pages edit a copy of its state.
        m_view->store(m_viewState);
        m_viewPages = m_view->getSettingsPages(this);
        for (IViewSettingsPage* page : qAsConst(m_viewPages))
            addPage(page->categoryIcon(), page->displayName(), page->createPage(m_viewState, m_stack));
    }
    connect(m_list, &QListWidget::currentRowChanged, m_stack, &QStackedWidget::setCurrentIndex);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    resize(860, 560);
}

SettingsDialog::~SettingsDialog()
{
    for (IOptionsPage* page : qAsConst(m_pages))
        page->finish();
    for (IViewSettingsPage* page : qAsConst(m_viewPages))
        page->finish();
}

void SettingsDialog::addPage(const QIcon& icon, const QString& title, QWidget* page)
{
    if (!page)
        return;
    m_list->addItem(new QListWidgetItem(icon, title));
    m_stack->addWidget(page);
}

int SettingsDialog::pageCount() const
{
    return m_list->count();
}

QString SettingsDialog::pageTitle(int page) const
{
    const QListWidgetItem* item = m_list->item(page);
    return item ? item->text() : QString();
}

void SettingsDialog::showPage(int page)
{
    m_list->setCurrentRow(page);
}

void SettingsDialog::apply()
{
    for (IOptionsPage* page : qAsConst(m_pages))
        page->apply();
    if (!m_view || m_viewPages.isEmpty())
        return;
    for (IViewSettingsPage* page : qAsConst(m_viewPages))
        page->apply(m_viewState);
    const QString kind = m_view->window() ? m_view->window()->windowName() : QString();
    const std::unique_ptr<Settings> defaults = DefaultSettings::createReadOnly(kind);
    m_view->restore(*defaults, m_viewState);
    m_view->apply();
}
