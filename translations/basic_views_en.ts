<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>AbstractFindToolBar</name>
    <message>
        <source>Поиск</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Найти предыдущий</source>
        <translation>Find previous</translation>
    </message>
    <message>
        <source>Найти следующий</source>
        <translation>Find next</translation>
    </message>
    <message>
        <source>Фильтр</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Фильтровать строки по значению</source>
        <translation>Filter the rows by the value</translation>
    </message>
    <message>
        <source>Готово</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Закрыть поиск</source>
        <translation>Close the search</translation>
    </message>
    <message>
        <source>Не найдено</source>
        <translation>Not found</translation>
    </message>
</context>
<context>
    <name>AccountFilter</name>
    <message>
        <source>Счёт</source>
        <translation>Account</translation>
    </message>
</context>
<context>
    <name>AccountSelectorBox</name>
    <message>
        <source>Счёт или фирма</source>
        <translation>Account or firm</translation>
    </message>
    <message>
        <source>Счёт клиента (7 знаков) или код брокерской фирмы (4 знака)</source>
        <translation>A client account (7 characters) or a brokerage firm code (4 characters)</translation>
    </message>
    <message>
        <source>Счёт «%1» не найден</source>
        <translation>Account &quot;%1&quot; not found</translation>
    </message>
    <message>
        <source>фирма</source>
        <translation>firm</translation>
    </message>
    <message>
        <source>клиент</source>
        <translation>client</translation>
    </message>
    <message>
        <source>Счёт клиента (7 знаков)</source>
        <translation>Client account (7 characters)</translation>
    </message>
    <message>
        <source>Счёт клиента</source>
        <translation>Client account</translation>
    </message>
</context>
<context>
    <name>AccountTypeFilter</name>
    <message>
        <source>Тип счета</source>
        <translation>Account type</translation>
    </message>
    <message>
        <source>БФ</source>
        <translation>Brokerage firm</translation>
    </message>
    <message>
        <source>Клиент</source>
        <translation>Client</translation>
    </message>
</context>
<context>
    <name>AddOrderCheckDialog</name>
    <message>
        <source>Можно ввести заявку с ценой</source>
        <translation>An order may be entered at the price</translation>
    </message>
    <message>
        <source>Можно ввести заявку со своп-ценой</source>
        <translation>An order may be entered at the swap price</translation>
    </message>
    <message>
        <source>Можно ввести заявку со ставкой</source>
        <translation>An order may be entered at the rate</translation>
    </message>
    <message>
        <source>Добавить отложенную заявку по цене</source>
        <translation>Add the postponed order at the price</translation>
    </message>
    <message>
        <source>Отправить заявку по цене</source>
        <translation>Send the order at the price</translation>
    </message>
    <message>
        <source>Добавить отложенную заявку по своп-цене</source>
        <translation>Add the postponed order at the swap price</translation>
    </message>
    <message>
        <source>Отправить заявку по своп-цене</source>
        <translation>Send the order at the swap price</translation>
    </message>
    <message>
        <source>Добавить отложенную заявку по ставке</source>
        <translation>Add the postponed order at the rate</translation>
    </message>
    <message>
        <source>Отправить заявку по ставке</source>
        <translation>Send the order at the rate</translation>
    </message>
    <message>
        <source>Добавить исправленную заявку по цене</source>
        <translation>Add the corrected order at the price</translation>
    </message>
    <message>
        <source>Отправить исправленную заявку по цене</source>
        <translation>Send the corrected order at the price</translation>
    </message>
    <message>
        <source>Добавить исправленную заявку по своп-цене</source>
        <translation>Add the corrected order at the swap price</translation>
    </message>
    <message>
        <source>Отправить исправленную заявку по своп-цене</source>
        <translation>Send the corrected order at the swap price</translation>
    </message>
    <message>
        <source>Добавить исправленную заявку по ставке</source>
        <translation>Add the corrected order at the rate</translation>
    </message>
    <message>
        <source>Отправить исправленную заявку по ставке</source>
        <translation>Send the corrected order at the rate</translation>
    </message>
    <message>
        <source>Исправить</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Откорректировать цену, но НЕ добавлять заявку</source>
        <translation>Correct the price but do NOT add the order</translation>
    </message>
    <message>
        <source>Откорректировать цену, но НЕ отправлять заявку</source>
        <translation>Correct the price but do NOT send the order</translation>
    </message>
    <message>
        <source>Отменить добавление заявки, не исправлять цену</source>
        <translation>Cancel adding the order, leave the price</translation>
    </message>
    <message>
        <source>Отменить постановку заявки, не исправлять цену</source>
        <translation>Cancel the order, leave the price</translation>
    </message>
    <message>
        <source>Откорректировать своп-цену, но НЕ добавлять заявку</source>
        <translation>Correct the swap price but do NOT add the order</translation>
    </message>
    <message>
        <source>Откорректировать своп-цену, но НЕ отправлять заявку</source>
        <translation>Correct the swap price but do NOT send the order</translation>
    </message>
    <message>
        <source>Отменить добавление заявки, не исправлять своп-цену</source>
        <translation>Cancel adding the order, leave the swap price</translation>
    </message>
    <message>
        <source>Отменить постановку заявки, не исправлять своп-цену</source>
        <translation>Cancel the order, leave the swap price</translation>
    </message>
    <message>
        <source>Откорректировать ставку, но НЕ добавлять заявку</source>
        <translation>Correct the rate but do NOT add the order</translation>
    </message>
    <message>
        <source>Откорректировать ставку, но НЕ отправлять заявку</source>
        <translation>Correct the rate but do NOT send the order</translation>
    </message>
    <message>
        <source>Отменить добавление заявки, не исправлять ставку</source>
        <translation>Cancel adding the order, leave the rate</translation>
    </message>
    <message>
        <source>Отменить постановку заявки, не исправлять ставку</source>
        <translation>Cancel the order, leave the rate</translation>
    </message>
    <message>
        <source>Проверка на лимиты</source>
        <translation>Price limits check</translation>
    </message>
    <message>
        <source>Введенная своп-цена вне лимитов</source>
        <translation>The swap price entered is outside the limits</translation>
    </message>
    <message>
        <source>Введенная цена вне лимитов</source>
        <translation>The price entered is outside the limits</translation>
    </message>
    <message>
        <source>Проверка на кратность</source>
        <translation>Price step check</translation>
    </message>
    <message>
        <source>Введенная своп-цена не кратна шагу своп-цены</source>
        <translation>The swap price entered is not a multiple of the swap price step</translation>
    </message>
    <message>
        <source>Введенная цена не кратна шагу цены</source>
        <translation>The price entered is not a multiple of the price step</translation>
    </message>
</context>
<context>
    <name>AddOrderShortDialog</name>
    <message>
        <source>Ввод заявки</source>
        <translation>Order entry</translation>
    </message>
    <message>
        <source>Рынок:</source>
        <translation>Market:</translation>
    </message>
    <message>
        <source>Запрос ЗРБ</source>
        <translation>Clearing request</translation>
    </message>
    <message>
        <source>Ошибка добавления отложенной заявки</source>
        <translation>Error adding the postponed order</translation>
    </message>
    <message>
        <source>Отправка заявки</source>
        <translation>Sending the order</translation>
    </message>
    <message>
        <source>покупку</source>
        <translation>buy</translation>
    </message>
    <message>
        <source>продажу</source>
        <translation>sell</translation>
    </message>
    <message>
        <source>Вы действительно хотите поставить заявку на %1 со своп-ценой %2 в количестве %3 со счёта %4?</source>
        <translation>Do you really want to place a %1 order at the swap price %2 for %3 from account %4?</translation>
    </message>
    <message>
        <source>Вы действительно хотите отправить поручение по %1 в количестве %2 со счёта %3?</source>
        <translation>Do you really want to send a %1 request for %2 from account %3?</translation>
    </message>
    <message>
        <source>Вы действительно хотите поставить заявку на %1 по цене %2 в количестве %3 со счёта %4?</source>
        <translation>Do you really want to place a %1 order at %2 for %3 from account %4?</translation>
    </message>
</context>
<context>
    <name>AlertSettingsPage</name>
    <message>
        <source>Задержка оповещения (секунд):</source>
        <translation>Alert delay (seconds):</translation>
    </message>
</context>
<context>
    <name>AsprefFilter</name>
    <message>
        <source>Мастер логин</source>
        <translation>Master login</translation>
    </message>
</context>
<context>
    <name>BalanceFilter</name>
    <message>
        <source>Остаток</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>Не исполнена</source>
        <translation>Not filled</translation>
    </message>
    <message>
        <source>Полностью исполнена</source>
        <translation>Fully filled</translation>
    </message>
    <message>
        <source>Частично исполнена</source>
        <translation>Partially filled</translation>
    </message>
</context>
<context>
    <name>BaseAssetsEditor</name>
    <message>
        <source>Отметить все</source>
        <translation>Check all</translation>
    </message>
    <message>
        <source>Снять все</source>
        <translation>Uncheck all</translation>
    </message>
    <message>
        <source>Отметьте хотя бы одно значение</source>
        <translation>Check at least one value</translation>
    </message>
</context>
<context>
    <name>BaseCodeBySecIdFilter</name>
    <message>
        <source>Базовый актив</source>
        <translation>Underlying</translation>
    </message>
</context>
<context>
    <name>BaseCodeFilter</name>
    <message>
        <source>Базовый актив</source>
        <translation>Underlying</translation>
    </message>
</context>
<context>
    <name>BoardFilter</name>
    <message>
        <source>Режим торгов</source>
        <translation>Trading board</translation>
    </message>
</context>
<context>
    <name>BoardSelectorBox</name>
    <message>
        <source>Режим торгов</source>
        <translation>Trading board</translation>
    </message>
</context>
<context>
    <name>BuySellFilter</name>
    <message>
        <source>Тип операции</source>
        <translation>Side</translation>
    </message>
</context>
<context>
    <name>CSVHandler</name>
    <message>
        <source>Текстовый файл с разделителями запятыми</source>
        <translation>Comma-separated text file</translation>
    </message>
</context>
<context>
    <name>CSVHandlerImporter</name>
    <message>
        <source>Структура импортируемого файла не соответствует заданному сопоставлению столбцов</source>
        <translation>The structure of the imported file does not match the column mapping</translation>
    </message>
    <message>
        <source>В файле нет строки заголовка</source>
        <translation>The file has no header line</translation>
    </message>
</context>
<context>
    <name>CSVHandlerImporterWidget</name>
    <message>
        <source>Первая строка содержит заголовок</source>
        <translation>The first line holds the header</translation>
    </message>
</context>
<context>
    <name>ChartWindow</name>
    <message>
        <source>График %1</source>
        <translation>Chart %1</translation>
    </message>
    <message>
        <source>Последняя цена</source>
        <translation>Last price</translation>
    </message>
    <message>
        <source>Сделки</source>
        <translation>Deals</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Цена</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>%1: сделок нет</source>
        <translation>%1: no deals</translation>
    </message>
</context>
<context>
    <name>CheckListFilterWidget</name>
    <message>
        <source>Отметьте хотя бы одно значение</source>
        <translation>Check at least one value</translation>
    </message>
</context>
<context>
    <name>ColumnDelegates</name>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Название счёта</source>
        <translation>Account name</translation>
    </message>
    <message>
        <source>Торговый счёт</source>
        <translation>Trading account</translation>
    </message>
    <message>
        <source>Мастер логин</source>
        <translation>Master login</translation>
    </message>
    <message>
        <source>Тип маржирования</source>
        <translation>Margining type</translation>
    </message>
    <message>
        <source>Полунеттинг БФ</source>
        <translation>Firm semi-netting</translation>
    </message>
    <message>
        <source>Тип расчетного кода</source>
        <translation>Settlement code type</translation>
    </message>
    <message>
        <source>Собственный</source>
        <translation>Own</translation>
    </message>
    <message>
        <source>Признак единого пула</source>
        <translation>Unified pool flag</translation>
    </message>
    <message>
        <source>Расчетный код поддерживает единый пул обеспечения</source>
        <translation>The settlement code supports a unified collateral pool</translation>
    </message>
    <message>
        <source>Единый пул</source>
        <translation>Unified pool</translation>
    </message>
    <message>
        <source>Режим блокировки ТС по РК</source>
        <translation>Trading block mode by settlement code</translation>
    </message>
    <message>
        <source>Торги разрешены</source>
        <translation>Trading allowed</translation>
    </message>
    <message>
        <source>Торги запрещены</source>
        <translation>Trading prohibited</translation>
    </message>
    <message>
        <source>Только закрытие позиций</source>
        <translation>Closing positions only</translation>
    </message>
    <message>
        <source>Разрешения</source>
        <translation>Permissions</translation>
    </message>
    <message>
        <source>Разрешения на выполнение операций</source>
        <translation>Permissions to perform operations</translation>
    </message>
    <message>
        <source>Признаки</source>
        <translation>Flags</translation>
    </message>
    <message>
        <source>Признаки &apos;Cancel on Disconnect&apos;/&apos;Cancel on DropCopy Disconnect&apos;/&apos;Sponsored Member Access&apos;</source>
        <translation>&apos;Cancel on Disconnect&apos;/&apos;Cancel on DropCopy Disconnect&apos;/&apos;Sponsored Member Access&apos; flags</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Ошибка OTC</source>
        <translation>OTC error</translation>
    </message>
    <message>
        <source>Тип сделки</source>
        <translation>Deal type</translation>
    </message>
    <message>
        <source>Типы сделок, формируемые при исполнении и истечении фьючерсов и опционов, а так же технические сделки</source>
        <translation>Deal types made on exercise and expiry of futures and options, and technical deals</translation>
    </message>
    <message>
        <source>Тип заявки</source>
        <translation>Order type</translation>
    </message>
    <message>
        <source>Типы заявок, формируемые OTC подсистемой TARVEN и другие особые типы заявок</source>
        <translation>Order types made by the TARVEN OTC subsystem and other special order types</translation>
    </message>
    <message>
        <source>Лимитирование БФ</source>
        <translation>Firm limits</translation>
    </message>
    <message>
        <source>Вывод денег</source>
        <translation>Money withdrawal</translation>
    </message>
    <message>
        <source>Лимитирование клиентов</source>
        <translation>Client limits</translation>
    </message>
    <message>
        <source>Установка ограничений</source>
        <translation>Setting restrictions</translation>
    </message>
    <message>
        <source>Установка SMA ограничений</source>
        <translation>Setting SMA restrictions</translation>
    </message>
    <message>
        <source>Активен</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Деактивирован</source>
        <translation>Deactivated</translation>
    </message>
    <message>
        <source>Деактивирован со снятием заявок</source>
        <translation>Deactivated with orders withdrawn</translation>
    </message>
    <message>
        <source>Неизвестный</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>Английский</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Украинский</source>
        <translation>Ukrainian</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Исполнение</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Сделка является сделкой исполнения</source>
        <translation>The deal is an exercise deal</translation>
    </message>
    <message>
        <source>Истечение</source>
        <translation>Expiry</translation>
    </message>
    <message>
        <source>Признак истечения времени действия инструмента</source>
        <translation>The instrument has expired</translation>
    </message>
    <message>
        <source>Перенос позиции</source>
        <translation>Position transfer</translation>
    </message>
    <message>
        <source>Сделка по переносу позиции</source>
        <translation>Position transfer deal</translation>
    </message>
    <message>
        <source>Адресная</source>
        <translation>Negotiated</translation>
    </message>
    <message>
        <source>Адресная сделка</source>
        <translation>Negotiated deal</translation>
    </message>
    <message>
        <source>Связка</source>
        <translation>Combination</translation>
    </message>
    <message>
        <source>Cделка по связке</source>
        <translation>Combination deal</translation>
    </message>
    <message>
        <source>Тех. сделка 2</source>
        <translation>Tech. deal 2</translation>
    </message>
    <message>
        <source>Техническая сделка по связке вторая часть</source>
        <translation>Technical combination deal, second part</translation>
    </message>
    <message>
        <source>Тех. сделка 1</source>
        <translation>Tech. deal 1</translation>
    </message>
    <message>
        <source>Техническая сделка по связке первая часть</source>
        <translation>Technical combination deal, first part</translation>
    </message>
    <message>
        <source>Айсберг заявка</source>
        <translation>Iceberg order</translation>
    </message>
    <message>
        <source>%1 (сессия %2)</source>
        <translation>%1 (session %2)</translation>
    </message>
    <message>
        <source>Вар. маржа</source>
        <translation>Var. margin</translation>
    </message>
    <message>
        <source>Накопленная по сделкам вариационная маржа, рассчитанная по текущей котировке, ограниченной лимитами</source>
        <translation>Variation margin accumulated over deals at the current quote limited by the price limits</translation>
    </message>
    <message>
        <source>Наименование</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Наименование группы опционов</source>
        <translation>Option group name</translation>
    </message>
    <message>
        <source>RIM4 - июн 13, 2014 (24-я неделя)(Американский: Маржируемый)</source>
        <translation>RIM4 - Jun 13, 2014 (24th week)(American: Margined)</translation>
    </message>
    <message>
        <source>Неизвестный инструмент</source>
        <translation>Unknown instrument</translation>
    </message>
    <message>
        <source>Площадка</source>
        <translation>Market</translation>
    </message>
    <message>
        <source>Краткое название площадки</source>
        <translation>Short market name</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Режим торгов инструмента</source>
        <translation>Trading board of the instrument</translation>
    </message>
    <message>
        <source>Фьючерсы</source>
        <translation>Futures</translation>
    </message>
    <message>
        <source>Режим торгов опциона</source>
        <translation>Trading board of the option</translation>
    </message>
    <message>
        <source>Опционы</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Режим баз. контр.</source>
        <translation>Underlying board</translation>
    </message>
    <message>
        <source>Режим базового контракта</source>
        <translation>Board of the underlying contract</translation>
    </message>
    <message>
        <source>Сессия</source>
        <translation>Session</translation>
    </message>
    <message>
        <source>Название сессии</source>
        <translation>Session name</translation>
    </message>
    <message>
        <source>Номер сделки</source>
        <translation>Deal number</translation>
    </message>
    <message>
        <source>Порядковый номер сделки</source>
        <translation>Serial number of the deal</translation>
    </message>
    <message>
        <source>Номер заявки</source>
        <translation>Order number</translation>
    </message>
    <message>
        <source>Порядковый номер заявки</source>
        <translation>Serial number of the order</translation>
    </message>
    <message>
        <source>Инструмент</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>Короткий код инструмента</source>
        <translation>Short instrument code</translation>
    </message>
    <message>
        <source>Баз. контракт</source>
        <translation>Underlying contract</translation>
    </message>
    <message>
        <source>Инструмент базового контракта</source>
        <translation>Instrument of the underlying contract</translation>
    </message>
    <message>
        <source>Базовый контракт</source>
        <translation>Underlying contract</translation>
    </message>
    <message>
        <source>Код базового контракта опциона</source>
        <translation>Code of the option&apos;s underlying contract</translation>
    </message>
    <message>
        <source>Код</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Код инструмента</source>
        <translation>Instrument code</translation>
    </message>
    <message>
        <source>Баз. актив</source>
        <translation>Underlying</translation>
    </message>
    <message>
        <source>Код базового актива</source>
        <translation>Underlying code</translation>
    </message>
    <message>
        <source>Доходность</source>
        <translation>Yield</translation>
    </message>
    <message>
        <source>Доходность по фьючерсам на процентные ставки</source>
        <translation>Yield of interest rate futures</translation>
    </message>
</context>
<context>
    <name>ColumnTotalsModel</name>
    <message>
        <source>Итого</source>
        <translation>Total</translation>
    </message>
</context>
<context>
    <name>CompletingSelectorBox</name>
    <message>
        <source>«%1» нет в списке</source>
        <translation>“%1” is not in the list</translation>
    </message>
</context>
<context>
    <name>ConfirmationDialog</name>
    <message>
        <source>Больше не спрашивать</source>
        <translation>Do not ask again</translation>
    </message>
    <message>
        <source>Подтверждение</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>DBFHandler</name>
    <message>
        <source>Файл dBASE IV</source>
        <translation>dBASE IV file</translation>
    </message>
    <message>
        <source>Файл dBASE Level 7</source>
        <translation>dBASE Level 7 file</translation>
    </message>
    <message>
        <source>Слишком много столбцов для формата dBASE: %1 (не более %2)</source>
        <translation>Too many columns for the dBASE format: %1 (at most %2)</translation>
    </message>
    <message>
        <source>Невозможно составить уникальное имя поля dBASE для столбца &apos;%1&apos;</source>
        <translation>Cannot make a unique dBASE field name for the column &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Слишком длинная запись для формата dBASE: %1 байт (не более %2)</source>
        <translation>Record too long for the dBASE format: %1 bytes (at most %2)</translation>
    </message>
</context>
<context>
    <name>DateEdit</name>
    <message>
        <source>«%1» не дата: ожидается ДД.ММ.ГГГГ</source>
        <translation>“%1” is not a date: DD.MM.YYYY expected</translation>
    </message>
</context>
<context>
    <name>DateFilter</name>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Сегодня</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Вчера и сегодня</source>
        <translation>Yesterday and today</translation>
    </message>
    <message>
        <source>С %1</source>
        <translation>From %1</translation>
    </message>
    <message>
        <source>С %1 по %2</source>
        <translation>From %1 to %2</translation>
    </message>
    <message>
        <source>По %1</source>
        <translation>Until %1</translation>
    </message>
    <message>
        <source>Все даты</source>
        <translation>All dates</translation>
    </message>
</context>
<context>
    <name>DateFilterWidget</name>
    <message>
        <source>С</source>
        <translation>From</translation>
    </message>
    <message>
        <source>по</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Все даты</source>
        <translation>All dates</translation>
    </message>
    <message>
        <source>Сегодня</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Вчера и сегодня</source>
        <translation>Yesterday and today</translation>
    </message>
    <message>
        <source>Задать границы</source>
        <translation>Set bounds</translation>
    </message>
    <message>
        <source>Отметьте хотя бы одну границу</source>
        <translation>Check at least one bound</translation>
    </message>
    <message>
        <source>Дата «С» позже даты «по»</source>
        <translation>The &quot;From&quot; date is after the &quot;to&quot; date</translation>
    </message>
</context>
<context>
    <name>DateTexts</name>
    <message>
        <source>нулябрь</source>
        <translation>nonth</translation>
    </message>
    <message>
        <source>январь</source>
        <translation>January</translation>
    </message>
    <message>
        <source>февраль</source>
        <translation>February</translation>
    </message>
    <message>
        <source>март</source>
        <translation>March</translation>
    </message>
    <message>
        <source>апрель</source>
        <translation>April</translation>
    </message>
    <message>
        <source>май</source>
        <translation>May</translation>
    </message>
    <message>
        <source>июнь</source>
        <translation>June</translation>
    </message>
    <message>
        <source>июль</source>
        <translation>July</translation>
    </message>
    <message>
        <source>август</source>
        <translation>August</translation>
    </message>
    <message>
        <source>сентябрь</source>
        <translation>September</translation>
    </message>
    <message>
        <source>октябрь</source>
        <translation>October</translation>
    </message>
    <message>
        <source>ноябрь</source>
        <translation>November</translation>
    </message>
    <message>
        <source>декабрь</source>
        <translation>December</translation>
    </message>
    <message>
        <source>%1th week</source>
        <translation>%1th week</translation>
    </message>
    <message>
        <source>%1st week</source>
        <translation>%1st week</translation>
    </message>
    <message>
        <source>%1nd week</source>
        <translation>%1nd week</translation>
    </message>
    <message>
        <source>%1rd week</source>
        <translation>%1rd week</translation>
    </message>
</context>
<context>
    <name>DealsTypeFilter</name>
    <message>
        <source>Типы сделок</source>
        <translation>Deal types</translation>
    </message>
    <message>
        <source>Обычная</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>Исполнение</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Истечение</source>
        <translation>Expiry</translation>
    </message>
    <message>
        <source>Перенос позиции</source>
        <translation>Position transfer</translation>
    </message>
    <message>
        <source>Адресная</source>
        <translation>Negotiated</translation>
    </message>
    <message>
        <source>Связка</source>
        <translation>Combination</translation>
    </message>
    <message>
        <source>Технические по связкам</source>
        <translation>Technical combination deals</translation>
    </message>
</context>
<context>
    <name>DropOrdersDialog</name>
    <message>
        <source>Снять все заявки</source>
        <translation>Withdraw all orders</translation>
    </message>
    <message>
        <source>Снятие заявок для указанного счёта клиента или брокерской фирмы</source>
        <translation>Withdrawing the orders of the given client account or brokerage firm</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите снять все заявки по счёту %1?</source>
        <translation>Withdraw all orders of account %1?</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите снять все заявки брокерской фирмы %1?</source>
        <translation>Withdraw all orders of brokerage firm %1?</translation>
    </message>
    <message>
        <source>Снять все заявки на покупку</source>
        <translation>Withdraw all buy orders</translation>
    </message>
    <message>
        <source>Снятие заявок на покупку для указанного счёта клиента или брокерской фирмы</source>
        <translation>Withdrawing the buy orders of the given client account or brokerage firm</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите снять все заявки на покупку по счёту %1?</source>
        <translation>Withdraw all buy orders of account %1?</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите снять все заявки брокерской фирмы %1 на покупку?</source>
        <translation>Withdraw all buy orders of brokerage firm %1?</translation>
    </message>
    <message>
        <source>Снять все заявки на продажу</source>
        <translation>Withdraw all sell orders</translation>
    </message>
    <message>
        <source>Снятие заявок на продажу для указанного счёта клиента или брокерской фирмы</source>
        <translation>Withdrawing the sell orders of the given client account or brokerage firm</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите снять все заявки на продажу по счёту %1?</source>
        <translation>Withdraw all sell orders of account %1?</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите снять все заявки брокерской фирмы %1 на продажу?</source>
        <translation>Withdraw all sell orders of brokerage firm %1?</translation>
    </message>
    <message>
        <source>Снять все заявки вне лимитов</source>
        <translation>Withdraw all orders outside the limits</translation>
    </message>
    <message>
        <source>Снятие заявок вне лимитов для указанного счёта клиента или брокерской фирмы</source>
        <translation>Withdrawing the orders outside the limits of the given client account or brokerage firm</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите снять все заявки вне лимитов по счёту %1?</source>
        <translation>Withdraw all orders outside the limits of account %1?</translation>
    </message>
    <message>
        <source>Вы уверены, что хотите снять все заявки брокерской фирмы %1 вне лимитов?</source>
        <translation>Withdraw all orders outside the limits of brokerage firm %1?</translation>
    </message>
    <message>
        <source>Снять заявки</source>
        <translation>Withdraw orders</translation>
    </message>
    <message>
        <source>Рынок:</source>
        <translation>Market:</translation>
    </message>
    <message>
        <source>Счёт:</source>
        <translation>Account:</translation>
    </message>
    <message>
        <source>Код брокера (и клиента) должен быть длиной или %1, или %2 символов!</source>
        <translation>A broker (and client) code must be either %1 or %2 characters long!</translation>
    </message>
    <message>
        <source>Транзакция не найдена</source>
        <translation>Transaction not found</translation>
    </message>
    <message>
        <source>Ошибка отмены заявок</source>
        <translation>Order withdrawal error</translation>
    </message>
    <message>
        <source>Невозможно сформировать запрос: %1</source>
        <translation>Cannot build the request: %1</translation>
    </message>
    <message>
        <source>транзакция не добавлена в очередь</source>
        <translation>the transaction was not queued</translation>
    </message>
    <message>
        <source>Ошибка отправки запроса отмены заявок</source>
        <translation>Error sending the order withdrawal request</translation>
    </message>
    <message>
        <source>Невозможно отправить запрос: %1</source>
        <translation>Cannot send the request: %1</translation>
    </message>
</context>
<context>
    <name>DynamicExporterManagerDialog</name>
    <message>
        <source>Динамический экспорт</source>
        <translation>Dynamic export</translation>
    </message>
    <message>
        <source>Перейти к окну</source>
        <translation>Go to the window</translation>
    </message>
    <message>
        <source>Прекратить динамический экспорт</source>
        <translation>Stop the dynamic export</translation>
    </message>
</context>
<context>
    <name>DynamicExporterModel</name>
    <message>
        <source>%1 мин</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 сек</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Окно</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Интервал</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>Путь к файлу</source>
        <translation>File path</translation>
    </message>
</context>
<context>
    <name>DynamicExporterSetupDialog</name>
    <message>
        <source>Внимание!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>Динамический экспорт: </source>
        <translation>Dynamic export: </translation>
    </message>
    <message>
        <source>Файл:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Интервал:</source>
        <translation>Interval:</translation>
    </message>
    <message>
        <source>минут</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Указанный файл уже применяется для динамического экспорта в следующих окнах:</source>
        <translation>The file is already used for dynamic export in these windows:</translation>
    </message>
    <message>
        <source>Не указано имя файла!</source>
        <translation>No file name given!</translation>
    </message>
    <message>
        <source>Указано некорректное расширение файла!</source>
        <translation>The file extension is not a known format!</translation>
    </message>
</context>
<context>
    <name>DynamicExporterStatusWidget</name>
    <message>
        <source>Динамический экспорт</source>
        <translation>Dynamic export</translation>
    </message>
</context>
<context>
    <name>EmbeddedExchange</name>
    <message>
        <source>Новая заявка</source>
        <translation>New order</translation>
    </message>
    <message>
        <source>Поручение в клиринговый центр</source>
        <translation>Clearing request</translation>
    </message>
    <message>
        <source>Новая айсберг-заявка</source>
        <translation>New iceberg order</translation>
    </message>
    <message>
        <source>Изменение заявки</source>
        <translation>Order change</translation>
    </message>
    <message>
        <source>Изменение айсберг-заявки</source>
        <translation>Iceberg order change</translation>
    </message>
    <message>
        <source>Снятие заявок</source>
        <translation>Order withdrawal</translation>
    </message>
    <message>
        <source>Биржа не исполняет транзакции вида %1</source>
        <translation>The exchange does not execute transactions of kind %1</translation>
    </message>
    <message>
        <source>Заявка отклонена биржей: %1</source>
        <translation>Order rejected by the exchange: %1</translation>
    </message>
    <message>
        <source>Поручение отклонено биржей: %1</source>
        <translation>Clearing request rejected by the exchange: %1</translation>
    </message>
    <message>
        <source>Изменение заявки отклонено биржей: %1</source>
        <translation>Order change rejected by the exchange: %1</translation>
    </message>
    <message>
        <source>Снятие заявок отклонено биржей: %1</source>
        <translation>Order withdrawal rejected by the exchange: %1</translation>
    </message>
    <message>
        <source>Транзакция отклонена биржей: %1</source>
        <translation>Transaction rejected by the exchange: %1</translation>
    </message>
    <message>
        <source>инструмент %1 не найден в режиме %2</source>
        <translation>instrument %1 not found on board %2</translation>
    </message>
    <message>
        <source>счёт %1 не найден</source>
        <translation>account %1 not found</translation>
    </message>
    <message>
        <source>неверная цена &quot;%1&quot;</source>
        <translation>invalid price &quot;%1&quot;</translation>
    </message>
    <message>
        <source>цена %1 вне лимитов от %2 до %3</source>
        <translation>price %1 outside the limits from %2 to %3</translation>
    </message>
    <message>
        <source>денежного лимита счёта %1 не хватает: заявке нужно %2, свободно %3</source>
        <translation>the money limit of account %1 is not enough: the order needs %2, %3 is free</translation>
    </message>
    <message>
        <source>неверное количество &quot;%1&quot;</source>
        <translation>invalid quantity &quot;%1&quot;</translation>
    </message>
    <message>
        <source>заявка %1 не найдена среди активных</source>
        <translation>order %1 is not among the active orders</translation>
    </message>
    <message>
        <source>заявка %1 выставлена не со счёта %2</source>
        <translation>order %1 was not placed from account %2</translation>
    </message>
    <message>
        <source>Код брокера (и клиента) должен быть длиной или %1, или %2 символов!</source>
        <translation>A broker (and client) code must be either %1 or %2 characters long!</translation>
    </message>
    <message>
        <source>фирма %1 не найдена</source>
        <translation>firm %1 not found</translation>
    </message>
    <message>
        <source>Снято заявок брокерской фирмы %1: %2</source>
        <translation>Orders of brokerage firm %1 withdrawn: %2</translation>
    </message>
    <message>
        <source>Снято заявок по счёту %1: %2</source>
        <translation>Orders of account %1 withdrawn: %2</translation>
    </message>
</context>
<context>
    <name>EmbeddedTransactionSender</name>
    <message>
        <source>Транзакция вида %1 для рынка %2 не найдена</source>
        <translation>No transaction of kind %1 for market %2</translation>
    </message>
    <message>
        <source>Описание транзакции не задано</source>
        <translation>No transaction description given</translation>
    </message>
    <message>
        <source>Не задан параметр &apos;%1&apos; транзакции &apos;%2&apos;</source>
        <translation>Parameter &apos;%1&apos; of transaction &apos;%2&apos; is not set</translation>
    </message>
    <message>
        <source>Транзакция &apos;%1&apos; не принимает параметр &apos;%2&apos;</source>
        <translation>Transaction &apos;%1&apos; takes no parameter &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Транзакция не построена</source>
        <translation>The transaction was not built</translation>
    </message>
    <message>
        <source>Нет подключения к бирже: транзакция не отправлена</source>
        <translation>No connection to the exchange: the transaction was not sent</translation>
    </message>
</context>
<context>
    <name>EnumDirectory</name>
    <message>
        <source>Активна</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Заявка выставлена и ждёт исполнения</source>
        <translation>The order is placed and waits to be filled</translation>
    </message>
    <message>
        <source>Исполнена</source>
        <translation>Filled</translation>
    </message>
    <message>
        <source>Заявка исполнена полностью</source>
        <translation>The order is filled in full</translation>
    </message>
    <message>
        <source>Снята</source>
        <translation>Withdrawn</translation>
    </message>
    <message>
        <source>Заявка снята участником</source>
        <translation>The order was withdrawn by the participant</translation>
    </message>
    <message>
        <source>Отклонена</source>
        <translation>Rejected</translation>
    </message>
    <message>
        <source>Заявка отклонена биржей</source>
        <translation>The order was rejected by the exchange</translation>
    </message>
    <message>
        <source>Торгуется</source>
        <translation>Trading</translation>
    </message>
    <message>
        <source>Торги инструментом разрешены</source>
        <translation>The instrument may be traded</translation>
    </message>
    <message>
        <source>Приостановлен</source>
        <translation>Suspended</translation>
    </message>
    <message>
        <source>Торги инструментом приостановлены</source>
        <translation>Trading in the instrument is suspended</translation>
    </message>
    <message>
        <source>Исполнен</source>
        <translation>Expired</translation>
    </message>
    <message>
        <source>Срок обращения инструмента истёк</source>
        <translation>The instrument&apos;s term has ended</translation>
    </message>
    <message>
        <source>Фьючерс</source>
        <translation>Future</translation>
    </message>
    <message>
        <source>Фьючерсный контракт</source>
        <translation>Futures contract</translation>
    </message>
    <message>
        <source>Опцион</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Опционный контракт</source>
        <translation>Options contract</translation>
    </message>
    <message>
        <source>Назначена</source>
        <translation>Scheduled</translation>
    </message>
    <message>
        <source>Сессия назначена</source>
        <translation>The session is scheduled</translation>
    </message>
    <message>
        <source>Идут торги</source>
        <translation>Trading</translation>
    </message>
    <message>
        <source>Сессия идёт</source>
        <translation>The session is running</translation>
    </message>
    <message>
        <source>Приостановлена</source>
        <translation>Suspended</translation>
    </message>
    <message>
        <source>Торги приостановлены</source>
        <translation>Trading is suspended</translation>
    </message>
    <message>
        <source>Завершена</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>Сессия завершена</source>
        <translation>The session has finished</translation>
    </message>
    <message>
        <source>Покупка</source>
        <translation>Buy</translation>
    </message>
    <message>
        <source>Заявка или сделка на покупку</source>
        <translation>An order or deal to buy</translation>
    </message>
    <message>
        <source>Продажа</source>
        <translation>Sell</translation>
    </message>
    <message>
        <source>Заявка или сделка на продажу</source>
        <translation>An order or deal to sell</translation>
    </message>
    <message>
        <source>Без изменений</source>
        <translation>Unchanged</translation>
    </message>
    <message>
        <source>Цена не изменилась</source>
        <translation>The price has not changed</translation>
    </message>
    <message>
        <source>Рост</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Цена выросла</source>
        <translation>The price went up</translation>
    </message>
    <message>
        <source>Падение</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Цена упала</source>
        <translation>The price went down</translation>
    </message>
    <message>
        <source>Колл</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Опцион на покупку</source>
        <translation>An option to buy</translation>
    </message>
    <message>
        <source>Пут</source>
        <translation>Put</translation>
    </message>
    <message>
        <source>Опцион на продажу</source>
        <translation>An option to sell</translation>
    </message>
    <message>
        <source>Американский: Маржируемый</source>
        <translation>American: Margined</translation>
    </message>
    <message>
        <source>Маржируемый опцион американского типа</source>
        <translation>Margined American-style option</translation>
    </message>
    <message>
        <source>Европейский: Премиальный</source>
        <translation>European: Premium</translation>
    </message>
    <message>
        <source>Премиальный опцион европейского типа</source>
        <translation>Premium European-style option</translation>
    </message>
</context>
<context>
    <name>ExpDateFilter</name>
    <message>
        <source>Дата экспирации</source>
        <translation>Expiry date</translation>
    </message>
</context>
<context>
    <name>ExpDateFilterToolBarWidget</name>
    <message>
        <source>Экспирация:</source>
        <translation>Expiry:</translation>
    </message>
</context>
<context>
    <name>ExpDateFilterWidget</name>
    <message>
        <source>&lt;не указана&gt;</source>
        <translation>&lt;not set&gt;</translation>
    </message>
</context>
<context>
    <name>Field</name>
    <message>
        <source>Запись в несуществующее поле: &apos;%1&apos;</source>
        <translation>Write to a field that does not exist: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Значение &apos;%1&apos; нельзя записать в поле &apos;%2&apos; типа %3</source>
        <translation>Value &apos;%1&apos; cannot be written to field &apos;%2&apos; of type %3</translation>
    </message>
    <message>
        <source>Значение %1 вне допустимого диапазона поля &apos;%2&apos; типа %3</source>
        <translation>Value %1 is out of the range of field &apos;%2&apos; of type %3</translation>
    </message>
    <message>
        <source>Текст &apos;%1&apos; длиннее поля &apos;%2&apos;: не более %3 символов</source>
        <translation>Text &apos;%1&apos; is longer than field &apos;%2&apos;: at most %3 characters</translation>
    </message>
    <message>
        <source>Значение без типа: &apos;%1&apos;</source>
        <translation>Value without a type: &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>FileExporter</name>
    <message>
        <source>Все файлы (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Экспортировать</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Объект экспорта недоступен</source>
        <translation>The export object is not available</translation>
    </message>
    <message>
        <source>Формат %1 не поддерживается</source>
        <translation>Format %1 is not supported</translation>
    </message>
    <message>
        <source>Невозможно открыть файл на запись: %1</source>
        <translation>Cannot open the file for writing: %1</translation>
    </message>
    <message>
        <source>Экспорт</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Экспортирую таблицу &apos;%1&apos;</source>
        <translation>Exporting table &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Невозможно экспортировать таблицу в файл %1: %2</source>
        <translation>Cannot export the table to file %1: %2</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>FileImporter</name>
    <message>
        <source>Импортировать</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Формат %1 не поддерживается</source>
        <translation>Format %1 is not supported</translation>
    </message>
    <message>
        <source>Невозможно открыть файл: %1</source>
        <translation>Cannot open the file: %1</translation>
    </message>
    <message>
        <source>Отменено пользователем</source>
        <translation>Cancelled by the user</translation>
    </message>
    <message>
        <source>Импорт</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Импортирую...</source>
        <translation>Importing...</translation>
    </message>
</context>
<context>
    <name>FilterLineEdit</name>
    <message>
        <source>Поиск</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>FilterRecordsModelFilter</name>
    <message>
        <source>Выберите нужные инструменты на странице &apos;Инструменты&apos;</source>
        <translation>Choose the instruments you need on the &apos;Instruments&apos; page</translation>
    </message>
    <message>
        <source>Инструмент</source>
        <translation>Instrument</translation>
    </message>
</context>
<context>
    <name>FiltersSettingsPage</name>
    <message>
        <source>Фильтры</source>
        <translation>Filters</translation>
    </message>
</context>
<context>
    <name>FitWidthAction</name>
    <message>
        <source>Подобрать ширину &apos;%1&apos;</source>
        <translation>Fit the width of &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>FutOrder</name>
    <message>
        <source>Проверять лимиты цен опционов</source>
        <translation>Check option price limits</translation>
    </message>
    <message>
        <source>Дополнительно</source>
        <translation>More</translation>
    </message>
    <message>
        <source>&amp;Купить</source>
        <translation>&amp;Buy</translation>
    </message>
    <message>
        <source>&amp;Продать</source>
        <translation>&amp;Sell</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Режим торгов:</source>
        <translation>&amp;Board:</translation>
    </message>
    <message>
        <source>&amp;Инструмент:</source>
        <translation>&amp;Instrument:</translation>
    </message>
    <message>
        <source>С&amp;чет:</source>
        <translation>A&amp;ccount:</translation>
    </message>
    <message>
        <source>&amp;Цена:</source>
        <translation>&amp;Price:</translation>
    </message>
    <message>
        <source>Ко&amp;личество:</source>
        <translation>&amp;Quantity:</translation>
    </message>
    <message>
        <source>Доходность:</source>
        <translation>Yield:</translation>
    </message>
    <message>
        <source>Контр&amp;агент:</source>
        <translation>P&amp;artner:</translation>
    </message>
    <message>
        <source>Транзакция:</source>
        <translation>Transaction:</translation>
    </message>
    <message>
        <source>Комментарий:</source>
        <translation>Comment:</translation>
    </message>
    <message>
        <source>&amp;Своп-Цена:</source>
        <translation>&amp;Swap price:</translation>
    </message>
</context>
<context>
    <name>GroupMaskFilter</name>
    <message>
        <source>Группа инструментов</source>
        <translation>Instrument group</translation>
    </message>
    <message>
        <source>Фьючерсы</source>
        <translation>Futures</translation>
    </message>
    <message>
        <source>Опционы</source>
        <translation>Options</translation>
    </message>
</context>
<context>
    <name>GroupWidthController</name>
    <message>
        <source>Потяните край, чтобы изменить ширину &apos;%1&apos;</source>
        <translation>Drag the edge to change the width of &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>HeaderView</name>
    <message>
        <source>Столбцы</source>
        <translation>Columns</translation>
    </message>
</context>
<context>
    <name>HostSchema</name>
    <message>
        <source>Лимит</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Денежный лимит клиента</source>
        <translation>The client&apos;s money limit</translation>
    </message>
    <message>
        <source>Использовано</source>
        <translation>Used</translation>
    </message>
    <message>
        <source>Часть лимита, уже занятая</source>
        <translation>The part of the limit already taken</translation>
    </message>
    <message>
        <source>Рынок</source>
        <translation>Market</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Инструмент</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>Код</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Площадка</source>
        <translation>Market</translation>
    </message>
    <message>
        <source>Сдвиг времени, мс</source>
        <translation>Time offset, ms</translation>
    </message>
    <message>
        <source>Код режима</source>
        <translation>Board code</translation>
    </message>
    <message>
        <source>Название режима</source>
        <translation>Board name</translation>
    </message>
    <message>
        <source>Признаки</source>
        <translation>Flags</translation>
    </message>
    <message>
        <source>Полное название</source>
        <translation>Full name</translation>
    </message>
    <message>
        <source>Баз. актив</source>
        <translation>Underlying</translation>
    </message>
    <message>
        <source>ISIN</source>
        <translation>ISIN</translation>
    </message>
    <message>
        <source>Серия</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Режим баз. контр.</source>
        <translation>Underlying board</translation>
    </message>
    <message>
        <source>Базовый контракт</source>
        <translation>Underlying contract</translation>
    </message>
    <message>
        <source>ISIN баз. контр.</source>
        <translation>Underlying ISIN</translation>
    </message>
    <message>
        <source>Исполнение</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Страйк</source>
        <translation>Strike</translation>
    </message>
    <message>
        <source>Тип опциона</source>
        <translation>Option type</translation>
    </message>
    <message>
        <source>Расчёт опциона</source>
        <translation>Option settlement</translation>
    </message>
    <message>
        <source>Знаков</source>
        <translation>Decimals</translation>
    </message>
    <message>
        <source>Шаг цены</source>
        <translation>Price step</translation>
    </message>
    <message>
        <source>Мин. цена</source>
        <translation>Min. price</translation>
    </message>
    <message>
        <source>Макс. цена</source>
        <translation>Max. price</translation>
    </message>
    <message>
        <source>Лот</source>
        <translation>Lot</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Расчётная цена</source>
        <translation>Settlement price</translation>
    </message>
    <message>
        <source>Сессия</source>
        <translation>Session</translation>
    </message>
    <message>
        <source>Покупка</source>
        <translation>Bid</translation>
    </message>
    <message>
        <source>Продажа</source>
        <translation>Offer</translation>
    </message>
    <message>
        <source>Последняя</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Изменение</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Время изменения</source>
        <translation>Change time</translation>
    </message>
    <message>
        <source>Объём</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Изменение покупки</source>
        <translation>Bid change</translation>
    </message>
    <message>
        <source>Время покупки</source>
        <translation>Bid time</translation>
    </message>
    <message>
        <source>Изменение продажи</source>
        <translation>Offer change</translation>
    </message>
    <message>
        <source>Время продажи</source>
        <translation>Offer time</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Начало</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Окончание</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Описание</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Фирма</source>
        <translation>Firm</translation>
    </message>
    <message>
        <source>Логин</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Разрешения</source>
        <translation>Permissions</translation>
    </message>
    <message>
        <source>Код клиента</source>
        <translation>Client code</translation>
    </message>
    <message>
        <source>Расчётный код</source>
        <translation>Settlement code</translation>
    </message>
    <message>
        <source>Допустим</source>
        <translation>Acceptable</translation>
    </message>
    <message>
        <source>Тип маржирования</source>
        <translation>Margining type</translation>
    </message>
    <message>
        <source>Тип расчетного кода</source>
        <translation>Settlement code type</translation>
    </message>
    <message>
        <source>Признак единого пула</source>
        <translation>Unified pool flag</translation>
    </message>
    <message>
        <source>Ввод оператором</source>
        <translation>Operator input</translation>
    </message>
    <message>
        <source>Счёт</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Порядок</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>Действует с</source>
        <translation>Effective from</translation>
    </message>
    <message>
        <source>Ставка</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>Мин. сбор</source>
        <translation>Min. fee</translation>
    </message>
    <message>
        <source>Номер сделки</source>
        <translation>Deal number</translation>
    </message>
    <message>
        <source>Сбор покупателя</source>
        <translation>Buyer fee</translation>
    </message>
    <message>
        <source>Сбор продавца</source>
        <translation>Seller fee</translation>
    </message>
    <message>
        <source>Вар. маржа</source>
        <translation>Var. margin</translation>
    </message>
    <message>
        <source>Волатильность</source>
        <translation>Volatility</translation>
    </message>
    <message>
        <source>Название базового актива</source>
        <translation>Underlying name</translation>
    </message>
    <message>
        <source>ГО</source>
        <translation>IM</translation>
    </message>
    <message>
        <source>Гарантийное обеспечение на контракт</source>
        <translation>Initial margin per contract</translation>
    </message>
    <message>
        <source>Лимит, %</source>
        <translation>Limit, %</translation>
    </message>
    <message>
        <source>Ширина лимита колебания цены</source>
        <translation>Width of the price limit</translation>
    </message>
    <message>
        <source>Валюта</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>Направление</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>Цена</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>Количество</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Остаток</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Комментарий</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Номер заявки</source>
        <translation>Order number</translation>
    </message>
    <message>
        <source>Сбор</source>
        <translation>Fee</translation>
    </message>
    <message>
        <source>Начальная позиция</source>
        <translation>Opening position</translation>
    </message>
    <message>
        <source>Куплено</source>
        <translation>Bought</translation>
    </message>
    <message>
        <source>Продано</source>
        <translation>Sold</translation>
    </message>
    <message>
        <source>Позиция</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Средняя цена</source>
        <translation>Average price</translation>
    </message>
    <message>
        <source>Объём, руб.</source>
        <translation>Value, RUB</translation>
    </message>
</context>
<context>
    <name>ImportCommand</name>
    <message>
        <source>Импорт...</source>
        <translation>Import...</translation>
    </message>
    <message>
        <source>Мои инструменты</source>
        <translation>My instruments</translation>
    </message>
    <message>
        <source>Денежные лимиты</source>
        <translation>Money limits</translation>
    </message>
    <message>
        <source>Добавлено в «Мои инструменты»: %1</source>
        <translation>Added to «My instruments»: %1</translation>
    </message>
    <message>
        <source>Ничего не импортировано</source>
        <translation>Nothing was imported</translation>
    </message>
    <message>
        <source>Импорт</source>
        <translation>Import</translation>
    </message>
</context>
<context>
    <name>ImporterColumnsWizard</name>
    <message>
        <source>Мастер импорта данных</source>
        <translation>Data import wizard</translation>
    </message>
</context>
<context>
    <name>ImporterColumnsWizardPage</name>
    <message>
        <source>Выбор столбцов для импорта</source>
        <translation>Choose the columns to import</translation>
    </message>
    <message>
        <source>&lt;Не импортировать&gt;</source>
        <translation>&lt;Do not import&gt;</translation>
    </message>
    <message>
        <source>Выберите не более одного столбца &apos;%1&apos;</source>
        <translation>Choose no more than one column &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Выберите необходимый столбец &apos;%1&apos;</source>
        <translation>Choose the required column &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>ImporterProgressWorker</name>
    <message>
        <source>Для импорта из файла не указан необходимый столбец: &apos;%1&apos;</source>
        <translation>The required column is not mapped for the import from the file: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>В таблице отсутствует столбец: &apos;%1&apos;</source>
        <translation>The table has no column &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Неоднозначное сопоставление для столбца %1: %2, %3</source>
        <translation>Ambiguous mapping for column %1: %2, %3</translation>
    </message>
    <message>
        <source>Указано некорректное сопоставление столбцов. Импорт невозможен.</source>
        <translation>The column mapping is not valid. The import is not possible.</translation>
    </message>
    <message>
        <source>Строка %1: </source>
        <translation>Line %1: </translation>
    </message>
    <message>
        <source>Отменено пользователем</source>
        <translation>Cancelled by the user</translation>
    </message>
    <message>
        <source>Импорт строки №%1 невозможен. </source>
        <translation>Row %1 cannot be imported. </translation>
    </message>
    <message>
        <source>Импорт строки №%1 выполнен частично. %2</source>
        <translation>Row %1 was imported partially. %2</translation>
    </message>
    <message>
        <source>Импорт строки №%1 заменит импортированную ранее строку с тем же ключом</source>
        <translation>Row %1 will replace the row imported earlier with the same key</translation>
    </message>
    <message>
        <source>Таблица &apos;%1&apos; закрыта во время импорта</source>
        <translation>Table &apos;%1&apos; was closed during the import</translation>
    </message>
    <message>
        <source>Импортировано успешно строк: %1</source>
        <translation>Rows imported: %1</translation>
    </message>
    <message>
        <source>Импортировано частично строк: %1</source>
        <translation>Rows imported partially: %1</translation>
    </message>
    <message>
        <source>Пропущено строк: %1</source>
        <translation>Rows skipped: %1</translation>
    </message>
</context>
<context>
    <name>InitiatorFilter</name>
    <message>
        <source>Инициатор</source>
        <translation>Initiator</translation>
    </message>
    <message>
        <source>БФ</source>
        <translation>Brokerage firm</translation>
    </message>
    <message>
        <source>главный трейдер РФ</source>
        <translation>firm&apos;s chief trader</translation>
    </message>
    <message>
        <source>администратор КЦ</source>
        <translation>clearing centre administrator</translation>
    </message>
    <message>
        <source>администратор ТС</source>
        <translation>trading system administrator</translation>
    </message>
</context>
<context>
    <name>InstrumentWindows</name>
    <message>
        <source>Сделки: %1</source>
        <translation>Deals: %1</translation>
    </message>
    <message>
        <source>Открыть все сделки</source>
        <translation>Open all deals</translation>
    </message>
    <message>
        <source>Открыть котировки</source>
        <translation>Open quotes</translation>
    </message>
    <message>
        <source>Построить график</source>
        <translation>Draw chart</translation>
    </message>
    <message>
        <source>Построить кривую волатильности</source>
        <translation>Draw volatility curve</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>ItemDelegate</name>
    <message>
        <source>Невозможно завершить редактирование.</source>
        <translation>Cannot finish editing.</translation>
    </message>
</context>
<context>
    <name>ItemModelWithDelegates</name>
    <message>
        <source>Столбец &apos;%1&apos; не найден</source>
        <translation>Column &apos;%1&apos; not found</translation>
    </message>
</context>
<context>
    <name>ItemViewFilter</name>
    <message>
        <source>Поиск</source>
        <translation>Find</translation>
    </message>
</context>
<context>
    <name>KeyFilterFunc_Fast</name>
    <message>
        <source>Нет столбцов ключа для быстрого фильтра</source>
        <translation>No key columns for a fast filter</translation>
    </message>
    <message>
        <source>Столбец %1 не найден в таблице &apos;%2&apos;</source>
        <translation>Column %1 not found in table &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Столбец &apos;%1&apos; типа %2 нельзя сравнивать побайтно: равные значения могут храниться по-разному</source>
        <translation>Column &apos;%1&apos; of type %2 cannot be compared byte by byte: equal values may be stored differently</translation>
    </message>
    <message>
        <source>Столбцы ключа &apos;%1&apos; и &apos;%2&apos; таблицы &apos;%3&apos; не лежат в записи подряд</source>
        <translation>Key columns &apos;%1&apos; and &apos;%2&apos; of table &apos;%3&apos; are not adjacent in the record</translation>
    </message>
    <message>
        <source>Ключ &apos;%1&apos; не подходит к столбцам фильтра</source>
        <translation>Key &apos;%1&apos; does not fit the filter&apos;s columns</translation>
    </message>
</context>
<context>
    <name>KvFutMarginTypeDirectory</name>
    <message>
        <source>Полное</source>
        <translation>Full</translation>
    </message>
    <message>
        <source>Полунеттинг БФ</source>
        <translation>Firm semi-netting</translation>
    </message>
    <message>
        <source>Неттинг</source>
        <translation>Netting</translation>
    </message>
    <message>
        <source>Собственный</source>
        <translation>Own</translation>
    </message>
    <message>
        <source>Клиентский</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>Доверительное управление</source>
        <translation>Trust management</translation>
    </message>
    <message>
        <source>Раздельный</source>
        <translation>Segregated</translation>
    </message>
    <message>
        <source>Единый пул</source>
        <translation>Unified pool</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
</context>
<context>
    <name>LimitsWindow</name>
    <message>
        <source>Добавить счёт...</source>
        <translation>Add account...</translation>
    </message>
    <message>
        <source>Удалить строки</source>
        <translation>Delete rows</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Очистить таблицу</source>
        <translation>Clear table</translation>
    </message>
    <message>
        <source>добавление строки %1</source>
        <translation>adding row %1</translation>
    </message>
    <message>
        <source>удаление строки %1</source>
        <translation>deleting row %1</translation>
    </message>
    <message>
        <source>удаление строк (%1)</source>
        <translation>deleting rows (%1)</translation>
    </message>
    <message>
        <source>Выберите ячейку, с которой начать вставку</source>
        <translation>Choose the cell to paste from</translation>
    </message>
    <message>
        <source>Буфер обмена пуст</source>
        <translation>The clipboard is empty</translation>
    </message>
    <message>
        <source>вставку ячеек (%1)</source>
        <translation>pasting cells (%1)</translation>
    </message>
    <message>
        <source>очистку таблицы</source>
        <translation>clearing the table</translation>
    </message>
    <message>
        <source>Лимит есть у каждого счёта клиента</source>
        <translation>Every client account has a limit already</translation>
    </message>
    <message>
        <source>Новый лимит</source>
        <translation>New limit</translation>
    </message>
    <message>
        <source>Счёт клиента:</source>
        <translation>Client account:</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Вставка не выполнена.</source>
        <translation>Nothing was pasted.</translation>
    </message>
</context>
<context>
    <name>LineEdit</name>
    <message>
        <source>Недопустимое значение: %1</source>
        <translation>Invalid value: %1</translation>
    </message>
</context>
<context>
    <name>LoginFilter</name>
    <message>
        <source>Логин</source>
        <translation>Login</translation>
    </message>
</context>
<context>
    <name>LoginFilterWidget</name>
    <message>
        <source>Введите логин или выберите «Все логины»</source>
        <translation>Enter a login or choose &quot;All logins&quot;</translation>
    </message>
    <message>
        <source>Логин пишется одним словом, без пробелов</source>
        <translation>A login is one word without spaces</translation>
    </message>
    <message>
        <source>Все логины</source>
        <translation>All logins</translation>
    </message>
    <message>
        <source>Логин:</source>
        <translation>Login:</translation>
    </message>
    <message>
        <source>Логин пользователя: введите или выберите из списка</source>
        <translation>User&apos;s login: type it or choose it from the list</translation>
    </message>
</context>
<context>
    <name>MasterIndex</name>
    <message>
        <source>Запись с ключом &apos;%1&apos; уже есть в таблице &apos;%2&apos;</source>
        <translation>A record with key &apos;%1&apos; is already in table &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>ModelMenu</name>
    <message>
        <source>(нет)</source>
        <translation>(none)</translation>
    </message>
</context>
<context>
    <name>MoneyLimits</name>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Денежные лимиты не прочитаны (%1): %2%3</source>
        <translation>Money limits not read (%1): %2%3</translation>
    </message>
    <message>
        <source>, прежний файл сохранён как %1</source>
        <translation>, the previous file is kept as %1</translation>
    </message>
    <message>
        <source>Денежные лимиты не записаны: %1</source>
        <translation>Money limits not written: %1</translation>
    </message>
    <message>
        <source>Отменить %1</source>
        <translation>Undo %1</translation>
    </message>
    <message>
        <source>Повторить %1</source>
        <translation>Redo %1</translation>
    </message>
    <message>
        <source>Лимиты не меняются: терминал воспроизводит запись, в ней лимиты записанного дня</source>
        <translation>Limits are not changed: the terminal replays a recording, which holds the recorded day&apos;s limits</translation>
    </message>
</context>
<context>
    <name>MoveOrder</name>
    <message>
        <source>Проверять лимиты цен опционов</source>
        <translation>Check option price limits</translation>
    </message>
    <message>
        <source>Цена:</source>
        <translation>Price:</translation>
    </message>
    <message>
        <source>Количество:</source>
        <translation>Quantity:</translation>
    </message>
    <message>
        <source>&amp;Отправить заявку</source>
        <translation>&amp;Send order</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Режим торгов:</source>
        <translation>Board:</translation>
    </message>
    <message>
        <source>Инструмент:</source>
        <translation>Instrument:</translation>
    </message>
    <message>
        <source>Счет:</source>
        <translation>Account:</translation>
    </message>
    <message>
        <source>Транзакция:</source>
        <translation>Transaction:</translation>
    </message>
</context>
<context>
    <name>MoveOrderDialog</name>
    <message>
        <source>Изменение заявки</source>
        <translation>Order change</translation>
    </message>
    <message>
        <source>Отправка заявки</source>
        <translation>Sending the order</translation>
    </message>
    <message>
        <source>покупку</source>
        <translation>buy</translation>
    </message>
    <message>
        <source>продажу</source>
        <translation>sell</translation>
    </message>
    <message>
        <source>Вы действительно хотите изменить заявку на %1 со счета %2 номер %3 по цене %4?</source>
        <translation>Change the %1 order of account %2 number %3 to the price %4?</translation>
    </message>
    <message>
        <source>Вы действительно хотите изменить заявку на %1 со счета %2 номер %3? Объем новой заявки будет меньше указанного на размер сведенной части, были указаны количество %4 и цена %5.</source>
        <translation>Change the %1 order of account %2 number %3? The new order&apos;s volume will be less than given by the part already traded; quantity %4 and price %5 were given.</translation>
    </message>
</context>
<context>
    <name>NumberEditor</name>
    <message>
        <source>«%1» не число</source>
        <translation>“%1” is not a number</translation>
    </message>
</context>
<context>
    <name>NumberValidator</name>
    <message>
        <source>Допустимо не более %1 знака после запятой</source>
        <translation>At most %1 decimal allowed</translation>
    </message>
    <message>
        <source>Допустимо не более %1 знаков после запятой</source>
        <translation>At most %1 decimals allowed</translation>
    </message>
    <message>
        <source>Отрицательное значение недопустимо</source>
        <translation>A negative value is not allowed</translation>
    </message>
    <message>
        <source>Допустимо только целое число</source>
        <translation>Only a whole number is allowed</translation>
    </message>
    <message>
        <source>В числе может быть только один разделитель</source>
        <translation>A number has one decimal separator at most</translation>
    </message>
    <message>
        <source>Введите число: «%1» не цифра</source>
        <translation>Enter a number: “%1” is not a digit</translation>
    </message>
    <message>
        <source>Слишком длинное число</source>
        <translation>The number is too long</translation>
    </message>
</context>
<context>
    <name>OnlineDialog</name>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Выполнить действие невозможно, так как нет активных подключений. Пожалуйста, подключитесь.</source>
        <translation>The action cannot be performed: there is no active connection. Please connect.</translation>
    </message>
</context>
<context>
    <name>OrderAddressMore</name>
    <message>
        <source>Код сделки:</source>
        <translation>Deal reference:</translation>
    </message>
</context>
<context>
    <name>OrderBookModel</name>
    <message>
        <source>Мои</source>
        <translation>Mine</translation>
    </message>
    <message>
        <source>Покупка</source>
        <translation>Bid</translation>
    </message>
    <message>
        <source>Цена</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>Продажа</source>
        <translation>Offer</translation>
    </message>
</context>
<context>
    <name>OrderMore</name>
    <message>
        <source>до</source>
        <translation>till</translation>
    </message>
    <message>
        <source>Проверять денежный лимит клиента</source>
        <translation>Check the client&apos;s money limit</translation>
    </message>
    <message>
        <source>Лимитная</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Айсберг</source>
        <translation>Iceberg</translation>
    </message>
    <message>
        <source>Тип заявки:</source>
        <translation>Order type:</translation>
    </message>
    <message>
        <source>Видимая часть:</source>
        <translation>Visible part:</translation>
    </message>
    <message>
        <source>Отклонение:</source>
        <translation>Deviation:</translation>
    </message>
    <message>
        <source>Действует:</source>
        <translation>Valid:</translation>
    </message>
</context>
<context>
    <name>OrderTransactionQueue</name>
    <message>
        <source>Невозможно сформировать заявку</source>
        <translation>Cannot build the order</translation>
    </message>
    <message>
        <source>Невозможно сформировать заявку: </source>
        <translation>Cannot build the order: </translation>
    </message>
    <message>
        <source>Ошибка отправки заявки</source>
        <translation>Error sending the order</translation>
    </message>
    <message>
        <source>Невозможно отправить заявку</source>
        <translation>The order cannot be sent</translation>
    </message>
    <message>
        <source>Транзакция по заявке не обработана (не добавлена в очередь)</source>
        <translation>The order transaction was not processed (not queued)</translation>
    </message>
</context>
<context>
    <name>PartnerSelectorBox</name>
    <message>
        <source>Код фирмы</source>
        <translation>Firm code</translation>
    </message>
    <message>
        <source>Контрагент: код или название фирмы</source>
        <translation>Counterparty: a firm&apos;s code or name</translation>
    </message>
    <message>
        <source>Фирма «%1» не найдена</source>
        <translation>Firm “%1” not found</translation>
    </message>
</context>
<context>
    <name>PicksImportConvertor</name>
    <message>
        <source>Таблица инструментов закрыта</source>
        <translation>The instruments table is closed</translation>
    </message>
    <message>
        <source>Инструмент с кодом &apos;%1&apos; не найден</source>
        <translation>No instrument with the code &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Инструмент с кодом &apos;%1&apos; в режиме &apos;%2&apos; не найден</source>
        <translation>No instrument with the code &apos;%1&apos; on board &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>PicksLink</name>
    <message>
        <source>Только мои инструменты</source>
        <translation>Only my instruments</translation>
    </message>
    <message>
        <source>Добавить в &apos;Мои инструменты&apos;</source>
        <translation>Add to &apos;My instruments&apos;</translation>
    </message>
    <message>
        <source>Убрать из &apos;Мои инструменты&apos;</source>
        <translation>Remove from &apos;My instruments&apos;</translation>
    </message>
</context>
<context>
    <name>PicksWindow</name>
    <message>
        <source>Удалить из списка</source>
        <translation>Remove from the list</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Прервать операцию</source>
        <translation>Stop the operation</translation>
    </message>
    <message>
        <source>Прерывание...</source>
        <translation>Stopping...</translation>
    </message>
</context>
<context>
    <name>PushButtonSend</name>
    <message>
        <source>Отправить</source>
        <translation>Send</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Импорт из файла</source>
        <translation>Import from a file</translation>
    </message>
</context>
<context>
    <name>QuantityEditor</name>
    <message>
        <source>лоты</source>
        <translation>lots</translation>
    </message>
</context>
<context>
    <name>QuantityFilter</name>
    <message>
        <source>Количество</source>
        <translation>Quantity</translation>
    </message>
</context>
<context>
    <name>QuantityFilterWidget</name>
    <message>
        <source>Количество не менее</source>
        <translation>Quantity at least</translation>
    </message>
</context>
<context>
    <name>QuotesWindow</name>
    <message>
        <source>Котировки %1</source>
        <translation>Quotes %1</translation>
    </message>
</context>
<context>
    <name>ReadingHold</name>
    <message>
        <source>Удерживать строки при чтении</source>
        <translation>Hold the rows while reading</translation>
    </message>
    <message>
        <source>Пока указатель над таблицей, строки не сдвигаются; значения меняются на месте</source>
        <translation>While the pointer is over the table the rows do not move; values change in place</translation>
    </message>
    <message>
        <source>Показать изменения</source>
        <translation>Show the changes</translation>
    </message>
    <message numerus="yes">
        <source>%Ln изменений</source>
        <translation>
            <numerusform>%Ln change</numerusform>
            <numerusform>%Ln changes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecordUpdater</name>
    <message>
        <source>Пустая запись не может войти в транзакцию</source>
        <translation>An empty record cannot join a transaction</translation>
    </message>
    <message>
        <source>Запись таблицы &apos;%1&apos; не может войти в транзакцию таблицы &apos;%2&apos;</source>
        <translation>A record of table &apos;%1&apos; cannot join a transaction of table &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>RecordsTrans</name>
    <message>
        <source>Запись с ключом &apos;%1&apos; уже есть в таблице &apos;%2&apos;</source>
        <translation>A record with key &apos;%1&apos; is already in table &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Две записи транзакции получают ключ &apos;%1&apos; в таблице &apos;%2&apos;</source>
        <translation>Two records of the transaction get key &apos;%1&apos; in table &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>RowFiltersModel</name>
    <message>
        <source>Столбец</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Фильтр «%1» выключен: сохранённое значение «%2» здесь ничего не выбирает</source>
        <translation>Filter “%1” is off: its stored value “%2” selects nothing here</translation>
    </message>
</context>
<context>
    <name>SecNameFilter</name>
    <message>
        <source>Базовый контракт</source>
        <translation>Underlying contract</translation>
    </message>
</context>
<context>
    <name>SecNameFilterToolBarWidget</name>
    <message>
        <source>Базовый контракт:</source>
        <translation>Base contract:</translation>
    </message>
</context>
<context>
    <name>SecNameFilterWidget</name>
    <message>
        <source>&lt;не указан&gt;</source>
        <translation>&lt;not set&gt;</translation>
    </message>
</context>
<context>
    <name>SecSignFilter</name>
    <message>
        <source>Признаки</source>
        <translation>Flags</translation>
    </message>
    <message>
        <source>Торгуется в основную сессию</source>
        <translation>Traded in the main session</translation>
    </message>
    <message>
        <source>Торгуется в дополнительную сессию</source>
        <translation>Traded in the additional session</translation>
    </message>
    <message>
        <source>Не торгуется</source>
        <translation>Not traded</translation>
    </message>
</context>
<context>
    <name>SecStateFilter</name>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
</context>
<context>
    <name>SecTypeFilter</name>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
</context>
<context>
    <name>SecuritiesGroupments</name>
    <message>
        <source>Площадки и режимы</source>
        <translation>Markets and boards</translation>
    </message>
    <message>
        <source>Площадки</source>
        <translation>Markets</translation>
    </message>
    <message>
        <source>Режимы торгов</source>
        <translation>Trading boards</translation>
    </message>
    <message>
        <source>Типы</source>
        <translation>Types</translation>
    </message>
    <message>
        <source>Базовый актив</source>
        <translation>Underlying</translation>
    </message>
    <message>
        <source>Площадки и типы</source>
        <translation>Markets and types</translation>
    </message>
    <message>
        <source>Режимы и типы</source>
        <translation>Boards and types</translation>
    </message>
    <message>
        <source>Площадки, типы, режимы</source>
        <translation>Markets, types, boards</translation>
    </message>
    <message>
        <source>&lt;без группировки&gt;</source>
        <translation>&lt;no grouping&gt;</translation>
    </message>
</context>
<context>
    <name>SecuritiesSessionFilter</name>
    <message>
        <source>Текущая сессия</source>
        <translation>Current session</translation>
    </message>
</context>
<context>
    <name>SecurityActions</name>
    <message>
        <source>Поставить заявку на %1</source>
        <translation>New order on %1</translation>
    </message>
    <message>
        <source>Поставить заявку</source>
        <translation>New order</translation>
    </message>
    <message>
        <source>Запрос ЗРБ на %1</source>
        <translation>Clearing request on %1</translation>
    </message>
    <message>
        <source>Запрос ЗРБ</source>
        <translation>Clearing request</translation>
    </message>
    <message>
        <source>Открыть все сделки для %1</source>
        <translation>Open all deals of %1</translation>
    </message>
    <message>
        <source>Открыть все сделки</source>
        <translation>Open all deals</translation>
    </message>
    <message>
        <source>Открыть котировки %1</source>
        <translation>Open quotes of %1</translation>
    </message>
    <message>
        <source>Открыть котировки</source>
        <translation>Open quotes</translation>
    </message>
    <message>
        <source>Построить график %1</source>
        <translation>Draw chart of %1</translation>
    </message>
    <message>
        <source>Построить график</source>
        <translation>Draw chart</translation>
    </message>
    <message>
        <source>Построить кривую волатильности</source>
        <translation>Draw volatility curve</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>SecurityFilter</name>
    <message>
        <source>Инструмент</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>Выбрать инструмент...</source>
        <translation>Choose instrument...</translation>
    </message>
    <message>
        <source>Выбор инструмента для установки фильтра</source>
        <translation>Choose an instrument to filter by</translation>
    </message>
</context>
<context>
    <name>SecurityFilterWidget</name>
    <message>
        <source>Все инструменты</source>
        <translation>All instruments</translation>
    </message>
    <message>
        <source>Инструмент</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>Выбрать...</source>
        <translation>Choose...</translation>
    </message>
    <message>
        <source>Выбор инструмента для установки фильтра</source>
        <translation>Choose the instrument to filter by</translation>
    </message>
    <message>
        <source>Выберите инструмент кнопкой «Выбрать...»</source>
        <translation>Choose an instrument with &quot;Choose...&quot;</translation>
    </message>
</context>
<context>
    <name>SecurityInfoWindow</name>
    <message>
        <source>Информация: %1</source>
        <translation>Information: %1</translation>
    </message>
</context>
<context>
    <name>SecuritySelectDialog</name>
    <message>
        <source>Код или название</source>
        <translation>Code or name</translation>
    </message>
</context>
<context>
    <name>SecuritySelectorBox</name>
    <message>
        <source>Код или название инструмента</source>
        <translation>Instrument code or name</translation>
    </message>
    <message>
        <source>Инструмент: начните вводить код или название</source>
        <translation>Instrument: start typing a code or name</translation>
    </message>
    <message>
        <source>Инструмент «%1» не найден</source>
        <translation>Instrument “%1” not found</translation>
    </message>
</context>
<context>
    <name>SelectorWidget</name>
    <message>
        <source>Отметить все</source>
        <translation>Check all</translation>
    </message>
    <message>
        <source>Снять все</source>
        <translation>Uncheck all</translation>
    </message>
</context>
<context>
    <name>SessionFilter</name>
    <message>
        <source>Сессия</source>
        <translation>Session</translation>
    </message>
    <message>
        <source>Активная</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Неактивная</source>
        <translation>Inactive</translation>
    </message>
</context>
<context>
    <name>SessionStore</name>
    <message>
        <source>файл повреждён</source>
        <translation>the file is damaged</translation>
    </message>
    <message>
        <source>файл не от этого терминала</source>
        <translation>the file is not from this terminal</translation>
    </message>
    <message>
        <source>файл другой версии терминала</source>
        <translation>the file is from another version of the terminal</translation>
    </message>
    <message>
        <source>Настройки окон не прочитаны (%1): %2. Окна открыты по умолчанию%3</source>
        <translation>Window settings not read (%1): %2. The default windows are open%3</translation>
    </message>
    <message>
        <source>, прежний файл сохранён как %1</source>
        <translation>, the previous file is kept as %1</translation>
    </message>
    <message>
        <source>Настройки окон не записаны в %1</source>
        <translation>Window settings not written to %1</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Настройки доступны только для чтения: &apos;%1&apos;</source>
        <translation>Settings are read-only: &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Окно «%1»</source>
        <translation>Window “%1”</translation>
    </message>
</context>
<context>
    <name>SignsOrderFilter</name>
    <message>
        <source>Тип заявки</source>
        <translation>Order type</translation>
    </message>
    <message>
        <source>Обычная</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>Айсберг</source>
        <translation>Iceberg</translation>
    </message>
</context>
<context>
    <name>SnapshotWindow</name>
    <message>
        <source>%1 — снимок %2</source>
        <translation>%1 — snapshot %2</translation>
    </message>
</context>
<context>
    <name>SoundsSettingsPage</name>
    <message>
        <source>Звуки</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>Оповещать звуком при событии</source>
        <translation>Play a sound on an event</translation>
    </message>
    <message>
        <source>Звук:</source>
        <translation>Sound:</translation>
    </message>
    <message>
        <source>Проиграть</source>
        <translation>Play</translation>
    </message>
</context>
<context>
    <name>StatusFilter</name>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
</context>
<context>
    <name>StockFilter</name>
    <message>
        <source>Площадка</source>
        <translation>Market</translation>
    </message>
</context>
<context>
    <name>StockSelectorBox</name>
    <message>
        <source>Рынок</source>
        <translation>Market</translation>
    </message>
</context>
<context>
    <name>StreamFormat</name>
    <message>
        <source>ключ в записи (%1), в терминале (%2)</source>
        <translation>key in the recording (%1), in the terminal (%2)</translation>
    </message>
    <message>
        <source>столбцов в записи %1, в терминале %2</source>
        <translation>columns in the recording %1, in the terminal %2</translation>
    </message>
    <message>
        <source>столбец %1: в записи %2 %3, в терминале %4 %5</source>
        <translation>column %1: in the recording %2 %3, in the terminal %4 %5</translation>
    </message>
</context>
<context>
    <name>StreamRecorder</name>
    <message>
        <source>диск не успевает за потоком (в очереди больше %1 МБ)</source>
        <translation>the disk cannot keep up with the stream (more than %1 MB queued)</translation>
    </message>
    <message>
        <source>Запись потока в &apos;%1&apos; остановлена: %2</source>
        <translation>Recording the stream to &apos;%1&apos; stopped: %2</translation>
    </message>
    <message>
        <source>Не удалось открыть &apos;%1&apos; для записи потока: %2</source>
        <translation>Could not open &apos;%1&apos; to record the stream: %2</translation>
    </message>
    <message>
        <source>Не удалось записать поток в &apos;%1&apos;: %2</source>
        <translation>Could not write the stream to &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>запись на диск не удалась: %1</source>
        <translation>writing to the disk failed: %1</translation>
    </message>
</context>
<context>
    <name>StreamReplayer</name>
    <message>
        <source>Не удалось открыть запись потока &apos;%1&apos;: %2</source>
        <translation>Could not open the stream recording &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; не запись потока терминала</source>
        <translation>&apos;%1&apos; is not a recording of the terminal&apos;s stream</translation>
    </message>
    <message>
        <source>Запись потока &apos;%1&apos; повреждена: %2</source>
        <translation>The stream recording &apos;%1&apos; is damaged: %2</translation>
    </message>
    <message>
        <source>файл обрывается в заголовке</source>
        <translation>the file ends inside its header</translation>
    </message>
    <message>
        <source>заголовок не сходится с контрольной суммой</source>
        <translation>the header does not match its checksum</translation>
    </message>
    <message>
        <source>описание таблицы &apos;%1&apos; не читается</source>
        <translation>the description of table &apos;%1&apos; cannot be read</translation>
    </message>
    <message>
        <source>заголовок не читается</source>
        <translation>the header cannot be read</translation>
    </message>
    <message>
        <source>блок на байте %1 не сходится с контрольной суммой</source>
        <translation>the block at byte %1 does not match its checksum</translation>
    </message>
    <message>
        <source>блок на байте %1 не читается</source>
        <translation>the block at byte %1 cannot be read</translation>
    </message>
    <message>
        <source>Запись потока &apos;%1&apos; обрывается на байте %2 из %3 (%4 с от начала записи): воспроизводится то, что до этого места</source>
        <translation>The stream recording &apos;%1&apos; ends at byte %2 of %3 (%4 s after the recording started): what comes before is replayed</translation>
    </message>
    <message>
        <source>В терминале нет таблицы &apos;%1&apos; из записи потока</source>
        <translation>The terminal has no table &apos;%1&apos; of the stream recording</translation>
    </message>
    <message>
        <source>Таблица &apos;%1&apos; записи потока не совпадает с таблицей терминала: %2</source>
        <translation>Table &apos;%1&apos; of the stream recording differs from the terminal&apos;s: %2</translation>
    </message>
    <message>
        <source>в таблице &apos;%1&apos; нет записи, которую меняет запись потока</source>
        <translation>table &apos;%1&apos; has no record the recording changes</translation>
    </message>
    <message>
        <source>таблица &apos;%1&apos; отказалась от изменений: %2</source>
        <translation>table &apos;%1&apos; refused the changes: %2</translation>
    </message>
    <message>
        <source>таблицы &apos;%1&apos; в терминале больше нет</source>
        <translation>the terminal no longer has table &apos;%1&apos;</translation>
    </message>
    <message>
        <source>заголовок блока на байте %1 не сходится с контрольной суммой</source>
        <translation>the head of the frame at byte %1 does not match its checksum</translation>
    </message>
    <message>
        <source>Запись потока &apos;%1&apos; остановилась сама через %2 с от начала: диск не успевал за потоком; воспроизводится то, что записано до этого места</source>
        <translation>The stream recording &apos;%1&apos; stopped by itself %2 s after it started: the disk could not keep up with the stream; what was recorded until then is replayed</translation>
    </message>
    <message>
        <source>Запись потока &apos;%1&apos; сделана в формате версии %2, а терминал читает версии с %3 по %4</source>
        <translation>The stream recording &apos;%1&apos; is in format version %2; the terminal reads versions %3 to %4</translation>
    </message>
</context>
<context>
    <name>Table</name>
    <message>
        <source>Ключевой столбец &apos;%1&apos; не найден в таблице &apos;%2&apos;</source>
        <translation>Key column &apos;%1&apos; not found in table &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Столбец %1 таблицы &apos;%2&apos; описан неверно</source>
        <translation>Column %1 of table &apos;%2&apos; is described wrongly</translation>
    </message>
    <message>
        <source>Столбец &apos;%1&apos; повторяется в таблице &apos;%2&apos;</source>
        <translation>Column &apos;%1&apos; repeats in table &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Запись уже добавлена в транзакцию таблицы &apos;%1&apos;</source>
        <translation>The record is already in a transaction of table &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>TableEventAlerts</name>
    <message>
        <source>%1 (и ещё %2)</source>
        <translation>%1 (and %2 more)</translation>
    </message>
</context>
<context>
    <name>TableFastView</name>
    <message>
        <source>Подобрать ширину всех столбцов</source>
        <translation>Fit the width of all columns</translation>
    </message>
</context>
<context>
    <name>TableFastViewSettingsPage</name>
    <message>
        <source>Вид</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Удерживать строки при чтении</source>
        <translation>Hold the rows while reading</translation>
    </message>
    <message>
        <source>Пока указатель над таблицей или строки просматриваются с клавиатуры, новые, удалённые и переместившиеся строки ждут; значения обновляются на месте. Таблица догоняет изменения, когда указатель уходит, или по щелчку на счётчике изменений.</source>
        <translation>While the pointer is over the table or the rows are read with the keyboard, new, removed and moved rows wait; values change in place. The table catches up when the pointer leaves, or at a click on the changes counter.</translation>
    </message>
</context>
<context>
    <name>TableFastViewWithFilter</name>
    <message>
        <source>Снять фильтр &apos;%1&apos;</source>
        <translation>Remove the filter &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Фильтры</source>
        <translation>Filters</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>Показать все</source>
        <translation>Show all</translation>
    </message>
    <message>
        <source>Установить фильтр &apos;%1&apos;</source>
        <translation>Set the filter &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Только &apos;%1&apos;</source>
        <translation>Only &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Снять все фильтры</source>
        <translation>Remove all filters</translation>
    </message>
</context>
<context>
    <name>TableFile</name>
    <message>
        <source>файл не читается: %1</source>
        <translation>the file cannot be read: %1</translation>
    </message>
    <message>
        <source>файл повреждён: %1</source>
        <translation>the file is damaged: %1</translation>
    </message>
    <message>
        <source>это не файл таблицы «%1»</source>
        <translation>this is not a file of table “%1”</translation>
    </message>
    <message>
        <source>в записи %1 неизвестный столбец «%2»</source>
        <translation>record %1 has an unknown column “%2”</translation>
    </message>
    <message>
        <source>запись %1: %2</source>
        <translation>record %1: %2</translation>
    </message>
    <message>
        <source>запись %1 повторяет ключ %2</source>
        <translation>record %1 repeats key %2</translation>
    </message>
    <message>
        <source>таблицы больше нет</source>
        <translation>the table no longer exists</translation>
    </message>
    <message>
        <source>файл %1 не записан: %2</source>
        <translation>file %1 not written: %2</translation>
    </message>
</context>
<context>
    <name>TableHeaderModel</name>
    <message>
        <source>Столбец</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>Идентификатор</source>
        <translation>Identifier</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Описание</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Первое имя</source>
        <translation>First name</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Number</translation>
    </message>
</context>
<context>
    <name>TableHeaderSettingsForm</name>
    <message>
        <source>Выделить все</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Вверх</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Вниз</source>
        <translation>Down</translation>
    </message>
</context>
<context>
    <name>TableHeaderSettingsPage</name>
    <message>
        <source>Столбцы</source>
        <translation>Columns</translation>
    </message>
</context>
<context>
    <name>TableIndexModel</name>
    <message>
        <source>Колонка &apos;%1&apos; не найдена в модели &apos;%2&apos;</source>
        <translation>Column &apos;%1&apos; not found in model &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Построение №%1 индекса табличной модели по таблице %2 </source>
        <translation>Build #%1 of the table model index over table %2 </translation>
    </message>
    <message>
        <source>Табличная модель %1 готова к отображению. Построение №%2: %3 строк %4 мсек</source>
        <translation>Table model %1 is ready. Build #%2: %3 rows %4 ms</translation>
    </message>
</context>
<context>
    <name>TableWindow</name>
    <message>
        <source>Снимок</source>
        <translation>Snapshot</translation>
    </message>
    <message>
        <source>Найти...</source>
        <translation>Find...</translation>
    </message>
    <message>
        <source>Фильтры</source>
        <translation>Filters</translation>
    </message>
    <message>
        <source>Только текущая сессия</source>
        <translation>Current session only</translation>
    </message>
    <message>
        <source>Показывать только инструменты текущей торговой сессии</source>
        <translation>Show only the instruments of the current trading session</translation>
    </message>
    <message>
        <source>Изменить заявку %1...</source>
        <translation>Change order %1...</translation>
    </message>
</context>
<context>
    <name>TechDealsFilter</name>
    <message>
        <source>Типы сделок</source>
        <translation>Deal types</translation>
    </message>
    <message>
        <source>Только технические сделки по связкам</source>
        <translation>Technical combination deals only</translation>
    </message>
    <message>
        <source>Только обычные сделки</source>
        <translation>Regular deals only</translation>
    </message>
    <message>
        <source>Все сделки</source>
        <translation>All deals</translation>
    </message>
</context>
<context>
    <name>TechDealsFilterWidget</name>
    <message>
        <source>Все сделки</source>
        <translation>All deals</translation>
    </message>
    <message>
        <source>Только технические сделки по связкам</source>
        <translation>Only technical deals of bundles</translation>
    </message>
    <message>
        <source>Только обычные сделки</source>
        <translation>Only regular deals</translation>
    </message>
    <message>
        <source>Только сделки по индикативным котировкам</source>
        <translation>Only deals at indicative quotes</translation>
    </message>
    <message>
        <source>Только RFS сделки</source>
        <translation>Only RFS deals</translation>
    </message>
</context>
<context>
    <name>Terminal</name>
    <message>
        <source>Рынок открыт: %1 инструментов, %2 заявок</source>
        <translation>Market open: %1 instruments, %2 orders</translation>
    </message>
    <message>
        <source>Поток записывается в &apos;%1&apos;</source>
        <translation>The stream is recorded to &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Демонстрационный терминал</source>
        <translation>Demo terminal</translation>
    </message>
    <message>
        <source>--speed задаёт скорость воспроизведения: только с --replay</source>
        <translation>--speed sets the replay speed: only with --replay</translation>
    </message>
    <message>
        <source>Запись потока не может идти в воспроизводимый файл &apos;%1&apos;</source>
        <translation>The stream cannot be recorded into the file being replayed, &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--speed: положительное число или max, а не &apos;%1&apos;</source>
        <translation>--speed: a positive number or max, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--import не работает с --replay: денежные лимиты воспроизводятся из записи</source>
        <translation>--import does not work with --replay: the money limits are replayed from the recording</translation>
    </message>
    <message>
        <source>Заявок на рынке.</source>
        <translation>Orders in the market.</translation>
    </message>
    <message>
        <source>Изменений в секунду.</source>
        <translation>Changes per second.</translation>
    </message>
    <message>
        <source>Начальное число рынка и потока.</source>
        <translation>Seed of the market and the feed.</translation>
    </message>
    <message>
        <source>Сохранить окно в FILE.</source>
        <translation>Save the window to FILE.</translation>
    </message>
    <message>
        <source>Миллисекунд до снимка окна.</source>
        <translation>Milliseconds before the screenshot.</translation>
    </message>
    <message>
        <source>Проработать SECONDS секунд и напечатать замеры.</source>
        <translation>Run for SECONDS and print figures.</translation>
    </message>
    <message>
        <source>Задать фильтр окна: WINDOW:NAME=VALUE (instruments, orders, deals или positions; имя фильтра, как его показывает меню; значение в сохраняемом виде). Можно повторять.</source>
        <translation>Set a window&apos;s filter: WINDOW:NAME=VALUE (instruments, orders, deals or positions; the filter&apos;s name as its menu shows it; the value in its stored form). May be repeated.</translation>
    </message>
    <message>
        <source>Хранить настройки в DIR, а не в папке настроек пользователя.</source>
        <translation>Keep the settings in DIR instead of the user&apos;s configuration folder.</translation>
    </message>
    <message>
        <source>Записывать в FILE каждую транзакцию, которую получают таблицы.</source>
        <translation>Record every transaction the tables receive to FILE.</translation>
    </message>
    <message>
        <source>Работать на потоке, записанном в FILE, вместо имитации рынка.</source>
        <translation>Run on the stream recorded in FILE instead of the simulator.</translation>
    </message>
    <message>
        <source>Воспроизводить запись в X раз быстрее записанного темпа или так быстро, как успевает терминал (max).</source>
        <translation>Replay X times the recorded pace, or as fast as the terminal takes it (max).</translation>
    </message>
    <message>
        <source>--export WINDOW FILE: записать окно WINDOW (instruments, orders, deals, positions, money_limits) в FILE и выйти.
--import TABLE FILE [--map COLUMN=FIELD ...]: прочитать FILE в таблицу TABLE (money_limits) и выйти.</source>
        <translation>--export WINDOW FILE: write WINDOW (instruments, orders, deals, positions, money_limits) to FILE and quit.
--import TABLE FILE [--map COLUMN=FIELD ...]: read FILE into TABLE (money_limits) and quit.</translation>
    </message>
</context>
<context>
    <name>TerminalLanguage</name>
    <message>
        <source>Русский перевод Qt не найден: стандартные кнопки и диалоги останутся на английском</source>
        <translation>Qt&apos;s Russian translation not found: standard buttons and dialogs stay in English</translation>
    </message>
    <message>
        <source>Английский перевод не найден: тексты терминала останутся русскими</source>
        <translation>The English translation was not found: the terminal&apos;s texts stay Russian</translation>
    </message>
    <message>
        <source>Русские формы чисел не найдены: у счётчиков останется одна форма</source>
        <translation>The Russian plural forms were not found: counts stay in one form</translation>
    </message>
</context>
<context>
    <name>TerminalWindow</name>
    <message>
        <source>Демонстрационный терминал</source>
        <translation>Demo terminal</translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Настройки...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>Сохранить расположение окон</source>
        <translation>Save window layout</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>&amp;Правка</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Окна</source>
        <translation>&amp;Windows</translation>
    </message>
    <message>
        <source>Открыть все</source>
        <translation>Open all</translation>
    </message>
    <message>
        <source>Упорядочить</source>
        <translation>Tile</translation>
    </message>
    <message>
        <source>Каскадом</source>
        <translation>Cascade</translation>
    </message>
    <message>
        <source>&amp;Рынок</source>
        <translation>&amp;Market</translation>
    </message>
    <message>
        <source>Поток изменений</source>
        <translation>Change stream</translation>
    </message>
    <message>
        <source>Новая сессия</source>
        <translation>New session</translation>
    </message>
    <message>
        <source>Режимы торгов</source>
        <translation>Trading boards</translation>
    </message>
    <message>
        <source>&amp;Торговля</source>
        <translation>&amp;Trading</translation>
    </message>
    <message>
        <source>Новая заявка...</source>
        <translation>New order...</translation>
    </message>
    <message>
        <source>Запрос ЗРБ...</source>
        <translation>Clearing request...</translation>
    </message>
    <message>
        <source>Торговля</source>
        <translation>Trading</translation>
    </message>
    <message>
        <source>Снять все заявки...</source>
        <translation>Withdraw all orders...</translation>
    </message>
    <message>
        <source>Снять все заявки на покупку...</source>
        <translation>Withdraw all buy orders...</translation>
    </message>
    <message>
        <source>Снять все заявки на продажу...</source>
        <translation>Withdraw all sell orders...</translation>
    </message>
    <message>
        <source>Снять все заявки вне лимитов...</source>
        <translation>Withdraw all orders outside the limits...</translation>
    </message>
    <message>
        <source>Новый день</source>
        <translation>New day</translation>
    </message>
    <message>
        <source>Сообщения</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Неизвестный вид окна &quot;%1&quot;: окно не открыто</source>
        <translation>Unknown window kind &quot;%1&quot;: the window is not opened</translation>
    </message>
    <message>
        <source>Таблица окна &quot;%1&quot; не загружена: окно не открыто</source>
        <translation>The table of window &quot;%1&quot; is not loaded: the window is not opened</translation>
    </message>
    <message>
        <source>Подключение к бирже</source>
        <translation>Connection to the exchange</translation>
    </message>
    <message>
        <source>Подключение к бирже восстановлено</source>
        <translation>Connection to the exchange restored</translation>
    </message>
    <message>
        <source>Подключение к бирже потеряно</source>
        <translation>Connection to the exchange lost</translation>
    </message>
    <message>
        <source>Окно &quot;%1&quot; не восстановлено: %2</source>
        <translation>Window &quot;%1&quot; not restored: %2</translation>
    </message>
    <message>
        <source>Последний пакет: %1 за %2 мс</source>
        <translation>Last batch: %1 in %2 ms</translation>
    </message>
    <message>
        <source>Поток: %1 в секунду, в очереди %2 из %3</source>
        <translation>Stream: %1 a second, %2 of %3 queued</translation>
    </message>
    <message>
        <source>Поток остановлен</source>
        <translation>Stream stopped</translation>
    </message>
    <message>
        <source>Строк в окнах: %1</source>
        <translation>Rows in windows: %1</translation>
    </message>
    <message>
        <source>Нет подключения к бирже</source>
        <translation>No connection to the exchange</translation>
    </message>
    <message>
        <source>Воспроизведение записи: %1</source>
        <translation>Replaying the recording: %1</translation>
    </message>
    <message>
        <source>Воспроизведение записи окончено</source>
        <translation>Replay of the recording finished</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Language</translation>
    </message>
    <message numerus="yes">
        <source>%Ln изменений</source>
        <translation>
            <numerusform>%Ln change</numerusform>
            <numerusform>%Ln changes</numerusform>
        </translation>
    </message>
    <message>
        <source>Заявки не отправляются: терминал воспроизводит запись, биржи за ним нет</source>
        <translation>No orders are sent: the terminal plays a recording, with no exchange behind it</translation>
    </message>
    <message>
        <source>Воспроизведение записи: таблицы не приняли %1: %2</source>
        <translation>Replay of the recording: the tables did not take %1: %2</translation>
    </message>
    <message>
        <source>Воспроизводится запись &apos;%1&apos; %2</source>
        <translation>Replaying the recording &apos;%1&apos; %2</translation>
    </message>
    <message>
        <source>как можно быстрее</source>
        <translation>as fast as it goes</translation>
    </message>
    <message>
        <source>в записанном темпе</source>
        <translation>at the recorded pace</translation>
    </message>
    <message>
        <source>в записанном темпе ×%1</source>
        <translation>at the recorded pace ×%1</translation>
    </message>
    <message>
        <source>Воспроизведение записи окончено: %1</source>
        <translation>Replay of the recording finished: %1</translation>
    </message>
    <message>
        <source>Воспроизведение записи окончено: %1, из них таблицы не приняли %2</source>
        <translation>Replay of the recording finished: %1, of which the tables did not take %2</translation>
    </message>
    <message>
        <source>Биржи нет: воспроизводится запись</source>
        <translation>No exchange: a recording is playing</translation>
    </message>
</context>
<context>
    <name>TradeAlerts</name>
    <message>
        <source>Сделка %1: %2 %3, %4 по %5</source>
        <translation>Deal %1: %2 %3, %4 at %5</translation>
    </message>
    <message>
        <source>Заявка %1 (%2) исполнена</source>
        <translation>Order %1 (%2) filled</translation>
    </message>
    <message>
        <source>Заявка %1 (%2) снята</source>
        <translation>Order %1 (%2) withdrawn</translation>
    </message>
    <message>
        <source>Оповещать визуально о своих новых сделках</source>
        <translation>Show an alert for my new deals</translation>
    </message>
    <message>
        <source>Оповещать визуально об исполнении и снятии своих заявок</source>
        <translation>Show an alert when my orders are filled or withdrawn</translation>
    </message>
</context>
<context>
    <name>TreeGroupsModel</name>
    <message>
        <source>Свернуть/Развернуть</source>
        <translation>Collapse/Expand</translation>
    </message>
</context>
<context>
    <name>TreeGroupsView</name>
    <message>
        <source>Найти...</source>
        <translation>Find...</translation>
    </message>
    <message>
        <source>Подобрать ширину всех столбцов</source>
        <translation>Fit the width of all columns</translation>
    </message>
</context>
<context>
    <name>TreeGroupsViewHeaderSettingsForm</name>
    <message>
        <source>Элементы</source>
        <translation>Elements</translation>
    </message>
    <message>
        <source>Ширина сегментов строки группы:</source>
        <translation>Widths of the group row segments:</translation>
    </message>
    <message>
        <source>Уровень %1</source>
        <translation>Level %1</translation>
    </message>
</context>
<context>
    <name>TreeGroupsViewHeaderSettingsPage</name>
    <message>
        <source>Столбцы</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>Окно закрыто</source>
        <translation>The window is closed</translation>
    </message>
</context>
<context>
    <name>TreeGroupsWindow</name>
    <message>
        <source>Счёт</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Базовый актив</source>
        <translation>Underlying</translation>
    </message>
    <message>
        <source>Экспирация</source>
        <translation>Expiry</translation>
    </message>
</context>
<context>
    <name>TreeIndexModel</name>
    <message>
        <source>Построение №%1 индекса древовидной модели по таблице %2</source>
        <translation>Build #%1 of the tree model index over table %2</translation>
    </message>
    <message>
        <source>Древовидная модель по таблице %1 готова к отображению. Построение №%2: %3 строк %4 мсек</source>
        <translation>The tree model over table %1 is ready to show. Build #%2: %3 rows %4 ms</translation>
    </message>
</context>
<context>
    <name>TreeWindow</name>
    <message>
        <source>Группа / инструмент</source>
        <translation>Group / instrument</translation>
    </message>
    <message>
        <source>Развернуть все</source>
        <translation>Expand all</translation>
    </message>
    <message>
        <source>Свернуть все</source>
        <translation>Collapse all</translation>
    </message>
    <message>
        <source>Только текущая сессия</source>
        <translation>Current session only</translation>
    </message>
</context>
<context>
    <name>UndoEditModel</name>
    <message>
        <source>Столбец «%1» не изменяется</source>
        <translation>Column “%1” cannot be changed</translation>
    </message>
    <message>
        <source>изменение «%1» в строке %2</source>
        <translation>changing “%1” in row %2</translation>
    </message>
</context>
<context>
    <name>ViewWrapper</name>
    <message>
        <source>Копировать в буфер обмена</source>
        <translation>Copy to clipboard</translation>
    </message>
    <message>
        <source>Экспорт в файл...</source>
        <translation>Export to file...</translation>
    </message>
    <message>
        <source>Динамический экспорт...</source>
        <translation>Dynamic export...</translation>
    </message>
    <message>
        <source>Скопировано в буфер обмена: %1, строк: %2</source>
        <translation>Copied to the clipboard: %1, rows: %2</translation>
    </message>
    <message>
        <source>Окно «%1» экспортировано</source>
        <translation>Window &quot;%1&quot; exported</translation>
    </message>
    <message>
        <source>Копирование</source>
        <translation>Copying</translation>
    </message>
    <message>
        <source>Копирую в буфер обмена</source>
        <translation>Copying to the clipboard</translation>
    </message>
</context>
<context>
    <name>ViewsColorManager</name>
    <message>
        <source>Фон строки заявки на покупку</source>
        <translation>Background of a buy order row</translation>
    </message>
    <message>
        <source>Фон строки заявки на продажу</source>
        <translation>Background of a sell order row</translation>
    </message>
    <message>
        <source>Фон ячейки лучшей цены на покупку</source>
        <translation>Background of the best bid cell</translation>
    </message>
    <message>
        <source>Фон ячейки лучшей цены на продажу</source>
        <translation>Background of the best offer cell</translation>
    </message>
    <message>
        <source>Фон строки, если сделка инициирована покупкой</source>
        <translation>Row background of a deal initiated by a buy</translation>
    </message>
    <message>
        <source>Фон строки, если сделка инициирована продажей</source>
        <translation>Row background of a deal initiated by a sell</translation>
    </message>
    <message>
        <source>Фон строки, если направление сделки не определено</source>
        <translation>Row background of a deal of unknown side</translation>
    </message>
    <message>
        <source>Фон строки сделки на покупку</source>
        <translation>Background of a buy deal row</translation>
    </message>
    <message>
        <source>Фон строки сделки на продажу</source>
        <translation>Background of a sell deal row</translation>
    </message>
    <message>
        <source>Фон строки при завершении сделки покупкой</source>
        <translation>Row background when a deal completes with a buy</translation>
    </message>
    <message>
        <source>Фон строки при завершении сделки продажей</source>
        <translation>Row background when a deal completes with a sell</translation>
    </message>
    <message>
        <source>Фон строки при росте цены последней сделки</source>
        <translation>Row background when the last price rises</translation>
    </message>
    <message>
        <source>Фон строки при падении цены последней сделки</source>
        <translation>Row background when the last price falls</translation>
    </message>
    <message>
        <source>Фон строки при неизменности цены последней сделки</source>
        <translation>Row background when the last price stays</translation>
    </message>
    <message>
        <source>Фон ячейки при росте цены спроса/предложения</source>
        <translation>Cell background when the bid/offer rises</translation>
    </message>
    <message>
        <source>Фон ячейки при падении цены спроса/предложения</source>
        <translation>Cell background when the bid/offer falls</translation>
    </message>
    <message>
        <source>Фон ячейки при неизменности цены спроса/предложения</source>
        <translation>Cell background when the bid/offer stays</translation>
    </message>
    <message>
        <source>Фон строки группы опционов при исполнении обязательства</source>
        <translation>Option group row background when the obligation is met</translation>
    </message>
    <message>
        <source>Фон строки группы опционов при неисполнении обязательства</source>
        <translation>Option group row background when the obligation is not met</translation>
    </message>
    <message>
        <source>Фон ячейки спреда по договору инструмента при исполнении обязательства</source>
        <translation>Spread cell background when the obligation is met</translation>
    </message>
    <message>
        <source>Фон ячейки спреда по договору инструмента при неисполнении обязательства</source>
        <translation>Spread cell background when the obligation is not met</translation>
    </message>
    <message>
        <source>Фон ячейки количества по договору инструмента при исполнении обязательства</source>
        <translation>Quantity cell background when the obligation is met</translation>
    </message>
    <message>
        <source>Фон ячейки количества по договору инструмента при неисполнении обязательства</source>
        <translation>Quantity cell background when the obligation is not met</translation>
    </message>
    <message>
        <source>Фон ячеек процента исполнения по договору инструмента при исполнении обязательства</source>
        <translation>Fulfilment percentage cell background when the obligation is met</translation>
    </message>
    <message>
        <source>Фон ячеек процента исполнения по договору инструмента при неисполнении обязательства</source>
        <translation>Fulfilment percentage cell background when the obligation is not met</translation>
    </message>
    <message>
        <source>Фон ячейки активной модельной величины</source>
        <translation>Background of the active model value cell</translation>
    </message>
    <message>
        <source>Фон строки</source>
        <translation>Row background</translation>
    </message>
    <message>
        <source>Заявки</source>
        <translation>Orders</translation>
    </message>
    <message>
        <source>Котировки</source>
        <translation>Quotes</translation>
    </message>
    <message>
        <source>Сделки</source>
        <translation>Deals</translation>
    </message>
    <message>
        <source>Свои сделки</source>
        <translation>Own deals</translation>
    </message>
    <message>
        <source>Инструменты</source>
        <translation>Instruments</translation>
    </message>
    <message>
        <source>Обязательства маркет-мейкера</source>
        <translation>Market maker obligations</translation>
    </message>
    <message>
        <source>Опционный калькулятор</source>
        <translation>Option calculator</translation>
    </message>
</context>
<context>
    <name>ViewsColorPage</name>
    <message>
        <source>Цвета</source>
        <translation>Colours</translation>
    </message>
</context>
<context>
    <name>ViewsColorWidget</name>
    <message>
        <source>Фон:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>Выделение:</source>
        <translation>Selection:</translation>
    </message>
    <message>
        <source>Восстановить по умолчанию</source>
        <translation>Restore defaults</translation>
    </message>
</context>
<context>
    <name>VisualEventSettingsPage</name>
    <message>
        <source>Оповещать визуально при событии</source>
        <translation>Show an alert on an event</translation>
    </message>
    <message>
        <source>Визуальные оповещения</source>
        <translation>Visual alerts</translation>
    </message>
    <message>
        <source>Сообщение:</source>
        <translation>Message:</translation>
    </message>
    <message>
        <source>Тип оповещения</source>
        <translation>Kind of alert</translation>
    </message>
    <message>
        <source>Оповещение в окне ошибок и уведомлений</source>
        <translation>Alert in the errors and notifications window</translation>
    </message>
    <message>
        <source>Оповещение в панели задач</source>
        <translation>Alert in the taskbar</translation>
    </message>
</context>
<context>
    <name>VolatilityWindow</name>
    <message>
        <source>Кривая волатильности %1</source>
        <translation>Volatility curve %1</translation>
    </message>
    <message>
        <source>Колл</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Пут</source>
        <translation>Put</translation>
    </message>
    <message>
        <source>Волатильность биржи</source>
        <translation>Exchange&apos;s volatility</translation>
    </message>
    <message>
        <source>Страйк</source>
        <translation>Strike</translation>
    </message>
    <message>
        <source>Волатильность, %</source>
        <translation>Volatility, %</translation>
    </message>
    <message>
        <source>Нет цены базового фьючерса</source>
        <translation>The underlying future has no price</translation>
    </message>
    <message>
        <source>Фьючерс %1: %2</source>
        <translation>Future %1: %2</translation>
    </message>
</context>
<context>
    <name>WindowCatalogue</name>
    <message>
        <source>Инструменты</source>
        <translation>Instruments</translation>
    </message>
    <message>
        <source>Заявки</source>
        <translation>Orders</translation>
    </message>
    <message>
        <source>Сделки</source>
        <translation>Deals</translation>
    </message>
    <message>
        <source>Позиции</source>
        <translation>Positions</translation>
    </message>
    <message>
        <source>Денежные лимиты</source>
        <translation>Money limits</translation>
    </message>
    <message>
        <source>Мои инструменты</source>
        <translation>My instruments</translation>
    </message>
    <message>
        <source>Таблица</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Список</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Котировки</source>
        <translation>Quotes</translation>
    </message>
    <message>
        <source>Справочник</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>По режимам</source>
        <translation>By board</translation>
    </message>
    <message>
        <source>Опционы по сериям</source>
        <translation>Options by series</translation>
    </message>
    <message>
        <source>По счетам</source>
        <translation>By account</translation>
    </message>
    <message>
        <source>По счетам и активам</source>
        <translation>By account and asset</translation>
    </message>
</context>
<context>
    <name>decimal</name>
    <message>
        <source>Переполнение при вычислениях с фиксированной точкой</source>
        <translation>Fixed-point overflow</translation>
    </message>
    <message>
        <source>Недопустимое число знаков после запятой: %1 (допустимо от 0 до %2)</source>
        <translation>Invalid number of decimals: %1 (0 to %2 allowed)</translation>
    </message>
</context>
</TS>
