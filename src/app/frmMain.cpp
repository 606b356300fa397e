#include "app/frmMain.h"

#include "app/gui/HelpIcon.h"
#include "app/gui/MainWindowLayout.h"
#include "common/Prompts.h"
#include "common/modMain.h"
#include "options/SettingsLoader.h"
#include "search/LetterFieldKeys.h"
#include "search/ResultsMenuState.h"
#include "search/ResultsModel.h"
#include "search/gui/EventHook.h"
#include "search/gui/LetterFieldArray.h"
#include "search/gui/ResultsList.h"
#include "search/gui/SearchRunner.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
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
    connectSearchHandlers();
    connectMaintenanceHandlers();
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
    connect(mnuLogError, &QAction::triggered, this, &frmMain::mnuLogError_Click);
    connect(mnuStats, &QAction::triggered, this, &frmMain::mnuStats_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connectOptionsAndHelp();
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

QString frmMain::dbPath() const {
    return modMain::TrimBlanks(labDBName->text());
}

void frmMain::showSettingsInStatusBar() {
    setPanelText(2, QStringLiteral("Odświeżanie tabeli: %1").arg(m_mod.settings.RefreshRecords));
    setPanelText(3, QStringLiteral("Limit rekordów: %1").arg(m_mod.settings.MaxRecords));
}

ResultsModel* frmMain::resultsModel() const {
    return m_results->model();
}

void frmMain::clearResults() {
    m_results->clear();
}

void frmMain::setResultColumns(const QStringList& captions) {
    m_results->clear();
    QVector<ResultColumn> columns;
    for (const QString& caption : captions)
        columns.append({caption, ResultColumn::Width::Default, 0});
    m_results->setColumns(columns);
}

void frmMain::addWordColumn() {
    m_results->setColumns(ResultLayout::words().columns);
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

// Searches: letter fields, input boxes, search and clear buttons, results list.

namespace {

bool isEnter(int keyCode) {
    return keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter;
}

// Enter starts the row's search, outside the key handler's own trap: the
// search traps its own errors.
bool letterKeyDown(modMain& mod, LetterFieldKeys& keys, const char* procedure, int index, int keyCode,
                   const std::function<void()>& search) {
    auto result = LetterFieldKeys::KeyDown::Ordinary;
    mod.trap(place(procedure), [&] { result = keys.keyDown(index, keyCode); });
    if (result == LetterFieldKeys::KeyDown::StartSearch)
        search();
    return result != LetterFieldKeys::KeyDown::Ordinary;
}

LetterFieldArray::Handlers letterHandlers(std::function<bool(int, int)> keyDown,
                                          std::function<void(int, const QString&)> keyPress,
                                          std::function<void(int)> change, std::function<void(int)> mouseUp) {
    return {std::move(keyDown), std::move(keyPress), std::move(change), std::move(mouseUp)};
}

} // namespace

void frmMain::connectSearchHandlers() {
    m_results = new ResultsList(lvResults, this);
    m_searches = std::make_unique<SearchRunner>(*this, *m_results);

    m_TFields =
        new LetterFieldArray(QVector<QLineEdit*>(T.begin(), T.end()), scrSearch1,
                             letterHandlers([this](int i, int key) { return T_KeyDown(i, key); },
                                            [this](int i, const QString& typed) { T_KeyPress(i, typed); },
                                            [this](int i) { T_Change(i); }, [this](int i) { T_MouseUp(i); }),
                             this);
    m_TKeys = std::make_unique<LetterFieldKeys>(*m_TFields);
    m_UFields =
        new LetterFieldArray(QVector<QLineEdit*>(U.begin(), U.end()), scrSearch3,
                             letterHandlers([this](int i, int key) { return U_KeyDown(i, key); },
                                            [this](int i, const QString& typed) { U_KeyPress(i, typed); },
                                            [this](int i) { U_Change(i); }, [this](int i) { U_MouseUp(i); }),
                             this);
    m_UKeys = std::make_unique<LetterFieldKeys>(*m_UFields);

    new EventHook(txtPattern, [this](QEvent* event) {
        return event->type() == QEvent::KeyPress && txtPattern_KeyDown(static_cast<QKeyEvent*>(event)->key());
    });
    new EventHook(txtQuery, [this](QEvent* event) {
        return event->type() == QEvent::KeyPress && txtQuery_KeyDown(static_cast<QKeyEvent*>(event)->key());
    });

    connect(btnSearch1, &QPushButton::clicked, this, &frmMain::btnSearch1_Click);
    connect(btnSearch2, &QPushButton::clicked, this, &frmMain::btnSearch2_Click);
    connect(btnSearch3, &QPushButton::clicked, this, &frmMain::btnSearch3_Click);
    connect(btnSearch4, &QPushButton::clicked, this, &frmMain::btnSearch4_Click);
    connect(btnClear1, &QPushButton::clicked, this, &frmMain::btnClear1_Click);
    connect(btnClear2, &QPushButton::clicked, this, &frmMain::btnClear2_Click);
    connect(btnClear3, &QPushButton::clicked, this, &frmMain::btnClear3_Click);
    connect(btnClear4, &QPushButton::clicked, this, &frmMain::btnClear4_Click);

    connect(lvResults->header(), &QHeaderView::sectionClicked, this, &frmMain::lvResults_ColumnClick);
    new EventHook(lvResults->viewport(), [this](QEvent* event) {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        lvResults_MouseDown(mouse->button(), mouse->modifiers(), at.x(), at.y());
        // The menu acts on the selection of the moment: the click must not change it.
        return mouse->button() == Qt::RightButton;
    });
}

bool frmMain::T_KeyDown(int index, int keyCode) {
    return letterKeyDown(m_mod, *m_TKeys, "T_KeyDown", index, keyCode, [this] { btnSearch1_Click(); });
}

void frmMain::T_KeyPress(int index, const QString& typed) {
    m_mod.trap(place("T_KeyPress"), [&] { m_TKeys->keyPress(index, typed); });
}

void frmMain::T_Change(int index) {
    m_mod.trap(place("T_Change"), [&] { m_TKeys->change(index); });
}

void frmMain::T_MouseUp(int index) {
    modMain::skipOnError([&] { T.at(index)->setCursorPosition(0); });
}

bool frmMain::U_KeyDown(int index, int keyCode) {
    return letterKeyDown(m_mod, *m_UKeys, "U_KeyDown", index, keyCode, [this] { btnSearch3_Click(); });
}

void frmMain::U_KeyPress(int index, const QString& typed) {
    m_mod.trap(place("U_KeyPress"), [&] { m_UKeys->keyPress(index, typed); });
}

void frmMain::U_Change(int index) {
    m_mod.trap(place("U_Change"), [&] { m_UKeys->change(index); });
}

void frmMain::U_MouseUp(int index) {
    modMain::skipOnError([&] { U.at(index)->setCursorPosition(0); });
}

bool frmMain::txtPattern_KeyDown(int keyCode) {
    if (!isEnter(keyCode))
        return false;
    // The pattern search, though the Scrabble search reads the same box.
    modMain::skipOnError([&] { btnSearch2_Click(); });
    return true;
}

bool frmMain::txtQuery_KeyDown(int keyCode) {
    if (!isEnter(keyCode))
        return false;
    // Enter searches; it does not also break the line of the query.
    modMain::skipOnError([&] { btnSearch4_Click(); });
    return true;
}

void frmMain::btnSearch1_Click() {
    m_searches->click(SearchKind::Crossword);
}

void frmMain::btnSearch2_Click() {
    m_searches->click(SearchKind::Pattern);
}

void frmMain::btnSearch3_Click() {
    m_searches->click(SearchKind::Scrabble);
}

void frmMain::btnSearch4_Click() {
    m_searches->click(SearchKind::Query);
}

void frmMain::btnClear1_Click() {
    m_mod.trap(place("btnClear1_Click"), [&] {
        // Inactive fields too.
        for (QLineEdit* field : T)
            field->clear();
        T[0]->setFocus(Qt::OtherFocusReason);
    });
}

void frmMain::btnClear2_Click() {
    modMain::skipOnError([&] { txtPattern->clear(); });
    modMain::skipOnError([&] { txtPattern->setFocus(Qt::OtherFocusReason); });
}

void frmMain::btnClear3_Click() {
    m_mod.trap(place("btnClear3_Click"), [&] {
        for (QLineEdit* field : U)
            field->clear();
        U[0]->setFocus(Qt::OtherFocusReason);
    });
}

void frmMain::btnClear4_Click() {
    modMain::skipOnError([&] { txtQuery->clear(); });
    modMain::skipOnError([&] { txtQuery->setFocus(Qt::OtherFocusReason); });
}

void frmMain::lvResults_ColumnClick(int column) {
    m_mod.trap(place("lvResults_ColumnClick"), [&] {
        m_results->model()->columnClick(column);
        m_results->showSortState();
    });
}

void frmMain::lvResults_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (button != Qt::RightButton)
        return;
    m_mod.trap(place("lvResults_MouseDown"), [&] {
        const ResultsMenuState state =
            ResultsMenuState::decide(m_results->rowCount(), m_results->selectedCount(), m_mod.DBReadOnly,
                                     m_results->model()->sorted());
        mnuPopUpMaintainDescriptions->setEnabled(state.maintainDescriptions);
        mnuPopUpMaintainWord->setEnabled(state.maintainWord);
        mnuPopUpAddWord->setEnabled(state.addWord);
        mnuPopUpDeleteWord->setEnabled(state.deleteWord);
        mnuPopUpDeleteWord->setText(state.deleteCaption);
        mnuPopUp->popup(lvResults->viewport()->mapToGlobal(QPoint(x, y)));
    });
}
