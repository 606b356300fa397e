#include "diagnostics/gui/WidgetPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon iconOf(MsgStyle style) {
    switch (style) {
    case MsgStyle::Error:
        return QMessageBox::Critical;
    case MsgStyle::Warning:
        return QMessageBox::Warning;
    case MsgStyle::Info:
        return QMessageBox::Information;
    case MsgStyle::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QWidget* WidgetPrompts::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (m_mainWindow && m_mainWindow->isVisible())
        return m_mainWindow;
    return QApplication::activeWindow();
}

int WidgetPrompts::messageBox(MsgStyle style, const QString& title, const QString& text) {
    QMessageBox box(iconOf(style), title, text, QMessageBox::NoButton, owner());
    if (style == MsgStyle::Question) {
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        // Set here rather than trusting the translation catalogue to be installed.
        yes->setText(QStringLiteral("&Tak"));
        no->setText(QStringLiteral("&Nie"));
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        QPushButton* ok = box.addButton(QMessageBox::Ok);
        ok->setText(QStringLiteral("OK"));
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    box.exec();
    if (style != MsgStyle::Question)
        return AnswerOk;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? AnswerYes : AnswerNo;
}

FileDialogResult WidgetPrompts::fileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(owner(), request.title, request.startFolder, qtFilter(request.filter));
    dialog.setObjectName(QStringLiteral("dlgOpen"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Any name may be typed: whether the file exists is the caller's business.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(request.kind == FileDialogRequest::Save ? QFileDialog::AcceptSave
                                                                 : QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(QString());

    auto* readOnly = new QCheckBox(QString::fromUtf8(ReadOnlyCaption), &dialog);
    readOnly->setObjectName(QStringLiteral("chkDialogReadOnly"));
    readOnly->setChecked(request.readOnly);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
    else if (dialog.layout())
        dialog.layout()->addWidget(readOnly);

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.accepted = true;
    result.path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    result.readOnly = readOnly->isChecked();
    return result;
}

QString WidgetPrompts::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        const QString joined = patterns.join(QLatin1Char(' '));
        // Qt reads the patterns from the last parentheses of the description.
        if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')) &&
            description.contains(parts.at(i + 1).trimmed()))
            filters << description;
        else
            filters << QStringLiteral("%1 (%2)").arg(description, joined);
    }
    if (filters.isEmpty() && !filter.isEmpty())
        filters << filter;
    return filters.join(QStringLiteral(";;"));
}
