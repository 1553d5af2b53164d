// Windows only: what restrictLibrarySearch() keeps the programs from loading.
#include "librarysearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <windows.h>

#include <vector>

class tst_LibrarySearch : public QObject
{
    Q_OBJECT

private slots:
    void pluginsOnlyFromTheProgramFolder();
    void plantedDllIsNotLoaded_data();
    void plantedDllIsNotLoaded();
    void pluginOptionsAreDropped_data();
    void pluginOptionsAreDropped();
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

void tst_LibrarySearch::pluginOptionsAreDropped_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected");
    const auto words = [](const char *text) {
        return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    };

    QTest::newRow("platform plugin folder")
        << words("-platformpluginpath C:/plugins -platform windows:dpiawareness=0")
        << words("-platform windows:dpiawareness=0");
    QTest::newRow("two dashes") << words("--platformpluginpath C:/plugins C:/JLink")
                                << words("C:/JLink");
    QTest::newRow("value joined") << words("-platformpluginpath=C:/plugins -reverse")
                                  << words("-reverse");
    QTest::newRow("plugin by name") << words("-plugin evdevmouse -reverse") << words("-reverse");
    QTest::newRow("plugin, two dashes, value joined") << words("--plugin=evdevmouse")
                                                      << QStringList();
    QTest::newRow("option without value, last") << words("-reverse -plugin") << words("-reverse");
    // Whatever the option's value is, neither name is left for Qt to read.
    QTest::newRow("value named like the other option")
        << words("-plugin -platformpluginpath C:/plugins") << words("C:/plugins");
    QTest::newRow("other options and arguments kept")
        << words("-style fusion -platformtheme none -pluginx C:/plugins")
        << words("-style fusion -platformtheme none -pluginx C:/plugins");
}

void tst_LibrarySearch::pluginOptionsAreDropped()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);
    QList<QByteArray> storage{"qn58-jlink-setup.exe"};
    for (const QString &argument : arguments)
        storage << argument.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const int argc = dropPluginOptions(int(storage.size()), argv.data());
    QStringList left;
    for (int i = 1; i < argc; ++i)
        left << QString::fromLocal8Bit(argv[i]);
    QCOMPARE(left, expected);
    QVERIFY(argv[0] == storage.first().data());
    QVERIFY(!argv[argc]);
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
