#include "SearchWindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
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

QStringList utf8List(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

// `n` different words of `length` letters.
QStringList generated(int n, int length) {
    QStringList words;
    for (int i = 0; i < n; ++i) {
        QString word;
        for (int k = 0, v = i; k < length; ++k, v /= 26)
            word.prepend(QChar('A' + v % 26));
        words << word;
    }
    return words;
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
    QString rowOfFields() {
        QStringList texts;
        for (QLineEdit* f : window().T)
            texts << f->text();
        return texts.join('|');
    }
};

TEST_F(SearchWindow, KnownLettersOfACrosswordFindTheWordsInPolishOrder) {
    frmMain& w = openWith(utf8List({"KRYSZTAŁ", "KARNAWAŁ", "KŁOSOWAŁ", "KAPITAŁ", "MATERIAŁ", "KRYSZTAŁY",
                                    "KARDYNAŁ", "KANAŁ", "KOWADŁO"}));
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_EQ(w.scrSearch1->value(), 8);
    w.T[0]->setFocus();
    type(w.T[0], "k");
    EXPECT_EQ(QApplication::focusWidget(), w.T[1]);
    w.T[6]->setFocus();
    type(w.T[6], "A");
    type(w.T[7], "ł");
    enter(w.T[7]);

    EXPECT_TRUE(env.prompts.shown.isEmpty()) << env.prompts.texts().join('\n').toStdString();
    EXPECT_EQ(column(), utf8List({"KARDYNAŁ", "KARNAWAŁ", "KŁOSOWAŁ", "KRYSZTAŁ"}));
    EXPECT_EQ(captions(), QStringList({"Wyraz"}));
    EXPECT_EQ(w.lvResults->columnWidth(0), w.lvResults->width() - 33);
    EXPECT_EQ(w.panelText(1), Done);
    EXPECT_EQ(w.panelText(4), count(4));
    EXPECT_EQ(w.btnSearch1->text(), QString("&Szukaj"));
    EXPECT_EQ(rowOfFields(), QString::fromUtf8("K||||||A|Ł|||||||"));
}

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
    EXPECT_EQ(w.btnSearch1->text(), QString("&Szukaj"));
    EXPECT_FALSE(w.bSearchRunning);
    EXPECT_EQ(controls(), before);
    EXPECT_EQ(column(), QStringList({"KAT", "KOT"}));
}

TEST_F(SearchWindow, ASearchStartedAfterAnAbortKeepsTheListToItself) {
    // Both clicks wait while the aborted run reads; the new search then runs to
    // its end inside the aborted run's yield.
    QStringList words = generated(250, 5);
    words << "KOTEK";
    frmMain& w = openWith(words);
    w.scrSearch1->setValue(5);
    w.txtPattern->setText("K*");
    bool clicked = false;
    QObject::connect(w.resultsModel(), &QAbstractItemModel::rowsInserted, [&] {
        if (clicked)
            return;
        clicked = true;
        QTimer::singleShot(0, [&] {
            w.btnSearch1->click();
            w.btnSearch2->click();
        });
    });
    w.btnSearch1->click();

    EXPECT_EQ(column(), QStringList({"KOTEK"}));
    EXPECT_EQ(w.panelText(1), Done);
    EXPECT_EQ(w.panelText(4), count(1));
    EXPECT_EQ(w.btnSearch1->text(), QString("&Szukaj"));
    EXPECT_EQ(w.btnSearch2->text(), QString("Szu&kaj"));
    EXPECT_FALSE(w.bSearchRunning);
    EXPECT_TRUE(w.T[0]->isEnabled());
    EXPECT_TRUE(env.prompts.shown.isEmpty());
}

// The counts seen by events handled while the search runs; `msPerBatch` is
// the time that passes on the program's clock while a batch of rows is read.
QStringList countsSeen(frmMain& w, TestPlatform& platform, qint64 msPerBatch) {
    QStringList counts;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (counts.isEmpty() || counts.last() != w.panelText(4))
            counts << w.panelText(4);
    });
    const QMetaObject::Connection clock = QObject::connect(
        w.resultsModel(), &QAbstractItemModel::rowsInserted, [&] { platform.ticks += msPerBatch; });
    watch.start();
    w.btnSearch1->click();
    watch.stop();
    QObject::disconnect(clock);
    return counts;
}

TEST_F(SearchWindow, TheCountGrowsAtEveryRefresh) {
    frmMain& w = openWith(generated(250, 5));
    w.scrSearch1->setValue(5);
    EXPECT_EQ(countsSeen(w, env.platform, 20), QStringList({QString(), count(100), count(200)}));
    EXPECT_EQ(w.panelText(4), count(250));
    const QStringList words = column();
    EXPECT_EQ(words.size(), 250);
    EXPECT_TRUE(std::is_sorted(words.begin(), words.end()));
}

// Refresh points that come faster than the screen is redrawn handle events
// only at the first of them; the count is still set at each.
TEST_F(SearchWindow, RefreshPointsInQuickSuccessionYieldOnlyAtTheFirst) {
    frmMain& w = openWith(generated(450, 5));
    w.scrSearch1->setValue(5);
    EXPECT_EQ(countsSeen(w, env.platform, 1), QStringList({QString(), count(100)}));
    EXPECT_EQ(w.panelText(4), count(450));
    // Once enough time has passed, the next refresh point yields again.
    EXPECT_EQ(countsSeen(w, env.platform, 8), QStringList({count(450), QString(), count(100), count(300)}));
    EXPECT_EQ(column().size(), 450);
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
    EXPECT_TRUE(w.panelText(4).isEmpty());
    EXPECT_EQ(w.btnSearch4->text(), QString("Szuka&j"));
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_TRUE(column().isEmpty());
    EXPECT_FALSE(w.bSearchRunning);
    EXPECT_FALSE(w.bStopSearch);
    for (QWidget* c2 :
         std::initializer_list<QWidget*>{w.txtQuery, w.btnClear4, w.T[0], w.btnSearch1, w.cmdDBTest})
        EXPECT_TRUE(c2->isEnabled()) << c2->objectName().toStdString();
    EXPECT_TRUE(w.mnuFile->isEnabled());
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), c.lines);
    if (c.lines == 1) {
        EXPECT_TRUE(lines[0].contains("frmMain: btnSearch4_Click")) << lines[0].toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Table, QueryError, ::testing::ValuesIn(queryErrorCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each search leaves its columns and sort state; a header click sorts.
TEST_F(SearchWindow, EachSearchLeavesItsColumnsAndSortState) {
    frmMain& w = openWith({"KUR", "SZCZUREK", "KRUSZEC", "UL", "SKURCZE"});
    const ResultsModel* model = w.resultsModel();
    w.txtPattern->setText("*U*");
    w.scrSearch3->setValue(7);
    const char* rack[] = {"C", "E", "K", "R", "S", "Z", "Z"};
    for (int i = 0; i < 7; ++i)
        w.U[i]->setText(rack[i]);
    w.btnSearch3->click();
    ASSERT_TRUE(env.prompts.shown.isEmpty()) << env.prompts.texts().join('\n').toStdString();
    EXPECT_EQ(captions(), QStringList({"Wyraz", "Litery"}));
    EXPECT_EQ(column(1), QStringList({"7", "6", "6", "2"}));
    EXPECT_EQ(w.panelText(4), count(4));

    QHeaderView* header = w.lvResults->header();
    click(header->viewport(), QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    EXPECT_EQ(column(), QStringList({"KRUSZEC", "KUR", "SKURCZE", "SZCZUREK"}));

    w.txtQuery->setPlainText("SELECT WyrazID, Wyraz FROM WYRAZY ORDER BY Wyraz DESC");
    w.btnSearch4->click();
    EXPECT_EQ(captions(), QStringList({"WyrazID", "Wyraz"}));
    EXPECT_FALSE(model->sorted());
    EXPECT_EQ(column(1), QStringList({"UL", "SZCZUREK", "SKURCZE", "KUR", "KRUSZEC"}));

    w.txtPattern->setText("K*");
    w.btnSearch2->click();
    EXPECT_EQ(captions(), QStringList({"Wyraz"}));
    EXPECT_TRUE(model->sorted());
    EXPECT_EQ(column(), QStringList({"KRUSZEC", "KUR"}));
}

TEST_F(SearchWindow, AFailingDatabaseCheckLeavesListAndButtonAlone) {
    frmMain& w = openWith({"KOT", "KAT"});
    w.scrSearch1->setValue(3);
    w.btnSearch1->click();
    ASSERT_EQ(column(), QStringList({"KAT", "KOT"}));
    const QString refresh = w.panelText(2);
    const QString limit = w.panelText(3);
    ASSERT_TRUE(QFile::remove(dictionary().path()));

    w.btnSearch1->click();
    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Warning);
    EXPECT_TRUE(env.prompts.shown[0].text.endsWith(QString::fromUtf8("Plik bazy danych nie istnieje.")));
    EXPECT_EQ(column(), QStringList({"KAT", "KOT"}));
    EXPECT_EQ(captions(), QStringList({"Wyraz"}));
    EXPECT_EQ(w.btnSearch1->text(), QString("&Szukaj"));
    EXPECT_EQ(w.panelText(2), refresh);
    EXPECT_EQ(w.panelText(3), limit);
    // What the check itself does: the failed state, panels 1 and 4 emptied.
    EXPECT_TRUE(w.panelText(1).isEmpty());
    EXPECT_TRUE(w.panelText(4).isEmpty());
    EXPECT_FALSE(w.fraSearch1->isEnabled());
    EXPECT_EQ(w.pctDBStatus->pixmap().toImage(), w.imgList[1].toImage());
    EXPECT_FALSE(w.bSearchRunning);
}

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
    {"empty_pattern", [](frmMain& w) { w.txtPattern->clear(); }, [](frmMain& w) { w.btnSearch2->click(); },
     "Proszę wypełnić wzorzec.", "txtPattern"},
    {"pattern_with_a_digit", [](frmMain& w) { w.txtPattern->setText("K1*"); },
     [](frmMain& w) { w.btnSearch2->click(); }, "Wzorzec zawiera niedozwolony znak.", "txtPattern"},
    {"scrabble_with_three_blanks",
     [](frmMain& w) {
         w.txtPattern->setText("K*");
         w.scrSearch3->setValue(3);
     },
     [](frmMain& w) { w.btnSearch3->click(); }, "Liczba blanków na stojaku przekracza dwa.", nullptr},
    {"query_not_a_select", [](frmMain& w) { w.txtQuery->setPlainText("DELETE FROM WYRAZY"); },
     [](frmMain& w) { w.btnSearch4->click(); }, "Kwerenda powinna zaczynać się od instrukcji SELECT.",
     "txtQuery"},
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
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Warning);
    EXPECT_EQ(env.prompts.shown[0].text, QString::fromUtf8(c.message));
    QWidget* expected = c.focus ? w.findChild<QWidget*>(c.focus) : w.btnClear1;
    EXPECT_EQ(QApplication::focusWidget(), expected);
    EXPECT_EQ(column(), QStringList({"KOT"}));
    EXPECT_EQ(w.panelText(4), count(1));
    for (QPushButton* b : {w.btnSearch1, w.btnSearch2, w.btnSearch3, w.btnSearch4})
        EXPECT_FALSE(b->text().contains("Przerwij"));
    EXPECT_FALSE(w.bSearchRunning);
}

INSTANTIATE_TEST_SUITE_P(Table, Refusal, ::testing::ValuesIn(refusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

class PopUpMenu : public SearchWindow {
protected:
    frmMain& listed(bool readOnly = false) {
        frmMain& w = openWith({"KOT", "KAT", "KIT"}, {}, readOnly);
        w.show();
        QApplication::setActiveWindow(&w);
        w.scrSearch1->setValue(3);
        w.btnSearch1->click();
        EXPECT_EQ(column().size(), 3);
        return w;
    }
    QPoint rowCentre(int row) {
        QTreeView* view = window().lvResults;
        return view->visualRect(view->model()->index(row, 0)).center();
    }
    QString states() {
        frmMain& w = window();
        QString s;
        for (QAction* a : {w.mnuPopUpMaintainDescriptions, w.mnuPopUpMaintainWord, w.mnuPopUpAddWord,
                           w.mnuPopUpDeleteWord})
            s += a->isEnabled() ? '1' : '0';
        return s + ' ' + w.mnuPopUpDeleteWord->text();
    }
    void rightPress(const QPoint& at) {
        frmMain& w = window();
        w.mnuPopUp->hide();
        mouse(w.lvResults->viewport(), QEvent::MouseButtonPress, Qt::RightButton, at);
        EXPECT_TRUE(w.mnuPopUp->isVisible());
        w.mnuPopUp->hide();
    }
};

TEST_F(PopUpMenu, EntriesFollowTheSelection) {
    frmMain& w = listed();
    QTreeView* view = w.lvResults;
    rightPress(rowCentre(1));
    EXPECT_EQ(states(), QString::fromUtf8("0010 Usuń wyraz"));
    // The right button does not select: the menu works on the selection it found.
    EXPECT_TRUE(view->selectionModel()->selectedRows().isEmpty());

    click(view->viewport(), rowCentre(0));
    rightPress(rowCentre(0));
    EXPECT_EQ(states(), QString::fromUtf8("1111 Usuń wyraz"));

    click(view->viewport(), rowCentre(2), Qt::LeftButton, Qt::ControlModifier);
    ASSERT_EQ(view->selectionModel()->selectedRows().size(), 2);
    rightPress(rowCentre(1));
    EXPECT_EQ(states(), QString::fromUtf8("0011 Usuń wyrazy"));
    EXPECT_EQ(view->selectionModel()->selectedRows().size(), 2);

    // Other buttons never open it.
    mouse(view->viewport(), QEvent::MouseButtonPress, Qt::MiddleButton, rowCentre(1));
    EXPECT_FALSE(w.mnuPopUp->isVisible());
}

TEST_F(PopUpMenu, ReadOnlyDatabaseAllowsOnlyTheDescriptions) {
    frmMain& w = listed(true);
    ASSERT_TRUE(env.mod.DBReadOnly);
    click(w.lvResults->viewport(), rowCentre(1));
    rightPress(rowCentre(1));
    EXPECT_EQ(states(), QString::fromUtf8("1000 Usuń wyraz"));
}

TEST_F(PopUpMenu, QueryResultsAllowNothingUntilAHeaderIsClicked) {
    frmMain& w = listed();
    w.txtQuery->setPlainText("SELECT Wyraz FROM WYRAZY");
    w.btnSearch4->click();
    click(w.lvResults->viewport(), rowCentre(0));
    rightPress(rowCentre(0));
    EXPECT_EQ(states(), QString::fromUtf8("0000 Usuń wyraz"));

    QHeaderView* header = w.lvResults->header();
    click(header->viewport(), QPoint(5, header->height() / 2));
    EXPECT_TRUE(w.resultsModel()->sorted());
    click(w.lvResults->viewport(), rowCentre(0));
    rightPress(rowCentre(0));
    EXPECT_EQ(states(), QString::fromUtf8("1111 Usuń wyraz"));
}

} // namespace
