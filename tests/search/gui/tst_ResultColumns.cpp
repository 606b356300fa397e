#include "SearchWindowFixture.h"

#include <QHeaderView>

namespace {

const QString Long = QString::fromUtf8("KONSTANTYNOPOLITAŃCZYK");

class ResultColumns : public SearchWindowTest {
protected:
    QTreeView* query(const char* sql) {
        frmMain& w = window();
        w.txtQuery->setPlainText(QString::fromUtf8(sql));
        w.btnSearch4->click();
        EXPECT_TRUE(env.prompts.shown.isEmpty()) << env.prompts.texts().join('\n').toStdString();
        return w.lvResults;
    }
    int textWidth(const QString& text) { return window().lvResults->fontMetrics().horizontalAdvance(text); }
};

// Query columns take the width of the first rows, once: with a refresh after
// every row, a longer word arriving later does not widen the column.
TEST_F(ResultColumns, QueryColumnsAreSizedOnceByTheFirstRows) {
    setOption("RefreshRecords", "1");
    openWith({"AB", "KOT", Long});
    for (bool longFirst : {true, false}) {
        QTreeView* view = query(longFirst ? "SELECT Wyraz FROM WYRAZY ORDER BY WyrazID DESC"
                                          : "SELECT Wyraz FROM WYRAZY ORDER BY WyrazID");
        ASSERT_EQ(column().size(), 3);
        EXPECT_GE(view->columnWidth(0), textWidth("Wyraz")) << "caption cut";
        EXPECT_EQ(view->columnWidth(0) >= textWidth(Long), longFirst) << view->columnWidth(0);
    }
}

TEST_F(ResultColumns, QueryColumnsFollowTheirContentsWithinTheList) {
    frmMain& w = openWith({"KOT", Long});
    QTreeView* view = query("SELECT WyrazID, Wyraz FROM WYRAZY");
    EXPECT_GE(view->columnWidth(1), textWidth(Long)) << "the word is cut";
    EXPECT_LT(view->columnWidth(0), view->columnWidth(1));

    // More than the list can hold: the columns share its width (the list less 500 twips).
    query("SELECT Wyraz, Wyraz AS W2, Wyraz AS W3, WyrazID AS I FROM WYRAZY");
    ASSERT_EQ(captions().size(), 4);
    EXPECT_LE(view->columnWidth(0) + view->columnWidth(1) + view->columnWidth(2) + view->columnWidth(3),
              view->width() - 33);
    EXPECT_LT(view->columnWidth(3), view->columnWidth(0))
        << "the narrow column gave its room to the wide ones";

    // A word search goes back to the designed width.
    w.txtPattern->setText("K*");
    w.btnSearch2->click();
    EXPECT_EQ(view->columnWidth(0), view->width() - 33);
}

// The arrow of the header follows the sort state of the list; query rows are
// in no order.
TEST_F(ResultColumns, SortArrowOnTheSortedColumn) {
    frmMain& w = openWith({"KOT", "KOC", "TOK"});
    QHeaderView* header = w.lvResults->header();
    auto arrow = [&] {
        if (!header->isSortIndicatorShown() || header->sortIndicatorSection() != 0)
            return QString("none");
        return QString(header->sortIndicatorOrder() == Qt::AscendingOrder ? "asc" : "desc");
    };
    auto clickHeader = [&] { click(header->viewport(), QPoint(5, header->height() / 2)); };

    w.scrSearch1->setValue(3);
    w.btnSearch1->click();
    EXPECT_EQ(arrow(), QString("asc"));
    clickHeader();
    EXPECT_EQ(arrow(), QString("desc"));
    query("SELECT Wyraz FROM WYRAZY");
    EXPECT_EQ(arrow(), QString("none"));
}

} // namespace
