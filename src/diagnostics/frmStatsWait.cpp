#include "diagnostics/frmStatsWait.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

frmStatsWait::frmStatsWait(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmStatsWait"));
    // While it stands, the other windows take no input.
    setWindowModality(Qt::ApplicationModal);
    fraStatsWait = new QGroupBox(this);
    fraStatsWait->setObjectName(QStringLiteral("fraStatsWait"));
    labStatsWait = new QLabel(QStringLiteral("Trwa generowanie statystyki. Proszę czekać..."), fraStatsWait);
    labStatsWait->setObjectName(QStringLiteral("labStatsWait"));
    QFont bold = labStatsWait->font();
    bold.setBold(true);
    labStatsWait->setFont(bold);
    labStatsWait->setAlignment(Qt::AlignCenter);
    auto* frameLayout = new QVBoxLayout(fraStatsWait);
    frameLayout->setContentsMargins(24, 18, 24, 18);
    frameLayout->addWidget(labStatsWait);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(fraStatsWait);
    setFixedSize(sizeHint());
}
