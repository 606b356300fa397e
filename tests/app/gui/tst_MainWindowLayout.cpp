#include "MainWindowFixture.h"
#include "app/gui/HelpIcon.h"
#include "app/gui/MainWindowLayout.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTreeView>

namespace {

using LayoutTest = MainWindowTest;

TEST_F(LayoutTest, FramesSitWhereDesignedWithTheirBlanks) {
    const struct {
        const char* name;
        const char* caption;
        QRect twips;
    } frames[] = {
        {"fraDatabase", " Baza danych ", QRect(120, 30, 11415, 1155)},
        {"fraSearch1", " Wyszukiwanie - Krzyżówka ", QRect(120, 1230, 5955, 1455)},
        {"fraSearch2", " Wyszukiwanie - Wzorzec ", QRect(120, 2730, 5955, 1245)},
        {"fraSearch3", " Wyszukiwanie - Scrabble ", QRect(120, 4020, 5955, 1425)},
        {"fraSearch4", " Wyszukiwanie - Kwerenda ", QRect(120, 5490, 5955, 1515)},
        {"fraResults", " Wyniki wyszukiwania", QRect(6180, 1230, 5355, 5775)},
    };
    for (const auto& f : frames) {
        auto* box = child<QGroupBox>(f.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->title(), QString::fromUtf8(f.caption)) << f.name;
        EXPECT_EQ(box->geometry(),
                  MainWindowLayout::pxRect(f.twips.x(), f.twips.y(), f.twips.width(), f.twips.height()))
            << f.name;
        // Every control of a frame lies inside it.
        for (QWidget* control : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(box->rect().contains(control->geometry())) << control->objectName().toStdString();
    }
}

TEST_F(LayoutTest, WindowIsFixedAtTheDesignedClientArea) {
    frmMain& w = window();
    EXPECT_EQ(w.windowTitle(), QString("Literon 2.0"));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.centralWidget()->width(), 774);
    EXPECT_EQ(w.centralWidget()->height() + w.barStatus->sizeHint().height(), 496);
    EXPECT_EQ(w.height(), w.menuBar()->sizeHint().height() + 496);
}

TEST_F(LayoutTest, CaptionsOfControls) {
    const struct {
        const char* name;
        const char* text;
    } texts[] = {
        {"labInfo1", "Plik bazy danych:"},
        {"labInfo2", "Hasło bazy danych:"},
        {"labInfo3", "Status połączenia z bazą danych:"},
        {"labInfo4", "Baza danych w trybie tylko do odczytu:"},
        {"labHint1", "> Przytrzymaj przycisk Ctrl aby zaznaczyć jednocześnie kilka wyrazów"},
        {"labHint2", "> Wciśnij prawy przycisk myszki aby uaktywnić rozwijane menu"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(child<QLabel>(t.name)->text(), QString::fromUtf8(t.text));
    const struct {
        const char* name;
        const char* text;
    } buttons[] = {
        {"cmdDBTest", "&Testuj bazę danych"},
        {"btnSearch1", "&Szukaj"},
        {"btnClear1", "&Wyczyść"},
        {"btnSearch2", "Szu&kaj"},
        {"btnClear2", "W&yczyść"},
        {"btnSearch3", "Szuk&aj"},
        {"btnClear3", "Wy&czyść"},
        {"btnSearch4", "Szuka&j"},
        {"btnClear4", "Wyc&zyść"},
    };
    for (const auto& b : buttons)
        EXPECT_EQ(child<QPushButton>(b.name)->text(), QString::fromUtf8(b.text));
    EXPECT_EQ(child<QCheckBox>("chkSearch1")->text(), QString("Wyszukaj anagramy"));
    EXPECT_EQ(child<QCheckBox>("chkSearch2")->text(), QString::fromUtf8("Szukaj także w opisach"));
    EXPECT_EQ(child<QCheckBox>("chkSearch3")->text(), QString::fromUtf8("Dopuszczaj więcej niż dwa blanki"));
    EXPECT_TRUE(child<QCheckBox>("chkReadOnly")->text().isEmpty());
    EXPECT_EQ(child<QLineEdit>("txtPassword")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(child<QLineEdit>("txtPattern")->maxLength(), 50);
    EXPECT_NE(child<QPlainTextEdit>("txtQuery"), nullptr);
    EXPECT_NE(child<QTreeView>("lvResults"), nullptr);
    for (const char* icon : {"pctDBHelp", "pctHelp1", "pctHelp2", "pctHelp3", "pctHelp4", "pctResultsHelp"})
        EXPECT_FALSE(child<HelpIcon>(icon)->pixmap().isNull()) << icon;
}

TEST_F(LayoutTest, LetterAndRackFieldsAreNamedArraysOfOneLetterCells) {
    frmMain& w = window();
    for (int i = 0; i < frmMain::LetterFields; ++i) {
        QLineEdit* field = child<QLineEdit>(QStringLiteral("T_%1").arg(i).toLatin1().constData());
        EXPECT_EQ(field, w.T[i]);
        EXPECT_EQ(field->maxLength(), 1);
        EXPECT_EQ(field->size(), QSize(25, 25));
        EXPECT_EQ(field->x(), 8 + 24 * i); // neighbouring cells share a border
    }
    for (int i = 0; i < frmMain::RackFields; ++i) {
        QLineEdit* field = child<QLineEdit>(QStringLiteral("U_%1").arg(i).toLatin1().constData());
        EXPECT_EQ(field, w.U[i]);
        EXPECT_EQ(field->maxLength(), 1);
        EXPECT_EQ(field->size(), QSize(33, 33));
    }
    EXPECT_EQ(w.scrSearch1->orientation(), Qt::Horizontal);
    EXPECT_EQ(w.scrSearch1->minimum(), 2);
    EXPECT_EQ(w.scrSearch1->maximum(), 15);
    EXPECT_EQ(w.scrSearch3->minimum(), 1);
    EXPECT_EQ(w.scrSearch3->maximum(), 7);
}

TEST_F(LayoutTest, MenusEntriesShortcutsAndStartingStates) {
    frmMain& w = window();
    const QList<QAction*> bar = w.menuBar()->actions();
    ASSERT_EQ(bar.size(), 4);
    EXPECT_EQ(bar[0]->menu(), w.mnuFile);
    EXPECT_EQ(bar[1]->menu(), w.mnuDB);
    EXPECT_EQ(bar[2]->menu(), w.mnuSettings);
    EXPECT_EQ(bar[3]->menu(), w.mnuInfo);
    EXPECT_EQ(w.mnuFile->title(), QString("&Plik"));
    EXPECT_EQ(w.mnuDB->title(), QString("&Baza"));
    EXPECT_EQ(w.mnuSettings->title(), QString("&Ustawienia"));
    EXPECT_EQ(w.mnuInfo->title(), QString("&Informacje"));

    struct Entry {
        const char* name;
        const char* caption; // nullptr: separator
        QKeySequence shortcut;
        bool enabled;
    };
    auto check = [](QMenu* menu, const QList<Entry>& entries) {
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), entries.size()) << menu->objectName().toStdString();
        for (int i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(e.name));
            EXPECT_EQ(actions[i]->isSeparator(), e.caption == nullptr) << e.name;
            if (e.caption) {
                EXPECT_EQ(actions[i]->text(), QString::fromUtf8(e.caption));
            }
            EXPECT_EQ(actions[i]->shortcut(), e.shortcut) << e.name;
            EXPECT_EQ(actions[i]->isEnabled(), e.enabled) << e.name;
        }
    };
    check(w.mnuFile, {{"mnuOpen", "&Otwórz bazę...", QKeySequence("Ctrl+O"), true},
                      {"sep1a", nullptr, {}, true},
                      {"mnuNew", "&Nowa baza...", QKeySequence("Ctrl+N"), true},
                      {"mnuSaveAs", "Zapisz &jako...", {}, false},
                      {"mnuClose", "&Zamknij", {}, false},
                      {"sep1b", nullptr, {}, true},
                      {"mnuExit", "Za&kończ", {}, true}});
    check(w.mnuDB, {{"mnuStats", "&Statystyka bazy", {}, false}});
    check(w.mnuSettings, {{"mnuLogError", "&Log błędów", QKeySequence("Ctrl+E"), true},
                          {"sep2", nullptr, {}, true},
                          {"mnuOptions", "&Opcje", {}, true}});
    check(w.mnuInfo, {{"mnuAbout", "&O programie...", {}, true}});

    // The pop-up menu exists with its entries but never shows in the bar.
    EXPECT_EQ(w.mnuPopUp->title(), QString("PopUp"));
    for (QAction* a : bar)
        EXPECT_NE(a->menu(), w.mnuPopUp);
    check(w.mnuPopUp, {{"mnuPopUpMaintainDescriptions", "Zarządzaj opisami", {}, true},
                       {"mnuPopUpMaintainWord", "Modyfikuj wyraz", {}, true},
                       {"sepPopUp", nullptr, {}, true},
                       {"mnuPopUpAddWord", "Dodaj nowy wyraz", {}, true},
                       {"mnuPopUpDeleteWord", "Usuń wyraz", {}, true}});
}

TEST_F(LayoutTest, StatusBarHasFourNamedPanels) {
    frmMain& w = window();
    EXPECT_EQ(w.barStatus->objectName(), QString("barStatus"));
    for (int i = 1; i <= 4; ++i) {
        QLabel* panel = child<QLabel>(QStringLiteral("barStatusPanel%1").arg(i).toLatin1().constData());
        EXPECT_EQ(panel, w.barStatusPanel(i));
        EXPECT_EQ(panel->parentWidget(), w.barStatus);
    }
}

TEST_F(LayoutTest, StatusImagesAreTransparentTickAndCross) {
    frmMain& w = window();
    ASSERT_EQ(w.imgList.size(), 2);
    for (const QPixmap& pixmap : w.imgList) {
        EXPECT_EQ(pixmap.size(), QSize(24, 19));
        const QImage image = pixmap.toImage();
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(23, 18)), 0);
    }
    // Mostly green in the tick, mostly red in the cross.
    auto dominant = [](const QPixmap& pixmap) {
        const QImage image = pixmap.toImage();
        int red = 0, green = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) > 128) {
                    red += qRed(p);
                    green += qGreen(p);
                }
            }
        return green > red ? 'g' : 'r';
    };
    EXPECT_EQ(dominant(w.imgList[0]), 'g');
    EXPECT_EQ(dominant(w.imgList[1]), 'r');
}

} // namespace
