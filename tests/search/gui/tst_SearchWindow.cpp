#include "SearchWindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {

const QString Done = QString::fromUtf8("Wyszukiwanie zakończone");
const QString Failed = QString::fromUtf8("Wyszukiwanie zakończone błędem");

QString count(int n) {
    return QString::fromUtf8("Pasujące rekordy: ") + QString::number(n);
}

// Runs `body` once, at the first processing of events from now on: inside the
// search's first yield when a search is started next.
void atFirstYield(std::function<void()> body) {
    QTimer::singleShot(0, std::move(body));
}

class SearchWindow : public SearchWindowTest {
protected:
    QStringList logLines() {
        const QByteArray bytes = env.platform.logBytes();
        QStringList lines;
        for (const QByteArray& line : bytes.split('\n'))
            if (!line.trimmed().isEmpty())
                lines << QString::fromLatin1(line);
        return lines;
    }
};

// The names of the controls among `controls` that are enabled.
QStringList enabledOf(std::initializer_list<QWidget*> controls) {
    QStringList names;
    for (QWidget* c : controls)
        if (c->isEnabled())
            names << c->objectName();
    return names;
}

TEST_F(SearchWindow, OnlyTheAbortButtonOfTheRunningSearchCanBePressed) {
    frmMain& w = openWith({"KOT", "KAT"});
    w.scrSearch1->setValue(3);
    const auto controls = [&] {
        return enabledOf({w.btnSearch1,  w.fraSearch1, w.fraResults, w.lvResults,   w.T[0],
                          w.chkSearch1,  w.scrSearch1, w.btnClear1,  w.btnSearch2,  w.txtPattern,
                          w.btnSearch3,  w.U[0],       w.btnSearch4, w.txtQuery,    w.cmdDBTest,
                          w.txtPassword, w.mnuFile,    w.mnuDB,      w.mnuSettings, w.mnuInfo});
    };
    const QStringList before = controls();
    QString caption;
    QStringList during;
    bool closed = true;
    atFirstYield([&] {
        caption = w.btnSearch1->text();
        during = controls();
        closed = w.close();
    });
    w.btnSearch1->click();

    EXPECT_EQ(caption, QString("&Przerwij"));
    EXPECT_EQ(during, QStringList({"btnSearch1", "fraSearch1", "fraResults", "lvResults", "mnuDB"}));
    EXPECT_FALSE(closed) << "the window closed during a search";
    EXPECT_TRUE(env.prompts.shown.isEmpty()) << "no closing question while searching";
    EXPECT_EQ(controls(), before);
    EXPECT_EQ(column(), QStringList({"KAT", "KOT"}));
}

struct QueryErrorCase {
    const char* name;
    bool logQueryErrors;
    bool logErrors;
    int lines;
};

const QueryErrorCase queryErrorCases[] = {
    {"not_logged_by_default", false, true, 0},
    {"logged_when_asked", true, true, 1},
    {"no_log_at_all", true, false, 0},
};

class QueryError : public SearchWindow, public ::testing::WithParamInterface<QueryErrorCase> {};

TEST_P(QueryError, ErrorEndShowsTheErrorAndLogsItOnlyWhenAsked) {
    const QueryErrorCase& c = GetParam();
    frmMain& w = openWith({"KOT"});
    env.mod.settings.LogQueryErrors = c.logQueryErrors;
    env.mod.settings.LogErrors = c.logErrors;
    w.scrSearch1->setValue(3);
    w.btnSearch1->click();
    ASSERT_EQ(column(), QStringList({"KOT"}));

    w.txtQuery->setPlainText("SELECT * FROM NIEMA");
    w.btnSearch4->click();

    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Error);
    EXPECT_EQ(w.panelText(1), Failed);
    EXPECT_TRUE(column().isEmpty());
    EXPECT_TRUE(w.btnSearch1->isEnabled());
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), c.lines);
    if (c.lines == 1) {
        EXPECT_TRUE(lines[0].contains("frmMain: btnSearch4_Click")) << lines[0].toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Table, QueryError, ::testing::ValuesIn(queryErrorCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A refused input: the warning, the focus, and nothing else.
struct RefusalCase {
    const char* name;
    std::function<void(frmMain&)> setUp;
    std::function<void(frmMain&)> start;
    const char* message;
    const char* focus; // nullptr: the focus stays where it was
};

const RefusalCase refusalCases[] = {
    {"anagram_with_an_empty_field",
     [](frmMain& w) {
         w.scrSearch1->setValue(6);
         w.chkSearch1->setChecked(true);
         for (int i = 0; i < 3; ++i)
             w.T[i]->setText("K");
         w.T[4]->setText("A");
         w.T[5]->setText("T");
     },
     [](frmMain& w) { w.btnSearch1->click(); }, "Proszę wypełnić wszystkie pola.", "T_3"},
    {"scrabble_with_three_blanks",
     [](frmMain& w) {
         w.txtPattern->setText("K*");
         w.scrSearch3->setValue(3);
     },
     [](frmMain& w) { w.btnSearch3->click(); }, "Liczba blanków na stojaku przekracza dwa.", nullptr},
};

class Refusal : public SearchWindow, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, WarnsAndFocusesOnly) {
    const RefusalCase& c = GetParam();
    frmMain& w = openWith({"KOT"});
    w.show();
    QApplication::setActiveWindow(&w);
    w.scrSearch1->setValue(3);
    w.btnSearch1->click();
    ASSERT_EQ(column(), QStringList({"KOT"}));
    c.setUp(w);
    w.btnClear1->setFocus();
    c.start(w);

    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].text, QString::fromUtf8(c.message));
    QWidget* expected = c.focus ? w.findChild<QWidget*>(c.focus) : w.btnClear1;
    EXPECT_EQ(QApplication::focusWidget(), expected);
    EXPECT_EQ(column(), QStringList({"KOT"}));
    EXPECT_EQ(w.panelText(4), count(1));
}

INSTANTIATE_TEST_SUITE_P(Table, Refusal, ::testing::ValuesIn(refusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
