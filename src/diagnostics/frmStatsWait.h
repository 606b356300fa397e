#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;

// The small untitled window that stands on the screen while the statistics
// are gathered.
class frmStatsWait : public QDialog {
    Q_OBJECT
public:
    explicit frmStatsWait(QWidget* parent = nullptr);

    QGroupBox* fraStatsWait = nullptr;
    QLabel* labStatsWait = nullptr;
};
