#include "MainWindowFixture.h"
#include "app/gui/HelpIcon.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

namespace {

using LayoutTest = MainWindowTest;

// Every caption the user reads, letter for letter, and no control outside its frame.
TEST_F(LayoutTest, CaptionsOfFramesAndControls) {
    const struct {
        const char* name;
        const char* text;
    } captions[] = {
        {"fraDatabase", " Baza danych "},
        {"fraSearch1", " Wyszukiwanie - Krzyżówka "},
        {"fraSearch2", " Wyszukiwanie - Wzorzec "},
        {"fraSearch3", " Wyszukiwanie - Scrabble "},
        {"fraSearch4", " Wyszukiwanie - Kwerenda "},
        {"fraResults", " Wyniki wyszukiwania"},
        {"labInfo1", "Plik bazy danych:"},
        {"labInfo2", "Hasło bazy danych:"},
        {"labInfo3", "Status połączenia z bazą danych:"},
        {"labInfo4", "Baza danych w trybie tylko do odczytu:"},
        {"labHint1", "> Przytrzymaj przycisk Ctrl aby zaznaczyć jednocześnie kilka wyrazów"},
        {"labHint2", "> Wciśnij prawy przycisk myszki aby uaktywnić rozwijane menu"},
        {"cmdDBTest", "&Testuj bazę danych"},
        {"btnSearch1", "&Szukaj"},
        {"btnClear1", "&Wyczyść"},
        {"btnSearch2", "Szu&kaj"},
        {"btnClear2", "W&yczyść"},
        {"btnSearch3", "Szuk&aj"},
        {"btnClear3", "Wy&czyść"},
        {"btnSearch4", "Szuka&j"},
        {"btnClear4", "Wyc&zyść"},
        {"chkSearch1", "Wyszukaj anagramy"},
        {"chkSearch2", "Szukaj także w opisach"},
        {"chkSearch3", "Dopuszczaj więcej niż dwa blanki"},
        {"chkReadOnly", ""},
    };
    for (const auto& c : captions) {
        QWidget* widget = child<QWidget>(c.name);
        ASSERT_NE(widget, nullptr);
        QString text;
        if (auto* box = qobject_cast<QGroupBox*>(widget))
            text = box->title();
        else if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.name;
    }
    for (QGroupBox* box : window().findChildren<QGroupBox*>())
        for (QWidget* control : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(box->rect().contains(control->geometry())) << control->objectName().toStdString();
    EXPECT_EQ(window().windowTitle(), QString("Literon 2.0"));
    EXPECT_EQ(child<QLineEdit>("txtPassword")->echoMode(), QLineEdit::Password);
    for (const char* icon : {"pctDBHelp", "pctHelp1", "pctHelp2", "pctHelp3", "pctHelp4", "pctResultsHelp"})
        EXPECT_FALSE(child<HelpIcon>(icon)->pixmap().isNull()) << icon;
}

// The limits input relies on: one letter a cell, the pattern's length, the counts.
TEST_F(LayoutTest, InputLimits) {
    frmMain& w = window();
    for (int i = 0; i < frmMain::LetterFields; ++i) {
        EXPECT_EQ(child<QLineEdit>(QStringLiteral("T_%1").arg(i).toLatin1().constData()), w.T[i]);
        EXPECT_EQ(w.T[i]->maxLength(), 1);
    }
    for (int i = 0; i < frmMain::RackFields; ++i) {
        EXPECT_EQ(child<QLineEdit>(QStringLiteral("U_%1").arg(i).toLatin1().constData()), w.U[i]);
        EXPECT_EQ(w.U[i]->maxLength(), 1);
    }
    EXPECT_EQ(w.txtPattern->maxLength(), 50);
    EXPECT_EQ(std::pair(w.scrSearch1->minimum(), w.scrSearch1->maximum()), std::pair(2, 15));
    EXPECT_EQ(std::pair(w.scrSearch3->minimum(), w.scrSearch3->maximum()), std::pair(1, 7));
}

TEST_F(LayoutTest, MenusEntriesShortcutsAndStartingStates) {
    frmMain& w = window();
    const QList<QAction*> bar = w.menuBar()->actions();
    ASSERT_EQ(bar.size(), 4);
    const QList<QMenu*> menus = {w.mnuFile, w.mnuDB, w.mnuSettings, w.mnuInfo};
    const char* const titles[] = {"&Plik", "&Baza", "&Ustawienia", "&Informacje"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar[i]->menu(), menus[i]);
        EXPECT_EQ(menus[i]->title(), QString::fromUtf8(titles[i]));
    }
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
            if (e.caption)
                EXPECT_EQ(actions[i]->text(), QString::fromUtf8(e.caption));
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
    // The pop-up menu has its entries but never shows in the bar.
    check(w.mnuPopUp, {{"mnuPopUpMaintainDescriptions", "Zarządzaj opisami", {}, true},
                       {"mnuPopUpMaintainWord", "Modyfikuj wyraz", {}, true},
                       {"sepPopUp", nullptr, {}, true},
                       {"mnuPopUpAddWord", "Dodaj nowy wyraz", {}, true},
                       {"mnuPopUpDeleteWord", "Usuń wyraz", {}, true}});
    for (QAction* a : bar)
        EXPECT_NE(a->menu(), w.mnuPopUp);
}

// The tick (connected) is green, the cross (failed) red.
TEST_F(LayoutTest, StatusImagesAreTickAndCross) {
    auto greenOverRed = [](const QPixmap& pixmap) {
        const QImage image = pixmap.toImage();
        int balance = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 128)
                    balance += qGreen(image.pixel(x, y)) - qRed(image.pixel(x, y));
        return balance;
    };
    frmMain& w = window();
    ASSERT_EQ(w.imgList.size(), 2);
    EXPECT_GT(greenOverRed(w.imgList[0]), 0);
    EXPECT_LT(greenOverRed(w.imgList[1]), 0);
}

} // namespace
