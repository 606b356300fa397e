#pragma once

#include <QRect>

class frmMain;
class QGroupBox;
class QWidget;

// Builds the controls, menus and status bar of frmMain. Frame rectangles are
// given in twips as designed; everything is placed absolutely, like the
// original fixed-size window.
class MainWindowLayout {
public:
    // Client area (below the menu bar, status bar included), in twips.
    static constexpr int ClientWidthTwips = 11610;
    static constexpr int ClientHeightTwips = 7440;

    // 15 twips make one pixel at 96 dots per inch.
    static int px(int twips);
    static QRect pxRect(int left, int top, int width, int height);

    static void build(frmMain& w);

    // Room for a control's caption on its one line, and the width the caption
    // takes in the control's font (buttons without their "&").
    static int captionRoom(const QWidget* control);
    static int captionWidth(const QWidget* control);

private:
    static void buildMenus(frmMain& w);
    static void buildPopUpMenu(frmMain& w);
    static void buildDatabaseFrame(frmMain& w, QWidget* client);
    static void buildCrosswordFrame(frmMain& w, QWidget* client);
    static void buildPatternFrame(frmMain& w, QWidget* client);
    static void buildScrabbleFrame(frmMain& w, QWidget* client);
    static void buildQueryFrame(frmMain& w, QWidget* client);
    static void buildResultsFrame(frmMain& w, QWidget* client);
    static void buildStatusBar(frmMain& w);
    // Captions too wide for their control get a smaller font, so every
    // caption stays on one line whatever font the desktop offers.
    static void fitCaptions(frmMain& w);
    static QGroupBox* frame(QWidget* client, const char* name, const QString& caption, const QRect& twips);
};
