#include "options/frmOptions.h"

#include "app/frmMain.h"
#include "app/gui/HelpIcon.h"
#include "common/Prompts.h"
#include "common/modMain.h"
#include "help/frmHelp.h"
#include "options/OptionsSave.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString place(const char* procedure) {
    return QStringLiteral("frmOptions: ") + QLatin1String(procedure);
}

template <class Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit* numberBox(QWidget* parent, const char* name, int maxLength) {
    auto* box = named(new QLineEdit(parent), name);
    box->setMaxLength(maxLength);
    box->setFixedWidth(80);
    return box;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption) {
    return named(new QCheckBox(caption, parent), name);
}

HelpIcon* helpIcon(QWidget* parent, const char* name) {
    return named(new HelpIcon(parent), name);
}

// A tab page holding only its frame.
QGroupBox* tabFrame(QTabWidget* tabs, const char* name, const QString& tabCaption, const QString& caption) {
    auto* page = new QWidget(tabs);
    auto* frame = named(new QGroupBox(caption, page), name);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    tabs->addTab(page, tabCaption);
    return frame;
}

} // namespace

frmOptions::frmOptions(modMain& mod, frmMain& main, QWidget* parent)
    : QDialog(parent), m_mod(mod), m_main(main) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Opcje"));

    tabOptions = named(new QTabWidget(this), "tabOptions");
    buildDatabaseTab();
    buildSearchTab();
    buildLoggingTab();

    btnSave = named(new QPushButton(QStringLiteral("&Zapisz"), this), "btnSave");
    btnApply = named(new QPushButton(QStringLiteral("Za&stosuj"), this), "btnApply");
    btnCancel = named(new QPushButton(QStringLiteral("&Anuluj"), this), "btnCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {btnSave, btnApply, btnCancel}) {
        button->setMinimumWidth(90);
        buttons->addWidget(button);
    }
    btnSave->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabOptions);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connectHandlers();
    Form_Load();
}

void frmOptions::buildDatabaseTab() {
    fraTab1 = tabFrame(tabOptions, "fraTab1", QStringLiteral("&Baza danych"),
                       QStringLiteral(" Opcje bazy danych "));
    labInfo1 =
        named(new QLabel(QStringLiteral("Limit czasu na połączenie z bazą danych (w sekundach):"), fraTab1),
              "labInfo1");
    txtTimeout = numberBox(fraTab1, "txtTimeout", 3);
    labInfo2 =
        named(new QLabel(QStringLiteral("Maksymalna liczba rekordów zwracanych przez kwerendę:"), fraTab1),
              "labInfo2");
    txtMaxRecords = numberBox(fraTab1, "txtMaxRecords", 7);
    labInfo5 =
        named(new QLabel(QStringLiteral("Odświeżanie wyników wyszukiwania (co ile rekordów):"), fraTab1),
              "labInfo5");
    txtRefreshRecords = numberBox(fraTab1, "txtRefreshRecords", 5);
    chkIgnoreMaxRecords = checkBox(
        fraTab1, "chkIgnoreMaxRecords",
        QStringLiteral("Dopuszczaj przekroczenie maksymalnej liczby rekordów podczas wyszukiwania kwerendą"));
    chkOpenReadOnly =
        checkBox(fraTab1, "chkOpenReadOnly", QStringLiteral("Otwórz bazę danych w trybie tylko do odczytu"));
    chkRecallDB = checkBox(fraTab1, "chkRecallDB",
                           QStringLiteral("Otwórz ostatnio używaną bazę danych na starcie programu"));
    pctTab1Help = helpIcon(fraTab1, "pctTab1Help");

    auto* grid = new QGridLayout(fraTab1);
    grid->addWidget(labInfo1, 0, 0);
    grid->addWidget(txtTimeout, 0, 1);
    grid->addWidget(pctTab1Help, 0, 3, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(labInfo2, 1, 0);
    grid->addWidget(txtMaxRecords, 1, 1);
    grid->addWidget(labInfo5, 2, 0);
    grid->addWidget(txtRefreshRecords, 2, 1);
    grid->setRowMinimumHeight(3, 6);
    grid->addWidget(chkIgnoreMaxRecords, 4, 0, 1, 4);
    grid->addWidget(chkOpenReadOnly, 5, 0, 1, 4);
    grid->addWidget(chkRecallDB, 6, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(7, 1);
}

void frmOptions::buildSearchTab() {
    fraTab2 = tabFrame(tabOptions, "fraTab2", QStringLiteral("&Wyszukiwanie"),
                       QStringLiteral(" Opcje wyszukiwania "));
    auto* column = new QVBoxLayout(fraTab2);

    fraSearch1 = named(new QGroupBox(QStringLiteral(" Krzyżówka "), fraTab2), "fraSearch1");
    labInfo3 = named(new QLabel(QStringLiteral("Domyślna liczba pól wyszukiwania:"), fraSearch1), "labInfo3");
    txtFields1 = numberBox(fraSearch1, "txtFields1", 2);
    chkAnagrams = checkBox(fraSearch1, "chkAnagrams", QStringLiteral("Zaznacz opcję 'Wyszukaj anagramy'"));
    pctTab2aHelp = helpIcon(fraSearch1, "pctTab2aHelp");
    auto* grid1 = new QGridLayout(fraSearch1);
    grid1->addWidget(labInfo3, 0, 0);
    grid1->addWidget(txtFields1, 0, 1);
    grid1->addWidget(pctTab2aHelp, 0, 3, Qt::AlignRight | Qt::AlignTop);
    grid1->addWidget(chkAnagrams, 1, 0, 1, 4);
    grid1->setColumnStretch(2, 1);

    fraSearch2 = named(new QGroupBox(QStringLiteral(" Wzorzec "), fraTab2), "fraSearch2");
    chkDescriptions =
        checkBox(fraSearch2, "chkDescriptions", QStringLiteral("Zaznacz opcję 'Szukaj także w opisach'"));
    pctTab2bHelp = helpIcon(fraSearch2, "pctTab2bHelp");
    auto* grid2 = new QGridLayout(fraSearch2);
    grid2->addWidget(chkDescriptions, 0, 0);
    grid2->addWidget(pctTab2bHelp, 0, 2, Qt::AlignRight | Qt::AlignTop);
    grid2->setColumnStretch(1, 1);

    fraSearch3 = named(new QGroupBox(QStringLiteral(" Scrabble "), fraTab2), "fraSearch3");
    labInfo4 = named(new QLabel(QStringLiteral("Domyślna liczba pól wyszukiwania:"), fraSearch3), "labInfo4");
    txtFields3 = numberBox(fraSearch3, "txtFields3", 1);
    chkBlanks =
        checkBox(fraSearch3, "chkBlanks", QStringLiteral("Zaznacz opcję 'Dopuszczaj więcej niż dwa blanki'"));
    pctTab2cHelp = helpIcon(fraSearch3, "pctTab2cHelp");
    auto* grid3 = new QGridLayout(fraSearch3);
    grid3->addWidget(labInfo4, 0, 0);
    grid3->addWidget(txtFields3, 0, 1);
    grid3->addWidget(pctTab2cHelp, 0, 3, Qt::AlignRight | Qt::AlignTop);
    grid3->addWidget(chkBlanks, 1, 0, 1, 4);
    grid3->setColumnStretch(2, 1);

    column->addWidget(fraSearch1);
    column->addWidget(fraSearch2);
    column->addWidget(fraSearch3);
    column->addStretch();
}

void frmOptions::buildLoggingTab() {
    fraTab3 =
        tabFrame(tabOptions, "fraTab3", QStringLiteral("&Logowanie"), QStringLiteral(" Opcje logowania "));
    chkLogErrors =
        checkBox(fraTab3, "chkLogErrors", QStringLiteral("Zapisuj błędy aplikacji do logu błędów"));
    chkLogQueryErrors = checkBox(fraTab3, "chkLogQueryErrors",
                                 QStringLiteral("Zapisuj błędy wyszukiwania kwerendą do logu błędów"));
    chkLogConnErrors = checkBox(fraTab3, "chkLogConnErrors",
                                QStringLiteral("Zapisuj błędy połączenia z bazą danych do logu błędów"));
    pctTab3Help = helpIcon(fraTab3, "pctTab3Help");
    auto* grid = new QGridLayout(fraTab3);
    grid->addWidget(chkLogErrors, 0, 0);
    grid->addWidget(pctTab3Help, 0, 2, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(chkLogQueryErrors, 1, 0);
    grid->addWidget(chkLogConnErrors, 2, 0);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
}

void frmOptions::connectHandlers() {
    connect(tabOptions, &QTabWidget::currentChanged, this, &frmOptions::tabOptions_Click);
    connect(btnSave, &QPushButton::clicked, this, &frmOptions::btnSave_Click);
    connect(btnApply, &QPushButton::clicked, this, &frmOptions::btnApply_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmOptions::btnCancel_Click);
    connect(txtFields1, &QLineEdit::textChanged, this, &frmOptions::txtFields1_Change);
    connect(txtFields3, &QLineEdit::textChanged, this, &frmOptions::txtFields3_Change);
    // Like a classic check box's click, these follow every change of state,
    // also one made by the program.
    connect(chkAnagrams, &QCheckBox::toggled, this, &frmOptions::chkAnagrams_Click);
    connect(chkDescriptions, &QCheckBox::toggled, this, &frmOptions::chkDescriptions_Click);
    connect(chkBlanks, &QCheckBox::toggled, this, &frmOptions::chkBlanks_Click);
    connect(chkLogErrors, &QCheckBox::toggled, this, &frmOptions::chkLogErrors_Click);
    connect(pctTab1Help, &HelpIcon::clicked, this, &frmOptions::pctTab1Help_Click);
    connect(pctTab2aHelp, &HelpIcon::clicked, this, &frmOptions::pctTab2aHelp_Click);
    connect(pctTab2bHelp, &HelpIcon::clicked, this, &frmOptions::pctTab2bHelp_Click);
    connect(pctTab2cHelp, &HelpIcon::clicked, this, &frmOptions::pctTab2cHelp_Click);
    connect(pctTab3Help, &HelpIcon::clicked, this, &frmOptions::pctTab3Help_Click);
}

void frmOptions::Form_Load() {
    modMain::skipOnError([&] { LoadSettings(); });
    // Filling the search tab counted as a change; the opening starts without one.
    m_searchChangePending = false;
    modMain::skipOnError([&] {
        if (tabOptions->currentIndex() != 0)
            tabOptions->setCurrentIndex(0);
        else
            tabOptions_Click();
    });
}

void frmOptions::LoadSettings() {
    m_mod.trap(place("LoadSettings"), [&] {
        const OptionsValues v = OptionsValues::fromSettings(m_mod.settings);
        if (v.RecallDB)
            chkRecallDB->setChecked(true);
        if (v.OpenReadOnly)
            chkOpenReadOnly->setChecked(true);
        txtTimeout->setText(v.ConnTimeout);
        txtMaxRecords->setText(v.MaxRecords);
        txtRefreshRecords->setText(v.RefreshRecords);
        if (v.IgnoreMaxRecords)
            chkIgnoreMaxRecords->setChecked(true);
        txtFields1->setText(v.Fields1);
        if (v.Anagrams)
            chkAnagrams->setChecked(true);
        if (v.Descriptions)
            chkDescriptions->setChecked(true);
        txtFields3->setText(v.Fields3);
        if (v.Blanks)
            chkBlanks->setChecked(true);
        if (!v.LogErrors) {
            chkLogQueryErrors->setEnabled(false);
            chkLogConnErrors->setEnabled(false);
        } else {
            chkLogErrors->setChecked(true); // its click rule enables the two below
        }
        if (v.LogQueryErrors)
            chkLogQueryErrors->setChecked(true);
        if (v.LogConnErrors)
            chkLogConnErrors->setChecked(true);
    });
}

OptionsValues frmOptions::values() const {
    OptionsValues v;
    v.RecallDB = chkRecallDB->isChecked();
    v.OpenReadOnly = chkOpenReadOnly->isChecked();
    v.ConnTimeout = txtTimeout->text();
    v.MaxRecords = txtMaxRecords->text();
    v.RefreshRecords = txtRefreshRecords->text();
    v.IgnoreMaxRecords = chkIgnoreMaxRecords->isChecked();
    v.Fields1 = txtFields1->text();
    v.Anagrams = chkAnagrams->isChecked();
    v.Descriptions = chkDescriptions->isChecked();
    v.Fields3 = txtFields3->text();
    v.Blanks = chkBlanks->isChecked();
    v.LogErrors = chkLogErrors->isChecked();
    v.LogQueryErrors = chkLogQueryErrors->isChecked();
    v.LogConnErrors = chkLogConnErrors->isChecked();
    return v;
}

void frmOptions::tabOptions_Click() {
    m_mod.trap(place("tabOptions_Click"), [&] {
        const int tab = tabOptions->currentIndex() + 1;
        fraTab1->setEnabled(tab == 1);
        fraTab2->setEnabled(tab == 2);
        fraTab3->setEnabled(tab == 3);
        // Apply acts on the search tab only.
        if (tab != 2)
            btnApply->setEnabled(false);
        else if (m_searchChangePending)
            btnApply->setEnabled(true);
    });
}

void frmOptions::showFailure(const OptionsFailure& failure) {
    m_mod.MsgWarning(failure.message);
    if (tabOptions->currentIndex() != failure.tab - 1)
        tabOptions->setCurrentIndex(failure.tab - 1);
    else
        tabOptions_Click();
    if (auto* field = findChild<QLineEdit*>(failure.field))
        field->setFocus(Qt::OtherFocusReason);
}

bool frmOptions::ValidateSettings() {
    bool valid = false;
    m_mod.trap(place("ValidateSettings"), [&] {
        if (const auto failure = OptionsValidation::validate(values(), OptionsValidation::Scope::All)) {
            showFailure(*failure);
            return;
        }
        valid = true;
    });
    return valid;
}

void frmOptions::btnSave_Click() {
    m_mod.trap(place("btnSave_Click"), [&] {
        if (!ValidateSettings())
            return;
        OptionsSave::save(m_mod, values());
        m_main.showSettingsInStatusBar();
        m_mod.MsgInfo(QStringLiteral("Zmiany ustawień zostały zapisane."));
        accept();
    });
}

void frmOptions::btnApply_Click() {
    m_mod.trap(place("btnApply_Click"), [&] {
        if (const auto failure = OptionsValidation::validate(values(), OptionsValidation::Scope::SearchTab)) {
            showFailure(*failure);
            return;
        }
        m_main.scrSearch1->setValue(OptionsValidation::number(txtFields1->text()));
        m_main.scrSearch1_Change();
        m_main.chkSearch1->setChecked(chkAnagrams->isChecked());
        m_main.chkSearch2->setChecked(chkDescriptions->isChecked());
        m_main.scrSearch3->setValue(OptionsValidation::number(txtFields3->text()));
        m_main.scrSearch3_Change();
        m_main.chkSearch3->setChecked(chkBlanks->isChecked());
        m_searchChangePending = false;
        btnApply->setEnabled(false);
        m_mod.MsgInfo(QStringLiteral("Zmiany ustawień wyszukiwania zostały zastosowane."));
    });
}

void frmOptions::btnCancel_Click() {
    modMain::skipOnError([&] { reject(); });
}

void frmOptions::searchChanged() {
    modMain::skipOnError([&] {
        m_searchChangePending = true;
        btnApply->setEnabled(true);
    });
}

void frmOptions::txtFields1_Change() {
    searchChanged();
}

void frmOptions::txtFields3_Change() {
    searchChanged();
}

void frmOptions::chkAnagrams_Click() {
    searchChanged();
}

void frmOptions::chkDescriptions_Click() {
    searchChanged();
}

void frmOptions::chkBlanks_Click() {
    searchChanged();
}

void frmOptions::chkLogErrors_Click() {
    if (chkLogErrors->isChecked()) {
        modMain::skipOnError([&] { chkLogQueryErrors->setEnabled(true); });
        modMain::skipOnError([&] { chkLogConnErrors->setEnabled(true); });
        return;
    }
    int answer = AnswerNo;
    modMain::skipOnError([&] {
        answer =
            m_mod.MsgQuestion(QStringLiteral("Zaleca się aby opcja zapisywania błędów aplikacji pozostała "
                                             "włączona. Czy na pewno chcesz zmienić to ustawienie?"));
    });
    if (answer == AnswerYes) {
        modMain::skipOnError([&] {
            chkLogQueryErrors->setEnabled(false);
            chkLogQueryErrors->setChecked(false);
        });
        modMain::skipOnError([&] {
            chkLogConnErrors->setEnabled(false);
            chkLogConnErrors->setChecked(false);
        });
    } else {
        // Its click rule runs again and enables the two below.
        modMain::skipOnError([&] { chkLogErrors->setChecked(true); });
    }
}

void frmOptions::pctTab1Help_Click() {
    frmHelp::showTopic(m_mod, this, 6);
}

void frmOptions::pctTab2aHelp_Click() {
    frmHelp::showTopic(m_mod, this, 7);
}

void frmOptions::pctTab2bHelp_Click() {
    frmHelp::showTopic(m_mod, this, 8);
}

void frmOptions::pctTab2cHelp_Click() {
    frmHelp::showTopic(m_mod, this, 9);
}

void frmOptions::pctTab3Help_Click() {
    frmHelp::showTopic(m_mod, this, 10);
}

void frmOptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Showing polishes the controls, which can still change the size: let the
    // layout settle first, then centre on the window that opened it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (QWidget* owner = parentWidget())
        move(owner->window()->geometry().center() - rect().center());
}
