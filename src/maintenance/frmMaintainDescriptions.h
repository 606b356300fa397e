#pragma once

#include "maintenance/DescriptionList.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class modMain;

// "Zarządzanie opisami": the descriptions of one word, ticked for removal,
// and a box to add one. The opener calls Init, sets labCurrentWord (the word
// and one blank) and runs Form_Load before showing the window. Read-only
// databases, and words not in the dictionary, only show what there is.
class frmMaintainDescriptions : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxDescriptionLength = 255;

    explicit frmMaintainDescriptions(modMain& mod, QWidget* parent = nullptr);

    QGroupBox* fraWord = nullptr;
    QLabel* labInfo2 = nullptr;
    QLabel* labCurrentWord = nullptr;
    QGroupBox* fraDescriptions = nullptr;
    QTreeWidget* lvDescriptions = nullptr;
    QPushButton* btnRemove = nullptr;
    QGroupBox* fraAddDescription = nullptr;
    QLabel* labInfo1 = nullptr;
    QLineEdit* txtAddDescription = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnClose = nullptr;

    void Init(const QString& word);
    void Form_Load();
    void LoadDescriptions();
    void btnAdd_Click();
    void btnRemove_Click();
    void btnClose_Click();
    void lvDescriptions_ColumnClick(int column);

    const DescriptionList& descriptions() const { return m_list; }
    // Sort order of the list: 0 ascending, 1 descending.
    int sortOrder() const { return m_sortOrder; }

private:
    DescriptionList::Target target() const;
    // Read-only, or a word without an identifier: nothing may be written.
    void disableWriting();
    QTreeWidgetItem* addItem(const QString& text);
    void sortList();
    void unselect();

    modMain& m_mod;
    DescriptionList m_list;
    bool m_writable = true;
    int m_sortKey = 0;
    int m_sortOrder = 0;
};
