// Windows only: what restrictLibrarySearch() keeps the programs from loading.
#include "librarysearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <windows.h>

class tst_LibrarySearch : public QObject
{
    Q_OBJECT

private slots:
    void pluginsOnlyFromTheProgramFolder();
    void plantedDllIsNotLoaded_data();
    void plantedDllIsNotLoaded();
};

void tst_LibrarySearch::pluginsOnlyFromTheProgramFolder()
{
    QStringList paths = QCoreApplication::libraryPaths();
    paths.removeDuplicates();
    QCOMPARE(paths, QStringList{QCoreApplication::applicationDirPath()});
}

void tst_LibrarySearch::plantedDllIsNotLoaded_data()
{
    QTest::addColumn<QString>("place");

    QTest::newRow("beside the program") << "program";
    QTest::newRow("current folder") << "current";
    QTest::newRow("folder on PATH") << "path";
}

void tst_LibrarySearch::plantedDllIsNotLoaded()
{
    QFETCH(QString, place);
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString strFolder = place == QLatin1String("program")
        ? QCoreApplication::applicationDirPath() : temporary.path();
    // A real DLL, loadable if it were found, under a name nothing else uses.
    wchar_t source[MAX_PATH];
    QVERIFY(GetModuleFileNameW(GetModuleHandleW(L"libwinpthread-1.dll"), source, MAX_PATH));
    const QString strName = QStringLiteral("qn58planted-%1.dll").arg(place);
    const QString strPlanted = strFolder + QLatin1Char('/') + strName;
    QVERIFY(QFile::copy(QString::fromWCharArray(source), strPlanted));

    const QString strCurrent = QDir::currentPath();
    const QByteArray path = qgetenv("PATH");
    if (place == QLatin1String("current"))
        QDir::setCurrent(strFolder);
    if (place == QLatin1String("path"))
        qputenv("PATH", QFile::encodeName(QDir::toNativeSeparators(strFolder)) + ';' + path);
    const HMODULE module = LoadLibraryW(reinterpret_cast<const wchar_t *>(strName.utf16()));
    QDir::setCurrent(strCurrent);
    qputenv("PATH", path);
    if (module)
        FreeLibrary(module);
    QFile::remove(strPlanted);
    QVERIFY(!module);
}

int main(int argc, char *argv[])
{
    // As the programs call it: first, here with the environment naming
    // another plugin folder.
    qputenv("QT_PLUGIN_PATH", QFile::encodeName(QDir::tempPath()));
    restrictLibrarySearch();
    QCoreApplication app(argc, argv);
    tst_LibrarySearch test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_librarysearch.moc"
