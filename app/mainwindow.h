#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "jlinkfolders.h"

#include <QMainWindow>
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
    // strDiscoveryRoot is where J-Link installations are looked up; tests
    // point it at a folder of their own.
    explicit MainWindow(QWidget *parent = nullptr,
                        const QString &strDiscoveryRoot = defaultJLinkDiscoveryRoot());

private slots:
    void button_Browse_Click_Slot();
    void button_Start_Click_Slot();
    void JLinkAddQN58_Slot(int nResult, QString strErrorInfo);

private:
    void buildWidgets();
    void discoverJLinkFolders(const QString &strDiscoveryRoot);
    void showError(const QString &strText);
    void showBusyDialog(QProgressDialog &progress);
    void waitForResult();

    QStringList m_strListPath;
    int m_nResult;
    QString m_strErrorInfo;
    // Proposed after the installations found, and made when chosen.
    const QString m_strUserFolder;

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
