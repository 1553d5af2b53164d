#ifndef SUPPORT_H
#define SUPPORT_H

// What the test programs share: files, the deployment list, the console
// front end and the job as the window runs it, and file permissions.

#include <QByteArray>
#include <QFileDevice>
#include <QMap>
#include <QMetaType>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <functional>
#include <optional>

// How the installer ends the lines it writes in text mode: the database's and
// those of the console front end.
#ifdef Q_OS_WIN
constexpr char lineEnd[] = "\r\n";
#else
constexpr char lineEnd[] = "\n";
#endif

// Text with "\n" line ends as the installer writes it on this platform.
inline QByteArray withLineEnds(QByteArray text)
{
    return text.replace('\n', lineEnd);
}

bool writeFile(const QString &strFileName, const QByteArray &content);
// Empty when the file cannot be read.
QByteArray readFile(const QString &strFileName);
// Every file below the folder with its content, to compare installations.
QMap<QString, QByteArray> folderContents(const QString &strFolder);

// A change made to a file or folder before the code under test sees it; false
// when it could not be made. Rows of a table carry it.
using PathChange = std::function<bool(const QString &strPath)>;
Q_DECLARE_METATYPE(PathChange)

// Something in the way, for root too: a folder where a file must be written
// (a file there is removed first), or a file holding inTheWay where a folder
// must be made (its parent folders are made).
extern const QByteArray inTheWay;
bool putFolderInTheWay(const QString &strPath);
bool putFileInTheWay(const QString &strPath);

// What the job tells the user when it succeeded, and when it could not read
// or write the database.
extern const QString jobSucceeded;
extern const QString accessFailed;

// Where the job deploys, below a J-Link folder.
extern const QString loaderFolder; // "/Devices/Kestrilon/QN58FLM"
// The deployment list's names, in its order.
QStringList listedNames();
// The bundle's copy of a listed file.
QByteArray bundledFile(const QString &strName);

// Runs the job on strJLinkPath as the window does, on its own thread, and
// waits for it to end.
struct JobResult
{
    int nCode = -1;
    QString strMessage;
    QString strReason; // as the window shows it, in the user's language
    int nResults = 0;  // how often the job reported
};
JobResult runJob(const QString &strJLinkPath);
// Installs into the folder without a thread; true when the job succeeded.
bool install(const QString &strJLinkPath);

// A program run to its end. Standard output is split into lines without
// line ends and empty lines; nExit is -1 when the program did not exit
// normally.
struct ProgramRun
{
    int nExit = -1;
    QStringList lines;
    QByteArray errors;
};
// Without environment, the program inherits this process's.
ProgramRun runProgram(const QString &strProgram, const QStringList &arguments,
                      const QString &strWorkingFolder = QString(),
                      const std::optional<QProcessEnvironment> &environment = std::nullopt);
// The same for one of this build's own programs: a cross build's run under
// the emulator that CTest runs the tests with.
void startBuiltProgram(QProcess &process, const QString &strProgram, const QStringList &arguments,
                       const QString &strWorkingFolder = QString(),
                       const std::optional<QProcessEnvironment> &environment = std::nullopt);
ProgramRun runBuiltProgram(const QString &strProgram, const QStringList &arguments,
                           const QString &strWorkingFolder = QString(),
                           const std::optional<QProcessEnvironment> &environment = std::nullopt);
// The same for the console front end, which is always started without a
// console of its own: it writes to the pipes either way. A test that stops
// it midway starts it, and reads how it ended with finishRun.
void startCli(QProcess &process, const QStringList &arguments,
              const QString &strWorkingFolder = QString(),
              const std::optional<QProcessEnvironment> &environment = std::nullopt);
ProgramRun runCli(const QStringList &arguments, const QString &strWorkingFolder = QString(),
                  const std::optional<QProcessEnvironment> &environment = std::nullopt);
// Waits for a started program to end, if it has not ended yet.
ProgramRun finishRun(QProcess &process);
// Wine's console host of a program killed while it starts would outlive it and
// keep ctest's output pipes open; elsewhere there is nothing to do.
void detachFromConsole(QProcess &process);

// What tests take away from files and folders: a file its owner may only
// read, a folder whose entries its owner may only list and open.
constexpr QFileDevice::Permissions readOnlyFile = QFileDevice::ReadOwner | QFileDevice::ReadUser;
constexpr QFileDevice::Permissions readOnlyFolder = readOnlyFile | QFileDevice::ExeOwner
    | QFileDevice::ExeUser;

// Puts back the permissions a file or folder had when the restorer was made,
// at the latest when it goes, so that the temporary folder can be removed.
class PermissionRestorer
{
public:
    explicit PermissionRestorer(const QString &strPath);
    ~PermissionRestorer() { restore(); }
    void restore() const;

private:
    Q_DISABLE_COPY(PermissionRestorer)
    const QString m_strPath;
    const QFileDevice::Permissions m_permissions;
};

// Stands in for a translation while it lives: every text of the given
// contexts comes back between "[" and "]", its placeholders kept, so that a
// test sees which words were translated and which stayed as they are.
class MarkedTranslation : public QTranslator
{
public:
    explicit MarkedTranslation(const QStringList &contexts);
    ~MarkedTranslation() override;
    bool isEmpty() const override { return false; }
    QString translate(const char *pszContext, const char *pszSourceText,
                      const char *pszDisambiguation = nullptr, int n = -1) const override;

private:
    Q_DISABLE_COPY(MarkedTranslation)
    const QStringList m_contexts;
};

// Root ignores file permissions; Windows has no such user.
bool runsAsRoot();

// For the programs that ctest runs through unprivileged.sh: as root, their
// checks of permissions would prove nothing.
#define QN58_FAIL_AS_ROOT()                                                                       \
    do {                                                                                          \
        if (runsAsRoot())                                                                         \
            QFAIL("runs as root, which ignores file permissions; run it through ctest");         \
    } while (false)

#endif
