#include "support.h"
#include "deploymentlist.h"
#include "jlinkaddqn58mcu.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

bool writeFile(const QString &strFileName, const QByteArray &content)
{
    QFile file(strFileName);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString &strFileName)
{
    QFile file(strFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QMap<QString, QByteArray> folderContents(const QString &strFolder)
{
    QMap<QString, QByteArray> contents;
    QDirIterator it(strFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString strFile = it.next();
        contents.insert(strFile.mid(strFolder.size()), readFile(strFile));
    }
    return contents;
}

const QByteArray inTheWay = "in the way";

bool putFolderInTheWay(const QString &strPath)
{
    return (!QFileInfo::exists(strPath) || QFile::remove(strPath)) && QDir().mkpath(strPath);
}

bool putFileInTheWay(const QString &strPath)
{
    return QDir().mkpath(QFileInfo(strPath).path()) && writeFile(strPath, inTheWay);
}

const QString jobSucceeded
    = QStringLiteral("Setup has performed all requested operations successfully");
const QString accessFailed = QStringLiteral("\"JLinkDevices.xml\" access failed");

const QString loaderFolder = QStringLiteral("/Devices/Kestrilon/QN58FLM");

QStringList listedNames()
{
    QStringList names;
    for (const char *name : deploymentList)
        names << QString::fromLatin1(name);
    return names;
}

QByteArray bundledFile(const QString &strName)
{
    return readFile(QStringLiteral(":/FLMFile/") + strName);
}

JobResult runJob(const QString &strJLinkPath)
{
    JLinkAddQN58MCU worker(strJLinkPath);
    JobResult result;
    QObject::connect(&worker, &JLinkAddQN58MCU::emitResult, &worker,
                     [&result](int nCode, const QString &strMessage) {
                         result.nCode = nCode;
                         result.strMessage = strMessage;
                         ++result.nResults;
                     },
                     Qt::DirectConnection);
    QObject::connect(&worker, &JLinkAddQN58MCU::emitReason, &worker,
                     [&result](const QString &strReason) { result.strReason = strReason; },
                     Qt::DirectConnection);
    worker.start();
    worker.wait();
    return result;
}

bool install(const QString &strJLinkPath)
{
    QString strErroInfo;
    return JLinkAddQN58MCU::runSetup(strJLinkPath, strErroInfo) == 0;
}

namespace {

void startProgram(QProcess &process, const QString &strProgram, const QStringList &arguments,
                  const QString &strWorkingFolder,
                  const std::optional<QProcessEnvironment> &environment)
{
    process.setWorkingDirectory(strWorkingFolder);
    if (environment)
        process.setProcessEnvironment(*environment);
    process.start(strProgram, arguments);
}

} // namespace

ProgramRun finishRun(QProcess &process)
{
    ProgramRun run;
    // Returns at once when the program has ended already or never started.
    process.waitForFinished(-1);
    if (process.error() == QProcess::FailedToStart || process.state() != QProcess::NotRunning
        || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.nExit = process.exitCode();
    run.lines = QString::fromUtf8(process.readAllStandardOutput())
                    .split(QLatin1String(lineEnd), Qt::SkipEmptyParts);
    run.errors = process.readAllStandardError();
    return run;
}

ProgramRun runProgram(const QString &strProgram, const QStringList &arguments,
                      const QString &strWorkingFolder,
                      const std::optional<QProcessEnvironment> &environment)
{
    QProcess process;
    startProgram(process, strProgram, arguments, strWorkingFolder, environment);
    return finishRun(process);
}

void startBuiltProgram(QProcess &process, const QString &strProgram, const QStringList &arguments,
                       const QString &strWorkingFolder,
                       const std::optional<QProcessEnvironment> &environment)
{
    // The emulator's words, separated by spaces; none for a native build.
    QStringList command = QStringLiteral(QN58_EMULATOR).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    command << strProgram << arguments;
    startProgram(process, command.takeFirst(), command, strWorkingFolder, environment);
}

ProgramRun runBuiltProgram(const QString &strProgram, const QStringList &arguments,
                           const QString &strWorkingFolder,
                           const std::optional<QProcessEnvironment> &environment)
{
    QProcess process;
    startBuiltProgram(process, strProgram, arguments, strWorkingFolder, environment);
    return finishRun(process);
}

void startCli(QProcess &process, const QStringList &arguments, const QString &strWorkingFolder,
              const std::optional<QProcessEnvironment> &environment)
{
    detachFromConsole(process);
    startBuiltProgram(process, QStringLiteral(QN58_CLI_PATH), arguments, strWorkingFolder,
                      environment);
}

ProgramRun runCli(const QStringList &arguments, const QString &strWorkingFolder,
                  const std::optional<QProcessEnvironment> &environment)
{
    QProcess process;
    startCli(process, arguments, strWorkingFolder, environment);
    return finishRun(process);
}

MarkedTranslation::MarkedTranslation(const QStringList &contexts)
    : m_contexts(contexts)
{
    QCoreApplication::installTranslator(this);
}

MarkedTranslation::~MarkedTranslation()
{
    QCoreApplication::removeTranslator(this);
}

QString MarkedTranslation::translate(const char *pszContext, const char *pszSourceText,
                                     const char *, int) const
{
    if (!m_contexts.contains(QLatin1String(pszContext)))
        return QString();
    return QLatin1Char('[') + QString::fromUtf8(pszSourceText) + QLatin1Char(']');
}

PermissionRestorer::PermissionRestorer(const QString &strPath)
    : m_strPath(strPath)
    , m_permissions(QFile::permissions(strPath))
{
}

void PermissionRestorer::restore() const
{
    QFile::setPermissions(m_strPath, m_permissions);
}
