#include "maintenance/frmAddWord.h"

#include "common/modMain.h"
#include "maintenance/WordEditing.h"
#include "search/ResultsModel.h"
#include "search/gui/ResultsList.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmAddWord::frmAddWord(modMain& mod, ResultsList* results, QWidget* parent)
    : QDialog(parent), m_mod(mod), m_results(results) {
    setObjectName(QStringLiteral("frmAddWord"));
    setWindowTitle(QStringLiteral("Dodawanie wyrazu"));
    setModal(true);

    fraAddWord = new QGroupBox(QStringLiteral(" Dodawanie wyrazu "), this);
    fraAddWord->setObjectName(QStringLiteral("fraAddWord"));
    labInfo1 = new QLabel(QStringLiteral("Nowy wyraz:"), fraAddWord);
    labInfo1->setObjectName(QStringLiteral("labInfo1"));
    txtAddWord = new QLineEdit(fraAddWord);
    txtAddWord->setObjectName(QStringLiteral("txtAddWord"));
    txtAddWord->setMaxLength(MaxWordLength);
    txtAddWord->setMinimumWidth(240);
    labInfo1->setBuddy(txtAddWord);
    auto* frameLayout = new QHBoxLayout(fraAddWord);
    frameLayout->addWidget(labInfo1);
    frameLayout->addWidget(txtAddWord, 1);

    btnAdd = new QPushButton(QStringLiteral("&Dodaj"), this);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnAdd->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraAddWord);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnAdd, &QPushButton::clicked, this, &frmAddWord::btnAdd_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmAddWord::btnCancel_Click);
    txtAddWord->setFocus(Qt::OtherFocusReason);
}

void frmAddWord::btnAdd_Click() {
    m_mod.trap(QStringLiteral("frmAddWord: btnAdd_Click"), [&] {
        const QString typed = txtAddWord->text();
        const WordEditing::Target target{m_mod.ConnString, m_mod.settings.ConnTimeout};
        if (const std::optional<QString> refused = WordEditing::add(target, typed)) {
            m_mod.MsgWarning(*refused);
            txtAddWord->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (m_results) {
            // A sorted list places the row in order; other columns stay empty.
            const int row = m_results->model()->addRow({WordEditing::upperWord(typed)});
            m_results->selectOnly(row);
            m_results->refresh();
        }
        m_mod.MsgInfo(WordEditing::addedMessage(typed));
        accept();
    });
}

void frmAddWord::btnCancel_Click() {
    modMain::skipOnError([&] { reject(); });
}
