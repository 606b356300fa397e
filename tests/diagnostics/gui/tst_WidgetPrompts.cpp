#include "diagnostics/gui/WidgetPrompts.h"
#include "support/gui/ModalProbe.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(WidgetPrompts, QuestionShowsTakAndNieWithYesAsDefaultAndEscapeAnswersNo) {
    for (bool escape : {false, true}) {
        WidgetPrompts prompts;
        QStringList seen; // the buttons sorted, the default one, the icon
        onNextModalOf<QMessageBox>([&](QMessageBox* box) {
            for (QAbstractButton* b : box->buttons())
                seen << b->text();
            seen.sort();
            seen << (box->defaultButton() ? box->defaultButton()->text() : "none")
                 << QString::number(box->icon());
            if (escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(QMessageBox::Yes)->click();
        });
        EXPECT_EQ(prompts.messageBox(MsgStyle::Question, "Literon 2.0", QString::fromUtf8("Zakończyć?")),
                  escape ? AnswerNo : AnswerYes);
        EXPECT_EQ(seen, (QStringList{"&Nie", "&Tak", "&Tak", QString::number(QMessageBox::Question)}));
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
    const FileDialogResult result = prompts.fileDialog(
        {FileDialogRequest::Open, QString(), "Pliki bazy danych (*.mdb)|*.mdb", dir.path(), true});
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
