#pragma once

#include <QDialog>

#include <array>

class LinkLabel;
class modMain;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

// The about window: version, the program file's date, the author, and the
// web page and e-mail links.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int Rows = 5;

    // Builds the window and runs Form_Load, so it is ready to show.
    explicit frmAbout(modMain& mod, QWidget* parent = nullptr);

    QGroupBox* fraAbout = nullptr;
    QLabel* pctLogo = nullptr;
    QLabel* labTitle = nullptr;
    QFrame* lnSep1 = nullptr;
    std::array<QLabel*, Rows> labInfo{}; // "labInfo0" .. "labInfo4"
    QLabel* labAnswer0 = nullptr;        // version
    QLabel* labAnswer1 = nullptr;        // date of the program file
    QLabel* labAnswer2 = nullptr;        // author
    LinkLabel* labAnswer3 = nullptr;     // web page
    LinkLabel* labAnswer4 = nullptr;     // e-mail
    QPushButton* btnClose = nullptr;

    void labAnswer3_Click();
    void labAnswer4_Click();
    void btnClose_Click();

private:
    void Form_Load();

    modMain& m_mod;
};
