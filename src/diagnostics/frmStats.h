#pragma once

#include <QDialog>

#include <array>

class modMain;
class QGroupBox;
class QLabel;
class QPushButton;

// The statistics of the open database: counts, descriptions per word, the
// file's modification time and the time the gathering took.
class frmStats : public QDialog {
    Q_OBJECT
public:
    static constexpr int Rows = 5;

    // Runs Form_Load: gathers the figures and then closes `waitWindow` (if
    // any), so the window is filled before it is shown. `dbPath` is the file
    // named by the main window.
    frmStats(modMain& mod, const QString& dbPath, QWidget* waitWindow = nullptr, QWidget* parent = nullptr);

    QGroupBox* fraStats = nullptr;
    std::array<QLabel*, Rows> labInfo{};   // "labInfo0" .. "labInfo4"
    std::array<QLabel*, Rows> labAnswer{}; // "labAnswer0" .. "labAnswer4"
    QPushButton* btnClose = nullptr;

    void LoadStats();
    void btnClose_Click();

private:
    void Form_Load();

    modMain& m_mod;
    QString m_dbPath;
    QWidget* m_waitWindow;
};
