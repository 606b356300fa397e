#include "SearchWindowFixture.h"

#include "db/ConnectionString.h"

#include <QTest>
#include <QTimer>

namespace {

const QString Done = QString::fromUtf8("Wyszukiwanie zakończone");
const QString Failed = QString::fromUtf8("Wyszukiwanie zakończone błędem");

enum class End { Normal, Aborted, Failed };

// Every input is filled (the rack too, and the pattern the scrabble search
// shares). A run as a player starts it: the control that has the focus (Enter
// there starts the search, or a click when it is the button), the button that
// aborts it, how it ends, and the columns and rows a normal end leaves.
struct FocusCase {
    const char* name;
    const char* focus;
    const char* button;
    End end;
    const char* captions = nullptr;
    int rows = 0;
    friend void PrintTo(const FocusCase& c, std::ostream* os) { *os << c.name; }
};

// The abort and the error end share one restoring path: a letter field and the query button.
const FocusCase focusCases[] = {
    {"crossword_enter_in_a_letter_field", "T_2", "btnSearch1", End::Normal, "Wyraz", 3},
    {"pattern_enter_in_the_pattern", "txtPattern", "btnSearch2", End::Normal, "Wyraz", 4},
    {"scrabble_enter_in_a_rack_field", "U_1", "btnSearch3", End::Normal, "Wyraz|Litery", 1},
    {"query_enter_in_the_query", "txtQuery", "btnSearch4", End::Normal, "Wyraz|WyrazID", 4},
    {"crossword_abort", "T_2", "btnSearch1", End::Aborted},
    {"crossword_error_end", "T_2", "btnSearch1", End::Failed},
    {"query_button_abort", "btnSearch4", "btnSearch4", End::Aborted},
    {"query_button_error_end", "btnSearch4", "btnSearch4", End::Failed},
};

class SearchFocus : public SearchWindowTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(SearchFocus, ReturnsToTheControlTheRunStartedFrom) {
    const FocusCase& c = GetParam();
    frmMain& w = openWith({"KOT", "KAT", "KIT", "KOTY"});
    w.show();
    QApplication::setActiveWindow(&w);
    w.scrSearch1->setValue(3);
    w.T[0]->setText("K");
    w.T[2]->setText("T");
    w.txtPattern->setText("K*");
    w.scrSearch3->setValue(3);
    for (int i = 0; i < 3; ++i)
        w.U[i]->setText(QString("KOT").at(i));
    const QString query = QStringLiteral("SELECT Wyraz, WyrazID FROM WYRAZY");
    w.txtQuery->setPlainText(query);
    QWidget* start = w.findChild<QWidget*>(c.focus);
    auto* button = w.findChild<QPushButton*>(c.button);
    ASSERT_TRUE(start && button);
    start->setFocus();

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
    EXPECT_EQ(QApplication::focusWidget(), start);
    if (c.end == End::Normal) {
        EXPECT_EQ(captions().join('|'), QString(c.captions));
        EXPECT_EQ(column().size(), c.rows);
    }
    EXPECT_EQ(w.txtQuery->toPlainText(), query) << "Enter broke the query's line";
}

INSTANTIATE_TEST_SUITE_P(Table, SearchFocus, ::testing::ValuesIn(focusCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Alt+P while a search runs: one key press aborts it, wherever the focus is in
// the window, and the "&Plik" menu does not open; without a search it does.
TEST_F(SearchWindowTest, AltPAbortsARunningSearchAtOnceOtherwiseOpensTheFileMenu) {
    frmMain& w = openWith({"KOT", "KAT"});
    w.show();
    QApplication::setActiveWindow(&w);
    w.scrSearch1->setValue(3);
    for (bool inList : {false, true}) {
        SCOPED_TRACE(inList ? "focus in the results list" : "focus left where the run put it");
        w.T[2]->setFocus();
        QString seen; // right after the key: the button's caption, the stop flag, an open menu
        QTimer::singleShot(0, [&] {
            if (inList)
                w.lvResults->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
            seen = QStringLiteral("%1 %2 %3")
                       .arg(w.btnSearch1->text())
                       .arg(w.bStopSearch ? "stop" : "go")
                       .arg(QApplication::activePopupWidget() ? "menu" : "no menu");
        });
        w.btnSearch1->click();
        EXPECT_EQ(seen, QString("&Szukaj stop no menu"));
        EXPECT_EQ(w.panelText(1), Done);
    }
    w.T[0]->setFocus();
    QTest::keyClick(w.T[0], Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), w.mnuFile);
    w.mnuFile->hide();
}

} // namespace
