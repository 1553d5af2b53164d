#include "fakeinstallations.h"
#include "mainwindow.h"
#include "outcome.h"
#include "temporaryhome.h"
#include "translations.h"
#include "userfolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// Answers the next folder dialog with strFolder, or cancels it when empty.
void answerFolderDialog(const QString &strFolder)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, strFolder] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        if (strFolder.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed as a user would, so the dialog's directory model need not have loaded.
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(strFolder);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    timer->start(10);
}

// The text a group box, label or button shows; the window's title for the window.
QString shownText(const QWidget *widget)
{
    if (widget->isWindow())
        return widget->windowTitle();
    if (auto *box = qobject_cast<const QGroupBox *>(widget))
        return box->title();
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QPushButton *>(widget))
        return button->text();
    return QString();
}

// The window's English texts, as the translators' catalogue lists them.
QStringList windowSourceTexts()
{
    QFile file(QStringLiteral(QN58_SOURCE_DIR "/translations/qn58_de.ts"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    QStringList texts;
    QXmlStreamReader reader(&file);
    QString strContext;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("name"))
            strContext = reader.readElementText();
        else if (reader.name() == QLatin1String("source") && strContext == QLatin1String("MainWindow"))
            texts << reader.readElementText();
    }
    return texts;
}

QStringList items(const QComboBox *combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void windowHasFixedClientSize();
    void windowTitle();
    void widgets_data();
    void widgets();
    void translatedTexts_data();
    void translatedTexts();
    void tabOrderRunsThroughFolderAndButtons();
    void statusLineStartsEmptyAndUncoloured();
    void installationsAreListedGreatestNameFirst();
#ifdef Q_OS_WIN
    void registryGroupsWithoutFolderAreIgnored();
    void registryDuplicatesAreKept();
#else
    void foldersWithoutJLinkAreIgnored();
#endif
    void otherInstallationsFollowOwnOnes_data();
    void otherInstallationsFollowOwnOnes();
    void placeholderWhenNoInstallationIsFound();
    void browseAddsChosenFolderAfterKnownOnes();
    void browseSelectsAlreadyListedFolder();
    void browseTwiceWithSameFolderKeepsOneItem();
    void browseIntoPlaceholderShowsFolder();
    void cancelledBrowseLeavesItems();
    void cancelEndsEventLoop();
    void keysPressButtons_data();
    void keysPressButtons();
    void userFolderIsProposedLast_data();
    void userFolderIsProposedLast();

private:
    QScopedPointer<FakeInstallations> m_installations;
    QString m_strRoot;
    QScopedPointer<QTemporaryDir> m_home;
    QScopedPointer<TemporaryHome> m_temporaryHome;
};

void tst_MainWindow::init()
{
    m_installations.reset(new FakeInstallations);
    m_strRoot = m_installations->discoveryRoot();
    // The real per-user folder is never proposed.
    m_temporaryHome.reset();
    m_home.reset(new QTemporaryDir);
    m_temporaryHome.reset(new TemporaryHome(QDir::toNativeSeparators(m_home->path())));
}

void tst_MainWindow::windowHasFixedClientSize()
{
    MainWindow window(nullptr, m_strRoot);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(615, 365));
    QCOMPARE(window.minimumSize(), QSize(615, 365));
    QCOMPARE(window.maximumSize(), QSize(615, 365));
    window.resize(800, 500);
    QCOMPARE(window.size(), QSize(615, 365));
    QVERIFY(window.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
}

void tst_MainWindow::windowTitle()
{
    MainWindow window(nullptr, m_strRoot);
    QCOMPARE(window.windowTitle(), QStringLiteral("Setup QN58 MCU Device AddOn to Segger V" QN58_VERSION));
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("centralWidget")));
}

void tst_MainWindow::widgets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("bold");

    QTest::newRow("box") << "groupBox" << "centralWidget" << "This SETUP program installs:" << 8 << false;
    QTest::newRow("title") << "label" << "groupBox" << "QN58 MCU Device AddOn to Segger" << 12 << false;
    QTest::newRow("folder line") << "label2" << "centralWidget"
                                 << "This AddOn will install into the following product folder." << 8 << false;
    QTest::newRow("instructions") << "label3" << "centralWidget"
                                  << "To install to this folder, press \"Start\". To install to a different folder, press \"Browse\""
                                  << 8 << false;
    QTest::newRow("instructions end") << "label4" << "centralWidget" << "and select another folder." << 8 << false;
    QTest::newRow("support note") << "label5" << "centralWidget" << "Support Segger JLink V620C and above." << 8 << true;
    QTest::newRow("folder box") << "groupBox2" << "centralWidget" << "Destination Folder" << 8 << false;
    QTest::newRow("browse") << "pushButtonBrowse" << "groupBox2" << "Browse..." << 8 << false;
    QTest::newRow("start") << "pushButtonStart" << "centralWidget" << "Start" << 9 << false;
    QTest::newRow("cancel") << "pushButtonCancel" << "centralWidget" << "Cancel" << 9 << false;
    QTest::newRow("status") << "label_finish" << "centralWidget" << "" << 10 << true;
}

void tst_MainWindow::widgets()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QString, text);
    QFETCH(int, pointSize);
    QFETCH(bool, bold);

    MainWindow window(nullptr, m_strRoot);
    auto *widget = window.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(widget->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(widget->font().pointSize(), pointSize);
    QCOMPARE(widget->font().bold(), bold);

    QCOMPARE(shownText(widget), text);
}

void tst_MainWindow::translatedTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("name"); // a widget's, or the result line's after a run

    const QStringList names{QStringLiteral("window"), QStringLiteral("groupBox"),
                            QStringLiteral("label"), QStringLiteral("label2"),
                            QStringLiteral("label3"), QStringLiteral("label4"),
                            QStringLiteral("label5"), QStringLiteral("groupBox2"),
                            QStringLiteral("pushButtonBrowse"), QStringLiteral("pushButtonStart"),
                            QStringLiteral("pushButtonCancel"), QStringLiteral("result: success"),
                            QStringLiteral("result: failure")};
    for (const char *language : {"C", "en_US", "de", "ja", "zh_CN"}) {
        for (const QString &strName : names)
            QTest::addRow("%s %s", language, qPrintable(strName)) << language << strName;
    }
}

// English stays exactly as written; a translation shows no English text of
// the window's, and fits the window as the English does.
void tst_MainWindow::translatedTexts()
{
    QFETCH(QString, language);
    QFETCH(QString, name);
    const auto shown = [&name](const MainWindow &window) {
        if (name == QLatin1String("result: success"))
            return outcomeText(0, QString());
        if (name == QLatin1String("result: failure"))
            return outcomeText(3, QString());
        return shownText(name == QLatin1String("window") ? &window
                                                         : window.findChild<QWidget *>(name));
    };
    const auto english = qScopeGuard([] { installTranslations({}); });
    installTranslations({});
    const MainWindow source(nullptr, m_strRoot);
    const QString strEnglish = shown(source);
    installTranslations({language});
    const MainWindow window(nullptr, m_strRoot);
    const QString strShown = shown(window);

    if (language == QLatin1String("C") || language == QLatin1String("en_US")) {
        QCOMPARE(strShown, strEnglish);
    } else {
        QVERIFY2(strShown != strEnglish, qPrintable(strShown));
        const QStringList sourceTexts = windowSourceTexts();
        QVERIFY(!sourceTexts.isEmpty());
        for (const QString &strSource : sourceTexts) {
            // Single words may stand inside a translation (Start, J-Link).
            if (strSource.contains(QLatin1Char(' ')))
                QVERIFY2(!strShown.contains(strSource), qPrintable(strShown));
        }
    }
    QCOMPARE(window.size(), source.size());
}

void tst_MainWindow::tabOrderRunsThroughFolderAndButtons()
{
    MainWindow window(nullptr, m_strRoot);
    QWidget *widget = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        order << widget->objectName();
        widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus))
            widget = widget->nextInFocusChain();
    }
    QCOMPARE(order, (QStringList{QStringLiteral("comboBox_Path"), QStringLiteral("pushButtonBrowse"),
                                 QStringLiteral("pushButtonStart"), QStringLiteral("pushButtonCancel")}));
}

void tst_MainWindow::statusLineStartsEmptyAndUncoloured()
{
    MainWindow window(nullptr, m_strRoot);
    auto *status = window.findChild<QLabel *>(QStringLiteral("label_finish"));
    QVERIFY(status->text().isEmpty());
    QVERIFY(status->styleSheet().isEmpty());
}

void tst_MainWindow::installationsAreListedGreatestNameFirst()
{
    const QString strV780b = m_installations->add(QStringLiteral("JLink_V780b"));
    const QString strV794 = m_installations->add(QStringLiteral("JLink_v794"));
    const QString strV620c = m_installations->add(QStringLiteral("JLink_V620c"));

    MainWindow window(nullptr, m_strRoot);
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    QCOMPARE(items(combo), (QStringList{strV794, strV780b, strV620c, userDeviceFolder()}));
    QCOMPARE(combo->currentText(), strV794);
    QVERIFY(!combo->isEditable());
}

#ifdef Q_OS_WIN
void tst_MainWindow::registryGroupsWithoutFolderAreIgnored()
{
    const QString strFolder = m_installations->add(QStringLiteral("V794"));
    QSettings settings(m_strRoot, QSettings::NativeFormat);
    settings.setValue(QStringLiteral("V796/InstallPath"), QString());
    settings.setValue(QStringLiteral("V798/Version"), QStringLiteral("7.98"));
    settings.sync();

    MainWindow window(nullptr, m_strRoot);
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    QCOMPARE(items(combo), (QStringList{strFolder, userDeviceFolder()}));
}

void tst_MainWindow::registryDuplicatesAreKept()
{
    const QString strFolder = m_installations->add(QStringLiteral("V794"));
    QSettings settings(m_strRoot, QSettings::NativeFormat);
    settings.setValue(QStringLiteral("V794a/InstallPath"), strFolder);
    settings.sync();

    MainWindow window(nullptr, m_strRoot);
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    QCOMPARE(items(combo), (QStringList{strFolder, strFolder, userDeviceFolder()}));
}
#else
void tst_MainWindow::foldersWithoutJLinkAreIgnored()
{
    const QString strFolder = m_installations->add(QStringLiteral("JLink_V794"));
    m_installations->add(QStringLiteral("Ozone"));
    m_installations->add(QStringLiteral("jlink_lower"));
    QVERIFY(QDir(m_strRoot).mkpath(QStringLiteral("JLink_Empty")));

    MainWindow window(nullptr, m_strRoot);
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    QCOMPARE(items(combo), (QStringList{strFolder, userDeviceFolder()}));
}
#endif

void tst_MainWindow::otherInstallationsFollowOwnOnes_data()
{
    // Records as FakeInstallations::record() takes them, and the folders
    // listed in their order, each named by its record.
    QTest::addColumn<QString>("records");
    QTest::addColumn<QString>("listed");

    QTest::newRow("own first, then others greatest name first")
        << "folder:SEGGER/JLink_V780 own:JLink_V620c folder:SEGGER/JLink_V794"
        << "own:JLink_V620c folder:SEGGER/JLink_V794 folder:SEGGER/JLink_V780";
#ifdef Q_OS_WIN
    // J-Link's key, registry views and the spellings of one path are Windows' own.
    QTest::newRow("the key and its groups") << "group:JLink_V620c key:JLink_V780 group:JLink_V794"
                                            << "group:JLink_V794 key:JLink_V780 group:JLink_V620c";
    QTest::newRow("the 32-bit view") << "key32:JLink_V780 group32:JLink_V794"
                                     << "group32:JLink_V794 key32:JLink_V780";
    QTest::newRow("one folder in every spelling")
        << "own:SEGGER/JLink_V794 key:segger/jlink_v794/ group32:SEGGER\\JLink_V794\\"
        << "own:SEGGER/JLink_V794";
#endif
}

void tst_MainWindow::otherInstallationsFollowOwnOnes()
{
    QFETCH(QString, records);
    QFETCH(QString, listed);
    QMap<QString, QString> folders;
    for (const QString &strRecord : records.split(QLatin1Char(' '))) {
        folders.insert(strRecord, m_installations->record(strRecord));
        QVERIFY2(!folders.value(strRecord).isEmpty(), qPrintable(strRecord));
    }
    QStringList expected;
    for (const QString &strRecord : listed.split(QLatin1Char(' ')))
        expected << folders.value(strRecord);

    MainWindow window(nullptr, m_installations->search());
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    QCOMPARE(items(combo), expected << userDeviceFolder());
}

void tst_MainWindow::placeholderWhenNoInstallationIsFound()
{
    const QString strMissing = m_strRoot + QStringLiteral("/missing");
    MainWindow window(nullptr, strMissing);
    QVERIFY(!placeExists(strMissing));
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    QCOMPARE(combo->count(), 0);
    QVERIFY(combo->currentText().isEmpty());
    QLineEdit *edit = combo->lineEdit();
    QVERIFY(edit);
    QVERIFY(edit->isReadOnly());
    QCOMPARE(edit->placeholderText(),
             QStringLiteral("Click the \"Browse...\" to select the installation directory of JLink"));
    QCOMPARE(edit->styleSheet(), QStringLiteral("border:none; font-size:26px; font-weight:bold; "
                                                "color:#5f666e; background:transparent;"));
}

void tst_MainWindow::browseAddsChosenFolderAfterKnownOnes()
{
    const QString strA = m_installations->add(QStringLiteral("JLink_A"));
    const QString strB = m_installations->add(QStringLiteral("JLink_B"));
    const QString strC = m_installations->add(QStringLiteral("JLink_C"));
    QTemporaryDir chosen;

    MainWindow window(nullptr, m_strRoot);
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    answerFolderDialog(chosen.path());
    window.findChild<QPushButton *>(QStringLiteral("pushButtonBrowse"))->click();

    QCOMPARE(items(combo), (QStringList{strC, strB, strA, chosen.path()}));
    QCOMPARE(combo->currentText(), chosen.path());
}

void tst_MainWindow::browseSelectsAlreadyListedFolder()
{
    const QString strKnown = m_installations->add(QStringLiteral("JLink_A"));
    m_installations->add(QStringLiteral("JLink_B"));

    MainWindow window(nullptr, m_strRoot);
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    answerFolderDialog(strKnown);
    window.findChild<QPushButton *>(QStringLiteral("pushButtonBrowse"))->click();

    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(combo->currentText(), strKnown);
}

void tst_MainWindow::browseTwiceWithSameFolderKeepsOneItem()
{
    QTemporaryDir chosen;
    MainWindow window(nullptr, m_strRoot);
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    auto *browse = window.findChild<QPushButton *>(QStringLiteral("pushButtonBrowse"));
    for (int i = 0; i < 2; ++i) {
        answerFolderDialog(chosen.path());
        browse->click();
    }
    QCOMPARE(items(combo), QStringList{chosen.path()});
}

void tst_MainWindow::browseIntoPlaceholderShowsFolder()
{
    QTemporaryDir chosen;
    MainWindow window(nullptr, m_strRoot);
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    answerFolderDialog(chosen.path());
    window.findChild<QPushButton *>(QStringLiteral("pushButtonBrowse"))->click();
    QVERIFY(combo->lineEdit());
    QCOMPARE(combo->lineEdit()->text(), chosen.path());
    QCOMPARE(combo->currentText(), chosen.path());
}

void tst_MainWindow::cancelledBrowseLeavesItems()
{
    const QString strFolder = m_installations->add(QStringLiteral("JLink_A"));
    MainWindow window(nullptr, m_strRoot);
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    answerFolderDialog(QString());
    window.findChild<QPushButton *>(QStringLiteral("pushButtonBrowse"))->click();
    QCOMPARE(items(combo), QStringList{strFolder});
}

void tst_MainWindow::cancelEndsEventLoop()
{
    MainWindow window(nullptr, m_strRoot);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTimer::singleShot(0, window.findChild<QPushButton *>(QStringLiteral("pushButtonCancel")),
                       &QPushButton::click);
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window.isVisible());
}

void tst_MainWindow::keysPressButtons_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("pressed");

    QTest::newRow("Return on Browse") << "pushButtonBrowse" << int(Qt::Key_Return) << "pushButtonBrowse";
    QTest::newRow("Return in folder box") << "comboBox_Path" << int(Qt::Key_Return) << "pushButtonStart";
    QTest::newRow("Escape") << "comboBox_Path" << int(Qt::Key_Escape) << "pushButtonCancel";
}

void tst_MainWindow::keysPressButtons()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, pressed);
    m_installations->add(QStringLiteral("JLink_V794"));
    MainWindow window(nullptr, m_strRoot);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.findChild<QPushButton *>(QStringLiteral("pushButtonStart"))->isDefault());
    QStringList pressedButtons;
    for (QPushButton *button : window.findChildren<QPushButton *>()) {
        // Which button a key presses counts here, not what the button does.
        button->disconnect(&window);
        connect(button, &QPushButton::clicked,
                [&pressedButtons, button] { pressedButtons << button->objectName(); });
    }
    auto *widget = window.findChild<QWidget *>(focus);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key(key));
    QCOMPARE(pressedButtons, QStringList{pressed});
}

void tst_MainWindow::userFolderIsProposedLast_data()
{
    // Records as FakeInstallations::record() takes them, oldest first.
    QTest::addColumn<QStringList>("installations");
    QTest::addColumn<bool>("userFolderExists");
    QTest::addColumn<bool>("proposed");
    // Made read-only in the newest installation, "." the folder itself: the
    // per-user folder is selected then.
    QTest::addColumn<QString>("readOnly");

    QTest::newRow("recent J-Link") << QStringList{QStringLiteral("own:JLink_V620c"), QStringLiteral("own:JLink_V794")}
                                   << false << true << QString();
    QTest::newRow("old J-Link only") << QStringList{QStringLiteral("own:JLink_V620c")} << false << false << QString();
    QTest::newRow("folder exists") << QStringList{QStringLiteral("own:JLink_V620c")} << true << true << QString();
    QTest::newRow("folder exists, no J-Link") << QStringList() << true << true << QString();
    QTest::newRow("nothing") << QStringList() << false << false << QString();
    // Windows ignores a folder's read-only attribute; a database's stands for
    // an installation a standard user may not write.
#ifndef Q_OS_WIN
    QTest::newRow("recent J-Link read-only")
        << QStringList{QStringLiteral("own:JLink_V620c"), QStringLiteral("own:JLink_V794")} << false << true << ".";
#endif
    QTest::newRow("recent J-Link, database read-only") << QStringList{QStringLiteral("own:JLink_V794")}
                                                       << false << true << "JLinkDevices.xml";
    QTest::newRow("another account's recent J-Link, database read-only")
        << QStringList{QStringLiteral("folder:SEGGER/JLink_V794")} << false << true << "JLinkDevices.xml";
}

void tst_MainWindow::userFolderIsProposedLast()
{
    QFETCH(QStringList, installations);
    QFETCH(bool, userFolderExists);
    QFETCH(bool, proposed);
    QFETCH(QString, readOnly);
    QStringList expected;
    for (const QString &strRecord : installations)
        expected.prepend(m_installations->record(strRecord));
    const QString strReadOnly = QDir(expected.value(0)).filePath(readOnly);
    const QFile::Permissions permissions = QFile::permissions(strReadOnly);
    const auto restore = qScopeGuard([&] {
        if (!readOnly.isEmpty())
            QFile::setPermissions(strReadOnly, permissions);
    });
    if (!readOnly.isEmpty()) {
        QVERIFY(QFileInfo::exists(strReadOnly) || QFile(strReadOnly).open(QIODevice::WriteOnly));
        QVERIFY(QFile::setPermissions(strReadOnly, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY2(!QFileInfo(strReadOnly).isWritable(), "root may write anything: run through ctest");
    }
    if (userFolderExists)
        QVERIFY(QDir().mkpath(userDeviceFolder()));
    if (proposed)
        expected << userDeviceFolder();

    MainWindow window(nullptr, m_installations->search());
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    QCOMPARE(items(combo), expected);
    // The newest installation stays the first proposal unless the user cannot write it.
    QCOMPARE(combo->currentIndex(), expected.isEmpty() ? -1 : readOnly.isEmpty() ? 0 : expected.size() - 1);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
