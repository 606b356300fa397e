#include "help/frmHelp.h"

#include "common/modMain.h"
#include "help/HelpTopics.h"
#include "search/gui/EventHook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

frmHelp::frmHelp(modMain& mod, QWidget* parent) : QDialog(parent), m_mod(mod) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Pomoc"));

    fraHelp = new QGroupBox(this);
    fraHelp->setObjectName(QStringLiteral("fraHelp"));
    txtHelp = new QPlainTextEdit(fraHelp);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setReadOnly(true);
    txtHelp->setTextInteractionFlags(Qt::NoTextInteraction);
    txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtHelp->setFocusPolicy(Qt::NoFocus);
    QPalette palette = txtHelp->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 192));
    palette.setColor(QPalette::Text, Qt::black);
    txtHelp->setPalette(palette);
    txtHelp->setMinimumSize(520, 340);
    auto* frameLayout = new QVBoxLayout(fraHelp);
    frameLayout->addWidget(txtHelp);

    btnClose = new QPushButton(QStringLiteral("&Zamknij"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraHelp);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnClose, &QPushButton::clicked, this, &frmHelp::btnClose_Click);
    // The text is only read: whatever gives it the focus, the focus goes on to the close button.
    new EventHook(txtHelp, [this](QEvent* event) {
        if (event->type() == QEvent::FocusIn)
            txtHelp_GotFocus();
        return false;
    });
    btnClose->setFocus(Qt::OtherFocusReason);
}

void frmHelp::Init(qint16 topic) {
    m_mod.trap(QStringLiteral("frmHelp: Init"), [&] {
        if (HelpTopics::exists(topic))
            txtHelp->setPlainText(HelpTopics::text(topic));
    });
}

void frmHelp::showTopic(modMain& mod, QWidget* parent, qint16 topic) {
    modMain::skipOnError([&] {
        frmHelp help(mod, parent);
        help.Init(topic);
        help.exec();
    });
}

void frmHelp::btnClose_Click() {
    modMain::skipOnError([&] { close(); });
}

void frmHelp::txtHelp_GotFocus() {
    modMain::skipOnError([&] { btnClose->setFocus(Qt::OtherFocusReason); });
}

void frmHelp::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Showing polishes the controls, which can still change the size: let the
    // layout settle first, then centre on the window that opened it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (QWidget* owner = parentWidget())
        move(owner->window()->geometry().center() - rect().center());
}
