#include "options/SettingsLoader.h"
#include "options/frmOptions.h"
#include "search/gui/SearchWindowFixture.h"
#include "support/gui/ModalProbe.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString Saved = QStringLiteral("Zmiany ustawień zostały zapisane.");

class OptionsDialog : public SearchWindowTest {
protected:
    // Shown and active, so focus moves can be watched.
    frmOptions& dialog() {
        if (!m_dialog) {
            m_dialog = std::make_unique<frmOptions>(env.mod, window(), &window());
            m_dialog->show();
            QApplication::setActiveWindow(m_dialog.get());
            QApplication::processEvents();
        }
        return *m_dialog;
    }
    QString stored(const char* key) { return env.store.read(QStringLiteral("Options"), QLatin1String(key)); }
    QStringList shownTexts() const { return env.prompts.texts(); }

    void TearDown() override { m_dialog.reset(); }

private:
    std::unique_ptr<frmOptions> m_dialog;
};

// Each box ticked (1) or not (0).
QString ticks(std::initializer_list<QCheckBox*> boxes) {
    QString text;
    for (QCheckBox* box : boxes)
        text += box->isChecked() ? '1' : '0';
    return text;
}

// The three logging boxes ticked, then usable (E) or disabled (D) on their tab.
QString logStates(const frmOptions& d) {
    QString text = ticks({d.chkLogErrors, d.chkLogQueryErrors, d.chkLogConnErrors}) + '/';
    for (QCheckBox* box : {d.chkLogErrors, d.chkLogQueryErrors, d.chkLogConnErrors})
        text += box->isEnabledTo(d.fraTab3) ? 'E' : 'D';
    return text;
}

TEST_F(OptionsDialog, OpensOnTheDatabaseTabFilledFromTheSettingsInMemory) {
    window();
    Settings& s = env.mod.settings;
    // clang-format off
    s = {.OpenReadOnly = true, .ConnTimeout = 45, .MaxRecords = 1234, .RefreshRecords = 77, .Fields1 = 5,
         .Descriptions = true, .Fields3 = 4, .Blanks = true, .LogConnErrors = true};
    // clang-format on
    frmOptions& d = dialog();
    EXPECT_EQ(d.tabOptions->currentIndex(), 0);
    EXPECT_EQ(ticks({d.chkRecallDB, d.chkOpenReadOnly, d.chkIgnoreMaxRecords, d.chkAnagrams,
                     d.chkDescriptions, d.chkBlanks}),
              QStringLiteral("010011"));
    EXPECT_EQ(logStates(d), QStringLiteral("101/EEE"));
    QStringList texts;
    for (QLineEdit* field : {d.txtTimeout, d.txtMaxRecords, d.txtRefreshRecords, d.txtFields1, d.txtFields3})
        texts << field->text();
    EXPECT_EQ(texts.join(' '), QStringLiteral("45 1234 77 5 4"));

    // Logging off: both dependants open disabled and unticked, and nothing is asked.
    s.LogErrors = false;
    s.LogQueryErrors = true;
    EXPECT_EQ(logStates(frmOptions(env.mod, window(), &window())), QStringLiteral("000/EDD"));
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(OptionsDialog, ApplyIsUsableOnlyOnTheSearchTabWhileAChangeIsPending) {
    frmMain& w = window();
    frmOptions& d = dialog();
    d.txtTimeout->clear(); // Apply checks only the search tab, and this is no search change
    d.tabOptions->setCurrentIndex(1);
    EXPECT_FALSE(d.btnApply->isEnabled()) << "nothing changed yet";
    d.chkBlanks->click();
    EXPECT_TRUE(d.btnApply->isEnabled());
    d.chkAnagrams->click();
    d.txtFields1->setText(QStringLiteral("5"));
    d.txtFields3->setText(QStringLiteral("8"));
    d.tabOptions->setCurrentIndex(2);
    EXPECT_FALSE(d.btnApply->isEnabled());
    d.tabOptions->setCurrentIndex(1);
    EXPECT_TRUE(d.btnApply->isEnabled()) << "the change is still pending";

    // A bad field count is refused, and the change stays pending.
    d.btnApply->click();
    EXPECT_EQ(
        shownTexts(),
        QStringList{"Domyślna liczba pól wyszukiwania scrabble musi być wartością z przedziału <1, 7>."});
    EXPECT_EQ(QApplication::focusWidget(), d.txtFields3);
    EXPECT_TRUE(d.btnApply->isEnabled());
    EXPECT_EQ(w.scrSearch1->value(), 8) << "nothing applied";

    env.prompts.clear();
    d.txtFields3->setText(QStringLiteral("3"));
    d.btnApply->click();
    EXPECT_EQ(shownTexts(), QStringList{"Zmiany ustawień wyszukiwania zostały zastosowane."});
    EXPECT_EQ(w.scrSearch1->value(), 5);
    EXPECT_EQ(w.scrSearch3->value(), 3);
    EXPECT_EQ(ticks({w.chkSearch1, w.chkSearch2, w.chkSearch3}), QStringLiteral("101"));
    EXPECT_FALSE(d.btnApply->isEnabled());
    // Changes on the other tabs are no search change.
    d.tabOptions->setCurrentIndex(0);
    d.txtMaxRecords->setText(QStringLiteral("12"));
    d.tabOptions->setCurrentIndex(1);
    EXPECT_FALSE(d.btnApply->isEnabled());
    // Cancel keeps what was applied, and neither stores nor changes the settings in memory.
    d.btnCancel->click();
    EXPECT_EQ(w.scrSearch1->value(), 5);
    EXPECT_EQ(stored("Fields1"), QStringLiteral("8"));
    EXPECT_FALSE(env.mod.settings.Anagrams);
}

TEST_F(OptionsDialog, SaveReportsABadFieldOnItsTabThenStoresEveryBoxAndUpdatesTheStatusBarOnly) {
    frmMain& w = window();
    frmOptions& d = dialog();
    d.txtMaxRecords->setText(QStringLiteral("10"));
    d.txtRefreshRecords->setText(QStringLiteral("050"));
    d.txtFields1->setText(QStringLiteral("16"));
    for (QCheckBox* box :
         {d.chkRecallDB, d.chkIgnoreMaxRecords, d.chkAnagrams, d.chkBlanks, d.chkLogQueryErrors})
        box->setChecked(true);
    d.tabOptions->setCurrentIndex(2);
    d.btnSave->click();
    EXPECT_EQ(
        shownTexts(),
        QStringList{"Domyślna liczba pól wyszukiwania krzyżówką musi być wartością z przedziału <2, 15>."});
    EXPECT_EQ(d.tabOptions->currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), d.txtFields1);
    EXPECT_EQ(stored("MaxRecords"), QStringLiteral("5000"));

    env.prompts.clear();
    d.txtFields1->setText(QStringLiteral("08"));
    d.btnSave->click();
    EXPECT_EQ(shownTexts(), QStringList{Saved});
    QStringList all;
    for (const SettingKey& key : SettingsLoader::keys())
        all << stored(key.name);
    EXPECT_EQ(all.join(' '), QStringLiteral("1 0 60 10 050 1 08 1 0 7 1 1 1 0"));
    EXPECT_EQ(w.panelText(2), QStringLiteral("Odświeżanie tabeli: 50"));
    EXPECT_EQ(w.panelText(3), QStringLiteral("Limit rekordów: 10"));
    // The search controls wait for Apply or the next start.
    EXPECT_EQ(w.scrSearch1->value(), 8);
    EXPECT_FALSE(w.chkSearch1->isChecked());
}

TEST_F(OptionsDialog, TurningLoggingOffAsksFirstAndYesClearsTheDependantsForGood) {
    window();
    env.mod.settings.LogQueryErrors = env.mod.settings.LogConnErrors = true;
    frmOptions& d = dialog();
    d.tabOptions->setCurrentIndex(2);
    env.prompts.queueAnswer(AnswerNo);
    d.chkLogErrors->click();
    EXPECT_EQ(
        shownTexts(),
        QStringList{"Zaleca się aby opcja zapisywania błędów aplikacji pozostała włączona. Czy na pewno "
                    "chcesz zmienić to ustawienie?"});
    EXPECT_EQ(logStates(d), QStringLiteral("111/EEE"));

    env.prompts.queueAnswer(AnswerYes);
    d.chkLogErrors->click();
    EXPECT_EQ(logStates(d), QStringLiteral("000/EDD"));
    // Ticking it again asks nothing and frees the dependants, still unticked.
    env.prompts.clear();
    d.chkLogErrors->click();
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(logStates(d), QStringLiteral("100/EEE"));
}

TEST_F(OptionsDialog, TheMenuOpensItOverTheMainWindow) {
    frmMain& w = window();
    QWidget* parent = nullptr;
    onNextModalOf<frmOptions>([&](frmOptions* d) {
        parent = d->parentWidget();
        d->txtMaxRecords->setText(QStringLiteral("3"));
        d->btnSave->click();
    });
    w.mnuOptions->trigger();
    EXPECT_EQ(parent, &w);
    EXPECT_EQ(shownTexts(), QStringList{Saved});
    EXPECT_EQ(env.mod.settings.MaxRecords, 3);
}

} // namespace
