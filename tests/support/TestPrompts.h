#pragma once

#include "common/Prompts.h"

#include <QList>
#include <QQueue>
#include <QString>

// Records every box and dialog; answers from queues (default: OK / Yes? no: No
// for questions, cancel for dialogs) so a test decides every answer itself.
class TestPrompts : public Prompts {
public:
    struct Shown {
        MsgStyle style;
        QString title;
        QString text;
    };

    int messageBox(MsgStyle style, const QString& title, const QString& text) override;
    FileDialogResult fileDialog(const FileDialogRequest& request) override;

    void queueAnswer(int answer) { m_answers.enqueue(answer); }
    void queueFile(const QString& path, bool readOnly = false) { m_files.enqueue({true, path, readOnly}); }
    void queueCancel() { m_files.enqueue({}); }

    QList<Shown> shown;
    QList<FileDialogRequest> dialogs;
    QStringList texts() const;
    void clear();

private:
    QQueue<int> m_answers;
    QQueue<FileDialogResult> m_files;
};
