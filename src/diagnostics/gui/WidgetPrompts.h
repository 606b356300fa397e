#pragma once

#include "common/Prompts.h"

#include <QString>

// The real message boxes and file dialogs. Boxes carry the standard icons and
// Polish button texts; the file dialog is Qt's own (not the desktop's), because
// only that one can carry the extra "Tylko do odczytu" check box.
class WidgetPrompts : public Prompts {
public:
    static constexpr const char* ReadOnlyCaption = "Tylko do odczytu";

    int messageBox(MsgStyle style, const QString& title, const QString& text) override;
    FileDialogResult fileDialog(const FileDialogRequest& request) override;

    // "Desc|pattern|Desc|pattern" -> "Desc (pattern);;Desc (pattern)". A pattern
    // the description already shows is not repeated; "*.*" becomes "*" so that
    // names without a dot are listed too.
    static QString qtFilter(const QString& filter);
};
