#pragma once

#include "common/Prompts.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// The real message boxes and file dialogs. Boxes carry the standard icons and
// Polish button texts; the file dialog is Qt's own (not the desktop's), because
// only that one can carry the extra "Tylko do odczytu" check box.
//
// Each box and dialog belongs to the window that opened it and is centred on
// it: the modal dialog open at the moment, else the main window. The active
// window alone will not do: right after a file dialog or another box closes
// there is none.
class WidgetPrompts : public Prompts {
public:
    static constexpr const char* ReadOnlyCaption = "Tylko do odczytu";

    // The main window is usually built after the prompts (its load may already
    // show a box): hand it over with setMainWindow then.
    explicit WidgetPrompts(QWidget* mainWindow = nullptr) : m_mainWindow(mainWindow) {}
    void setMainWindow(QWidget* mainWindow) { m_mainWindow = mainWindow; }

    // The parent of the next box or dialog: the active modal dialog, else the
    // main window once it is shown, else whatever window is active (none
    // before the main window is up: the box is centred on the screen).
    QWidget* owner() const;

    int messageBox(MsgStyle style, const QString& title, const QString& text) override;
    FileDialogResult fileDialog(const FileDialogRequest& request) override;

    // "Desc|pattern|Desc|pattern" -> "Desc (pattern);;Desc (pattern)". A pattern
    // the description already shows is not repeated; "*.*" becomes "*" so that
    // names without a dot are listed too.
    static QString qtFilter(const QString& filter);

private:
    QPointer<QWidget> m_mainWindow;
};
