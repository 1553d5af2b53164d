#ifndef TEMPORARYHOME_H
#define TEMPORARYHOME_H

#include <QByteArray>
#include <QString>

// The variable from which this platform's per-user folder is found: HOME, or
// APPDATA on Windows.
extern const char homeVariable[];

// Points the per-user folder of this process, and of the programs it starts,
// below strHome for the object's lifetime, so that no test sees or touches
// the real one.
class TemporaryHome
{
public:
    explicit TemporaryHome(const QString &strHome)
        : m_bWasSet(qEnvironmentVariableIsSet(homeVariable))
        , m_previous(qgetenv(homeVariable))
    {
        qputenv(homeVariable, strHome.toLocal8Bit());
    }
    ~TemporaryHome()
    {
        if (m_bWasSet)
            qputenv(homeVariable, m_previous);
        else
            qunsetenv(homeVariable);
    }

private:
    const bool m_bWasSet;
    const QByteArray m_previous;
};

#endif
