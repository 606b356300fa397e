#pragma once

#include "app/gui/MainWindowFixture.h"
#include "search/ResultsModel.h"
#include "support/TestDictionary.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <memory>

// A main window with a dictionary of its own opened through the file menu, and
// the keys and clicks a user would make.
class SearchWindowTest : public MainWindowTest {
protected:
    frmMain& openWith(const QStringList& words, const QList<QPair<int, QString>>& descriptions = {},
                      bool readOnly = false) {
        m_dictionary = std::make_unique<TestDictionary>(words, descriptions);
        env.prompts.queueFile(m_dictionary->path(), readOnly);
        frmMain& w = window();
        w.mnuOpen->trigger();
        EXPECT_FALSE(env.mod.ConnString.isEmpty()) << env.prompts.texts().join('\n').toStdString();
        env.prompts.clear();
        return w;
    }
    const TestDictionary& dictionary() const { return *m_dictionary; }

    static void key(QWidget* target, int code, const QString& text = QString(),
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
        QApplication::sendEvent(target, &release);
    }
    static void mouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, const QPoint& at,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const Qt::MouseButtons buttons =
            type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, buttons, modifiers);
        QApplication::sendEvent(target, &event);
    }
    static void click(QWidget* target, const QPoint& at, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        mouse(target, QEvent::MouseButtonPress, button, at, modifiers);
        mouse(target, QEvent::MouseButtonRelease, button, at, modifiers);
    }

    QStringList column(int col = 0) {
        const ResultsModel* model = window().resultsModel();
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->text(row, col);
        return texts;
    }
    QStringList captions() {
        QStringList texts;
        for (const ResultColumn& c : window().resultsModel()->columns())
            texts << c.caption;
        return texts;
    }

private:
    std::unique_ptr<TestDictionary> m_dictionary;
};
