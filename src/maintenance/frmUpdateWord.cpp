#include "maintenance/frmUpdateWord.h"

#include "common/modMain.h"
#include "maintenance/WordEditing.h"
#include "search/ResultsModel.h"
#include "search/gui/ResultsList.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmUpdateWord::frmUpdateWord(modMain& mod, ResultsList* results, QWidget* parent)
    : QDialog(parent), m_mod(mod), m_results(results) {
    setObjectName(QStringLiteral("frmUpdateWord"));
    setWindowTitle(QStringLiteral("Modyfikacja wyrazu"));
    setModal(true);

    fraUpdateWord = new QGroupBox(QStringLiteral(" Modyfikacja wyrazu"), this);
    fraUpdateWord->setObjectName(QStringLiteral("fraUpdateWord"));
    labInfo2 = new QLabel(QStringLiteral("Obecny wyraz:"), fraUpdateWord);
    labInfo2->setObjectName(QStringLiteral("labInfo2"));
    labCurrentWord = new QLabel(fraUpdateWord);
    labCurrentWord->setObjectName(QStringLiteral("labCurrentWord"));
    QFont bold = labCurrentWord->font();
    bold.setBold(true);
    labCurrentWord->setFont(bold);
    labInfo1 = new QLabel(QStringLiteral("Nowy wyraz:"), fraUpdateWord);
    labInfo1->setObjectName(QStringLiteral("labInfo1"));
    txtUpdateWord = new QLineEdit(fraUpdateWord);
    txtUpdateWord->setObjectName(QStringLiteral("txtUpdateWord"));
    txtUpdateWord->setMaxLength(MaxWordLength);
    txtUpdateWord->setMinimumWidth(240);
    labInfo1->setBuddy(txtUpdateWord);
    auto* grid = new QGridLayout(fraUpdateWord);
    grid->addWidget(labInfo2, 0, 0);
    grid->addWidget(labCurrentWord, 0, 1);
    grid->addWidget(labInfo1, 1, 0);
    grid->addWidget(txtUpdateWord, 1, 1);
    grid->setColumnStretch(1, 1);

    btnUpdate = new QPushButton(QStringLiteral("&Modyfikuj"), this);
    btnUpdate->setObjectName(QStringLiteral("btnUpdate"));
    btnUpdate->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnUpdate);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraUpdateWord);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnUpdate, &QPushButton::clicked, this, &frmUpdateWord::btnUpdate_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmUpdateWord::btnCancel_Click);
    txtUpdateWord->setFocus(Qt::OtherFocusReason);
}

void frmUpdateWord::btnUpdate_Click() {
    m_mod.trap(QStringLiteral("frmUpdateWord: btnUpdate_Click"), [&] {
        const QString typed = txtUpdateWord->text();
        const QString current = labCurrentWord->text();
        const WordEditing::Target target{m_mod.ConnString, m_mod.settings.ConnTimeout};
        if (const std::optional<QString> refused = WordEditing::update(target, current, typed)) {
            m_mod.MsgWarning(*refused);
            txtUpdateWord->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (m_results) {
            // In a sorted list the row moves to its new place, still selected.
            const int row = m_results->currentRow();
            if (row >= 0)
                m_results->model()->setText(row, 0, WordEditing::upperWord(typed));
            m_results->refresh();
        }
        m_mod.MsgInfo(WordEditing::changedMessage(current, typed));
        accept();
    });
}

void frmUpdateWord::btnCancel_Click() {
    modMain::skipOnError([&] { reject(); });
}
