#include "SearchWindowFixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>

namespace {

const QString Long = QString::fromUtf8("KONSTANTYNOPOLITAŃCZYK");

class ResultColumns : public SearchWindowTest {
protected:
    frmMain& query(const char* sql) {
        frmMain& w = window();
        w.txtQuery->setPlainText(QString::fromUtf8(sql));
        w.btnSearch4->click();
        EXPECT_TRUE(env.prompts.shown.isEmpty()) << env.prompts.texts().join('\n').toStdString();
        return w;
    }
    int textWidth(const QString& text) { return window().lvResults->fontMetrics().horizontalAdvance(text); }
    int room() { return window().lvResults->width() - 33; } // the list less 500 twips
    int widths() {
        QTreeView* view = window().lvResults;
        int sum = 0;
        for (int i = 0; i < view->header()->count(); ++i)
            sum += view->columnWidth(i);
        return sum;
    }
};

// Query columns take the width of the first rows, once: with a refresh after
// every row, a longer word arriving later does not widen the column.
struct FirstRowsCase {
    const char* name;
    const char* sql;
    bool longWordFits;
};

const FirstRowsCase firstRowsCases[] = {
    {"long_word_among_the_first_rows", "SELECT Wyraz FROM WYRAZY ORDER BY WyrazID DESC", true},
    {"long_word_after_the_first_rows", "SELECT Wyraz FROM WYRAZY ORDER BY WyrazID", false},
};

void PrintTo(const FirstRowsCase& c, std::ostream* os) {
    *os << c.name;
}

class QueryFirstRows : public ResultColumns, public ::testing::WithParamInterface<FirstRowsCase> {};

TEST_P(QueryFirstRows, SizeTheColumnOnce) {
    setOption("RefreshRecords", "1");
    openWith({"AB", "KOT", Long});
    query(GetParam().sql);
    ASSERT_EQ(column().size(), 3);
    const int width = window().lvResults->columnWidth(0);
    EXPECT_GE(width, textWidth("Wyraz")) << "caption cut";
    EXPECT_EQ(width >= textWidth(Long), GetParam().longWordFits) << width;
}

INSTANTIATE_TEST_SUITE_P(Table, QueryFirstRows, ::testing::ValuesIn(firstRowsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultColumns, QueryColumnsFollowTheirContentsWithinTheList) {
    openWith({"KOT", Long});
    frmMain& w = query("SELECT WyrazID, Wyraz FROM WYRAZY");
    QTreeView* view = w.lvResults;
    EXPECT_GE(view->columnWidth(1), textWidth(Long)) << "the word is cut";
    EXPECT_LT(view->columnWidth(0), view->columnWidth(1));

    // More than the list can hold: the columns share its width.
    query("SELECT Wyraz, Wyraz AS W2, Wyraz AS W3, WyrazID AS I FROM WYRAZY");
    ASSERT_EQ(captions().size(), 4);
    EXPECT_LE(widths(), room());
    EXPECT_LT(view->columnWidth(3), view->columnWidth(0))
        << "the narrow column gave its room to the wide ones";

    // A word search goes back to the designed width.
    w.txtPattern->setText("K*");
    w.btnSearch2->click();
    EXPECT_EQ(view->columnWidth(0), view->width() - 33);
}

// The arrow of the header follows the sort state of the list.
TEST_F(ResultColumns, SortArrowOnTheSortedColumn) {
    frmMain& w = openWith({"KOT", "KOC", "TOK"});
    QHeaderView* header = w.lvResults->header();
    auto arrow = [&] {
        if (!header->isSortIndicatorShown() || header->sortIndicatorSection() < 0 ||
            header->sortIndicatorSection() >= header->count())
            return QString("none");
        return QString("%1 %2")
            .arg(header->sortIndicatorSection())
            .arg(header->sortIndicatorOrder() == Qt::AscendingOrder ? "asc" : "desc");
    };
    auto clickHeader = [&](int section) {
        click(header->viewport(), QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
    };

    w.scrSearch1->setValue(3);
    w.btnSearch1->click();
    EXPECT_EQ(arrow(), QString("0 asc"));
    clickHeader(0);
    EXPECT_EQ(arrow(), QString("0 desc"));

    w.txtQuery->setPlainText("SELECT Wyraz FROM WYRAZY");
    w.btnSearch4->click();
    EXPECT_EQ(arrow(), QString("none")) << "query rows are in no order";
    clickHeader(0);
    EXPECT_EQ(arrow(), QString("0 asc"));
}

} // namespace
