#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// Puts the variables back as they were when it goes.
class SavedEnvironment
{
public:
    explicit SavedEnvironment(const QList<QByteArray>& names)
    {
        for (const QByteArray& name : names)
            m_Saved.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
    }
    ~SavedEnvironment()
    {
        for (const Variable& variable : m_Saved) {
            if (variable.set)
                qputenv(variable.name, variable.value);
            else
                qunsetenv(variable.name);
        }
    }

private:
    struct Variable
    {
        QByteArray name;
        bool set;
        QByteArray value;
    };
    QList<Variable> m_Saved;
};
