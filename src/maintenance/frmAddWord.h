#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ResultsList;
class modMain;

// "Dodawanie wyrazu": adds one word to WYRAZY and to the results list, where
// it becomes the only selected row. Stays open after a refused word.
class frmAddWord : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxWordLength = 50;

    // `results` may be null (no list to follow the change).
    frmAddWord(modMain& mod, ResultsList* results, QWidget* parent = nullptr);

    QGroupBox* fraAddWord = nullptr;
    QLabel* labInfo1 = nullptr;
    QLineEdit* txtAddWord = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnCancel = nullptr;

    void btnAdd_Click();
    void btnCancel_Click();

private:
    modMain& m_mod;
    ResultsList* m_results;
};
