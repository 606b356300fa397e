#include "maintenance/MaintenanceDb.h"
#include "maintenance/frmAddWord.h"
#include "maintenance/frmMaintainDescriptions.h"
#include "maintenance/frmUpdateWord.h"
#include "search/gui/ResultsList.h"
#include "search/gui/SearchWindowFixture.h"
#include "support/gui/ModalProbe.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QTreeWidget>

namespace {

// A window whose list holds the three-letter words of its dictionary, sorted.
class Maintenance : public SearchWindowTest {
protected:
    frmMain& listed(const QStringList& words, const QList<QPair<int, QString>>& descriptions = {},
                    bool readOnly = false) {
        frmMain& w = openWith(words, descriptions, readOnly);
        w.show();
        QApplication::setActiveWindow(&w);
        w.scrSearch1->setValue(3);
        w.btnSearch1->click();
        env.prompts.clear();
        return w;
    }
    QPoint rowCentre(int row) {
        QTreeView* view = window().lvResults;
        return view->visualRect(view->model()->index(row, 0)).center();
    }
    void select(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        click(window().lvResults->viewport(), rowCentre(row), Qt::LeftButton, modifiers);
    }
    // The pop-up as a right click leaves it, then its entry chosen.
    void choose(QAction* entry, int row) {
        frmMain& w = window();
        mouse(w.lvResults->viewport(), QEvent::MouseButtonPress, Qt::RightButton, rowCentre(row));
        w.mnuPopUp->hide();
        ASSERT_TRUE(entry->isEnabled()) << entry->text().toStdString();
        entry->trigger();
    }
    // The descriptions listed, each marked "+" where it can be ticked and "*" where ticked or highlighted.
    static QString listedIn(const frmMaintainDescriptions& window) {
        QStringList texts;
        for (int i = 0; i < window.lvDescriptions->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = window.lvDescriptions->topLevelItem(i);
            texts << item->text(0) + (item->data(0, Qt::CheckStateRole).isValid() ? "+" : "") +
                         (item->checkState(0) != Qt::Unchecked || item->isSelected() ? "*" : "");
        }
        return texts.join(QStringLiteral(", "));
    }
};

TEST_F(Maintenance, AddedAndRenamedWordsTakeTheirPlaceInTheListAsTheOnlySelectedRow) {
    frmMain& w = listed({"KOT", "KIT", "PIES"});
    select(0);
    onNextModalOf<frmAddWord>([&](frmAddWord* dialog) {
        // A refused word keeps the dialog open with the focus in its box.
        QApplication::setActiveWindow(dialog);
        dialog->btnCancel->setFocus();
        dialog->txtAddWord->setText(QStringLiteral("kot"));
        dialog->btnAdd->click();
        EXPECT_EQ(env.prompts.texts(), QStringList{"Wyraz 'KOT' istnieje już w bazie danych."});
        EXPECT_EQ(QApplication::focusWidget(), dialog->txtAddWord);
        env.prompts.clear();
        dialog->txtAddWord->setText(QStringLiteral("kat"));
        dialog->btnAdd->click();
    });
    choose(w.mnuPopUpAddWord, 0);
    EXPECT_EQ(column(), QStringList({"KAT", "KIT", "KOT"}));
    EXPECT_EQ(w.results()->selectedRows(), QList<int>{0}) << "KAT alone";
    EXPECT_EQ(env.prompts.texts(), QStringList{"Wyraz 'KAT' został dodany do bazy danych."});

    env.prompts.clear();
    select(2);
    QString current;
    onNextModalOf<frmUpdateWord>([&](frmUpdateWord* dialog) {
        current = dialog->labCurrentWord->text();
        dialog->txtUpdateWord->setText(QStringLiteral("kut"));
        dialog->btnUpdate->click();
    });
    choose(w.mnuPopUpMaintainWord, 2);
    EXPECT_EQ(current, QStringLiteral("KOT "));
    EXPECT_EQ(column(), QStringList({"KAT", "KIT", "KUT"}));
    EXPECT_EQ(w.results()->selectedRows(), QList<int>{2}) << "KUT alone";
    EXPECT_EQ(env.prompts.texts(), QStringList{"Wyraz 'KOT' został zmieniony na 'KUT'."});
    EXPECT_EQ(wordsOf(dictionary()), QStringList({"1|KUT", "2|KIT", "3|PIES", "4|KAT"}));
}

TEST_F(Maintenance, DeletingTwoWordsAsksInThePluralAndRemovesBothRows) {
    frmMain& w = listed({"KOT", "KIT", "KAT", "PIES"}, {{1, QStringLiteral("a")}, {2, QStringLiteral("b")}});
    select(1);                      // KIT
    select(2, Qt::ControlModifier); // KOT
    env.prompts.queueAnswer(AnswerNo);
    choose(w.mnuPopUpDeleteWord, 2);
    EXPECT_EQ(env.prompts.texts(),
              QStringList{"Czy na pewno chcesz usunąć zaznaczone wyrazy? Ich opisy zostaną "
                          "również usunięte."});
    EXPECT_EQ(column(), QStringList({"KAT", "KIT", "KOT"}));

    env.prompts.clear();
    env.prompts.queueAnswer(AnswerYes);
    choose(w.mnuPopUpDeleteWord, 2);
    EXPECT_EQ(column(), QStringList{"KAT"});
    EXPECT_EQ(wordsOf(dictionary()), QStringList({"3|KAT", "4|PIES"}));
}

TEST_F(Maintenance, DoubleClickOpensTheDescriptionsToTickForRemovalAndToAddTo) {
    frmMain& w = listed({"KOT", "KIT"}, {{1, QStringLiteral("zwierzę")},
                                         {1, QStringLiteral("mruczy")},
                                         {1, QStringLiteral("łowi myszy")},
                                         {2, QStringLiteral("obcy")}});
    select(1);
    QString word, shown;
    onNextModalOf<frmMaintainDescriptions>([&](frmMaintainDescriptions* window) {
        word = window->labCurrentWord->text();
        shown = listedIn(*window); // unticked, unhighlighted, in Polish order
        window->btnRemove->click();
        EXPECT_EQ(env.prompts.texts(), QStringList{"Proszę zaznaczyć minimum jeden opis."});
        window->lvDescriptions->topLevelItem(0)->setCheckState(0, Qt::Checked);
        window->lvDescriptions->topLevelItem(2)->setCheckState(0, Qt::Checked);
        env.prompts.clear();
        env.prompts.queueAnswer(AnswerYes);
        window->btnRemove->click();
        EXPECT_EQ(env.prompts.texts().value(1), "Wybrane opisy zostały usunięte z bazy danych.");
        EXPECT_EQ(listedIn(*window), QStringLiteral("mruczy+"));
        window->txtAddDescription->setText(QStringLiteral("  Aa  "));
        window->btnAdd->click();
        EXPECT_EQ(listedIn(*window), QStringLiteral("Aa+, mruczy+"));
        window->btnClose->click();
    });
    mouse(w.lvResults->viewport(), QEvent::MouseButtonDblClick, Qt::LeftButton, rowCentre(1));
    EXPECT_EQ(word, QStringLiteral("KOT "));
    EXPECT_EQ(shown, QStringLiteral("łowi myszy+, mruczy+, zwierzę+"));
    EXPECT_EQ(descriptionsOf(dictionary()), QStringList({"1|Aa", "1|mruczy", "2|obcy"}));
}

TEST_F(Maintenance, ReadOnlyDatabaseOffersOnlyTheDescriptionsToLookAtAndQueryRowsNothing) {
    frmMain& w = listed({"KOT"}, {{1, QStringLiteral("a")}, {1, QStringLiteral("b")}}, true);
    select(0);
    QString shown; // the list, then whether removing and adding are enabled
    onNextModalOf<frmMaintainDescriptions>([&](frmMaintainDescriptions* window) {
        shown = listedIn(*window) + QStringLiteral(" %1%2")
                                        .arg(window->btnRemove->isEnabled())
                                        .arg(window->fraAddDescription->isEnabled());
        window->btnClose->click();
    });
    choose(w.mnuPopUpMaintainDescriptions, 0);
    EXPECT_EQ(shown, QStringLiteral("a, b 00"));

    // The rows of a query open nothing.
    w.txtQuery->setPlainText(QStringLiteral("SELECT Wyraz FROM WYRAZY"));
    w.btnSearch4->click();
    select(0);
    // Nothing modal may open: were one opened, exec() would only return once it closed.
    bool opened = false;
    onNextModal([&](QWidget* modal) {
        opened = true;
        modal->close();
    });
    mouse(w.lvResults->viewport(), QEvent::MouseButtonDblClick, Qt::LeftButton, rowCentre(0));
    EXPECT_FALSE(opened);
    EXPECT_TRUE(env.prompts.shown.isEmpty());
}

TEST_F(Maintenance, AWordNotInTheDictionaryOpensEmptyWithAWarning) {
    frmMain& w = listed({"KOT"}, {{0, QStringLiteral("obcy")}});
    frmMaintainDescriptions window(env.mod, &w);
    window.Init(QStringLiteral("BRAK"));
    window.Form_Load();
    EXPECT_EQ(window.lvDescriptions->topLevelItemCount(), 0);
    EXPECT_EQ(env.prompts.texts(),
              QStringList{"Wyrazu 'BRAK' nie ma w bazie danych: nie można zarządzać jego opisami."});
    EXPECT_FALSE(window.btnAdd->isEnabled());
}

} // namespace
