#include "export/importercolumnswizardpage.h"
#include "export/private/importercolumnswizardpage_p.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

ImporterColumnsWizardPage::ImporterColumnsWizardPage(QWidget* parent)
    : QWizardPage(parent)
    , m_d(new ImporterColumnsWizardPagePrivate)
{
    Q_D(ImporterColumnsWizardPage);
    d->layout = new QVBoxLayout(this);
    d->strip = new QWidget(this);
    d->preview = new QTableWidget(this);
    d->message = new QLabel(this);
    setTitle(tr("Выбор столбцов для импорта"));
    d->preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->preview->verticalHeader()->hide();
    d->message->setWordWrap(true);
    d->message->setStyleSheet(QStringLiteral("color: #b00000"));
    d->message->hide();
    d->strip->setFixedHeight(QComboBox().sizeHint().height());
    d->layout->addWidget(d->strip);
    d->layout->addWidget(d->preview, 1);
    d->layout->addWidget(d->message);

    QAbstractItemModel* model = d->preview->model();
    connect(model, &QAbstractItemModel::columnsInserted, this, &ImporterColumnsWizardPage::rebuildCombos);
    connect(model, &QAbstractItemModel::columnsRemoved, this, &ImporterColumnsWizardPage::rebuildCombos);
    connect(model, &QAbstractItemModel::modelReset, this, &ImporterColumnsWizardPage::rebuildCombos);
    QHeaderView* header = d->preview->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &ImporterColumnsWizardPage::placeCombos);
    connect(header, &QHeaderView::sectionMoved, this, &ImporterColumnsWizardPage::placeCombos);
    connect(header, &QHeaderView::geometriesChanged, this, &ImporterColumnsWizardPage::placeCombos);
    connect(
        d->preview->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ImporterColumnsWizardPage::placeCombos);
    d->preview->viewport()->installEventFilter(this);
}

ImporterColumnsWizardPage::~ImporterColumnsWizardPage()
{
    Q_D(ImporterColumnsWizardPage);
    // The preview, deleted with the page's children, resets its model on the way: no combos to rebuild then.
    d->preview->model()->disconnect(this);
    d->preview->horizontalHeader()->disconnect(this);
    d->preview->horizontalScrollBar()->disconnect(this);
    d->preview->viewport()->removeEventFilter(this);
}

void ImporterColumnsWizardPage::setTargets(const ImporterTargets& targets)
{
    Q_D(ImporterColumnsWizardPage);
    d->targets = targets;
    rebuildCombos();
}

void ImporterColumnsWizardPage::setPanel(QWidget* panel)
{
    Q_D(ImporterColumnsWizardPage);
    if (!panel)
        return;
    panel->setParent(this);
    d->layout->insertWidget(0, panel);
}

void ImporterColumnsWizardPage::rebuildCombos()
{
    Q_D(ImporterColumnsWizardPage);
    qDeleteAll(d->combos);
    d->combos.clear();
    for (int column = 0; column < d->preview->columnCount(); ++column) {
        auto* combo = new QComboBox(d->strip);
        combo->addItem(tr("<Не импортировать>"), QString());
        QFont italic = combo->font();
        italic.setItalic(true);
        combo->setItemData(0, italic, Qt::FontRole);
        for (const ImporterTargets::Entry& entry : d->targets.entries()) {
            combo->addItem(entry.title, entry.name);
            combo->setItemData(combo->count() - 1, entry.description, Qt::ToolTipRole);
        }
        connect(
            combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ImporterColumnsWizardPage::onTargetChosen);
        combo->show();
        d->combos << combo;
    }
    // A column narrower than its combo would cut the targets' titles ("<Не импор").
    QHeaderView* header = d->preview->horizontalHeader();
    for (int column = 0; column < d->combos.size(); ++column)
        header->resizeSection(column, qMax(header->sectionSize(column), d->combos.at(column)->sizeHint().width()));
    placeCombos();
    onTargetChosen();
}

void ImporterColumnsWizardPage::placeCombos()
{
    Q_D(ImporterColumnsWizardPage);
    const QHeaderView* header = d->preview->horizontalHeader();
    // The strip lies over the table's frame; the columns start where its viewport does.
    const int origin = d->preview->geometry().x() - d->strip->geometry().x() + d->preview->viewport()->geometry().x();
    for (int column = 0; column < d->combos.size(); ++column) {
        QComboBox* combo = d->combos.at(column);
        combo->setGeometry(
            origin + header->sectionViewportPosition(column), 0, header->sectionSize(column), d->strip->height());
        const int left = combo->x();
        const int right = combo->x() + combo->width();
        combo->setVisible(right > origin && left < origin + d->preview->viewport()->width());
    }
}

bool ImporterColumnsWizardPage::eventFilter(QObject* watched, QEvent* event)
{
    Q_D(ImporterColumnsWizardPage);
    if (watched == d->preview->viewport() && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
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
    Q_D(const ImporterColumnsWizardPage);
    QMap<QString, int> result;
    for (int column = 0; column < d->combos.size(); ++column) {
        const QString name = d->combos.at(column)->currentData().toString();
        if (!name.isEmpty())
            result.insert(name, column);
    }
    return result;
}

QString ImporterColumnsWizardPage::message() const
{
    Q_D(const ImporterColumnsWizardPage);
    QStringList chosen;
    for (const QComboBox* combo : d->combos) {
        const QString name = combo->currentData().toString();
        if (name.isEmpty())
            continue;
        if (chosen.contains(name))
            return tr("Выберите не более одного столбца '%1'").arg(d->targets.title(name));
        chosen << name;
    }
    for (const QString& name : d->targets.required()) {
        if (!chosen.contains(name))
            return tr("Выберите необходимый столбец '%1'").arg(d->targets.title(name));
    }
    return QString();
}

bool ImporterColumnsWizardPage::isComplete() const
{
    return message().isEmpty();
}

void ImporterColumnsWizardPage::onTargetChosen()
{
    Q_D(ImporterColumnsWizardPage);
    const QString text = message();
    d->message->setText(text);
    d->message->setVisible(!text.isEmpty());
    Q_EMIT completeChanged();
}

const ImporterTargets& ImporterColumnsWizardPage::targets() const
{
    return d_func()->targets;
}

QTableWidget* ImporterColumnsWizardPage::previewTable() const
{
    return d_func()->preview;
}

QComboBox* ImporterColumnsWizardPage::mappingCombo(int fileColumn) const
{
    return d_func()->combos.value(fileColumn);
}

QString ImporterColumnsWizardPage::targetByText(const QString& text) const
{
    return d_func()->targets.find(text);
}
