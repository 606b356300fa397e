#include "MainWindowFixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class WindowCaptions : public MainWindowTest {};

TEST_F(WindowCaptions, PasswordShowsAStarPerCharacter) {
    frmMain& w = window();
    w.txtPassword->setText(QString::fromUtf8("hasło1"));
    EXPECT_EQ(w.txtPassword->displayText(), QString("******"));
    EXPECT_EQ(w.txtPassword->text(), QString::fromUtf8("hasło1"));
}

// Every caption of the window on its one line, measured in its own font:
// labels without wrapping, check boxes and buttons within their width, frame
// titles within their frame, status panels with their longest texts.
TEST_F(WindowCaptions, EveryCaptionFitsOnItsLine) {
    frmMain& w = window();
    w.setPanelText(2, QString::fromUtf8("Odświeżanie tabeli: 99999"));
    w.setPanelText(3, QString::fromUtf8("Limit rekordów: 9999999"));
    w.setPanelText(4, QString::fromUtf8("Pasujące rekordy: 9999999"));
    int checked = 0;
    for (QWidget* control : w.findChildren<QWidget*>()) {
        const std::string name = control->objectName().toStdString();
        const QFontMetrics metrics = control->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(control)) {
            if (label == w.labDBName || label->text().isEmpty() || label == w.barStatusPanel(1))
                continue;
            EXPECT_FALSE(label->wordWrap()) << name;
            EXPECT_LE(metrics.horizontalAdvance(label->text()) + std::max(label->indent(), 0),
                      label->contentsRect().width())
                << name;
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            if (box->text().isEmpty())
                continue;
            EXPECT_LE(box->sizeHint().width(), box->width()) << name;
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            // A little room on both sides of the text for the button's frame.
            EXPECT_LE(metrics.horizontalAdvance(button->text().remove('&')) + 8, button->width()) << name;
        } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
            EXPECT_LE(metrics.horizontalAdvance(frame->title()) + 16, frame->width()) << name;
        } else {
            continue;
        }
        ++checked;
    }
    // 6 frames, 4 labels of the database frame, 2 hints, 3 status panels,
    // 3 check boxes with captions, 9 buttons.
    EXPECT_EQ(checked, 27);
}

} // namespace
