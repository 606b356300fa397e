#include "SearchWindowFixture.h"

#include "db/ConnectionString.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {

const QString Done = QString::fromUtf8("Wyszukiwanie zakończone");
const QString Failed = QString::fromUtf8("Wyszukiwanie zakończone błędem");

// One search as a player starts it: its input, the control that has the
// focus (Enter there starts the search, or a click when it is the button)
// and the button that aborts it.
struct Search {
    const char* name;
    std::function<void(frmMain&)> fill;
    const char* focus;
    const char* button;
};

const Search searches[] = {
    {"crossword_enter_in_a_letter_field",
     [](frmMain& w) {
         w.scrSearch1->setValue(3);
         w.T[0]->setText("K");
     },
     "T_2", "btnSearch1"},
    {"pattern_enter_in_the_pattern", [](frmMain& w) { w.txtPattern->setText("K*"); }, "txtPattern",
     "btnSearch2"},
    {"scrabble_enter_in_a_rack_field",
     [](frmMain& w) {
         w.txtPattern->setText("K??");
         w.scrSearch3->setValue(3);
         for (int i = 0; i < 3; ++i)
             w.U[i]->setText(QString("KOT").at(i));
     },
     "U_1", "btnSearch3"},
    {"query_click_of_its_button", [](frmMain& w) { w.txtQuery->setPlainText("SELECT Wyraz FROM WYRAZY"); },
     "btnSearch4", "btnSearch4"},
};

enum class End { Normal, Aborted, Failed };

struct FocusCase {
    const Search* search;
    End end;
};

std::string caseName(const FocusCase& c) {
    const char* ends[] = {"normal_end", "abort", "error_end"};
    return std::string(c.search->name) + "__" + ends[static_cast<int>(c.end)];
}

void PrintTo(const FocusCase& c, std::ostream* os) {
    *os << caseName(c);
}

std::vector<FocusCase> focusCases() {
    std::vector<FocusCase> cases;
    for (const Search& search : searches)
        cases.push_back({&search, End::Normal});
    // The abort and the error end share one restoring path: a letter field and the query button.
    for (End end : {End::Aborted, End::Failed})
        for (const Search* search : {&searches[0], &searches[3]})
            cases.push_back({search, end});
    return cases;
}

class SearchFocus : public SearchWindowTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(SearchFocus, ReturnsToTheControlTheRunStartedFrom) {
    const FocusCase& c = GetParam();
    frmMain& w = openWith({"KOT", "KAT", "KIT", "KOTY"});
    w.show();
    QApplication::setActiveWindow(&w);
    c.search->fill(w);
    QWidget* start = w.findChild<QWidget*>(c.search->focus);
    auto* button = w.findChild<QPushButton*>(c.search->button);
    ASSERT_TRUE(start && button);
    start->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), start);

    // Inside the run's first yield: abort it, or pull the database from under it.
    QTimer::singleShot(0, [&] {
        if (c.end == End::Aborted)
            button->click();
        else if (c.end == End::Failed)
            env.mod.ConnString = ConnectionString::build(false, "/nie/ma/takiego/pliku.mdb", QString());
    });
    if (start == button)
        QTest::mouseClick(button, Qt::LeftButton);
    else
        QTest::keyClick(start, Qt::Key_Return);

    EXPECT_EQ(w.panelText(1), c.end == End::Failed ? Failed : Done)
        << env.prompts.texts().join('\n').toStdString();
    QWidget* now = QApplication::focusWidget();
    EXPECT_EQ(now, start) << "focus on " << (now ? now->objectName().toStdString() : "nothing");
}

INSTANTIATE_TEST_SUITE_P(Table, SearchFocus, ::testing::ValuesIn(focusCases()),
                         [](const auto& info) { return caseName(info.param); });

// Alt+P while a search runs: one key press aborts it, wherever the focus is in
// the window, and the "&Plik" menu does not open.
struct AbortKeyCase {
    const char* name;
    std::function<QWidget*(frmMain&)> focusDuringRun; // null: leave it where the run put it
};

void PrintTo(const AbortKeyCase& c, std::ostream* os) {
    *os << c.name;
}

const AbortKeyCase abortKeyCases[] = {
    {"focus_left_where_the_run_put_it", nullptr},
    {"focus_in_the_results_list", [](frmMain& w) -> QWidget* { return w.lvResults; }},
};

class AbortKeyDuringRun : public SearchWindowTest, public ::testing::WithParamInterface<AbortKeyCase> {};

TEST_P(AbortKeyDuringRun, AltPAbortsTheRunningSearchAtOnce) {
    const AbortKeyCase& c = GetParam();
    frmMain& w = openWith({"KOT", "KAT"});
    w.show();
    QApplication::setActiveWindow(&w);
    w.scrSearch1->setValue(3);
    w.T[2]->setFocus();
    struct Seen {
        QString caption;
        bool stop = false;
        bool menuOpen = true;
    } seen;
    QTimer::singleShot(0, [&] {
        if (c.focusDuringRun)
            c.focusDuringRun(w)->setFocus();
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, Qt::Key_P, Qt::AltModifier);
        seen.caption = w.btnSearch1->text();
        seen.stop = w.bStopSearch;
        seen.menuOpen = QApplication::activePopupWidget() != nullptr;
    });
    w.btnSearch1->click();

    EXPECT_EQ(seen.caption, QString("&Szukaj"));
    EXPECT_TRUE(seen.stop);
    EXPECT_FALSE(seen.menuOpen);
    EXPECT_EQ(w.panelText(1), Done);
}

INSTANTIATE_TEST_SUITE_P(Table, AbortKeyDuringRun, ::testing::ValuesIn(abortKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchWindowTest, AltPWithoutARunningSearchStillOpensTheFileMenu) {
    frmMain& w = openWith({"KOT"});
    w.show();
    QApplication::setActiveWindow(&w);
    w.T[0]->setFocus();
    QTest::keyClick(w.T[0], Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), w.mnuFile);
    w.mnuFile->hide();
}

} // namespace
