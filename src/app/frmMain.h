#pragma once

#include "db/AppError.h"

#include <QGroupBox>
#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

struct FileDialogResult;
class HelpIcon;
class LetterFieldArray;
class LetterFieldKeys;
class ResultsList;
class ResultsModel;
class SearchRunner;
class modMain;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QTreeView;

// The main window. It holds the database frame, the four search frames, the
// results frame, the status bar and the menus; MainWindowLayout builds them.
// The database check and the "&Plik" commands live in frmMainDatabase.cpp.
//
// Controls are public, as every window of the program may read them, and carry
// their names as Qt object names. Control arrays are std::arrays whose elements
// are named "<array>_<index>": the letter fields T are "T_0" .. "T_14", the rack
// fields U are "U_0" .. "U_6". Status bar panels are "barStatusPanel1" .. "4".
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int LetterFields = 15;
    static constexpr int RackFields = 7;

    // Builds the window and runs Form_Load, so it is ready to show.
    explicit frmMain(modMain& mod, QWidget* parent = nullptr);
    ~frmMain() override;

    modMain& mod() { return m_mod; }

    // Database frame.
    QGroupBox* fraDatabase = nullptr;
    QLabel* labInfo1 = nullptr;
    QLabel* labDBName = nullptr; // the path followed by one blank
    QLabel* labInfo2 = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLabel* labInfo3 = nullptr;
    QLabel* pctDBStatus = nullptr;
    QLabel* labInfo4 = nullptr;
    QCheckBox* chkReadOnly = nullptr; // shows DBReadOnly; never read
    QPushButton* cmdDBTest = nullptr;
    HelpIcon* pctDBHelp = nullptr;

    // Crossword search.
    QGroupBox* fraSearch1 = nullptr;
    std::array<QLineEdit*, LetterFields> T{};
    QScrollBar* scrSearch1 = nullptr;
    QCheckBox* chkSearch1 = nullptr;
    QPushButton* btnSearch1 = nullptr;
    QPushButton* btnClear1 = nullptr;
    HelpIcon* pctHelp1 = nullptr;

    // Pattern search.
    QGroupBox* fraSearch2 = nullptr;
    QLineEdit* txtPattern = nullptr;
    QCheckBox* chkSearch2 = nullptr;
    QPushButton* btnSearch2 = nullptr;
    QPushButton* btnClear2 = nullptr;
    HelpIcon* pctHelp2 = nullptr;

    // Scrabble search.
    QGroupBox* fraSearch3 = nullptr;
    std::array<QLineEdit*, RackFields> U{};
    QScrollBar* scrSearch3 = nullptr;
    QCheckBox* chkSearch3 = nullptr;
    QPushButton* btnSearch3 = nullptr;
    QPushButton* btnClear3 = nullptr;
    HelpIcon* pctHelp3 = nullptr;

    // Query search.
    QGroupBox* fraSearch4 = nullptr;
    QPlainTextEdit* txtQuery = nullptr;
    QPushButton* btnSearch4 = nullptr;
    QPushButton* btnClear4 = nullptr;
    HelpIcon* pctHelp4 = nullptr;

    // Results.
    QGroupBox* fraResults = nullptr;
    QTreeView* lvResults = nullptr;
    QLabel* labHint1 = nullptr;
    QLabel* labHint2 = nullptr;
    HelpIcon* pctResultsHelp = nullptr;

    // Status bar with its four panels (index 0 is panel 1).
    QStatusBar* barStatus = nullptr;
    std::array<QLabel*, 4> barStatusPanels{};
    QLabel* barStatusPanel(int number) const { return barStatusPanels.at(number - 1); }
    void setPanelText(int number, const QString& text);
    QString panelText(int number) const;

    // Menus of the menu bar and their entries.
    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* sep1a = nullptr;
    QAction* mnuNew = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuClose = nullptr;
    QAction* sep1b = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuDB = nullptr;
    QAction* mnuStats = nullptr;
    QMenu* mnuSettings = nullptr;
    QAction* mnuLogError = nullptr;
    QAction* sep2 = nullptr;
    QAction* mnuOptions = nullptr;
    QMenu* mnuInfo = nullptr;
    QAction* mnuAbout = nullptr;

    // The pop-up menu of the results list; never in the menu bar.
    QMenu* mnuPopUp = nullptr;
    QAction* mnuPopUpMaintainDescriptions = nullptr;
    QAction* mnuPopUpMaintainWord = nullptr;
    QAction* sepPopUp = nullptr;
    QAction* mnuPopUpAddWord = nullptr;
    QAction* mnuPopUpDeleteWord = nullptr;

    // Image 1 (index 0): connected; image 2 (index 1): not connected.
    QList<QPixmap> imgList;

    // Search state shared with the search runs.
    bool bSearchRunning = false;
    bool bStopSearch = false;

    // Enabled state of frames and menus.
    void EnableDisableFrame(bool enable, QWidget* frame);
    void EnableDisableControls(bool enable);
    void EnableDisableSearch(bool enable);
    void LoadDBStatusImage(bool connected);

    // The path of the current database: the caption of labDBName without its
    // surrounding blanks.
    QString dbPath() const;

    // Start-up.
    void Form_Load();
    void LoadSettings();
    void ApplySettings();
    // Panels 2 and 3 show RefreshRecords and MaxRecords.
    void showSettingsInStatusBar();

    // Connection and schema check of the database named by labDBName,
    // txtPassword and DBReadOnly; DBStatus builds ConnString on the way.
    qint16 DBStatus();
    QString DBError(qint16 code);
    bool DBTest();
    // Reopens the database remembered at the last close (RecallDB).
    void LoadLastDB();

    // Results list: lvResults shows the results model, which keeps the rows,
    // the columns and the sort state.
    void clearResults(); // all items and all column headers
    void setResultColumns(const QStringList& captions);
    void addWordColumn(); // "Wyraz", 500 twips narrower than the list
    ResultsModel* resultsModel() const;
    ResultsList* results() const { return m_results; }

    // Background colours of text boxes, the results list and the rack fields.
    static QColor windowColour();
    static QColor buttonFaceColour();
    static QColor rackColour();

    // Searches: letter fields, input boxes, search and clear buttons, results list.
    // The key state of T (OldFieldText, TypedChar) and of U (OldRackText,
    // TypedRackChar) lives in their LetterFieldKeys. A key-down handler answers
    // true when it dealt with the key.
    bool T_KeyDown(int index, int keyCode);
    void T_KeyPress(int index, const QString& typed);
    void T_Change(int index);
    void T_MouseUp(int index);
    bool U_KeyDown(int index, int keyCode);
    void U_KeyPress(int index, const QString& typed);
    void U_Change(int index);
    void U_MouseUp(int index);
    bool txtPattern_KeyDown(int keyCode);
    bool txtQuery_KeyDown(int keyCode);
    void btnSearch1_Click();
    void btnSearch2_Click();
    void btnSearch3_Click();
    void btnSearch4_Click();
    void btnClear1_Click();
    void btnClear2_Click();
    void btnClear3_Click();
    void btnClear4_Click();
    void lvResults_ColumnClick(int column);
    // x and y: the pointer in the list's viewport, in pixels.
    void lvResults_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // Maintenance from the results list (frmMainMaintenance.cpp).
    void lvResults_DblClick();
    void mnuPopUpMaintainDescriptions_Click();
    void mnuPopUpMaintainWord_Click();
    void mnuPopUpAddWord_Click();
    void mnuPopUpDeleteWord_Click();

public slots:
    void scrSearch1_Change();
    void scrSearch3_Change();
    void mnuExit_Click();
    void cmdDBTest_Click();
    void mnuOpen_Click();
    void mnuNew_Click();
    void mnuSaveAs_Click();
    void mnuClose_Click();
    // The error log, statistics and about windows (frmMainInfoWindows.cpp).
    void mnuLogError_Click();
    void mnuStats_Click();
    void mnuAbout_Click();

    // The options dialog and the help icons of the frames (frmMainOptionsHelp.cpp).
    void mnuOptions_Click();
    void pctDBHelp_Click();
    void pctHelp1_Click();
    void pctHelp2_Click();
    void pctHelp3_Click();
    void pctHelp4_Click();
    void pctResultsHelp_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The closing question; cancel is set when the window must stay.
    void Form_QueryUnload(bool& cancel);
    void setFieldsByCount(QScrollBar* bar, QLineEdit* const* fields, int count, const QColor& active);
    void connectHandlers();
    void connectSearchHandlers();
    void connectMaintenanceHandlers();
    // The description window for the list's current row.
    void openDescriptions();
    void connectOptionsAndHelp();

    // Shared steps of the file commands.
    FileDialogResult chooseDatabaseFile(bool save, const QString& title, const QString& filter);
    void takeOver(const QString& path, bool readOnly);
    void checkAndShow();
    // A file opened or created: taken over with no password and empty search fields, then checked.
    void startAfresh(const QString& path, bool readOnly);
    void emptySearchFields();
    void setDatabaseEntries(bool enable);

    modMain& m_mod;
    // The error of the last DBStatus, if one ended it.
    std::optional<AppError> m_checkError;
    ResultsList* m_results = nullptr;
    LetterFieldArray* m_TFields = nullptr;
    LetterFieldArray* m_UFields = nullptr;
    std::unique_ptr<LetterFieldKeys> m_TKeys;
    std::unique_ptr<LetterFieldKeys> m_UKeys;
    std::unique_ptr<SearchRunner> m_searches;

    friend class MainWindowLayout;
};
