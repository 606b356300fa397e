#pragma once

#include <QPixmap>

// The program's logo, drawn rather than loaded: a letter tile with an "L"
// and its value, as on a Scrabble board.
class AboutLogo {
public:
    static QPixmap pixmap(int size, qreal devicePixelRatio = 1.0);
};
