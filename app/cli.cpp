// The installation job without a window, for lab machines and scripts: the
// J-Link folder is the one argument, the outcome line is printed and the
// job's result code (0 to 3) is the exit status.

#include "jlinkaddqn58mcu.h"
#include "outcome.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

// As sysexits.h names it, and outside the job's codes.
const int exitUsage = 64;

void printLine(FILE *stream, const QString &strLine)
{
    std::fputs(qUtf8Printable(strLine + QLatin1Char('\n')), stream);
}

QString usage(const QString &strProgram)
{
    return QStringLiteral("Usage: %1 <J-Link folder>\n"
                          "Adds the QN58 devices of Kestrilon to the J-Link installation in the given\n"
                          "folder. Prints the outcome and exits with 0 on success, 1 to 3 on failure.")
        .arg(strProgram);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    // The program's name without folder (and without ".exe" on Windows).
    const QString strProgram = QCoreApplication::applicationName();

    if (arguments.size() == 2 && arguments.at(1) == QLatin1String("--help")) {
        printLine(stdout, usage(strProgram));
        return 0;
    }
    if (arguments.size() != 2 || arguments.at(1).isEmpty()) {
        printLine(stderr, usage(strProgram));
        return exitUsage;
    }

    int nResult = -1;
    QString strErroInfo;
    JLinkAddQN58MCU worker(arguments.at(1));
    QObject::connect(&worker, &JLinkAddQN58MCU::emitResult, &worker,
                     [&](int nCode, const QString &strText) {
                         nResult = nCode;
                         strErroInfo = strText;
                     },
                     Qt::DirectConnection);
    worker.start();
    worker.wait();

    // Always on standard output: the toolkit writes its own notes to standard error.
    printLine(stdout, outcomeText(nResult, strErroInfo));
    return nResult;
}
