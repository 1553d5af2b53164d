#include "databasefixtures.h"
#include "detachedjob.h"
#include "fakeinstallations.h"
#include "installationlock.h"
#include "mainwindow.h"
#include "temporaryhome.h"
#include "userfolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <optional>
#include <thread>

namespace {

struct SeenBox
{
    bool seen = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString strTitle;
    QString strText;
    QStringList buttonTexts;
    Qt::WindowFlags flags;
    bool bHasParent = true;
};

// Reads the next message box and dismisses it with its only button.
void answerMessageBox(SeenBox &seen)
{
    QTimer::singleShot(0, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.seen = true;
        seen.icon = box->icon();
        seen.strTitle = box->windowTitle();
        seen.strText = box->text();
        for (QAbstractButton *button : box->buttons())
            seen.buttonTexts << button->text();
        seen.flags = box->windowFlags();
        seen.bHasParent = box->parentWidget() != nullptr;
        box->buttons().first()->click();
    });
}

QProgressDialog *visibleProgressDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<QProgressDialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// A J-Link folder as J-Link lays it out, with other vendors' entries.
void makeInstallation(const QString &strFolder)
{
    QVERIFY(QDir().mkpath(strFolder + QStringLiteral("/Devices/ST")));
    QVERIFY(writeFile(strFolder + QStringLiteral("/JLinkExe"), ""));
    QVERIFY(writeFile(strFolder + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(3)));
}

// Sees a job's signals reach the window, shown or not.
struct DeliveryWatch : QObject
{
    bool bDelivered = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        bDelivered = bDelivered || event->type() == QEvent::MetaCall;
        return false;
    }
};

} // namespace

class tst_Start : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void rejectedFolderShowsErrorBox_data();
    void rejectedFolderShowsErrorBox();
    void busyDialogWhileJobRuns();
    void outcomeLine_data();
    void outcomeLine();
    void secondStartShowsItsOwnResult();
    void resultAfterTheWait_data();
    void resultAfterTheWait();
    void quitWaitsForRunningJob();
    void finishedJobIsDeleted();
    void startInstallsIntoNewUserFolder();

private:
    void choose(const QString &strFolder);
    void pressStart();
    QLabel *finishLabel() const;

    QTemporaryDir m_root;
    // The real per-user folder must neither be proposed nor installed into.
    QTemporaryDir m_home;
    TemporaryHome m_temporaryHome{QDir::toNativeSeparators(m_home.path())};
    QScopedPointer<MainWindow> m_window;
};

void tst_Start::init()
{
    QVERIFY(m_root.isValid());
    QDir(m_root.path()).removeRecursively();
    QVERIFY(QDir().mkpath(m_root.path() + QStringLiteral("/discovery")));
    m_window.reset(new MainWindow(nullptr, m_root.path() + QStringLiteral("/discovery")));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
}

void tst_Start::choose(const QString &strFolder)
{
    auto *combo = m_window->findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    combo->clear();
    combo->addItem(strFolder);
}

void tst_Start::pressStart()
{
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("pushButtonStart")),
                      Qt::LeftButton);
}

QLabel *tst_Start::finishLabel() const
{
    return m_window->findChild<QLabel *>(QStringLiteral("label_finish"));
}

void tst_Start::rejectedFolderShowsErrorBox_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty") << QString() << "The folder path can't be empty";
    QTest::newRow("missing") << "/missing" << "The folder path does not exists";
}

void tst_Start::rejectedFolderShowsErrorBox()
{
    QFETCH(QString, folder);
    QFETCH(QString, error);
    if (!folder.isEmpty())
        choose(m_root.path() + folder);

    SeenBox seen;
    answerMessageBox(seen);
    pressStart();
    QVERIFY(seen.seen);
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.strTitle, QStringLiteral("Error"));
    QCOMPARE(seen.strText, error);
    QCOMPARE(seen.buttonTexts, QStringList{QStringLiteral("Ok")});
    QVERIFY(seen.flags & Qt::MSWindowsFixedSizeDialogHint);
    QVERIFY(!seen.bHasParent);
    // No job ran: it would have left its outcome here.
    QCOMPARE(finishLabel()->text(), QString());
    QVERIFY(!QFileInfo::exists(m_root.path() + QStringLiteral("/missing")));
}

void tst_Start::busyDialogWhileJobRuns()
{
    makeInstallation(m_root.path() + QStringLiteral("/JLink"));
    choose(m_root.path() + QStringLiteral("/JLink"));

    QPointer<QProgressDialog> dialog;
    bool bSawDialog = false;
    QString strLabelMeanwhile;
    QTimer::singleShot(0, [&] {
        dialog = visibleProgressDialog();
        bSawDialog = dialog;
        strLabelMeanwhile = finishLabel()->text();
        if (!dialog)
            return;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("QN58 Code Forge"));
        QCOMPARE(dialog->minimumSize(), QSize(400, 80));
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        QCOMPARE(dialog->windowIcon().availableSizes(),
                 QIcon(QStringLiteral(":/image/Kestri.ico")).availableSizes());
        QCOMPARE(dialog->windowFlags(),
                 Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint);
        QCOMPARE(dialog->labelText(), QStringLiteral("Generate code, Please Waiting..."));
        QVERIFY(!dialog->findChild<QPushButton *>());
        QCOMPARE(dialog->minimum(), 0);
        QCOMPARE(dialog->maximum(), 0);
        QCOMPARE(dialog->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(dialog->font().pointSize(), 13);
        QCOMPARE(dialog->font().weight(), 60);
        QVERIFY(!dialog->font().italic());
        QCOMPARE(dialog->styleSheet(), QStringLiteral("QProgressBar{text-align:center;}"));
        QVERIFY(!dialog->parentWidget());
    });
    pressStart();
    QVERIFY2(bSawDialog, "no busy dialog while the job ran");
    QCOMPARE(strLabelMeanwhile, QStringLiteral("Starting..."));
    // The handler owned the dialog: it is gone once the result shows.
    QVERIFY(dialog.isNull());
    QVERIFY(!visibleProgressDialog());
}

void tst_Start::outcomeLine_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("styleSheet");

    QTest::newRow("success") << QString()
                             << "Setup has performed all requested operations successfully"
                             << "color: Green;";
    QTest::newRow("message of the job")
        << "JLinkDevices.xml/" << "\"JLinkDevices.xml\" access failed: not a plain file"
        << "color: red;";
    QTest::newRow("deployment failed")
        << "Devices/Kestrilon"
        << "Setup has failed: the folder \"Devices/Kestrilon/QN58FLM\" could not be made"
        << "color: red;";
    // A plain file passes the checks; nothing can be created below it, and
    // the job's empty message gives way to the fallback.
    QTest::newRow("plain file") << "." << "Setup has failed: not a folder" << "color: red;";
    QTest::newRow("folder locked")
        << "lock"
        << "\"JLinkDevices.xml\" access failed: another installation into this folder is still running"
        << "color: red;";
}

void tst_Start::outcomeLine()
{
    QFETCH(QString, blocker);
    QFETCH(QString, text);
    QFETCH(QString, styleSheet);
    QString strFolder = m_root.path() + QStringLiteral("/JLink");
    makeInstallation(strFolder);
    if (blocker == QLatin1String(".")) {
        strFolder += QStringLiteral("/JLinkExe");
    } else if (blocker.endsWith(QLatin1Char('/'))) {
        QVERIFY(QFile::remove(strFolder + QLatin1Char('/') + blocker.chopped(1)));
        QVERIFY(QDir().mkpath(strFolder + QLatin1Char('/') + blocker));
    } else if (!blocker.isEmpty()) {
        QVERIFY(QDir().mkpath(QFileInfo(strFolder + QLatin1Char('/') + blocker).path()));
        QVERIFY(writeFile(strFolder + QLatin1Char('/') + blocker, "in the way"));
    }
    // Held by another job for longer than the window's job waits.
    InstallationLock lock(strFolder);
    if (blocker == QLatin1String("lock")) {
        QVERIFY(lock.acquire(std::chrono::milliseconds(0)));
        m_window.reset(new MainWindow(nullptr, m_root.path() + QStringLiteral("/discovery"),
                                      std::chrono::milliseconds(0)));
    }
    choose(strFolder);

    pressStart();
    QCOMPARE(finishLabel()->text(), text);
    QCOMPARE(finishLabel()->styleSheet(), styleSheet);
}

void tst_Start::secondStartShowsItsOwnResult()
{
    const QString strFolder = m_root.path() + QStringLiteral("/JLink");
    makeInstallation(strFolder);
    choose(strFolder);
    pressStart();
    QCOMPARE(finishLabel()->styleSheet(), QStringLiteral("color: Green;"));

    const QString strDatabase = strFolder + QStringLiteral("/JLinkDevices.xml");
    QVERIFY(QFile::remove(strDatabase));
    QVERIFY(QDir().mkdir(strDatabase));
    QString strLabelMeanwhile;
    QString strStyleMeanwhile;
    QTimer::singleShot(0, [&] {
        strLabelMeanwhile = finishLabel()->text();
        strStyleMeanwhile = finishLabel()->styleSheet();
    });
    pressStart();
    // Nothing is coloured before the new result arrives.
    QCOMPARE(strLabelMeanwhile, QStringLiteral("Starting..."));
    QCOMPARE(strStyleMeanwhile, QString());
    QCOMPARE(finishLabel()->text(),
             QStringLiteral("\"JLinkDevices.xml\" access failed: not a plain file"));
    QCOMPARE(finishLabel()->styleSheet(), QStringLiteral("color: red;"));
}

void tst_Start::resultAfterTheWait_data()
{
    QTest::addColumn<int>("otherFolder"); // 1: chosen meanwhile, 2: and started there
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("styleSheet");

    QTest::newRow("same folder") << 0 << "Setup has performed all requested operations successfully"
                                 << "color: Green;";
    QTest::newRow("other folder chosen") << 1 << QString() << QString();
    QTest::newRow("other folder started") << 2 << "Setup has failed: not a folder" << "color: red;";
}

void tst_Start::resultAfterTheWait()
{
    QFETCH(int, otherFolder);
    QFETCH(QString, text);
    QFETCH(QString, styleSheet);
    const QString strFolder = m_root.path() + QStringLiteral("/JLink");
    makeInstallation(strFolder);
    choose(strFolder);
    // Behind another job's lock, the job outlasts the busy dialog's wait.
    std::optional<InstallationLock> lock(strFolder);
    QVERIFY(lock->acquire(std::chrono::milliseconds(0)));
    pressStart();
    QCOMPARE(finishLabel()->text(),
             QStringLiteral("The installation is still running; its result will show here."));
    QCOMPARE(finishLabel()->styleSheet(), QString());
    // Screen readers speak the line that takes the focus.
    QCOMPARE(m_window->focusWidget(), finishLabel());
    if (otherFolder > 0) {
        // A plain file, where a job fails at once.
        choose(strFolder + QStringLiteral("/JLinkExe"));
        QCOMPARE(finishLabel()->text(), QString());
    }
    if (otherFolder > 1)
        pressStart();

    DeliveryWatch watch;
    m_window->installEventFilter(&watch);
    lock.reset();
    QTRY_VERIFY_WITH_TIMEOUT(watch.bDelivered, 60000);
    QCOMPARE(finishLabel()->text(), text);
    QCOMPARE(finishLabel()->styleSheet(), styleSheet);
}

void tst_Start::quitWaitsForRunningJob()
{
    // A job the window has stopped waiting for, still busy when the process quits.
    QSemaphore release;
    QThread *job = QThread::create([&release] { release.acquire(); });
    QPointer<QThread> watched(job);
    detachJob(job);
    job->start();
    std::thread releaser([&release] {
        QThread::msleep(200);
        release.release();
    });

    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QApplication::exec();
    const bool bFinishedAtQuit = watched && watched->isFinished();
    releaser.join();
    QVERIFY(bFinishedAtQuit);
}

void tst_Start::finishedJobIsDeleted()
{
    QThread *job = QThread::create([] {});
    QPointer<QThread> watched(job);
    detachJob(job);
    job->start();
    QTRY_VERIFY(watched.isNull());
}

void tst_Start::startInstallsIntoNewUserFolder()
{
    FakeInstallations installations;
    installations.add(QStringLiteral("JLink_V794"));
    m_window.reset(new MainWindow(nullptr, installations.discoveryRoot()));
    auto *combo = m_window->findChild<QComboBox *>(QStringLiteral("comboBox_Path"));
    const QString strUserFolder = userDeviceFolder();
    QCOMPARE(combo->itemText(combo->count() - 1), strUserFolder);
    QVERIFY(!QFileInfo::exists(strUserFolder));

    combo->setCurrentIndex(combo->count() - 1);
    pressStart();
    QCOMPARE(finishLabel()->text(),
             QStringLiteral("Setup has performed all requested operations successfully"));
    QCOMPARE(entryVendors(strUserFolder).count(QStringLiteral("Kestrilon")), 528);
    QVERIFY(QFileInfo::exists(strUserFolder + QStringLiteral("/Devices/Kestrilon/QN58FLM/QN58Kxxx.JLinkScript")));
    // Nothing is made beside the per-user folder.
    QCOMPARE(QDir(m_home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QDir(m_home.path())
                             .relativeFilePath(QDir::fromNativeSeparators(strUserFolder))
                             .section(QLatin1Char('/'), 0, 0)});
}

QTEST_MAIN(tst_Start)
#include "tst_start.moc"
