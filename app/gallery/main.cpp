// A gallery of the host's widgets and services: each is built with sample content over the sample market and
// grabbed to a PNG, so their look can be checked without the terminal around them.
#include "core/host/actions/actionmanager.h"
#include "core/host/actions/commandcontainer.h"
#include "core/host/editors/dateedit.h"
#include "core/host/editors/numbereditor.h"
#include "core/host/editors/quantityeditor.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/progress/progressdialog.h"
#include "core/host/schema/hostschema.h"
#include "core/host/selectors/boardselectorbox.h"
#include "core/host/selectors/partnerselectorbox.h"
#include "core/host/selectors/securityselectorbox.h"
#include "core/host/selectors/stockselectorbox.h"
#include "core/host/widgets/comboboxsorted.h"
#include "core/host/widgets/filterlineedit.h"
#include "core/host/widgets/outlinewidget.h"
#include "core/host/widgets/pushbuttonsend.h"
#include "core/host/widgets/qprogressindicator.h"
#include "core/host/widgets/slidergroup.h"
#include "sim/samplemarket.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCompleter>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QStandardItemModel>
#include <QStyle>
#include <QTextStream>
#include <QToolBar>

namespace {

// Shows the widget, lets it lay out and paint, and saves it; prints the file for the one looking.
bool save(QWidget* widget, const QDir& dir, const QString& name)
{
    widget->show();
    widget->adjustSize();
    QApplication::processEvents();
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    const bool ok = widget->grab().save(path);
    QTextStream(stdout) << (ok ? "saved " : "FAILED ") << path << '\n';
    return ok;
}

QWidget* formOf(const QList<QPair<QString, QWidget*>>& rows)
{
    auto* form = new QWidget;
    auto* layout = new QFormLayout(form);
    for (const auto& row : rows)
        layout->addRow(row.first, row.second);
    form->resize(420, form->sizeHint().height());
    return form;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Host widget gallery"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("dir"), QStringLiteral("Where to save the pictures"));
    parser.process(app);
    const QDir dir(parser.positionalArguments().value(0, QStringLiteral(".")));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        QTextStream(stderr) << "cannot make " << dir.path() << '\n';
        return 1;
    }

    EmbeddedCore core;
    SampleMarket market(SampleMarketOptions::sized(2000, 100));
    market.populate(core.tables());
    bool ok = true;

    // Order form editors with values and one refusal showing.
    auto* stock = new StockSelectorBox;
    auto* board = new BoardSelectorBox;
    board->setStockId(SampleMarket::StockId);
    board->setBoardFlagsOnFilter(HostSchema::BoardDom);
    board->setBoardId(14);
    auto* security = new SecuritySelectorBox;
    security->setStockId(SampleMarket::StockId);
    security->setBoardId(14);
    security->setCurrentIndex(3);
    auto* price = new NumberEditor(nullptr, 2);
    price->setValue(QStringLiteral("112450.50"));
    auto* quantity = new QuantityEditor;
    quantity->setValue(QStringLiteral("15"));
    auto* date = new DateEdit;
    date->setValue(QStringLiteral("2026-12-18"));
    auto* partner = new PartnerSelectorBox;
    partner->setPartner(market.firmCodes().value(1));
    auto* iceberg = new SliderGroup;
    iceberg->setCheckedText(QStringLiteral("Видимый объём"));
    iceberg->setMinimum(1);
    iceberg->setMaximum(15);
    iceberg->setValue(5);
    auto* send = new PushButtonSend(QStringLiteral("Купить"));
    send->setSide(QLatin1Char('B'));
    QWidget* form = formOf({ { QStringLiteral("Рынок"), stock }, { QStringLiteral("Режим"), board },
        { QStringLiteral("Инструмент"), security }, { QStringLiteral("Цена"), price },
        { QStringLiteral("Количество"), quantity }, { QStringLiteral("Дата"), date },
        { QStringLiteral("Контрагент"), partner }, { QString(), iceberg }, { QString(), send } });
    ok &= save(form, dir, QStringLiteral("editors"));

    // The instrument box completing a typed part of a code.
    security->lineEdit()->setFocus();
    security->lineEdit()->setText(QStringLiteral("Si"));
    security->entryCompleter()->setCompletionPrefix(QStringLiteral("Si"));
    security->entryCompleter()->complete();
    QApplication::processEvents();
    ok &= save(security->entryCompleter()->popup(), dir, QStringLiteral("security-completion"));
    security->entryCompleter()->popup()->hide();

    // The filter list's outline with a collapsed and a highlighted section.
    OutlineWidget outline;
    auto* sides = new QListWidget;
    sides->addItems({ QStringLiteral("Купля"), QStringLiteral("Продажа") });
    sides->setMaximumHeight(60);
    auto* accounts = new QListWidget;
    accounts->addItems(market.clientCodes().mid(0, 4));
    accounts->setMaximumHeight(90);
    outline.addWidget(sides, QStringLiteral("Направление"));
    outline.addWidget(accounts, QStringLiteral("Счёт"));
    outline.addWidget(new QLabel(QStringLiteral("Все сессии")), QStringLiteral("Сессия"));
    outline.setHighlightedFontEnabled(true);
    outline.setRowHighlighted(1, true);
    outline.setExpanded(2, false);
    outline.resize(260, 300);
    ok &= save(&outline, dir, QStringLiteral("outline"));

    // A find bar: the search edit, the busy indicator and commands from a container.
    ActionManager::instance()->registerCommand(
        QStringLiteral("FindNext"), QStringLiteral("Далее"), app.style()->standardIcon(QStyle::SP_ArrowDown));
    ActionManager::instance()->registerCommand(
        QStringLiteral("FindPrevious"), QStringLiteral("Назад"), app.style()->standardIcon(QStyle::SP_ArrowUp));
    QWidget findBarHost;
    CommandContainer commands(QStringLiteral("FindToolBar"), &findBarHost);
    commands.addCommand(QStringLiteral("FindPrevious"));
    commands.addCommand(QStringLiteral("FindNext"));
    QToolBar* bar = commands.createToolBar(&findBarHost);
    auto* search = new FilterLineEdit;
    search->setText(QStringLiteral("RTS"));
    bar->insertWidget(bar->actions().value(0), search);
    auto* busy = new QProgressIndicator;
    busy->startAnimation();
    bar->addWidget(busy);
    bar->addWidget(new QLabel(QStringLiteral("  Найдено: 12")));
    bar->setParent(nullptr);
    bar->resize(460, bar->sizeHint().height());
    ok &= save(bar, dir, QStringLiteral("findbar"));

    // A sorted combo box's list.
    QStandardItemModel boards;
    for (const char* name : { "Board 10", "board 9", "Board 2", "Фьючерсы", "Опционы" })
        boards.appendRow(new QStandardItem(QString::fromUtf8(name)));
    ComboBoxSorted sorted;
    sorted.setSortedModel(&boards, 0);
    QListView list;
    list.setModel(sorted.model());
    list.resize(200, 110);
    ok &= save(&list, dir, QStringLiteral("sorted-combo"));

    // A progress dialog mid-way.
    ProgressDialog progress;
    progress.setWindowTitle(QStringLiteral("Экспорт"));
    progress.setText(QStringLiteral("Экспортирую таблицу 'Заявки'"));
    progress.setProgress(42);
    ok &= save(&progress, dir, QStringLiteral("progress"));

    delete bar;
    delete form;
    return ok ? 0 : 1;
}
