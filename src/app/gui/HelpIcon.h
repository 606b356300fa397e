#pragma once

#include <QLabel>

// A help icon: a small picture that reacts to a click like a button.
class HelpIcon : public QLabel {
    Q_OBJECT
public:
    explicit HelpIcon(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
