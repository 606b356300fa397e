#include "diagnostics/gui/WidgetPrompts.h"
#include "support/gui/ModalProbe.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

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

TEST(WidgetPrompts, QuestionShowsTakAndNieWithYesAsDefault) {
    for (bool clickYes : {true, false}) {
        WidgetPrompts prompts;
        QString seen;
        onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            seen = summary(box);
            box->button(clickYes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        const int answer =
            prompts.messageBox(MsgStyle::Question, "Literon 2.0", QString::fromUtf8("Zakończyć?"));
        EXPECT_EQ(answer, clickYes ? AnswerYes : AnswerNo);
        EXPECT_EQ(seen, QStringLiteral("%1 &Nie/&Tak default &Tak").arg(int(QMessageBox::Question)));
    }
}

TEST(WidgetPrompts, EscapeOnAQuestionAnswersNo) {
    WidgetPrompts prompts;
    onNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(prompts.messageBox(MsgStyle::Question, "Literon 2.0", "?"), AnswerNo);
}

struct DialogSeen {
    bool readOnlyAtStart = false;
};

DialogSeen answerDialog(QWidget* modal, const QString& file, bool tick, bool accept) {
    DialogSeen seen;
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog)
        return seen;
    auto* box = dialog->findChild<QCheckBox*>("chkDialogReadOnly");
    if (box) {
        seen.readOnlyAtStart = box->isChecked();
        box->setChecked(tick);
    }
    if (accept) {
        dialog->selectFile(file);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, with its own checks
    } else {
        dialog->reject();
    }
    return seen;
}

TEST(WidgetPrompts, OpenDialogTakesATypedMissingNameAndReturnsTheCheckBox) {
    QTemporaryDir dir;
    const QString missing = dir.path() + "/nie_ma.mdb";
    WidgetPrompts prompts;
    DialogSeen seen;
    onNextModal([&](QWidget* modal) { seen = answerDialog(modal, missing, false, true); });
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.filter = "Pliki bazy danych (*.mdb)|*.mdb";
    request.startFolder = dir.path();
    request.readOnly = true;
    const FileDialogResult result = prompts.fileDialog(request);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.path, missing);
    EXPECT_FALSE(result.readOnly);
    EXPECT_TRUE(seen.readOnlyAtStart);
}

} // namespace
