#include "app/frmMain.h"

#include "app/gui/HelpIcon.h"
#include "app/gui/MainWindowLayout.h"
#include "app/modMain.h"
#include "diagnostics/Prompts.h"
#include "options/SettingsLoader.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTreeView>

namespace {

QString place(const char* procedure) {
    return QStringLiteral("frmMain: ") + QLatin1String(procedure);
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

void setMenuEnabled(QMenu* menu, bool enable) {
    menu->setEnabled(enable);
    menu->menuAction()->setEnabled(enable);
}

} // namespace

frmMain::frmMain(modMain& mod, QWidget* parent) : QMainWindow(parent), m_mod(mod) {
    MainWindowLayout::build(*this);
    connectHandlers();
    // The fields follow the designed counts until the settings are applied.
    scrSearch1_Change();
    scrSearch3_Change();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::connectHandlers() {
    connect(scrSearch1, &QScrollBar::valueChanged, this, &frmMain::scrSearch1_Change);
    connect(scrSearch3, &QScrollBar::valueChanged, this, &frmMain::scrSearch3_Change);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(cmdDBTest, &QPushButton::clicked, this, &frmMain::cmdDBTest_Click);
    connect(mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    connect(mnuNew, &QAction::triggered, this, &frmMain::mnuNew_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &frmMain::mnuSaveAs_Click);
    connect(mnuClose, &QAction::triggered, this, &frmMain::mnuClose_Click);
}

QColor frmMain::windowColour() {
    return QApplication::palette().color(QPalette::Active, QPalette::Base);
}

QColor frmMain::buttonFaceColour() {
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

QColor frmMain::rackColour() {
    return QColor(255, 255, 192);
}

void frmMain::setPanelText(int number, const QString& text) {
    barStatusPanel(number)->setText(text);
}

QString frmMain::panelText(int number) const {
    return barStatusPanel(number)->text();
}

void frmMain::EnableDisableFrame(bool enable, QWidget* frame) {
    m_mod.trap(place("EnableDisableFrame"), [&] {
        frame->setEnabled(enable);
        const QColor textBackground = enable ? windowColour() : buttonFaceColour();
        auto set = [&](QWidget* control, bool withBackground = false, const QColor& background = QColor()) {
            control->setEnabled(enable);
            if (withBackground)
                setBackground(control, background.isValid() ? background : textBackground);
        };
        const QString name = frame->objectName();
        if (name == QLatin1String("fraDatabase")) {
            for (QWidget* control : {labInfo1, labInfo2, labInfo3, labInfo4, labDBName})
                set(control);
            set(txtPassword, true);
            set(cmdDBTest);
            pctDBHelp->setVisible(enable);
        } else if (name == QLatin1String("fraResults")) {
            set(lvResults, true);
            set(labHint1);
            set(labHint2);
            pctResultsHelp->setVisible(enable);
        } else if (name == QLatin1String("fraSearch1")) {
            // Fields beyond the current count keep their state.
            for (int i = 0; i < scrSearch1->value() && i < LetterFields; ++i)
                set(T[i], true);
            for (QWidget* control :
                 std::initializer_list<QWidget*>{chkSearch1, scrSearch1, btnSearch1, btnClear1})
                set(control);
            pctHelp1->setVisible(enable);
        } else if (name == QLatin1String("fraSearch2")) {
            set(txtPattern, true);
            for (QWidget* control : std::initializer_list<QWidget*>{chkSearch2, btnSearch2, btnClear2})
                set(control);
            pctHelp2->setVisible(enable);
        } else if (name == QLatin1String("fraSearch3")) {
            for (int i = 0; i < scrSearch3->value() && i < RackFields; ++i)
                set(U[i], true, enable ? rackColour() : buttonFaceColour());
            for (QWidget* control :
                 std::initializer_list<QWidget*>{chkSearch3, scrSearch3, btnSearch3, btnClear3})
                set(control);
            pctHelp3->setVisible(enable);
        } else if (name == QLatin1String("fraSearch4")) {
            set(txtQuery, true);
            set(btnSearch4);
            set(btnClear4);
            pctHelp4->setVisible(enable);
        }
    });
}

void frmMain::EnableDisableControls(bool enable) {
    m_mod.trap(place("EnableDisableControls"), [&] {
        for (QWidget* frame : {fraSearch1, fraSearch2, fraSearch3, fraSearch4, fraResults})
            EnableDisableFrame(enable, frame);
        setPanelText(1, QString());
        setPanelText(4, QString());
    });
}

void frmMain::EnableDisableSearch(bool enable) {
    m_mod.trap(place("EnableDisableSearch"), [&] {
        // The "&Baza" menu keeps its state.
        for (QMenu* menu : {mnuFile, mnuSettings, mnuInfo})
            setMenuEnabled(menu, enable);
        for (QWidget* frame : {fraDatabase, fraSearch1, fraSearch2, fraSearch3, fraSearch4})
            EnableDisableFrame(enable, frame);
    });
}

void frmMain::LoadDBStatusImage(bool connected) {
    m_mod.trap(place("LoadDBStatusImage"), [&] { pctDBStatus->setPixmap(imgList.at(connected ? 0 : 1)); });
}

void frmMain::setFieldsByCount(QScrollBar* bar, QLineEdit* const* fields, int count, const QColor& active) {
    const int value = bar->value();
    for (int i = 0; i < count; ++i) {
        const bool on = i < value;
        fields[i]->setEnabled(on);
        setBackground(fields[i], on ? active : buttonFaceColour());
    }
}

void frmMain::scrSearch1_Change() {
    m_mod.trap(place("scrSearch1_Change"),
               [&] { setFieldsByCount(scrSearch1, T.data(), LetterFields, windowColour()); });
}

void frmMain::scrSearch3_Change() {
    m_mod.trap(place("scrSearch3_Change"),
               [&] { setFieldsByCount(scrSearch3, U.data(), RackFields, rackColour()); });
}

QString frmMain::trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString frmMain::dbPath() const {
    return trimBlanks(labDBName->text());
}

void frmMain::showSettingsInStatusBar() {
    setPanelText(2, QStringLiteral("Odświeżanie tabeli: %1").arg(m_mod.settings.RefreshRecords));
    setPanelText(3, QStringLiteral("Limit rekordów: %1").arg(m_mod.settings.MaxRecords));
}

void frmMain::clearResults() {
    m_resultsModel->clear();
}

void frmMain::setResultColumns(const QStringList& captions) {
    m_resultsModel->clear();
    m_resultsModel->setHorizontalHeaderLabels(captions);
}

void frmMain::addWordColumn() {
    m_resultsModel->setHorizontalHeaderLabels({QStringLiteral("Wyraz")});
    lvResults->setColumnWidth(0, lvResults->width() - MainWindowLayout::px(500));
}

void frmMain::Form_Load() {
    modMain::skipOnError([&] { LoadSettings(); });
    modMain::skipOnError([&] { ApplySettings(); });
    modMain::skipOnError([&] { showSettingsInStatusBar(); });
    modMain::skipOnError([&] { clearResults(); });
    modMain::skipOnError([&] { EnableDisableControls(false); });
    modMain::skipOnError([&] {
        if (!m_mod.settings.RecallDB) {
            m_mod.ConnString.clear();
            EnableDisableFrame(false, fraDatabase);
        } else {
            LoadLastDB();
        }
    });
    bSearchRunning = false;
}

void frmMain::LoadSettings() {
    m_mod.trap(place("LoadSettings"), [&] { SettingsLoader::load(m_mod); });
}

void frmMain::ApplySettings() {
    m_mod.trap(place("ApplySettings"), [&] {
        const Settings& s = m_mod.settings;
        scrSearch1->setValue(s.Fields1);
        scrSearch1_Change();
        if (s.Anagrams)
            chkSearch1->setChecked(true);
        if (s.Descriptions)
            chkSearch2->setChecked(true);
        scrSearch3->setValue(s.Fields3);
        scrSearch3_Change();
        if (s.Blanks)
            chkSearch3->setChecked(true);
    });
}

void frmMain::mnuExit_Click() {
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    // Unload every other window; the program ends with the last one.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible() && !window->inherits("QMenu"))
            window->close();
}

void frmMain::Form_QueryUnload(bool& cancel) {
    if (bSearchRunning) {
        cancel = true;
        return;
    }
    modMain::skipOnError([&] {
        if (m_mod.MsgQuestion(QStringLiteral("Czy na pewno chcesz zakończyć pracę programu?")) != AnswerYes)
            cancel = true;
    });
    if (cancel)
        return;
    modMain::skipOnError([&] {
        const QString path = dbPath();
        if (!path.isEmpty() && !m_mod.ConnString.isEmpty())
            m_mod.WriteRegistry(QStringLiteral("Common"), QStringLiteral("LastDBName"), path);
    });
}
