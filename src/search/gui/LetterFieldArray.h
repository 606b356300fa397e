#pragma once

#include "search/LetterFieldRow.h"

#include <QObject>
#include <QVector>

#include <functional>

class QKeyEvent;
class QLineEdit;
class QScrollBar;

// A row of letter fields on the window (T or U): the widgets behind
// LetterFieldRow, and the filter that hands their key, change and mouse events
// to the window's handlers with the field's index. A field takes typed
// letters only: nothing is pasted or dropped into it.
class LetterFieldArray : public QObject, public LetterFieldRow {
    Q_OBJECT
public:
    struct Handlers {
        // Key down with its Qt::Key code; true when the key was dealt with.
        std::function<bool(int index, int key)> keyDown;
        // A typed character the key-down rules left alone.
        std::function<void(int index, const QString& typed)> keyPress;
        std::function<void(int index)> change;
        std::function<void(int index)> mouseUp;
    };

    LetterFieldArray(const QVector<QLineEdit*>& fields, QScrollBar* count, Handlers handlers,
                     QObject* parent = nullptr);

    int activeCount() const override;
    QString text(int index) const override;
    void setText(int index, const QString& text) override;
    void setFocus(int index) override;

    int size() const { return static_cast<int>(m_fields.size()); }
    QLineEdit* field(int index) const { return m_fields.at(index); }

    // True when the key event types a character (no Ctrl or Alt alone, which
    // belong to shortcuts; Ctrl+Alt is AltGr on some systems).
    static bool typesCharacter(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int indexOf(const QObject* object) const;
    bool keyPress(int index, QKeyEvent& event);

    QVector<QLineEdit*> m_fields;
    QScrollBar* m_count;
    Handlers m_handlers;
};
