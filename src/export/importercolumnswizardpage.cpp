#include "export/importercolumnswizardpage.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

ImporterColumnsWizardPage::ImporterColumnsWizardPage(QWidget* parent)
    : QWizardPage(parent)
    , m_layout(new QVBoxLayout(this))
    , m_strip(new QWidget(this))
    , m_preview(new QTableWidget(this))
    , m_message(new QLabel(this))
{
    setTitle(tr("Выбор столбцов для импорта"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->verticalHeader()->hide();
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #b00000"));
    m_message->hide();
    m_strip->setFixedHeight(QComboBox().sizeHint().height());
    m_layout->addWidget(m_strip);
    m_layout->addWidget(m_preview, 1);
    m_layout->addWidget(m_message);

    QAbstractItemModel* model = m_preview->model();
    connect(model, &QAbstractItemModel::columnsInserted, this, &ImporterColumnsWizardPage::rebuildCombos);
    connect(model, &QAbstractItemModel::columnsRemoved, this, &ImporterColumnsWizardPage::rebuildCombos);
    connect(model, &QAbstractItemModel::modelReset, this, &ImporterColumnsWizardPage::rebuildCombos);
    QHeaderView* header = m_preview->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &ImporterColumnsWizardPage::placeCombos);
    connect(header, &QHeaderView::sectionMoved, this, &ImporterColumnsWizardPage::placeCombos);
    connect(header, &QHeaderView::geometriesChanged, this, &ImporterColumnsWizardPage::placeCombos);
    connect(m_preview->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ImporterColumnsWizardPage::placeCombos);
    m_preview->viewport()->installEventFilter(this);
}

ImporterColumnsWizardPage::~ImporterColumnsWizardPage()
{
    // The preview, deleted with the page's children, resets its model on the way: no combos to rebuild then.
    m_preview->model()->disconnect(this);
    m_preview->horizontalHeader()->disconnect(this);
    m_preview->horizontalScrollBar()->disconnect(this);
    m_preview->viewport()->removeEventFilter(this);
}

void ImporterColumnsWizardPage::setTargets(const ImporterTargets& targets)
{
    m_targets = targets;
    rebuildCombos();
}

void ImporterColumnsWizardPage::setPanel(QWidget* panel)
{
    if (!panel)
        return;
    panel->setParent(this);
    m_layout->insertWidget(0, panel);
}

void ImporterColumnsWizardPage::rebuildCombos()
{
    qDeleteAll(m_combos);
    m_combos.clear();
    for (int column = 0; column < m_preview->columnCount(); ++column) {
        auto* combo = new QComboBox(m_strip);
        combo->addItem(tr("<Не импортировать>"), QString());
        QFont italic = combo->font();
        italic.setItalic(true);
        combo->setItemData(0, italic, Qt::FontRole);
        for (const ImporterTargets::Entry& entry : m_targets.entries()) {
            combo->addItem(entry.title, entry.name);
            combo->setItemData(combo->count() - 1, entry.description, Qt::ToolTipRole);
        }
        connect(
            combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ImporterColumnsWizardPage::onTargetChosen);
        combo->show();
        m_combos << combo;
    }
    // A column narrower than its combo would cut the targets' titles ("<Не импор").
    QHeaderView* header = m_preview->horizontalHeader();
    for (int column = 0; column < m_combos.size(); ++column)
        header->resizeSection(column, qMax(header->sectionSize(column), m_combos.at(column)->sizeHint().width()));
    placeCombos();
    onTargetChosen();
}

void ImporterColumnsWizardPage::placeCombos()
{
    const QHeaderView* header = m_preview->horizontalHeader();
    // The strip lies over the table's frame; the columns start where its viewport does.
    const int origin = m_preview->geometry().x() - m_strip->geometry().x() + m_preview->viewport()->geometry().x();
    for (int column = 0; column < m_combos.size(); ++column) {
        QComboBox* combo = m_combos.at(column);
        combo->setGeometry(
            origin + header->sectionViewportPosition(column), 0, header->sectionSize(column), m_strip->height());
        const int left = combo->x();
        const int right = combo->x() + combo->width();
        combo->setVisible(right > origin && left < origin + m_preview->viewport()->width());
    }
}

bool ImporterColumnsWizardPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_preview->viewport() && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeCombos();
    return QWizardPage::eventFilter(watched, event);
}

void ImporterColumnsWizardPage::selectTarget(int fileColumn, const QString& column)
{
    QComboBox* combo = mappingCombo(fileColumn);
    if (!combo)
        return;
    const int at = combo->findData(column);
    combo->setCurrentIndex(at < 0 ? 0 : at);
}

QMap<QString, int> ImporterColumnsWizardPage::mapping() const
{
    QMap<QString, int> result;
    for (int column = 0; column < m_combos.size(); ++column) {
        const QString name = m_combos.at(column)->currentData().toString();
        if (!name.isEmpty())
            result.insert(name, column);
    }
    return result;
}

QString ImporterColumnsWizardPage::message() const
{
    QStringList chosen;
    for (const QComboBox* combo : m_combos) {
        const QString name = combo->currentData().toString();
        if (name.isEmpty())
            continue;
        if (chosen.contains(name))
            return tr("Выберите не более одного столбца '%1'").arg(m_targets.title(name));
        chosen << name;
    }
    for (const QString& name : m_targets.required()) {
        if (!chosen.contains(name))
            return tr("Выберите необходимый столбец '%1'").arg(m_targets.title(name));
    }
    return QString();
}

bool ImporterColumnsWizardPage::isComplete() const
{
    return message().isEmpty();
}

void ImporterColumnsWizardPage::onTargetChosen()
{
    const QString text = message();
    m_message->setText(text);
    m_message->setVisible(!text.isEmpty());
    Q_EMIT completeChanged();
}
