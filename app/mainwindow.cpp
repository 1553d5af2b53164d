#include "mainwindow.h"

#include "detachedjob.h"
#include "jlinkaddqn58mcu.h"
#include "outcome.h"
#include "targets.h"
#include "userfolder.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpacerItem>
#include <QThread>
#include <QVBoxLayout>

namespace {

QFont verdana(int nPointSize, int nWeight = -1)
{
    QFont font;
    font.setFamily(QStringLiteral("Verdana"));
    font.setPointSize(nPointSize);
    if (nWeight >= 0)
        font.setWeight(nWeight);
    return font;
}

QSpacerItem *expandingSpacer(int nHeight)
{
    return new QSpacerItem(50, nHeight, QSizePolicy::Expanding, QSizePolicy::Fixed);
}

// Lines the result line wraps over at most: the message and a reason.
const int resultLines = 3;

} // namespace

MainWindow::MainWindow(QWidget *parent, const JLinkSearch &search,
                       std::chrono::milliseconds lockWait)
    : QMainWindow(parent)
    , m_nResult(-1)
    , m_strUserFolder(userDeviceFolder())
    , m_lockWait(lockWait)
{
    buildWidgets();
    // 615 x 365 holds the text at 96 DPI and wherever the toolkit scales the
    // window with its fonts; a larger font DPI alone makes it as large as the
    // layout needs.
    setFixedSize(QSize(615, 365).expandedTo(minimumSizeHint()));
    //: %1 is the version, such as 2.0.17
    setWindowTitle(
        tr("Setup QN58 MCU Device AddOn to Segger V%1").arg(QStringLiteral(QN58_VERSION)));
    setWindowIcon(QIcon(QStringLiteral(":/image/sandbox_shfXP.ico")));
    setWindowFlags(Qt::MSWindowsFixedSizeDialogHint);
    m_nResult = -1;
    discoverJLinkFolders(search);

    connect(pushButtonBrowse, SIGNAL(clicked()), this, SLOT(button_Browse_Click_Slot()));
    connect(pushButtonStart, SIGNAL(clicked()), this, SLOT(button_Start_Click_Slot()));
    connect(pushButtonCancel, SIGNAL(clicked()), this, SLOT(close()));
    connect(comboBox_Path, SIGNAL(currentTextChanged(QString)), this,
            SLOT(comboBox_Path_Changed_Slot()));
}

void MainWindow::buildWidgets()
{
    const QFont textFont = verdana(8);
    const QFont titleFont = verdana(12, QFont::Normal);
    const QFont noteFont = verdana(8, QFont::Bold);
    const QFont buttonFont = verdana(9);
    const QFont statusFont = verdana(10, QFont::Bold);

    centralWidget = new QWidget(this);
    centralWidget->setObjectName(QStringLiteral("centralWidget"));

    groupBox = new QGroupBox(centralWidget);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    groupBox->setFont(textFont);
    groupBox->setTitle(tr("This SETUP program installs:"));

    label = new QLabel(groupBox);
    label->setObjectName(QStringLiteral("label"));
    label->setFont(titleFont);
    label->setText(tr("QN58 MCU Device AddOn to Segger"));

    label2 = new QLabel(centralWidget);
    label2->setObjectName(QStringLiteral("label2"));
    label2->setFont(textFont);
    label2->setText(tr("This AddOn will install into the following product folder."));

    label3 = new QLabel(centralWidget);
    label3->setObjectName(QStringLiteral("label3"));
    label3->setFont(textFont);
    label3->setText(tr("To install to this folder, press \"Start\". "
                       "To install to a different folder, press \"Browse\""));

    label4 = new QLabel(centralWidget);
    label4->setObjectName(QStringLiteral("label4"));
    label4->setFont(textFont);
    label4->setText(tr("and select another folder."));

    label5 = new QLabel(centralWidget);
    label5->setObjectName(QStringLiteral("label5"));
    label5->setFont(noteFont);
    label5->setText(tr("Support Segger JLink V620C and above."));

    groupBox2 = new QGroupBox(centralWidget);
    groupBox2->setObjectName(QStringLiteral("groupBox2"));
    groupBox2->setFont(textFont);
    groupBox2->setLayoutDirection(Qt::LeftToRight);
    groupBox2->setTitle(tr("Destination Folder"));

    comboBox_Path = new QComboBox(groupBox2);
    comboBox_Path->setObjectName(QStringLiteral("comboBox_Path"));
    comboBox_Path->setFont(textFont);
    comboBox_Path->setEditable(false);
    comboBox_Path->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    pushButtonBrowse = new QPushButton(groupBox2);
    pushButtonBrowse->setObjectName(QStringLiteral("pushButtonBrowse"));
    pushButtonBrowse->setFont(textFont);
    pushButtonBrowse->setText(tr("Browse..."));

    pushButtonStart = new QPushButton(centralWidget);
    pushButtonStart->setObjectName(QStringLiteral("pushButtonStart"));
    pushButtonStart->setFont(buttonFont);
    pushButtonStart->setText(tr("Start"));
    pushButtonStart->setDefault(true);

    pushButtonCancel = new QPushButton(centralWidget);
    pushButtonCancel->setObjectName(QStringLiteral("pushButtonCancel"));
    pushButtonCancel->setFont(buttonFont);
    pushButtonCancel->setText(tr("Cancel"));

    label_finish = new QLabel(centralWidget);
    label_finish->setObjectName(QStringLiteral("label_finish"));
    label_finish->setFont(statusFont);
    // Focus on the outcome makes screen readers speak it; the keyboard reaches it too.
    label_finish->setTextInteractionFlags(Qt::TextSelectableByMouse
                                          | Qt::TextSelectableByKeyboard);
    // Empty until a run ends, yet the fixed window must hold the success line
    // on one line, and a message with its reason wrapped below it: measured
    // as the label lays out its text.
    label_finish->setText(outcomeText(0, QString()));
    const int nWidth = label_finish->sizeHint().width();
    label_finish->setText(QStringLiteral("\n").repeated(resultLines - 1));
    label_finish->setMinimumSize(nWidth, label_finish->sizeHint().height());
    label_finish->setText(tr(""));
    label_finish->setWordWrap(true);

    auto *titleRow = new QHBoxLayout(groupBox);
    titleRow->addItem(expandingSpacer(25));
    titleRow->addWidget(label);
    titleRow->addItem(expandingSpacer(25));

    auto *folderRow = new QHBoxLayout(groupBox2);
    folderRow->addWidget(comboBox_Path);
    folderRow->addWidget(pushButtonBrowse);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addItem(expandingSpacer(50));
    buttonRow->addWidget(pushButtonStart);
    buttonRow->addWidget(pushButtonCancel);

    auto *column = new QVBoxLayout(centralWidget);
    column->setContentsMargins(20, 10, 20, 10);
    column->addWidget(groupBox);
    column->addWidget(label2);
    column->addWidget(label3);
    column->addWidget(label4);
    column->addWidget(label5);
    column->addItem(new QSpacerItem(20, 10, QSizePolicy::Fixed, QSizePolicy::Fixed));
    column->addWidget(groupBox2);
    column->addWidget(label_finish);
    column->addLayout(buttonRow);

    setCentralWidget(centralWidget);

    setTabOrder(comboBox_Path, pushButtonBrowse);
    setTabOrder(pushButtonBrowse, pushButtonStart);
    setTabOrder(pushButtonStart, pushButtonCancel);
    setTabOrder(pushButtonCancel, label_finish);
}

void MainWindow::discoverJLinkFolders(const JLinkSearch &search)
{
    // Recorded so that a later Browse keeps the installations found here.
    m_strListPath = discoverJLinkInstallations(search);
    // Last, so that the newest installation stays the first proposal.
    if (proposesUserFolder(m_strListPath, m_strUserFolder))
        m_strListPath.append(m_strUserFolder);
    comboBox_Path->addItems(m_strListPath);
    if (!m_strListPath.isEmpty() && prefersUserFolder(m_strListPath.first()))
        comboBox_Path->setCurrentText(m_strUserFolder);
    if (comboBox_Path->count() > 0)
        return;

    auto *placeholder = new QLineEdit;
    placeholder->setReadOnly(true);
    placeholder->setStyleSheet(QStringLiteral("border:none; font-size:26px; font-weight:bold; "
                                              "color:#5f666e; background:transparent;"));
    placeholder->setPlaceholderText(
        tr("Click the \"Browse...\" to select the installation directory of JLink"));
    comboBox_Path->setLineEdit(placeholder);
}

void MainWindow::button_Browse_Click_Slot()
{
    const QString strFolder = QFileDialog::getExistingDirectory(
        this, tr("Select directory"), browseStartFolder(), QFileDialog::ShowDirsOnly);
    if (strFolder.isEmpty())
        return;

    comboBox_Path->clear();
    comboBox_Path->addItems(m_strListPath);
    const int nKnown = m_strListPath.indexOf(strFolder);
    if (nKnown >= 0) {
        comboBox_Path->setCurrentIndex(nKnown);
        return;
    }
    comboBox_Path->addItem(strFolder);
    comboBox_Path->setCurrentIndex(comboBox_Path->count() - 1);
}

void MainWindow::button_Start_Click_Slot()
{
    showStatus(QString(), QString());
    if (comboBox_Path->currentText().isEmpty()) {
        showError(tr("The folder path can't be empty"));
        return;
    }
    // The per-user folder need not exist before the first installation into it.
    if (comboBox_Path->currentText() == m_strUserFolder)
        makeUserDeviceFolder(m_strUserFolder);
    // A relative name resolves against the working folder; a plain file passes.
    if (!QDir().exists(comboBox_Path->currentText())) {
        showError(tr("The folder path does not exists"));
        return;
    }

    label_finish->setText(tr("Starting..."));
    m_nResult = -1;
    // A wait that ends without a result must not repeat an earlier message.
    m_strErrorInfo.clear();
    m_strReason.clear();
    m_strJobFolder = comboBox_Path->currentText();
    auto *worker = new JLinkAddQN58MCU(m_strJobFolder, m_lockWait);
    m_job = worker;
    connect(worker, SIGNAL(emitReason(QString)), this, SLOT(JLinkAddQN58_Reason_Slot(QString)));
    connect(worker, SIGNAL(emitResult(int, QString)), this, SLOT(JLinkAddQN58_Slot(int, QString)));
    detachJob(worker);
    worker->start();

    QProgressDialog progress;
    showBusyDialog(progress);
    QCoreApplication::processEvents();
    m_bWaiting = true;
    waitForResult();
    m_bWaiting = false;
    progress.close();

    // A job still waiting for another on its folder reports later; until then
    // the line keeps the palette's text colour, neither success nor failure.
    if (m_nResult < 0)
        showStatus(tr("The installation is still running; its result will show here."),
                   QString());
    else
        showOutcome();
}

// An outcome belongs to the folder it was reached for.
void MainWindow::comboBox_Path_Changed_Slot()
{
    showStatus(QString(), QString());
}

void MainWindow::JLinkAddQN58_Slot(int nResult, QString strErrorInfo)
{
    if (sender() != m_job)
        return;
    m_nResult = nResult;
    m_strErrorInfo = strErrorInfo;
    if (!m_bWaiting && comboBox_Path->currentText() == m_strJobFolder)
        showOutcome();
}

void MainWindow::JLinkAddQN58_Reason_Slot(QString strReason)
{
    if (sender() == m_job)
        m_strReason = strReason;
}

void MainWindow::showOutcome()
{
    showStatus(outcomeText(m_nResult, m_strErrorInfo, m_strReason),
               m_nResult == 0 ? QStringLiteral("color: Green;") : QStringLiteral("color: red;"));
}

void MainWindow::showStatus(const QString &strText, const QString &strStyleSheet)
{
    label_finish->setText(strText);
    label_finish->setStyleSheet(strStyleSheet);
    // Screen readers speak the widget that takes the focus.
    if (!strText.isEmpty())
        label_finish->setFocus(Qt::OtherFocusReason);
}

// What a dialog does with these keys, which a main window leaves out: Return
// presses the focused button, else the default one.
void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        pushButtonCancel->click();
        return;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    auto *button = qobject_cast<QPushButton *>(focusWidget());
    (button ? button : pushButtonStart)->click();
}

void MainWindow::showError(const QString &strText)
{
    QMessageBox box(QMessageBox::Warning, tr("Error"), strText, QMessageBox::NoButton, nullptr,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setStandardButtons(QMessageBox::Ok);
    box.setButtonText(QMessageBox::Ok, tr("Ok"));
    box.exec();
}

void MainWindow::showBusyDialog(QProgressDialog &progress)
{
    progress.setWindowTitle(QStringLiteral("QN58 Code Forge"));
    progress.setMinimumSize(400, 80);
    progress.setWindowModality(Qt::WindowModal);
    progress.setWindowIcon(QIcon(QStringLiteral(":/image/Kestri.ico")));
    progress.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint);
    progress.setLabelText(tr("Generate code, Please Waiting..."));
    progress.setCancelButton(nullptr);
    progress.setRange(0, 0);
    QFont font(QStringLiteral("Verdana"), 13, 60, false);
    progress.setFont(font);
    progress.setStyleSheet(QStringLiteral("QProgressBar{text-align:center;}"));
    progress.setMinimumDuration(0);
    progress.show();
}

// User input waits in the queue until the handler returns; the result slot
// runs inside the event processing.
void MainWindow::waitForResult()
{
    int nPasses = 0;
    while (m_nResult < 0) {
        if (++nPasses > 500)
            break;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(10);
    }
}
