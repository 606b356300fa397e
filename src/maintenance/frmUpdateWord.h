#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ResultsList;
class modMain;

// "Modyfikacja wyrazu": renames the word of labCurrentWord (set by the opener,
// followed by one blank) in WYRAZY and in the results list's current row.
class frmUpdateWord : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxWordLength = 50;

    frmUpdateWord(modMain& mod, ResultsList* results, QWidget* parent = nullptr);

    QGroupBox* fraUpdateWord = nullptr;
    QLabel* labInfo2 = nullptr;
    QLabel* labCurrentWord = nullptr;
    QLabel* labInfo1 = nullptr;
    QLineEdit* txtUpdateWord = nullptr;
    QPushButton* btnUpdate = nullptr;
    QPushButton* btnCancel = nullptr;

    void btnUpdate_Click();
    void btnCancel_Click();

private:
    modMain& m_mod;
    ResultsList* m_results;
};
