#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QHash>

// Users of the terminal ("kv.user"): logins and their numbers.
class BV_HOST_EXPORT KvUserDirectory : public TableDirectory, public DirectoryInstance<KvUserDirectory>
{
    Q_OBJECT
public:
    KvUserDirectory();

    QString loginByAspref(int aspref) const { return m_loginByAspref.value(aspref); }
    // -1 for an unknown login.
    int asprefByLogin(const QString& login) const { return m_asprefByLogin.value(login, -1); }
    QStringList getUserList() const;
    bool isUser(const QString& login) const { return m_asprefByLogin.contains(login); }

protected:
    void reload(const Table* table) override;

private:
    QHash<int, QString> m_loginByAspref;
    QHash<QString, int> m_asprefByLogin;
};
