#include "support/TestPrompts.h"

int TestPrompts::messageBox(MsgStyle style, const QString& title, const QString& text) {
    shown.append({style, title, text});
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    return style == MsgStyle::Question ? AnswerNo : AnswerOk;
}

FileDialogResult TestPrompts::fileDialog(const FileDialogRequest& request) {
    dialogs.append(request);
    if (m_files.isEmpty())
        return {};
    return m_files.dequeue();
}

QStringList TestPrompts::texts() const {
    QStringList result;
    for (const Shown& s : shown)
        result << s.text;
    return result;
}

void TestPrompts::clear() {
    shown.clear();
    dialogs.clear();
    m_answers.clear();
    m_files.clear();
}
