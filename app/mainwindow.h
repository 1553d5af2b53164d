#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "installationlock.h"
#include "jlinkfolders.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressDialog;
class QPushButton;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // search is where J-Link installations are looked up, lockWait how long a
    // job waits for another on the same folder; tests choose both.
    explicit MainWindow(QWidget *parent = nullptr,
                        const JLinkSearch &search = defaultJLinkSearch(),
                        std::chrono::milliseconds lockWait = installationLockWait);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void button_Browse_Click_Slot();
    void button_Start_Click_Slot();
    void comboBox_Path_Changed_Slot();
    void JLinkAddQN58_Slot(int nResult, QString strErrorInfo);
    void JLinkAddQN58_Reason_Slot(QString strReason);

private:
    void buildWidgets();
    void discoverJLinkFolders(const JLinkSearch &search);
    void showError(const QString &strText);
    void showBusyDialog(QProgressDialog &progress);
    void waitForResult();
    void showOutcome();
    void showStatus(const QString &strText, const QString &strStyleSheet);

    QStringList m_strListPath;
    int m_nResult;
    QString m_strErrorInfo;
    QString m_strReason;
    // Proposed after the installations found, and made when chosen.
    const QString m_strUserFolder;
    const std::chrono::milliseconds m_lockWait;
    // The job of the last Start and its folder: an earlier job's result, or
    // one for a folder no longer selected, is not shown.
    QPointer<QObject> m_job;
    QString m_strJobFolder;
    bool m_bWaiting = false;

    QWidget *centralWidget;
    QGroupBox *groupBox;
    QLabel *label;
    QLabel *label2;
    QLabel *label3;
    QLabel *label4;
    QLabel *label5;
    QGroupBox *groupBox2;
    QPushButton *pushButtonBrowse;
    QComboBox *comboBox_Path;
    QPushButton *pushButtonStart;
    QPushButton *pushButtonCancel;
    QLabel *label_finish;
};

#endif
