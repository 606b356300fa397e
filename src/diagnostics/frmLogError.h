#pragma once

#include "diagnostics/LogRow.h"
#include "diagnostics/LogSort.h"

#include <QDialog>
#include <QList>

class LinkLabel;
class modMain;
class QGroupBox;
class QPushButton;
class QTreeWidget;

// The error log viewer: the log as a four-column list that sorts by any
// column, and a link that prepares an e-mail with the log.
class frmLogError : public QDialog {
    Q_OBJECT
public:
    // Builds the window and loads the log, so it is ready to show.
    explicit frmLogError(modMain& mod, QWidget* parent = nullptr);

    QGroupBox* fraLogError = nullptr;
    QTreeWidget* lvLogError = nullptr;
    LinkLabel* labSendLog = nullptr;
    QPushButton* btnClose = nullptr;

    void LoadLogError();
    void btnClose_Click();
    void labSendLog_Click();
    void lvLogError_ColumnClick(int column);

private:
    void Form_Load();
    void showRows();
    QString logPath() const;

    modMain& m_mod;
    QList<LogRow> m_rows;
    LogSort m_sort;
};
