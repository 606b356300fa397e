#include "diagnostics/gui/WidgetPrompts.h"
#include "support/gui/ModalProbe.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The icon, the buttons sorted and the default one of a message box.
QString summary(QMessageBox* box) {
    QStringList buttons;
    for (QAbstractButton* b : box->buttons())
        buttons << b->text();
    buttons.sort();
    return QStringLiteral("%1 %2 default %3")
        .arg(int(box->icon()))
        .arg(buttons.join('/'), box->defaultButton() ? box->defaultButton()->text() : QStringLiteral("none"));
}

// Yes, No and Escape, in turn.
TEST(WidgetPrompts, QuestionShowsTakAndNieWithYesAsDefaultAndEscapeAnswersNo) {
    const struct {
        QMessageBox::StandardButton click; // NoButton: Escape
        int answer;
    } rows[] = {
        {QMessageBox::Yes, AnswerYes}, {QMessageBox::No, AnswerNo}, {QMessageBox::NoButton, AnswerNo}};
    for (const auto& row : rows) {
        WidgetPrompts prompts;
        QString seen;
        onNextModalOf<QMessageBox>([&](QMessageBox* box) {
            seen = summary(box);
            if (row.click == QMessageBox::NoButton)
                box->reject();
            else
                box->button(row.click)->click();
        });
        EXPECT_EQ(prompts.messageBox(MsgStyle::Question, "Literon 2.0", QString::fromUtf8("Zakończyć?")),
                  row.answer)
            << row.click;
        EXPECT_EQ(seen, QStringLiteral("%1 &Nie/&Tak default &Tak").arg(int(QMessageBox::Question)));
    }
}

TEST(WidgetPrompts, OpenDialogTakesATypedMissingNameAndReturnsTheCheckBox) {
    QTemporaryDir dir;
    const QString missing = dir.path() + "/nie_ma.mdb";
    WidgetPrompts prompts;
    bool tickedAtStart = false;
    onNextModalOf<QFileDialog>([&](QFileDialog* dialog) {
        auto* box = dialog->findChild<QCheckBox*>("chkDialogReadOnly");
        if (box) {
            tickedAtStart = box->isChecked();
            box->setChecked(false);
        }
        dialog->selectFile(missing);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, with its own checks
    });
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.filter = "Pliki bazy danych (*.mdb)|*.mdb";
    request.startFolder = dir.path();
    request.readOnly = true;
    const FileDialogResult result = prompts.fileDialog(request);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.path, missing);
    EXPECT_FALSE(result.readOnly);
    EXPECT_TRUE(tickedAtStart);
}

// The window a box or dialog opens over, closing it at once.
QWidget* ownerOfNext(WidgetPrompts& prompts, bool fileDialog = false) {
    QWidget* parent = nullptr;
    onNextModal([&](QWidget* modal) {
        parent = modal->parentWidget();
        static_cast<QDialog*>(modal)->reject();
    });
    if (fileDialog)
        prompts.fileDialog(FileDialogRequest{});
    else
        prompts.messageBox(MsgStyle::Warning, "Literon 2.0", "tekst");
    return parent;
}

TEST(BoxOwner, BelongsToTheWindowThatOpenedIt) {
    QWidget main;
    main.show();
    WidgetPrompts prompts(&main);
    WidgetPrompts withoutMain(nullptr);
    // As right after a file dialog or another box has closed.
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(ownerOfNext(prompts), &main) << "no window active";
    EXPECT_EQ(ownerOfNext(prompts, true), &main) << "file dialog, no window active";

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_EQ(ownerOfNext(withoutMain), &other) << "no main window: the active one";
    QApplication::setActiveWindow(&other);
    EXPECT_EQ(ownerOfNext(prompts), &main) << "another window active";

    QDialog dialog(&main);
    dialog.setModal(true);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_EQ(ownerOfNext(prompts), &dialog) << "a modal dialog open";
}

} // namespace
