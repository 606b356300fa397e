#include "diagnostics/frmLogError.h"

#include "common/ErrorLog.h"
#include "common/Platform.h"
#include "common/modMain.h"
#include "diagnostics/LogFile.h"
#include "diagnostics/gui/LinkLabel.h"
#include "help/AboutInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString place(const char* procedure) {
    return QStringLiteral("frmLogError: ") + QLatin1String(procedure);
}

} // namespace

frmLogError::frmLogError(modMain& mod, QWidget* parent) : QDialog(parent), m_mod(mod) {
    setObjectName(QStringLiteral("frmLogError"));
    setWindowTitle(QStringLiteral("Log błędów"));
    resize(720, 400);

    fraLogError = new QGroupBox(QStringLiteral(" Log błędów "), this);
    fraLogError->setObjectName(QStringLiteral("fraLogError"));
    lvLogError = new QTreeWidget(fraLogError);
    lvLogError->setObjectName(QStringLiteral("lvLogError"));
    lvLogError->setRootIsDecorated(false);
    lvLogError->setUniformRowHeights(true);
    lvLogError->setAllColumnsShowFocus(true);
    lvLogError->setSelectionMode(QAbstractItemView::SingleSelection);
    lvLogError->setColumnCount(LogRow::ColumnCount);
    // Sorting is ours (Polish text order, flipping on every click); the header only shows it.
    lvLogError->setSortingEnabled(false);
    lvLogError->header()->setSectionsClickable(true);
    lvLogError->header()->setStretchLastSection(true);
    lvLogError->setColumnWidth(0, 140);
    lvLogError->setColumnWidth(1, 200);
    lvLogError->setColumnWidth(2, 100);
    auto* frameLayout = new QVBoxLayout(fraLogError);
    frameLayout->addWidget(lvLogError);

    labSendLog = new LinkLabel(QStringLiteral("Wyślij Log"), this);
    labSendLog->setObjectName(QStringLiteral("labSendLog"));
    btnClose = new QPushButton(QStringLiteral("&Zamknij"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(labSendLog);
    bottom->addStretch();
    bottom->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraLogError);
    layout->addLayout(bottom);

    connect(btnClose, &QPushButton::clicked, this, &frmLogError::btnClose_Click);
    connect(labSendLog, &LinkLabel::clicked, this, &frmLogError::labSendLog_Click);
    connect(lvLogError->header(), &QHeaderView::sectionClicked, this, &frmLogError::lvLogError_ColumnClick);

    Form_Load();
}

void frmLogError::Form_Load() {
    modMain::skipOnError([&] { LoadLogError(); });
    modMain::skipOnError([&] { btnClose->setFocus(); });
}

QString frmLogError::logPath() const {
    return QDir::toNativeSeparators(ErrorLog::pathIn(m_mod.platform().programFolder()));
}

void frmLogError::LoadLogError() {
    m_mod.trap(place("LoadLogError"), [&] {
        m_rows.clear();
        lvLogError->clear();
        lvLogError->setHeaderLabels({QStringLiteral("Data i godzina"), QStringLiteral("Miejsce wystąpienia"),
                                     QStringLiteral("Numer błędu"), QStringLiteral("Opis błędu")});
        const QString path = logPath();
        if (!QFileInfo::exists(path))
            return;
        m_rows = LogFile::read(path);
        showRows();
    });
}

void frmLogError::showRows() {
    lvLogError->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(m_rows.size());
    for (const LogRow& row : m_rows) {
        auto* item = new QTreeWidgetItem(QStringList{row.when, row.place, row.number, row.description});
        // Descriptions are often wider than the column.
        item->setToolTip(3, row.description);
        items.append(item);
    }
    lvLogError->addTopLevelItems(items);
    // Rows are shown, none chosen.
    lvLogError->clearSelection();
    lvLogError->setCurrentItem(nullptr);
}

void frmLogError::btnClose_Click() {
    modMain::skipOnError([&] { close(); });
}

void frmLogError::labSendLog_Click() {
    m_mod.trap(place("labSendLog_Click"), [&] {
        const QString path = logPath();
        if (!QFileInfo::exists(path)) {
            m_mod.MsgInfo(QStringLiteral("Plik logu nie istnieje."));
            return;
        }
        const int result = m_mod.platform().shellOpen(LogFile::mailAddress(AboutInfo::emailAddress(), path));
        if (!AboutInfo::shellSucceeded(result))
            m_mod.MsgWarning(QStringLiteral("Nie udało się uruchomić domyślnego klienta poczty."));
    });
}

void frmLogError::lvLogError_ColumnClick(int column) {
    m_mod.trap(place("lvLogError_ColumnClick"), [&] {
        const Qt::SortOrder order = m_sort.click(column, m_rows);
        showRows();
        lvLogError->header()->setSortIndicatorShown(true);
        lvLogError->header()->setSortIndicator(m_sort.column(), order);
    });
}
