#include "trees/view/private/treegroupsviewheadersettingsform.h"

#include "trees/treegroupsmodel.h"
#include "views/headersettings/private/tableheadersettingsform.h"

#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

bool ElementHeaderModel::filterColumn(int section) const
{
    return section > 0 && TableHeaderModel::filterColumn(section);
}

GroupWidthController::GroupWidthController(const QAbstractItemModel* source, QObject* parent)
    : QAbstractTableModel(parent)
    , m_source(source)
{ }

void GroupWidthController::setHeader(const QHeaderView* header)
{
    m_header = header;
    connect(header, &QHeaderView::sectionResized, this,
        [this](int section) { Q_EMIT headerDataChanged(Qt::Horizontal, section, section); });
}

int GroupWidthController::rowCount(const QModelIndex&) const
{
    return 0;
}

int GroupWidthController::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_source ? 0 : m_source->columnCount();
}

QVariant GroupWidthController::data(const QModelIndex&, int) const
{
    return QVariant();
}

QVariant GroupWidthController::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || !m_source)
        return QVariant();
    const QString title = m_source->headerData(section, Qt::Horizontal).toString();
    if (role == Qt::DisplayRole && m_header)
        return QStringLiteral("%1 — %2").arg(title).arg(m_header->sectionSize(section));
    if (role == Qt::ToolTipRole)
        return tr("Потяните край, чтобы изменить ширину '%1'").arg(title);
    return QVariant();
}

TreeGroupsViewHeaderSettingsForm::TreeGroupsViewHeaderSettingsForm(TreeGroupsModel* model,
    const TreeGroupsViewGroupColSet& groups, const Settings& settings,
    const TreeGroupsViewGroupColSet::DefaultWidth& defaultWidth, QWidget* parent)
    : QWidget(parent)
    , m_groups(groups)
    , m_defaultWidth(defaultWidth)
    , m_elements(new ElementHeaderModel(model, this))
    , m_tabs(new QTabWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);

    m_elements->read(settings);
    auto* elementForm = new TableHeaderSettingsForm(m_tabs);
    elementForm->setModel(m_elements);
    m_tabs->addTab(elementForm, tr("Элементы"));

    m_groups.read(settings);
    for (int level = 0; level < m_groups.levelCount(); ++level) {
        auto* page = new QWidget(m_tabs);
        auto* pageLayout = new QVBoxLayout(page);
        Level parts;
        parts.selector = new ElementHeaderModel(model, this);
        m_groups.exportToSelectorModel(level, parts.selector);
        auto* form = new TableHeaderSettingsForm(page);
        form->setModel(parts.selector);
        pageLayout->addWidget(form, 1);
        pageLayout->addWidget(new QLabel(tr("Ширина сегментов строки группы:"), page));
        auto* controller = new GroupWidthController(model, this);
        parts.widths = new QHeaderView(Qt::Horizontal, page);
        parts.widths->setModel(controller);
        parts.widths->setSectionsMovable(false);
        parts.widths->setMinimumHeight(parts.widths->sizeHint().height());
        controller->setHeader(parts.widths);
        pageLayout->addWidget(parts.widths);
        m_levels.append(parts);
        m_groups.exportToHeaderView(level, parts.widths, m_defaultWidth);
        const auto follow = [this, level] { followSelector(level); };
        connect(parts.selector, &QAbstractItemModel::dataChanged, this, follow);
        connect(parts.selector, &QAbstractItemModel::rowsMoved, this, follow);
        connect(parts.selector, &QAbstractItemModel::modelReset, this, follow);
        const QString name = model->group(level).name;
        m_tabs->addTab(page, name.isEmpty() ? tr("Уровень %1").arg(level + 1) : name);
    }
}

void TreeGroupsViewHeaderSettingsForm::followSelector(int level)
{
    const Level& parts = m_levels.at(level);
    m_groups.importFromHeaderView(level, parts.widths, m_defaultWidth);
    m_groups.importFromSelectorModel(level, parts.selector);
    m_groups.exportToHeaderView(level, parts.widths, m_defaultWidth);
}

void TreeGroupsViewHeaderSettingsForm::write(Settings& settings)
{
    m_elements->write(settings);
    for (int level = 0; level < m_levels.size(); ++level) {
        m_groups.importFromSelectorModel(level, m_levels.at(level).selector);
        m_groups.importFromHeaderView(level, m_levels.at(level).widths, m_defaultWidth);
    }
    m_groups.write(settings);
}
