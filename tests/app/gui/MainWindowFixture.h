#pragma once

#include "app/frmMain.h"
#include "support/Printing.h"
#include "support/TestEnvironment.h"

// The window's controls, for every test that reaches into it.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <gtest/gtest.h>

#include <memory>

// A main window over a fake environment. Settings are put into the store
// before the window is made, since its load reads them.
class MainWindowTest : public ::testing::Test {
protected:
    void setOption(const char* key, const QString& text) {
        env.store.write(QStringLiteral("Options"), QLatin1String(key), text);
    }
    frmMain& window() {
        if (!m_window)
            m_window = std::make_unique<frmMain>(env.mod);
        return *m_window;
    }
    template <class T> T* child(const char* name) {
        T* found = window().findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    TestEnvironment env;

private:
    std::unique_ptr<frmMain> m_window;
};
