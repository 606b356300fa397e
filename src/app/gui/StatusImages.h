#pragma once

#include <QPixmap>

// The small pictures of the main window, drawn in code so no image files ship:
// the two connection images (24 x 19, transparent) and the help icon.
class StatusImages {
public:
    static constexpr int Width = 24;
    static constexpr int Height = 19;

    // Image 1: a green tick, the database is connected.
    static QPixmap connected();
    // Image 2: a red cross, it is not.
    static QPixmap notConnected();
    // A blue disc with a white question mark.
    static QPixmap help(int size = 16);
};
