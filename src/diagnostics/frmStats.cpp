#include "diagnostics/frmStats.h"

#include "common/modMain.h"
#include "diagnostics/DatabaseStats.h"

#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

frmStats::frmStats(modMain& mod, const QString& dbPath, QWidget* waitWindow, QWidget* parent)
    : QDialog(parent), m_mod(mod), m_dbPath(dbPath), m_waitWindow(waitWindow) {
    setObjectName(QStringLiteral("frmStats"));
    setWindowTitle(QStringLiteral("Statystyka bazy"));

    fraStats = new QGroupBox(QStringLiteral(" Statystyka bazy "), this);
    fraStats->setObjectName(QStringLiteral("fraStats"));
    auto* grid = new QGridLayout(fraStats);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    QPalette answerPalette = palette();
    answerPalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    answerPalette.setColor(QPalette::Window, QColor(224, 224, 224));
    for (int row = 0; row < Rows; ++row) {
        labInfo[row] = new QLabel(DatabaseStats::caption(static_cast<DatabaseStats::Row>(row)), fraStats);
        labInfo[row]->setObjectName(QStringLiteral("labInfo%1").arg(row));
        labAnswer[row] = new QLabel(fraStats);
        labAnswer[row]->setObjectName(QStringLiteral("labAnswer%1").arg(row));
        labAnswer[row]->setAutoFillBackground(true);
        labAnswer[row]->setPalette(answerPalette);
        QFont bold = labAnswer[row]->font();
        bold.setBold(true);
        labAnswer[row]->setFont(bold);
        labAnswer[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        labAnswer[row]->setMinimumWidth(170);
        labAnswer[row]->setContentsMargins(6, 2, 2, 2);
        labAnswer[row]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(labInfo[row], row, 0);
        grid->addWidget(labAnswer[row], row, 1);
    }

    btnClose = new QPushButton(QStringLiteral("&Zamknij"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraStats);
    layout->addWidget(btnClose, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnClose, &QPushButton::clicked, this, &frmStats::btnClose_Click);

    Form_Load();
}

void frmStats::Form_Load() {
    modMain::skipOnError([&] { LoadStats(); });
    modMain::skipOnError([&] {
        if (m_waitWindow)
            m_waitWindow->close();
    });
}

void frmStats::LoadStats() {
    const DatabaseStats::Request request{m_mod.ConnString, m_mod.settings.ConnTimeout, m_dbPath};
    const QLocale locale;
    DatabaseStats::Result result;
    // Counting millions of rows takes a while: it runs on a worker thread while
    // this thread keeps the waiting window painted. Input waits until it ends.
    std::unique_ptr<QThread> worker(
        QThread::create([&] { result = DatabaseStats::run(request, m_mod.platform(), locale); }));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    if (!worker->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();

    for (int row = 0; row < Rows; ++row)
        labAnswer[row]->setText(result.texts[row]);
    if (result.error)
        m_mod.trap(QStringLiteral("frmStats: LoadStats"), [&] { throw *result.error; });
}

void frmStats::btnClose_Click() {
    modMain::skipOnError([&] { close(); });
}
