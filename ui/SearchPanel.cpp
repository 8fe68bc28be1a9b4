#include "SearchPanel.h"

#include "MainForm.h"
#include "ZAVDictionaries.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum TColumn { colAbbr, colClearText };

} // namespace

TSearchPanel::TSearchPanel(TZAV3MainForm &AForm, QWidget *AParent)
    : QWidget(AParent)
    , FForm(AForm)
{
    setObjectName(QStringLiteral("PanelSearch"));
    setMinimumWidth(40);
    auto *Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(4, 4, 4, 4);
    auto *Caption = new QLabel(QStringLiteral("Suchen"), this);
    Layout->addWidget(Caption);
    edtSearch = new QLineEdit(this);
    edtSearch->setObjectName(QStringLiteral("edtSearch"));
    edtSearch->setClearButtonEnabled(true);
    Caption->setBuddy(edtSearch);
    Layout->addWidget(edtSearch);
    rbCleartext = new QRadioButton(QStringLiteral("im Klartext suchen"), this);
    rbCleartext->setObjectName(QStringLiteral("rbCleartext"));
    rbCleartext->setChecked(true);
    rbAbbr = new QRadioButton(QStringLiteral("im Kürzel suchen"), this);
    rbAbbr->setObjectName(QStringLiteral("rbAbbr"));
    Layout->addWidget(rbCleartext);
    Layout->addWidget(rbAbbr);

    lvSearchResults = new QTreeWidget(this);
    lvSearchResults->setObjectName(QStringLiteral("lvSearchResults"));
    lvSearchResults->setAccessibleName(QStringLiteral("Suchergebnisse"));
    lvSearchResults->setColumnCount(2);
    lvSearchResults->setHeaderLabels({QStringLiteral("Kürzel"), QStringLiteral("Klartext")});
    lvSearchResults->setColumnWidth(colAbbr, 55);
    lvSearchResults->setColumnWidth(colClearText, 170);
    lvSearchResults->setUniformRowHeights(true);
    lvSearchResults->setAllColumnsShowFocus(true);
    lvSearchResults->setSelectionMode(QAbstractItemView::SingleSelection);
    lvSearchResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvSearchResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Long clear texts stay readable through their tool tip and a horizontal scroll.
    lvSearchResults->header()->setStretchLastSection(false);
    lvSearchResults->setIndentation(12);
    Layout->addWidget(lvSearchResults, 1);

    // A right click offers the texts of the row for a layer field; a left click searches again.
    CopyAbbr = new QAction(QStringLiteral("Kürzel kopieren"), this);
    CopyAbbr->setObjectName(QStringLiteral("CopySearchAbbr"));
    CopyClearText = new QAction(QStringLiteral("Klartext kopieren"), this);
    CopyClearText->setObjectName(QStringLiteral("CopySearchClearText"));
    lvSearchResults->setContextMenuPolicy(Qt::ActionsContextMenu);
    lvSearchResults->addActions({CopyAbbr, CopyClearText});
    connect(CopyAbbr, &QAction::triggered, this, [this] { CopyColumn(colAbbr); });
    connect(CopyClearText, &QAction::triggered, this, [this] { CopyColumn(colClearText); });

    auto Search = [this](QObject *Sender) { FForm.Guarded([&] { edtSearchChange(Sender); }); };
    connect(edtSearch, &QLineEdit::textChanged, this, [this, Search] { Search(edtSearch); });
    connect(rbCleartext, &QRadioButton::clicked, this, [this, Search] { Search(rbCleartext); });
    connect(rbAbbr, &QRadioButton::clicked, this, [this, Search] { Search(rbAbbr); });
    connect(lvSearchResults, &QTreeWidget::itemClicked, this, [this, Search] { Search(lvSearchResults); });
}

void TSearchPanel::RebuildGroups(const TZAVDictionaries *ASet)
{
    lvSearchResults->clear();
    FSet = ASet;
    if (!ASet)
        return;
    QFont Bold = lvSearchResults->font();
    Bold.setBold(true);
    for (int I = 0; I < ASet->Count(); ++I) {
        auto *Group = new QTreeWidgetItem(lvSearchResults);
        Group->setText(colAbbr, ASet->Dictionary(I)->Tablename());
        Group->setFirstColumnSpanned(true);
        Group->setFont(colAbbr, Bold);
        Group->setFlags(Qt::ItemIsEnabled);
        Group->setData(colAbbr, Qt::UserRole, I);
        Group->setExpanded(true);
        Group->setHidden(true); // a group shows with its first row
    }
}

QTreeWidgetItem *TSearchPanel::Group(int AIndex) const
{
    return lvSearchResults->topLevelItem(AIndex);
}

void TSearchPanel::edtSearchChange(QObject *)
{
    for (int I = 0; I < lvSearchResults->topLevelItemCount(); ++I) {
        QTreeWidgetItem *G = Group(I);
        qDeleteAll(G->takeChildren());
        G->setHidden(true);
    }
    lvSearchResults->clearSelection();
    if (rbCleartext->isChecked() && edtSearch->text().size() > 2)
        FindText();
    else if (rbAbbr->isChecked())
        FindText();
}

void TSearchPanel::FindText()
{
    // The groups belong to the set they were made for; a set replaced since has none here.
    if (!FSet || FSet != ZAV_Dictionaries)
        return;
    const QString Text = edtSearch->text();
    lvSearchResults->setUpdatesEnabled(false);
    for (int I = 0; I < FSet->Count() && I < lvSearchResults->topLevelItemCount(); ++I) {
        const TZAVDict *Dict = FSet->Dictionary(I);
        TZavAtomArray Found;
        if (rbAbbr->isChecked()) {
            if (TZAVAtom *Atom = Dict->Find(Text, true))
                Found.append(Atom);
        } else {
            Found = Dict->FindClearText(Text, false);
        }
        if (Found.isEmpty())
            continue;
        QTreeWidgetItem *G = Group(I);
        QList<QTreeWidgetItem *> Rows;
        Rows.reserve(Found.size());
        for (const TZAVAtom *Atom : std::as_const(Found)) {
            auto *Row = new QTreeWidgetItem;
            Row->setText(colAbbr, Atom->Abbr());
            Row->setText(colClearText, Atom->ClearText());
            Row->setToolTip(colClearText, Atom->ClearText());
            Rows.append(Row);
        }
        G->addChildren(Rows);
        G->setHidden(false);
    }
    lvSearchResults->setUpdatesEnabled(true);
}

void TSearchPanel::CopyColumn(int AColumn) const
{
    const QTreeWidgetItem *Row = lvSearchResults->currentItem();
    if (!Row || !Row->parent())
        return;
    QGuiApplication::clipboard()->setText(Row->text(AColumn));
}
