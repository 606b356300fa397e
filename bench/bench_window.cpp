// Whole searches in the main window, from the click on "Szukaj" until the
// status reads "Wyszukiwanie zakończone" and the list has been painted, on
// the bundled dictionary: bench_window [DICTIONARY] [RUNS] [ONLY]
// ONLY picks the searches whose title contains it.
// Compare with bench_search, which runs the same searches without a window.
// Run it under the offscreen platform (QT_QPA_PLATFORM=offscreen) or xvfb-run.

#include "app/frmMain.h"
#include "app/gui/DesktopPlatform.h"
#include "common/SettingsStore.h"
#include "common/modMain.h"
#include "diagnostics/gui/WidgetPrompts.h"
#include "search/ResultsModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One letter per field, "?" an empty field (a blank on the rack).
template <std::size_t N>
void fill(const std::array<QLineEdit*, N>& fields, QScrollBar* count, const char* letters) {
    const QString text = QString::fromUtf8(letters);
    count->setValue(static_cast<int>(text.size()));
    for (int i = 0; i < static_cast<int>(N); ++i)
        fields[i]->setText(i < text.size() && text[i] != QLatin1Char('?') ? QString(text[i]) : QString());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1])
                 : QCoreApplication::applicationDirPath() + QStringLiteral("/Databases/slownik.mdb");
    const int runs = argc > 2 ? std::max(3, atoi(argv[2])) : 15;
    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr, "no dictionary at %s\n", qPrintable(path));
        return 1;
    }
    // Settings of its own, so the user's are left alone; the window opens the dictionary at start.
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("Literon.ini")));
    store.write(QStringLiteral("Options"), QStringLiteral("RecallDB"), QStringLiteral("1"));
    store.write(QStringLiteral("Options"), QStringLiteral("OpenReadOnly"), QStringLiteral("1"));
    store.write(QStringLiteral("Common"), QStringLiteral("LastDBName"), QFileInfo(path).absoluteFilePath());
    WidgetPrompts prompts;
    DesktopPlatform platform;
    modMain mod(prompts, platform, store);
    frmMain w(mod);
    w.resize(1000, 700);
    w.show();
    QApplication::processEvents();

    struct Case {
        const char* title;
        std::function<void()> prepare;
        QPushButton* button;
    };
    const std::vector<Case> cases = {
        {"crossword K?????AŁ", [&] { fill(w.T, w.scrSearch1, "K?????AŁ"); }, w.btnSearch1},
        {"crossword ????????", [&] { fill(w.T, w.scrSearch1, "????????"); }, w.btnSearch1},
        {"pattern B??Y*K", [&] { w.txtPattern->setText(QStringLiteral("B??Y*K")); }, w.btnSearch2},
        {"pattern *ŹDŹ*", [&] { w.txtPattern->setText(QString::fromUtf8("*ŹDŹ*")); }, w.btnSearch2},
        {"anagram KROTNA",
         [&] {
             fill(w.T, w.scrSearch1, "KROTNA");
             w.chkSearch1->setChecked(true);
         },
         w.btnSearch1},
        {"Scrabble *R???E* + C E I I P Ś _",
         [&] {
             w.chkSearch1->setChecked(false);
             w.txtPattern->setText(QStringLiteral("*R???E*"));
             fill(w.U, w.scrSearch3, "CEIIPŚ?");
         },
         w.btnSearch3},
        {"Scrabble *U* + C E K R S Z Z",
         [&] {
             w.txtPattern->setText(QStringLiteral("*U*"));
             fill(w.U, w.scrSearch3, "CEKRSZZ");
         },
         w.btnSearch3},
        {"query TOP 100 ... 'K__T%'",
         [&] {
             w.txtQuery->setPlainText(QStringLiteral(
                 "SELECT TOP 100 UCASE(WYRAZY.Wyraz) AS Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON "
                 "WYRAZY.WyrazID = OPISY.WyrazID WHERE Wyraz LIKE 'K__T%'"));
         },
         w.btnSearch4},
    };

    std::printf("dictionary: %s, %d runs per search, medians (ms, click to the painted list)\n",
                qPrintable(path), runs);
    std::printf("%-36s %8s %10s %14s\n", "search", "listed", "window ms", "list paint ms");
    for (const Case& c : cases) {
        if (!QString::fromUtf8(c.title).contains(only))
            continue;
        c.prepare();
        std::vector<double> times;
        std::vector<double> listTimes;
        for (int i = 0; i <= runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            c.button->click(); // returns when the search has ended
            const qint64 clicked = timer.nsecsElapsed();
            w.lvResults->viewport()->repaint();
            const double ms = timer.nsecsElapsed() / 1e6;
            const double listMs = (timer.nsecsElapsed() - clicked) / 1e6;
            if (w.panelText(1) != QString::fromUtf8("Wyszukiwanie zakończone")) {
                std::fprintf(stderr, "%s: status \"%s\"\n", c.title, qPrintable(w.panelText(1)));
                return 1;
            }
            if (i > 0) { // the first builds the word index
                times.push_back(ms);
                listTimes.push_back(listMs);
            }
        }
        std::printf("%-36s %8d %10.3f %14.3f\n", c.title, w.resultsModel()->rowCount(), median(times),
                    median(listTimes));
        std::fflush(stdout);
    }
    return 0;
}
