#include "help/frmAbout.h"

#include "common/Platform.h"
#include "common/modMain.h"
#include "diagnostics/gui/LinkLabel.h"
#include "help/AboutInfo.h"
#include "help/gui/AboutLogo.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString place(const char* procedure) {
    return QStringLiteral("frmAbout: ") + QLatin1String(procedure);
}

} // namespace

frmAbout::frmAbout(modMain& mod, QWidget* parent) : QDialog(parent), m_mod(mod) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("O programie..."));

    fraAbout = new QGroupBox(this);
    fraAbout->setObjectName(QStringLiteral("fraAbout"));
    pctLogo = new QLabel(fraAbout);
    pctLogo->setObjectName(QStringLiteral("pctLogo"));
    pctLogo->setPixmap(AboutLogo::pixmap(72, devicePixelRatioF()));
    labTitle = new QLabel(QString::fromLatin1(modMain::Title), fraAbout);
    labTitle->setObjectName(QStringLiteral("labTitle"));
    QFont titleFont = labTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    labTitle->setFont(titleFont);
    lnSep1 = new QFrame(fraAbout);
    lnSep1->setObjectName(QStringLiteral("lnSep1"));
    lnSep1->setFrameShape(QFrame::HLine);
    lnSep1->setFrameShadow(QFrame::Sunken);

    const QStringList captions{QStringLiteral("Wersja:"), QStringLiteral("Data ostatniej modyfikacji:"),
                               QStringLiteral("Autor programu:"), QStringLiteral("Strona WWW:"),
                               QStringLiteral("Adres e-mail:")};
    labAnswer0 = new QLabel(fraAbout);
    labAnswer1 = new QLabel(fraAbout);
    labAnswer2 = new QLabel(fraAbout);
    labAnswer3 = new LinkLabel(QString(), fraAbout);
    labAnswer4 = new LinkLabel(QString(), fraAbout);
    const std::array<QLabel*, Rows> answers{labAnswer0, labAnswer1, labAnswer2, labAnswer3, labAnswer4};
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    for (int row = 0; row < Rows; ++row) {
        labInfo[row] = new QLabel(captions[row], fraAbout);
        labInfo[row]->setObjectName(QStringLiteral("labInfo%1").arg(row));
        answers[row]->setObjectName(QStringLiteral("labAnswer%1").arg(row));
        grid->addWidget(labInfo[row], row, 0);
        grid->addWidget(answers[row], row, 1);
    }
    grid->setColumnStretch(1, 1);

    auto* heading = new QHBoxLayout;
    heading->addWidget(pctLogo);
    heading->addSpacing(8);
    heading->addWidget(labTitle, 1);
    auto* frameLayout = new QVBoxLayout(fraAbout);
    frameLayout->addLayout(heading);
    frameLayout->addWidget(lnSep1);
    frameLayout->addLayout(grid);

    btnClose = new QPushButton(QStringLiteral("&Zamknij"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraAbout);
    layout->addWidget(btnClose, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(labAnswer3, &LinkLabel::clicked, this, &frmAbout::labAnswer3_Click);
    connect(labAnswer4, &LinkLabel::clicked, this, &frmAbout::labAnswer4_Click);
    connect(btnClose, &QPushButton::clicked, this, &frmAbout::btnClose_Click);

    Form_Load();
}

void frmAbout::Form_Load() {
    // Each label on its own: one that fails leaves the others filled.
    modMain::skipOnError([&] { labAnswer0->setText(AboutInfo::version()); });
    modMain::skipOnError(
        [&] { labAnswer1->setText(AboutInfo::executableDate(m_mod.platform().programFolder(), QLocale())); });
    modMain::skipOnError([&] { labAnswer2->setText(AboutInfo::author()); });
    modMain::skipOnError([&] { labAnswer3->setText(AboutInfo::webAddress()); });
    modMain::skipOnError([&] { labAnswer4->setText(AboutInfo::emailAddress()); });
    modMain::skipOnError([&] { btnClose->setFocus(); });
}

void frmAbout::labAnswer3_Click() {
    m_mod.trap(place("labAnswer3_Click"), [&] {
        if (!AboutInfo::shellSucceeded(m_mod.platform().shellOpen(labAnswer3->text())))
            m_mod.MsgWarning(QStringLiteral("Nie udało się uruchomić domyślnej przeglądarki."));
    });
}

void frmAbout::labAnswer4_Click() {
    m_mod.trap(place("labAnswer4_Click"), [&] {
        if (!AboutInfo::shellSucceeded(
                m_mod.platform().shellOpen(AboutInfo::mailAddress(labAnswer4->text()))))
            m_mod.MsgWarning(QStringLiteral("Nie udało się uruchomić domyślnego klienta poczty."));
    });
}

void frmAbout::btnClose_Click() {
    modMain::skipOnError([&] { close(); });
}
