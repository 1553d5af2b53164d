// Runs the installer's two database steps on one folder, over and over, so
// that a test can kill it in the middle of a save. Prints "saved" after each
// round. Arguments: the installation folder, the number of rounds (0 runs
// until the process is killed) and, optionally, "single-pass": each round is
// then the job's single pass over the database.

#include "devicedatabase.h"
#include "jlinkaddqn58mcu.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <exception>

int main(int argc, char *argv[])
{
    // Takes the locale from the environment, as the installer does.
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3 && arguments.size() != 4)
        return 2;
    const QString strJLinkPath = arguments.at(1);
    const int nRounds = arguments.at(2).toInt();
    const bool bSinglePass = arguments.value(3) == QLatin1String("single-pass");
    const QString strDatabase = deviceDatabasePath(strJLinkPath);

    QTextStream out(stdout);
    for (int nRound = 0; nRounds == 0 || nRound < nRounds; ++nRound) {
        QString strError;
        if (bSinglePass) {
            if (JLinkAddQN58MCU::updateDevices(strJLinkPath, strError) != 0)
                return 1;
            out << "saved" << Qt::endl;
            continue;
        }
        if (!JLinkAddQN58MCU::removeOldDevices(strJLinkPath, strError))
            return 1;
        try {
            QDomDocument doc = loadDeviceDatabase(strDatabase);
            for (int i = 0; i < 50; ++i)
                JLinkAddQN58MCU::addMainFlashDevice(doc, QStringLiteral("-QN58K212ZCT%1").arg(i),
                                                    QStringLiteral("0x038000"), 256, 2);
            saveDeviceDatabase(doc, strDatabase);
        } catch (const std::exception &) {
            return 1;
        }
        out << "saved" << Qt::endl;
    }
    return 0;
}
