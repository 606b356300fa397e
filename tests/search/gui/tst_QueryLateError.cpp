#include "SearchWindowFixture.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <ostream>

namespace {

struct LateErrorCase {
    const char* name;
    const char* query;
    bool logQueryErrors;
    int logLines;
};

// MID fails from the third word on (its start falls below 1), after two rows
// have been listed and refreshed.
const LateErrorCase kLateErrors[] = {
    {"late_not_logged_by_default", "SELECT Wyraz, MID(Wyraz, 3 - WyrazID, 1) AS M FROM WYRAZY", false, 0},
    {"late_logged_when_asked", "SELECT Wyraz, MID(Wyraz, 3 - WyrazID, 1) AS M FROM WYRAZY", true, 1},
    {"late_division_by_zero", "SELECT Wyraz, 1 / (3 - WyrazID) FROM WYRAZY", false, 0},
};

void PrintTo(const LateErrorCase& c, std::ostream* os) {
    *os << c.query;
}

class QueryLateError : public SearchWindowTest, public ::testing::WithParamInterface<LateErrorCase> {
protected:
    QStringList logLines() {
        QStringList lines;
        for (const QByteArray& line : env.platform.logBytes().split('\n'))
            if (!line.trimmed().isEmpty())
                lines << QString::fromLatin1(line);
        return lines;
    }
};

TEST_P(QueryLateError, EndsLikeARefusedQuery) {
    const LateErrorCase& c = GetParam();
    frmMain& w = openWith({"KOT", "PIES", "OSA", "LAS"});
    env.mod.settings.RefreshRecords = 1;
    env.mod.settings.LogQueryErrors = c.logQueryErrors;
    env.mod.settings.LogErrors = true;

    w.txtQuery->setPlainText(QString::fromUtf8(c.query));
    w.btnSearch4->click();

    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Error);
    EXPECT_EQ(w.panelText(1), QString::fromUtf8("Wyszukiwanie zakończone błędem"));
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_TRUE(column().isEmpty());
    EXPECT_EQ(w.btnSearch4->text(), QStringLiteral("Szuka&j"));
    EXPECT_EQ(logLines().size(), c.logLines);
}

INSTANTIATE_TEST_SUITE_P(Table, QueryLateError, ::testing::ValuesIn(kLateErrors),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
