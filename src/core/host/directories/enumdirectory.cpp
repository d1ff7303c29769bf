#include "core/host/directories/enumdirectory.h"

#include "core/db/field.h"
#include "core/db/masterindex.h"

#include <QCoreApplication>
#include <QEvent>

// Hears the application's language change for every enumeration: one filter on the application object, however
// many enumerations there are.
class LanguageWatch : public QObject
{
public:
    static LanguageWatch* instance()
    {
        static LanguageWatch* watch = [] {
            auto* w = new LanguageWatch;
            if (QCoreApplication* application = QCoreApplication::instance()) {
                w->moveToThread(application->thread());
                application->installEventFilter(w);
            }
            return w;
        }();
        return watch;
    }

    QVector<EnumDirectory*> directories;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange && watched == QCoreApplication::instance()) {
            for (EnumDirectory* directory : qAsConst(directories))
                directory->retranslate();
        }
        return false;
    }
};

EnumDirectory::EnumDirectory(const QString& tableName)
    : TableDirectory(tableName)
{
    LanguageWatch::instance()->directories << this;
}

EnumDirectory::~EnumDirectory()
{
    LanguageWatch::instance()->directories.removeAll(this);
}

namespace {
// A character code is its letter's number.
template<typename Reader>
qint64 codeOfReader(const Reader& field)
{
    if (field.type() == FieldType::Char || field.type() == FieldType::String)
        return field.toChar().unicode();
    return field.toInteger64();
}
} // namespace

qint64 EnumDirectory::codeOf(const Field& field)
{
    return codeOfReader(field);
}

qint64 EnumDirectory::codeOf(const FieldValue& value)
{
    return codeOfReader(value);
}

void EnumDirectory::reload(const Table* table)
{
    m_keys.clear();
    m_sources.clear();
    m_texts.clear();
    if (!table)
        return;
    const int codeC = table->columnIndex(QStringLiteral("code"));
    const int nameC = table->columnIndex(QStringLiteral("name"));
    const int descrC = table->columnIndex(QStringLiteral("descr"));
    for (const Record& r : *table->masterIndex()) {
        m_keys << FieldValue(r.data(codeC));
        m_sources.insert(codeOf(r.data(codeC)), qMakePair(r.data(nameC).toString(), r.data(descrC).toString()));
    }
    translate();
}

void EnumDirectory::translate()
{
    m_texts.clear();
    for (auto it = m_sources.cbegin(); it != m_sources.cend(); ++it) {
        m_texts.insert(it.key(),
            qMakePair(QCoreApplication::translate("EnumDirectory", it.value().first.toUtf8().constData()),
                QCoreApplication::translate("EnumDirectory", it.value().second.toUtf8().constData())));
    }
}

void EnumDirectory::retranslate()
{
    translate();
    Q_EMIT dataChanged();
}

QString EnumDirectory::nameByKey(const Field& field) const
{
    return field.hasValue() ? nameByKey(codeOf(field)) : QString();
}

QString EnumDirectory::descrByKey(const Field& field) const
{
    return field.hasValue() ? descrByKey(codeOf(field)) : QString();
}
