#pragma once

#include <QStringList>
#include <QtGlobal>

// The logging categories of the diagnostics written while it lives, in order ("QGuiLog", "default"), and their
// texts. The messages go nowhere else meanwhile.
class LoggedCategories
{
public:
    LoggedCategories()
    {
        current() = this;
        m_previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
            current()->categories << QString::fromLatin1(context.category ? context.category : "");
            current()->messages << text;
        });
    }
    ~LoggedCategories()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    LoggedCategories(const LoggedCategories&) = delete;
    LoggedCategories& operator=(const LoggedCategories&) = delete;

    QStringList categories;
    QStringList messages;

private:
    static LoggedCategories*& current()
    {
        static LoggedCategories* log = nullptr;
        return log;
    }
    QtMessageHandler m_previous;
};
