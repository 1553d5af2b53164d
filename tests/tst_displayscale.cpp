#include "fakeinstallations.h"
#include "mainwindow.h"
#include "temporaryhome.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>

namespace {

// Empty when the widget is at least as large as it needs, else both sizes.
QString shortfall(const QWidget *widget, const QSize &need)
{
    if (widget->width() >= need.width() && widget->height() >= need.height())
        return QString();
    return QStringLiteral("%1x%2 for %3x%4")
        .arg(widget->width()).arg(widget->height()).arg(need.width()).arg(need.height());
}

} // namespace

// The window's fonts are in points: at 150 % font size on a screen the toolkit
// does not scale, the window itself must make room for every text.
class tst_DisplayScale : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowStaysFixed();
    void widgetHoldsItsContent_data();
    void widgetHoldsItsContent();
    void resultLineHoldsEachOutcome_data();
    void resultLineHoldsEachOutcome();

private:
    // The window proposes no per-user folder of the real machine.
    QTemporaryDir m_home;
    TemporaryHome m_temporaryHome{QDir::toNativeSeparators(m_home.path())};
    FakeInstallations m_installations;
    QScopedPointer<MainWindow> m_window;
};

void tst_DisplayScale::initTestCase()
{
    // Fonts at the design's size would let every case below pass unchanged.
    QCOMPARE(QApplication::primaryScreen()->logicalDotsPerInchY(), 144.0);
    QCOMPARE(qApp->devicePixelRatio(), 1.0);

    m_installations.add(QStringLiteral("JLink_V794"));
    m_window.reset(new MainWindow(nullptr, m_installations.discoveryRoot()));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
}

void tst_DisplayScale::windowStaysFixed()
{
    const QSize size = m_window->size();
    QVERIFY(size.width() >= 615 && size.height() >= 365);
    QCOMPARE(m_window->minimumSize(), size);
    QCOMPARE(m_window->maximumSize(), size);
    m_window->resize(size + QSize(100, 100));
    QCOMPARE(m_window->size(), size);
}

void tst_DisplayScale::widgetHoldsItsContent_data()
{
    QTest::addColumn<QString>("name");

    for (const char *name : {"groupBox", "label", "label2", "label3", "label4", "label5", "groupBox2",
                             "comboBox_Path", "pushButtonBrowse", "pushButtonStart", "pushButtonCancel"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_DisplayScale::widgetHoldsItsContent()
{
    QFETCH(QString, name);

    auto *widget = m_window->findChild<QWidget *>(name);
    QVERIFY(widget);
    const QString strShortfall = shortfall(widget, widget->minimumSizeHint());
    QVERIFY2(strShortfall.isEmpty(), qPrintable(strShortfall));
}

void tst_DisplayScale::resultLineHoldsEachOutcome_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("starting") << "Starting...";
    QTest::newRow("success") << "Setup has performed all requested operations successfully";
    QTest::newRow("database") << "\"JLinkDevices.xml\" access failed";
    QTest::newRow("failure") << "Setup has failed";
    QTest::newRow("reason") << "\"JLinkDevices.xml\" access failed: another installation into this "
                               "folder is still running, and not well-formed at line 7, column 1";
}

void tst_DisplayScale::resultLineHoldsEachOutcome()
{
    QFETCH(QString, text);

    const QSize windowSize = m_window->size();
    auto *status = m_window->findChild<QLabel *>(QStringLiteral("label_finish"));
    status->setText(text);
    QCoreApplication::sendPostedEvents();
    // A wrapping line needs the height its text takes at the window's width.
    const QSize need = status->wordWrap()
        ? QSize(status->width(), status->heightForWidth(status->width()))
        : status->sizeHint();
    const QString strShortfall = shortfall(status, need);
    QVERIFY2(strShortfall.isEmpty(), qPrintable(strShortfall));
    QCOMPARE(m_window->size(), windowSize);
}

int main(int argc, char *argv[])
{
    // Read when the screen is set up, so before the application exists.
    qputenv("QT_FONT_DPI", "144");
    QApplication app(argc, argv);
    tst_DisplayScale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_displayscale.moc"
