#pragma once

#include <QDialog>

class modMain;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

// The help window: one topic's text on a light yellow background that never
// keeps the focus, and a close button. Made afresh for every icon click.
class frmHelp : public QDialog {
    Q_OBJECT
public:
    explicit frmHelp(modMain& mod, QWidget* parent = nullptr);

    // Puts the topic's text into txtHelp; an unknown topic leaves it as it is.
    void Init(qint16 topic);

    // What every help icon does: a fresh window with the topic, shown modally
    // over parent. Errors are ignored.
    static void showTopic(modMain& mod, QWidget* parent, qint16 topic);

    QGroupBox* fraHelp = nullptr;
    QPlainTextEdit* txtHelp = nullptr;
    QPushButton* btnClose = nullptr;

public slots:
    void btnClose_Click();
    void txtHelp_GotFocus();

protected:
    void showEvent(QShowEvent* event) override;

private:
    modMain& m_mod;
};
