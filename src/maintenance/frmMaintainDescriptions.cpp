#include "maintenance/frmMaintainDescriptions.h"

#include "common/Prompts.h"
#include "common/modMain.h"

#include <QApplication>
#include <QCollator>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString place(const char* procedure) {
    return QStringLiteral("frmMaintainDescriptions: ") + QLatin1String(procedure);
}

// A row that sorts by its text in Polish alphabetical order.
class DescriptionItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        static const QCollator collator{QLocale(QLocale::Polish)};
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return collator.compare(text(column), other.text(column)) < 0;
    }
};

} // namespace

frmMaintainDescriptions::frmMaintainDescriptions(modMain& mod, QWidget* parent)
    : QDialog(parent), m_mod(mod) {
    setObjectName(QStringLiteral("frmMaintainDescriptions"));
    setWindowTitle(QStringLiteral("Zarządzanie opisami"));
    setModal(true);

    fraWord = new QGroupBox(QStringLiteral(" Wyraz "), this);
    fraWord->setObjectName(QStringLiteral("fraWord"));
    labInfo2 = new QLabel(QStringLiteral("Opisywany wyraz:"), fraWord);
    labInfo2->setObjectName(QStringLiteral("labInfo2"));
    labCurrentWord = new QLabel(fraWord);
    labCurrentWord->setObjectName(QStringLiteral("labCurrentWord"));
    QFont bold = labCurrentWord->font();
    bold.setBold(true);
    labCurrentWord->setFont(bold);
    auto* wordLayout = new QHBoxLayout(fraWord);
    wordLayout->addWidget(labInfo2);
    wordLayout->addWidget(labCurrentWord, 1);

    fraDescriptions = new QGroupBox(QStringLiteral(" Opisy "), this);
    fraDescriptions->setObjectName(QStringLiteral("fraDescriptions"));
    lvDescriptions = new QTreeWidget(fraDescriptions);
    lvDescriptions->setObjectName(QStringLiteral("lvDescriptions"));
    lvDescriptions->setColumnCount(1);
    lvDescriptions->setHeaderLabels({QStringLiteral("Opis")});
    lvDescriptions->setRootIsDecorated(false);
    lvDescriptions->setItemsExpandable(false);
    lvDescriptions->setUniformRowHeights(true);
    lvDescriptions->setSelectionMode(QAbstractItemView::SingleSelection);
    lvDescriptions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The window sorts on a header click itself (the order flips on every click).
    lvDescriptions->setSortingEnabled(false);
    lvDescriptions->header()->setSectionsClickable(true);
    lvDescriptions->header()->setSortIndicatorShown(true);
    lvDescriptions->setMinimumSize(420, 200);
    btnRemove = new QPushButton(QStringLiteral("&Usuń zaznaczone opisy"), fraDescriptions);
    btnRemove->setObjectName(QStringLiteral("btnRemove"));
    auto* removeRow = new QHBoxLayout;
    removeRow->addStretch(1);
    removeRow->addWidget(btnRemove);
    auto* descriptionsLayout = new QVBoxLayout(fraDescriptions);
    descriptionsLayout->addWidget(lvDescriptions, 1);
    descriptionsLayout->addLayout(removeRow);

    fraAddDescription = new QGroupBox(QStringLiteral(" Dodawanie opisu "), this);
    fraAddDescription->setObjectName(QStringLiteral("fraAddDescription"));
    labInfo1 = new QLabel(QStringLiteral("Nowy opis:"), fraAddDescription);
    labInfo1->setObjectName(QStringLiteral("labInfo1"));
    txtAddDescription = new QLineEdit(fraAddDescription);
    txtAddDescription->setObjectName(QStringLiteral("txtAddDescription"));
    txtAddDescription->setMaxLength(MaxDescriptionLength);
    labInfo1->setBuddy(txtAddDescription);
    btnAdd = new QPushButton(QStringLiteral("&Dodaj"), fraAddDescription);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    // Enter in the box adds the description.
    btnAdd->setDefault(true);
    auto* addLayout = new QHBoxLayout(fraAddDescription);
    addLayout->addWidget(labInfo1);
    addLayout->addWidget(txtAddDescription, 1);
    addLayout->addWidget(btnAdd);

    btnClose = new QPushButton(QStringLiteral("&Zamknij"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraWord);
    layout->addWidget(fraDescriptions, 1);
    layout->addWidget(fraAddDescription);
    layout->addLayout(closeRow);

    connect(btnAdd, &QPushButton::clicked, this, &frmMaintainDescriptions::btnAdd_Click);
    connect(btnRemove, &QPushButton::clicked, this, &frmMaintainDescriptions::btnRemove_Click);
    connect(btnClose, &QPushButton::clicked, this, &frmMaintainDescriptions::btnClose_Click);
    connect(lvDescriptions->header(), &QHeaderView::sectionClicked, this,
            &frmMaintainDescriptions::lvDescriptions_ColumnClick);
}

DescriptionList::Target frmMaintainDescriptions::target() const {
    return {m_mod.ConnString, m_mod.settings.ConnTimeout};
}

void frmMaintainDescriptions::Init(const QString& word) {
    modMain::skipOnError([&] { m_list.init(word); });
}

void frmMaintainDescriptions::disableWriting() {
    m_writable = false;
    for (QWidget* control :
         std::initializer_list<QWidget*>{btnRemove, btnAdd, fraAddDescription, labInfo1, txtAddDescription})
        control->setEnabled(false);
    QPalette palette = txtAddDescription->palette();
    palette.setColor(QPalette::Base, QApplication::palette().color(QPalette::Active, QPalette::Button));
    txtAddDescription->setPalette(palette);
    // Items without a check state show no check box.
    for (int i = 0; i < lvDescriptions->topLevelItemCount(); ++i)
        lvDescriptions->topLevelItem(i)->setData(0, Qt::CheckStateRole, QVariant());
}

void frmMaintainDescriptions::Form_Load() {
    modMain::skipOnError([&] {
        if (m_mod.DBReadOnly)
            disableWriting();
    });
    modMain::skipOnError([&] { LoadDescriptions(); });
    modMain::skipOnError([&] {
        if (!m_list.found()) {
            // Adding or removing would need an identifier the word does not have.
            disableWriting();
            m_mod.MsgWarning(m_list.notFoundMessage());
        } else if (m_writable) {
            txtAddDescription->setFocus(Qt::OtherFocusReason);
        }
    });
}

QTreeWidgetItem* frmMaintainDescriptions::addItem(const QString& text) {
    auto* item = new DescriptionItem(lvDescriptions, QStringList{text});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                   (m_writable ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
    if (m_writable)
        item->setCheckState(0, Qt::Unchecked);
    return item;
}

void frmMaintainDescriptions::sortList() {
    const Qt::SortOrder order = m_sortOrder == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
    lvDescriptions->header()->setSortIndicator(m_sortKey, order);
    lvDescriptions->sortItems(m_sortKey, order);
}

void frmMaintainDescriptions::unselect() {
    lvDescriptions->clearSelection();
    lvDescriptions->setCurrentItem(nullptr);
}

void frmMaintainDescriptions::LoadDescriptions() {
    m_mod.trap(place("LoadDescriptions"), [&] {
        lvDescriptions->clear();
        const QStringList texts = m_list.load(target());
        for (const QString& text : texts)
            addItem(text);
        sortList();
        if (lvDescriptions->topLevelItemCount() > 0)
            unselect();
    });
}

void frmMaintainDescriptions::btnAdd_Click() {
    if (!m_writable)
        return;
    m_mod.trap(place("btnAdd_Click"), [&] {
        const QString typed = txtAddDescription->text();
        if (const std::optional<QString> refused = m_list.add(target(), typed)) {
            m_mod.MsgWarning(*refused);
            txtAddDescription->setFocus(Qt::OtherFocusReason);
            return;
        }
        addItem(modMain::TrimBlanks(typed));
        txtAddDescription->clear();
        sortList();
        m_mod.MsgInfo(DescriptionList::addedMessage(typed));
        txtAddDescription->setFocus(Qt::OtherFocusReason);
    });
}

void frmMaintainDescriptions::btnRemove_Click() {
    if (!m_writable)
        return;
    m_mod.trap(place("btnRemove_Click"), [&] {
        const int count = lvDescriptions->topLevelItemCount();
        if (count == 0) {
            m_mod.MsgWarning(DescriptionList::noDescriptionsMessage());
            return;
        }
        QStringList ticked;
        for (int i = 0; i < count; ++i)
            if (lvDescriptions->topLevelItem(i)->checkState(0) == Qt::Checked)
                ticked << lvDescriptions->topLevelItem(i)->text(0);
        if (ticked.isEmpty()) {
            m_mod.MsgWarning(DescriptionList::nothingTickedMessage());
            return;
        }
        if (m_mod.MsgQuestion(DescriptionList::removeQuestion()) != AnswerYes)
            return;
        m_list.remove(target(), ticked);
        // The statement took every description of the word with these texts,
        // so unticked rows with one of them go from the list as well.
        for (int i = count - 1; i >= 0; --i) {
            QTreeWidgetItem* item = lvDescriptions->topLevelItem(i);
            const bool gone = item->checkState(0) == Qt::Checked ||
                              std::any_of(ticked.cbegin(), ticked.cend(), [&](const QString& text) {
                                  return text.compare(item->text(0), Qt::CaseInsensitive) == 0;
                              });
            if (gone)
                delete lvDescriptions->takeTopLevelItem(i);
        }
        if (lvDescriptions->topLevelItemCount() > 0)
            unselect();
        m_mod.MsgInfo(DescriptionList::removedMessage());
    });
}

void frmMaintainDescriptions::btnClose_Click() {
    modMain::skipOnError([&] { accept(); });
}

void frmMaintainDescriptions::lvDescriptions_ColumnClick(int column) {
    m_mod.trap(place("lvDescriptions_ColumnClick"), [&] {
        m_sortKey = column;
        m_sortOrder = 1 - m_sortOrder;
        sortList();
    });
}
