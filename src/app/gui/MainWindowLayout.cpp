#include "app/gui/MainWindowLayout.h"

#include "app/frmMain.h"
#include "app/gui/HelpIcon.h"
#include "app/gui/PasswordStyle.h"
#include "app/gui/StatusImages.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTreeView>

namespace {

constexpr int QueryMaxLength = 1024;
constexpr int PatternMaxLength = 50;

template <class Widget> Widget* make(QWidget* parent, const char* name, const QRect& geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
    auto* result = make<QLabel>(parent, name, geometry);
    result->setText(caption);
    return result;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
    auto* result = make<QPushButton>(parent, name, geometry);
    result->setText(caption);
    return result;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
    auto* result = make<QCheckBox>(parent, name, geometry);
    result->setText(caption);
    return result;
}

HelpIcon* helpIcon(QWidget* parent, const char* name, int frameWidth) {
    auto* icon = new HelpIcon(parent);
    icon->setObjectName(QString::fromLatin1(name));
    icon->move(frameWidth - 24, 16);
    return icon;
}

QAction* entry(QMenu* menu, const char* name, const QString& caption,
               const QKeySequence& shortcut = QKeySequence()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QAction* separator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// One upper-case letter per cell, centred, in a font like the designed Verdana.
QLineEdit* letterField(QWidget* parent, const QString& name, const QRect& geometry, int pointSizeTimes4,
                       bool bold) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setMaxLength(1);
    field->setAlignment(Qt::AlignCenter);
    field->setTextMargins(0, 0, 0, 0);
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSizeTimes4 / 4.0);
    font.setBold(bold);
    field->setFont(font);
    return field;
}

} // namespace

int MainWindowLayout::captionRoom(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->contentsRect().width() - 2 * label->margin() - qMax(label->indent(), 0);
    return control->width();
}

int MainWindowLayout::captionWidth(const QWidget* control) {
    const QFontMetrics metrics = control->fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return metrics.horizontalAdvance(label->text());
    if (qobject_cast<const QCheckBox*>(control))
        return control->sizeHint().width();
    if (const auto* push = qobject_cast<const QPushButton*>(control)) {
        // The style's size hint asks for a minimum width that is no part of the caption.
        const QStyle* style = push->style();
        return metrics.horizontalAdvance(QString(push->text()).remove(QLatin1Char('&'))) +
               style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, push) +
               2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, push);
    }
    return 0;
}

void MainWindowLayout::fitCaptions(frmMain& w) {
    // Half a point at a time, down to a size still easily read.
    constexpr qreal Step = 0.5;
    constexpr qreal Smallest = 6.0;
    QList<QWidget*> controls;
    for (QWidget* child : w.centralWidget()->findChildren<QWidget*>())
        if (child != w.labDBName && (qobject_cast<QLabel*>(child) || qobject_cast<QCheckBox*>(child) ||
                                     qobject_cast<QPushButton*>(child)))
            controls << child;
    for (QWidget* control : controls) {
        QFont font = control->font();
        while (captionWidth(control) > captionRoom(control) && font.pointSizeF() - Step >= Smallest) {
            font.setPointSizeF(font.pointSizeF() - Step);
            control->setFont(font);
        }
    }
    // The two hints read as one text: one size for both.
    QLabel* larger =
        w.labHint1->font().pointSizeF() > w.labHint2->font().pointSizeF() ? w.labHint1 : w.labHint2;
    larger->setFont((larger == w.labHint1 ? w.labHint2 : w.labHint1)->font());
}

int MainWindowLayout::px(int twips) {
    return qRound(twips / 15.0);
}

QRect MainWindowLayout::pxRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QGroupBox* MainWindowLayout::frame(QWidget* client, const char* name, const QString& caption,
                                   const QRect& twips) {
    auto* box = new QGroupBox(caption, client);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(pxRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return box;
}

void MainWindowLayout::build(frmMain& w) {
    w.setObjectName(QStringLiteral("frmMain"));
    w.setWindowTitle(QStringLiteral("Literon 2.0"));
    // The layout is drawn for a small dialog font, as the window was designed.
    QFont font = w.font();
    font.setPointSize(8);
    w.setFont(font);

    w.imgList = {StatusImages::connected(), StatusImages::notConnected()};

    buildMenus(w);
    buildPopUpMenu(w);
    buildStatusBar(w);

    auto* client = new QWidget(&w);
    client->setObjectName(QStringLiteral("clientArea"));
    // The status bar sits inside the designed client area, at its bottom.
    const int statusHeight = w.barStatus->sizeHint().height();
    client->setFixedSize(px(ClientWidthTwips), px(ClientHeightTwips) - statusHeight);
    w.setCentralWidget(client);

    buildDatabaseFrame(w, client);
    buildCrosswordFrame(w, client);
    buildPatternFrame(w, client);
    buildScrabbleFrame(w, client);
    buildQueryFrame(w, client);
    buildResultsFrame(w, client);
    fitCaptions(w);

    w.setFixedSize(px(ClientWidthTwips), w.menuBar()->sizeHint().height() + px(ClientHeightTwips));
}

void MainWindowLayout::buildMenus(frmMain& w) {
    QMenuBar* bar = w.menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    w.mnuFile = bar->addMenu(QStringLiteral("&Plik"));
    w.mnuFile->setObjectName(QStringLiteral("mnuFile"));
    w.mnuOpen =
        entry(w.mnuFile, "mnuOpen", QStringLiteral("&Otwórz bazę..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    w.sep1a = separator(w.mnuFile, "sep1a");
    w.mnuNew =
        entry(w.mnuFile, "mnuNew", QStringLiteral("&Nowa baza..."), QKeySequence(Qt::CTRL | Qt::Key_N));
    w.mnuSaveAs = entry(w.mnuFile, "mnuSaveAs", QStringLiteral("Zapisz &jako..."));
    w.mnuClose = entry(w.mnuFile, "mnuClose", QStringLiteral("&Zamknij"));
    w.sep1b = separator(w.mnuFile, "sep1b");
    w.mnuExit = entry(w.mnuFile, "mnuExit", QStringLiteral("Za&kończ"));
    w.mnuSaveAs->setEnabled(false);
    w.mnuClose->setEnabled(false);

    w.mnuDB = bar->addMenu(QStringLiteral("&Baza"));
    w.mnuDB->setObjectName(QStringLiteral("mnuDB"));
    w.mnuStats = entry(w.mnuDB, "mnuStats", QStringLiteral("&Statystyka bazy"));
    w.mnuStats->setEnabled(false);

    w.mnuSettings = bar->addMenu(QStringLiteral("&Ustawienia"));
    w.mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    w.mnuLogError = entry(w.mnuSettings, "mnuLogError", QStringLiteral("&Log błędów"),
                          QKeySequence(Qt::CTRL | Qt::Key_E));
    w.sep2 = separator(w.mnuSettings, "sep2");
    w.mnuOptions = entry(w.mnuSettings, "mnuOptions", QStringLiteral("&Opcje"));

    w.mnuInfo = bar->addMenu(QStringLiteral("&Informacje"));
    w.mnuInfo->setObjectName(QStringLiteral("mnuInfo"));
    w.mnuAbout = entry(w.mnuInfo, "mnuAbout", QStringLiteral("&O programie..."));
}

void MainWindowLayout::buildPopUpMenu(frmMain& w) {
    w.mnuPopUp = new QMenu(QStringLiteral("PopUp"), &w);
    w.mnuPopUp->setObjectName(QStringLiteral("mnuPopUp"));
    w.mnuPopUpMaintainDescriptions =
        entry(w.mnuPopUp, "mnuPopUpMaintainDescriptions", QStringLiteral("Zarządzaj opisami"));
    w.mnuPopUpMaintainWord = entry(w.mnuPopUp, "mnuPopUpMaintainWord", QStringLiteral("Modyfikuj wyraz"));
    w.sepPopUp = separator(w.mnuPopUp, "sepPopUp");
    w.mnuPopUpAddWord = entry(w.mnuPopUp, "mnuPopUpAddWord", QStringLiteral("Dodaj nowy wyraz"));
    w.mnuPopUpDeleteWord = entry(w.mnuPopUp, "mnuPopUpDeleteWord", QStringLiteral("Usuń wyraz"));
}

void MainWindowLayout::buildStatusBar(frmMain& w) {
    w.barStatus = new QStatusBar(&w);
    w.barStatus->setObjectName(QStringLiteral("barStatus"));
    w.barStatus->setSizeGripEnabled(false);
    // Panel 1 takes the free width; 2 to 4 are sized for their longest texts.
    const QString longest[4] = {QString(), QStringLiteral("Odświeżanie tabeli: 99999"),
                                QStringLiteral("Limit rekordów: 9999999"),
                                QStringLiteral("Pasujące rekordy: 9999999")};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(w.barStatus);
        panel->setObjectName(QStringLiteral("barStatusPanel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(3);
        if (!longest[i].isEmpty())
            panel->setFixedWidth(panel->fontMetrics().horizontalAdvance(longest[i]) + panel->indent() +
                                 2 * panel->frameWidth() + 6);
        w.barStatus->addWidget(panel, i == 0 ? 1 : 0);
        w.barStatusPanels[i] = panel;
    }
    w.setStatusBar(w.barStatus);
}

void MainWindowLayout::buildDatabaseFrame(frmMain& w, QWidget* client) {
    QGroupBox* f = frame(client, "fraDatabase", QStringLiteral(" Baza danych "), QRect(120, 30, 11415, 1155));
    w.fraDatabase = f;
    const QFontMetrics metrics(w.font());
    auto textWidth = [&](const QString& a, const QString& b) {
        return qMax(metrics.horizontalAdvance(a), metrics.horizontalAdvance(b)) + 4;
    };
    const int row1 = 21;
    const int row2 = 49;

    // Left half: the file and its password, with the test button.
    const QString info1 = QStringLiteral("Plik bazy danych:");
    const QString info2 = QStringLiteral("Hasło bazy danych:");
    const int leftLabels = textWidth(info1, info2);
    const int leftFields = 12 + leftLabels + 6;
    const int leftEnd = 470;
    w.labInfo1 = label(f, "labInfo1", info1, QRect(12, row1, leftLabels, 16));
    w.labDBName = label(f, "labDBName", QString(), QRect(leftFields, row1 - 2, leftEnd - leftFields, 20));
    w.labDBName->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    w.labDBName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    w.labInfo2 = label(f, "labInfo2", info2, QRect(12, row2, leftLabels, 16));
    w.txtPassword = make<QLineEdit>(f, "txtPassword", QRect(leftFields, row2 - 2, 150, 21));
    w.txtPassword->setEchoMode(QLineEdit::Password);
    // Typed characters show as "*", not as the style's dots.
    auto* passwordStyle = new PasswordStyle(QApplication::style()->name());
    passwordStyle->setParent(w.txtPassword);
    w.txtPassword->setStyle(passwordStyle);
    const int testLeft = leftFields + 150 + 10;
    w.cmdDBTest = button(f, "cmdDBTest", QStringLiteral("&Testuj bazę danych"),
                         QRect(testLeft, row2 - 4, leftEnd - testLeft, 25));

    // Right half: the connection status and the read-only mode.
    const QString info3 = QStringLiteral("Status połączenia z bazą danych:");
    const QString info4 = QStringLiteral("Baza danych w trybie tylko do odczytu:");
    const int rightLabels = textWidth(info3, info4);
    const int rightLeft = 484;
    const int pictures = rightLeft + rightLabels + 4;
    w.labInfo3 = label(f, "labInfo3", info3, QRect(rightLeft, row1, rightLabels, 16));
    w.pctDBStatus =
        make<QLabel>(f, "pctDBStatus", QRect(pictures, row1 - 2, StatusImages::Width, StatusImages::Height));
    w.labInfo4 = label(f, "labInfo4", info4, QRect(rightLeft, row2, rightLabels, 16));
    w.chkReadOnly = checkBox(f, "chkReadOnly", QString(), QRect(pictures + 4, row2 - 1, 20, 18));
    w.pctDBHelp = helpIcon(f, "pctDBHelp", f->width());
}

void MainWindowLayout::buildCrosswordFrame(frmMain& w, QWidget* client) {
    QGroupBox* f = frame(client, "fraSearch1", QStringLiteral(" Wyszukiwanie - Krzyżówka "),
                         QRect(120, 1230, 5955, 1455));
    w.fraSearch1 = f;
    // 375-twip cells whose left edges are 360 twips apart share their borders.
    for (int i = 0; i < frmMain::LetterFields; ++i)
        w.T[i] = letterField(f, QStringLiteral("T_%1").arg(i), QRect(px(120 + 360 * i), 20, px(375), px(375)),
                             45, true);
    w.scrSearch1 = make<QScrollBar>(f, "scrSearch1", QRect(px(120), 49, px(360 * 14 + 375), 16));
    w.scrSearch1->setOrientation(Qt::Horizontal);
    w.scrSearch1->setRange(2, 15);
    w.scrSearch1->setPageStep(1);
    w.scrSearch1->setValue(8);
    w.chkSearch1 = checkBox(f, "chkSearch1", QStringLiteral("Wyszukaj anagramy"), QRect(8, 72, 160, 18));
    w.btnSearch1 = button(f, "btnSearch1", QStringLiteral("&Szukaj"), QRect(226, 68, 72, 24));
    w.btnClear1 = button(f, "btnClear1", QStringLiteral("&Wyczyść"), QRect(302, 68, 72, 24));
    w.pctHelp1 = helpIcon(f, "pctHelp1", f->width());
}

void MainWindowLayout::buildPatternFrame(frmMain& w, QWidget* client) {
    QGroupBox* f =
        frame(client, "fraSearch2", QStringLiteral(" Wyszukiwanie - Wzorzec "), QRect(120, 2730, 5955, 1245));
    w.fraSearch2 = f;
    w.txtPattern = make<QLineEdit>(f, "txtPattern", QRect(8, 22, px(360 * 14 + 375), 22));
    w.txtPattern->setMaxLength(PatternMaxLength);
    w.chkSearch2 = checkBox(f, "chkSearch2", QStringLiteral("Szukaj także w opisach"), QRect(8, 56, 180, 18));
    w.btnSearch2 = button(f, "btnSearch2", QStringLiteral("Szu&kaj"), QRect(226, 53, 72, 24));
    w.btnClear2 = button(f, "btnClear2", QStringLiteral("W&yczyść"), QRect(302, 53, 72, 24));
    w.pctHelp2 = helpIcon(f, "pctHelp2", f->width());
}

void MainWindowLayout::buildScrabbleFrame(frmMain& w, QWidget* client) {
    QGroupBox* f = frame(client, "fraSearch3", QStringLiteral(" Wyszukiwanie - Scrabble "),
                         QRect(120, 4020, 5955, 1425));
    w.fraSearch3 = f;
    for (int i = 0; i < frmMain::RackFields; ++i)
        w.U[i] = letterField(f, QStringLiteral("U_%1").arg(i), QRect(px(120 + 480 * i), 18, px(495), px(495)),
                             63, false);
    w.scrSearch3 = make<QScrollBar>(f, "scrSearch3", QRect(px(120), 53, px(480 * 6 + 495), 16));
    w.scrSearch3->setOrientation(Qt::Horizontal);
    w.scrSearch3->setRange(1, 7);
    w.scrSearch3->setPageStep(1);
    w.scrSearch3->setValue(7);
    w.chkSearch3 =
        checkBox(f, "chkSearch3", QStringLiteral("Dopuszczaj więcej niż dwa blanki"), QRect(8, 73, 216, 18));
    w.btnSearch3 = button(f, "btnSearch3", QStringLiteral("Szuk&aj"), QRect(226, 68, 72, 24));
    w.btnClear3 = button(f, "btnClear3", QStringLiteral("Wy&czyść"), QRect(302, 68, 72, 24));
    w.pctHelp3 = helpIcon(f, "pctHelp3", f->width());
}

void MainWindowLayout::buildQueryFrame(frmMain& w, QWidget* client) {
    QGroupBox* f = frame(client, "fraSearch4", QStringLiteral(" Wyszukiwanie - Kwerenda "),
                         QRect(120, 5490, 5955, 1515));
    w.fraSearch4 = f;
    w.txtQuery = make<QPlainTextEdit>(f, "txtQuery", QRect(8, 20, px(360 * 14 + 375), 45));
    w.txtQuery->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    w.txtQuery->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    w.txtQuery->setLineWrapMode(QPlainTextEdit::NoWrap);
    w.txtQuery->setTabChangesFocus(true);
    // A plain text box has no length limit of its own: cut anything beyond it.
    QPlainTextEdit* query = w.txtQuery;
    QObject::connect(query, &QPlainTextEdit::textChanged, query, [query] {
        const QString text = query->toPlainText();
        if (text.size() <= QueryMaxLength)
            return;
        QTextCursor cursor = query->textCursor();
        const int position = qMin(cursor.position(), QueryMaxLength);
        query->setPlainText(text.left(QueryMaxLength));
        cursor = query->textCursor();
        cursor.setPosition(position);
        query->setTextCursor(cursor);
    });
    w.btnSearch4 = button(f, "btnSearch4", QStringLiteral("Szuka&j"), QRect(226, 71, 72, 24));
    w.btnClear4 = button(f, "btnClear4", QStringLiteral("Wyc&zyść"), QRect(302, 71, 72, 24));
    w.pctHelp4 = helpIcon(f, "pctHelp4", f->width());
}

void MainWindowLayout::buildResultsFrame(frmMain& w, QWidget* client) {
    QGroupBox* f =
        frame(client, "fraResults", QStringLiteral(" Wyniki wyszukiwania"), QRect(6180, 1230, 5355, 5775));
    w.fraResults = f;
    // One line each under the list (fitCaptions makes them fit); the list takes the rest.
    const int hintWidth = f->width() - 16;
    const QString hint1 =
        QStringLiteral("> Przytrzymaj przycisk Ctrl aby zaznaczyć jednocześnie kilka wyrazów");
    const QString hint2 = QStringLiteral("> Wciśnij prawy przycisk myszki aby uaktywnić rozwijane menu");
    const int lineHeight = QFontMetrics(w.font()).height() + 2;
    const int top2 = f->height() - 6 - lineHeight;
    const int top1 = top2 - 2 - lineHeight;
    w.lvResults = make<QTreeView>(f, "lvResults", QRect(8, 20, f->width() - 40, top1 - 6 - 20));
    w.lvResults->setRootIsDecorated(false);
    w.lvResults->setItemsExpandable(false);
    w.lvResults->setUniformRowHeights(true);
    w.lvResults->setAllColumnsShowFocus(true);
    w.lvResults->setSelectionMode(QAbstractItemView::ExtendedSelection);
    w.lvResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    w.lvResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w.lvResults->setContextMenuPolicy(Qt::NoContextMenu);
    w.lvResults->header()->setStretchLastSection(false);
    w.lvResults->header()->setSectionsMovable(false);
    // The results model comes with the searches (frmMain::connectSearchHandlers).

    w.labHint1 = label(f, "labHint1", hint1, QRect(8, top1, hintWidth, lineHeight));
    w.labHint2 = label(f, "labHint2", hint2, QRect(8, top2, hintWidth, lineHeight));
    w.pctResultsHelp = helpIcon(f, "pctResultsHelp", f->width());
}
