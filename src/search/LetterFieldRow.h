#pragma once

#include <QString>

// A row of single-letter fields (the crossword letters T or the rack U) as the
// key handling sees it. A field's text set to a different value raises its
// change event, which the row passes on to LetterFieldKeys::change, as the
// window's change handler does.
class LetterFieldRow {
public:
    virtual ~LetterFieldRow() = default;

    // The active fields are 0 .. activeCount()-1 (the value of the row's scroll bar).
    virtual int activeCount() const = 0;
    virtual QString text(int index) const = 0;
    virtual void setText(int index, const QString& text) = 0;
    virtual void setFocus(int index) = 0;
};
