#include "SearchWindowFixture.h"

#include <QTimer>

namespace {

using SearchWindow = SearchWindowTest;

TEST_F(SearchWindow, OnlyTheAbortButtonOfTheRunningSearchCanBePressed) {
    frmMain& w = openWith({"KOT", "KAT"});
    w.scrSearch1->setValue(3);
    const auto enabled = [&] {
        QStringList names;
        for (QWidget* c : std::initializer_list<QWidget*>{
                 w.btnSearch1,  w.fraSearch1, w.fraResults, w.lvResults,   w.T[0],
                 w.chkSearch1,  w.scrSearch1, w.btnClear1,  w.btnSearch2,  w.txtPattern,
                 w.btnSearch3,  w.U[0],       w.btnSearch4, w.txtQuery,    w.cmdDBTest,
                 w.txtPassword, w.mnuFile,    w.mnuDB,      w.mnuSettings, w.mnuInfo})
            if (c->isEnabled())
                names << c->objectName();
        return names;
    };
    const QStringList before = enabled();
    QString caption;
    QStringList during;
    bool closed = true;
    // Inside the search's first yield.
    QTimer::singleShot(0, [&] {
        caption = w.btnSearch1->text();
        during = enabled();
        closed = w.close();
    });
    w.btnSearch1->click();

    EXPECT_EQ(caption, QString("&Przerwij"));
    EXPECT_EQ(during, QStringList({"btnSearch1", "fraSearch1", "fraResults", "lvResults", "mnuDB"}));
    EXPECT_FALSE(closed) << "the window closed during a search";
    EXPECT_TRUE(env.prompts.shown.isEmpty()) << "no closing question while searching";
    EXPECT_EQ(enabled(), before);
    EXPECT_EQ(column(), QStringList({"KAT", "KOT"}));
}

// An error of the user's query, refused at once or met at a later row (MID's
// start falls below 1 from the third word on, after two rows were listed and
// refreshed): the list is emptied either way, and the error is logged only
// when asked.
struct QueryErrorCase {
    const char* name;
    const char* query;
    bool logQueryErrors;
    bool logErrors;
    int lines;
    friend void PrintTo(const QueryErrorCase& c, std::ostream* os) { *os << c.name; }
};

const char* const Refused = "SELECT * FROM NIEMA";
const char* const Late = "SELECT Wyraz, MID(Wyraz, 3 - WyrazID, 1) AS M FROM WYRAZY";

const QueryErrorCase queryErrorCases[] = {
    {"refused_not_logged_by_default", Refused, false, true, 0},
    {"refused_logged_when_asked", Refused, true, true, 1},
    {"late_not_logged_by_default", Late, false, true, 0},
    {"late_logged_when_asked", Late, true, true, 1},
};

class QueryError : public SearchWindow, public ::testing::WithParamInterface<QueryErrorCase> {};

TEST_P(QueryError, EndsWithTheErrorShownTheListEmptiedAndALogLineOnlyWhenAsked) {
    const QueryErrorCase& c = GetParam();
    frmMain& w = openWith({"KOT", "PIES", "OSA", "LAS"});
    env.mod.settings.RefreshRecords = 1;
    env.mod.settings.LogQueryErrors = c.logQueryErrors;
    env.mod.settings.LogErrors = c.logErrors;
    w.scrSearch1->setValue(3);
    w.btnSearch1->click();
    ASSERT_EQ(column(), QStringList({"KOT", "LAS", "OSA"}));

    w.txtQuery->setPlainText(c.query);
    w.btnSearch4->click();

    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Error);
    EXPECT_EQ(w.panelText(1), QString::fromUtf8("Wyszukiwanie zakończone błędem"));
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_TRUE(column().isEmpty());
    EXPECT_EQ(w.btnSearch4->text(), QStringLiteral("Szuka&j"));
    EXPECT_TRUE(w.btnSearch1->isEnabled());
    const QStringList lines = QString::fromLatin1(env.platform.logBytes()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), c.lines);
    for (const QString& line : lines)
        EXPECT_TRUE(line.contains("frmMain: btnSearch4_Click")) << line.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Table, QueryError, ::testing::ValuesIn(queryErrorCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A refused input: the warning, the focus (on the field to fill, or left where
// it was), and nothing else.
TEST_F(SearchWindow, RefusalsWarnAndFocusOnly) {
    frmMain& w = openWith({"KOT"});
    w.show();
    QApplication::setActiveWindow(&w);
    w.scrSearch1->setValue(3);
    w.btnSearch1->click();
    ASSERT_EQ(column(), QStringList({"KOT"}));
    const auto refused = [&](QPushButton* button, const char* message, QWidget* focus) {
        env.prompts.clear();
        w.btnClear1->setFocus();
        button->click();
        ASSERT_EQ(env.prompts.shown.size(), 1);
        EXPECT_EQ(env.prompts.shown[0].text, QString::fromUtf8(message));
        EXPECT_EQ(QApplication::focusWidget(), focus);
        EXPECT_EQ(column(), QStringList({"KOT"}));
        EXPECT_EQ(w.panelText(4), QString::fromUtf8("Pasujące rekordy: 1"));
    };
    w.scrSearch1->setValue(6);
    w.chkSearch1->setChecked(true); // anagrams need every field
    for (int i : {0, 1, 2, 4, 5})
        w.T[i]->setText("K");
    refused(w.btnSearch1, "Proszę wypełnić wszystkie pola.", w.T[3]);
    w.txtPattern->setText("K*");
    w.scrSearch3->setValue(3);
    refused(w.btnSearch3, "Liczba blanków na stojaku przekracza dwa.", w.btnClear1);
}

} // namespace
