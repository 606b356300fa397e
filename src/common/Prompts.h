#pragma once

#include <QString>

// Styles of the four message boxes; the values are the classic style codes.
enum class MsgStyle { Error = 16, Question = 36, Warning = 48, Info = 64 };

// Answers of MsgQuestion (and what an OK box returns).
constexpr int AnswerOk = 1;
constexpr int AnswerYes = 6;
constexpr int AnswerNo = 7;

struct FileDialogRequest {
    enum Kind { Open, Save };
    Kind kind = Open;
    QString title;
    QString filter;        // "Description|pattern|Description|pattern"
    QString startFolder;   // folder the dialog starts in
    bool readOnly = false; // initial state of the read-only check box
};

struct FileDialogResult {
    bool accepted = false;
    QString path;
    bool readOnly = false; // state of the read-only check box at the close
};

// Everything that talks to the person goes through here, so tests can queue
// answers and read back what was shown. The real one lives in the forms layer.
class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows a modal box titled `title`; returns AnswerOk, AnswerYes or AnswerNo.
    virtual int messageBox(MsgStyle style, const QString& title, const QString& text) = 0;
    virtual FileDialogResult fileDialog(const FileDialogRequest& request) = 0;
};
