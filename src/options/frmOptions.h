#pragma once

#include "options/OptionsValidation.h"

#include <QDialog>

class HelpIcon;
class frmMain;
class modMain;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The options dialog: three tabs over the fourteen settings of section
// "Options". Save validates, stores and closes; Apply copies the search tab into
// the main window's search controls and stays open; Cancel changes nothing.
// Made afresh on every opening, so it always starts from the settings in memory.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    // Builds the dialog and runs Form_Load. main is the window whose search
    // controls Apply changes and whose status bar Save updates.
    frmOptions(modMain& mod, frmMain& main, QWidget* parent = nullptr);

    // Tab 1, database.
    QTabWidget* tabOptions = nullptr;
    QGroupBox* fraTab1 = nullptr;
    QLabel* labInfo1 = nullptr;
    QLineEdit* txtTimeout = nullptr;
    QLabel* labInfo2 = nullptr;
    QLineEdit* txtMaxRecords = nullptr;
    QLabel* labInfo5 = nullptr;
    QLineEdit* txtRefreshRecords = nullptr;
    QCheckBox* chkIgnoreMaxRecords = nullptr;
    QCheckBox* chkOpenReadOnly = nullptr;
    QCheckBox* chkRecallDB = nullptr;
    HelpIcon* pctTab1Help = nullptr;

    // Tab 2, search defaults, in three groups.
    QGroupBox* fraTab2 = nullptr;
    QGroupBox* fraSearch1 = nullptr;
    QLabel* labInfo3 = nullptr;
    QLineEdit* txtFields1 = nullptr;
    QCheckBox* chkAnagrams = nullptr;
    HelpIcon* pctTab2aHelp = nullptr;
    QGroupBox* fraSearch2 = nullptr;
    QCheckBox* chkDescriptions = nullptr;
    HelpIcon* pctTab2bHelp = nullptr;
    QGroupBox* fraSearch3 = nullptr;
    QLabel* labInfo4 = nullptr;
    QLineEdit* txtFields3 = nullptr;
    QCheckBox* chkBlanks = nullptr;
    HelpIcon* pctTab2cHelp = nullptr;

    // Tab 3, logging.
    QGroupBox* fraTab3 = nullptr;
    QCheckBox* chkLogErrors = nullptr;
    QCheckBox* chkLogQueryErrors = nullptr;
    QCheckBox* chkLogConnErrors = nullptr;
    HelpIcon* pctTab3Help = nullptr;

    QPushButton* btnSave = nullptr;
    QPushButton* btnApply = nullptr;
    QPushButton* btnCancel = nullptr;

    // A search-tab value changed since the opening or the last Apply.
    bool searchChangePending() const { return m_searchChangePending; }

    // The controls as they stand.
    OptionsValues values() const;

    void LoadSettings();
    bool ValidateSettings();

public slots:
    void tabOptions_Click();
    void btnSave_Click();
    void btnApply_Click();
    void btnCancel_Click();
    void txtFields1_Change();
    void txtFields3_Change();
    void chkAnagrams_Click();
    void chkDescriptions_Click();
    void chkBlanks_Click();
    void chkLogErrors_Click();
    void pctTab1Help_Click();
    void pctTab2aHelp_Click();
    void pctTab2bHelp_Click();
    void pctTab2cHelp_Click();
    void pctTab3Help_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void buildDatabaseTab();
    void buildSearchTab();
    void buildLoggingTab();
    void connectHandlers();
    void searchChanged();
    // Shows the failure: the warning, its tab selected, the focus in its field.
    void showFailure(const OptionsFailure& failure);

    modMain& m_mod;
    frmMain& m_main;
    bool m_searchChangePending = false;
};
