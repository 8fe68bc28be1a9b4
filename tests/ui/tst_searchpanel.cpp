// The dictionary search panel offscreen with the built-in set: clear-text and code
// searches grouped by dictionary, the mode switch, the click that searches again, the
// copy actions, and a program without dictionaries.

#include "MainForm.h"
#include "SearchPanel.h"
#include "WindowTestUtil.h"
#include "ZAVDictionaries.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestSearchPanel : public TWindowTest
{
    Q_OBJECT

private slots:
    void clearTextFromTheThirdLetter();
    void clearTextIgnoresCase();
    void codeListedOnceInEachDictionary();
    void gradedCodeFindsTheCode();
    void switchingTheModeSearchesAgain();
    void clickOnARowSearchesAgain();
    void hidingKeepsTextAndResults();
    void copyActions();
    void withoutDictionaries();

private:
    TSearchPanel *Panel() const { return FForm->PanelSearch; }
    void Type(const QString &AText)
    {
        for (const QChar C : AText)
            QTest::keyClick(Panel()->edtSearch, C.toLatin1());
    }
    // The visible results: one line per shown group, "Tablename: abbr=clear; ...".
    QStringList Results() const;
    // What the search should show for AText, from the set itself.
    static QStringList Expected(const QString &AText, bool AAbbr);
};


QStringList TestSearchPanel::Results() const
{
    QStringList Result;
    const QTreeWidget *List = Panel()->lvSearchResults;
    for (int I = 0; I < List->topLevelItemCount(); ++I) {
        const QTreeWidgetItem *Group = List->topLevelItem(I);
        if (Group->isHidden())
            continue;
        QStringList Rows;
        for (int R = 0; R < Group->childCount(); ++R)
            Rows.append(Group->child(R)->text(0) + u'=' + Group->child(R)->text(1));
        Result.append(Group->text(0) + u": "_s + Rows.join(u"; "_s));
    }
    return Result;
}

QStringList TestSearchPanel::Expected(const QString &AText, bool AAbbr)
{
    QStringList Result;
    for (int I = 0; I < ZAV_Dictionaries->Count(); ++I) {
        const TZAVDict *Dict = ZAV_Dictionaries->Dictionary(I);
        TZavAtomArray Found;
        if (AAbbr) {
            if (TZAVAtom *A = Dict->Find(AText, true))
                Found.append(A);
        } else {
            Found = Dict->FindClearText(AText, false);
        }
        QStringList Rows;
        for (const TZAVAtom *A : Found)
            Rows.append(A->Abbr() + u'=' + A->ClearText());
        if (!Rows.isEmpty())
            Result.append(Dict->Tablename() + u": "_s + Rows.join(u"; "_s));
    }
    return Result;
}

void TestSearchPanel::clearTextFromTheThirdLetter()
{
    FForm->ViewSearchPanelExecute(nullptr);
    QVERIFY(Panel()->rbCleartext->isChecked());
    Type(u"To"_s);
    QCOMPARE(Results(), QStringList());
    Type(u"n"_s);
    const QStringList Shown = Results();
    QCOMPARE(Shown, Expected(u"Ton"_s, false));
    const QString Petro = Shown.value(0);
    QVERIFY2(Petro.startsWith(u"S3PETRO: "_s), qPrintable(Petro));
    for (const QString &Clear : {u"=Ton;"_s, u"=Tonstein"_s})
        QVERIFY2(Petro.contains(Clear), qPrintable(Petro));
    // Groups come in set order, headed by the dictionary's table name.
    QCOMPARE(Panel()->lvSearchResults->topLevelItemCount(), ZAV_Dictionaries->Count());
    QCOMPARE(Panel()->lvSearchResults->topLevelItem(0)->text(0), ZAV_Dictionaries->Dictionary(0)->Tablename());
}

void TestSearchPanel::clearTextIgnoresCase()
{
    Panel()->edtSearch->setText(u"ton"_s);
    const QStringList Lower = Results();
    Panel()->edtSearch->setText(u"TON"_s);
    QCOMPARE(Results(), Lower);
    QVERIFY(!Lower.isEmpty());
}

void TestSearchPanel::codeListedOnceInEachDictionary()
{
    // A code that more than one dictionary of the set holds.
    QString Shared;
    for (int I = 0; I < ZAV_Dictionaries->Count() && Shared.isEmpty(); ++I) {
        const TZAVDict *Dict = ZAV_Dictionaries->Dictionary(I);
        for (int E = 0; E < Dict->Count() && Shared.isEmpty(); ++E) {
            const QString Abbr = Dict->Atom(E)->Abbr();
            for (int J = I + 1; J < ZAV_Dictionaries->Count(); ++J) {
                if (!Abbr.isEmpty() && ZAV_Dictionaries->Dictionary(J)->Find(Abbr, false))
                    Shared = Abbr;
            }
        }
    }
    QVERIFY(!Shared.isEmpty());
    Panel()->rbAbbr->click();
    Panel()->edtSearch->setText(Shared);
    const QStringList Shown = Results();
    QCOMPARE(Shown, Expected(Shared, true));
    QVERIFY(Shown.size() >= 2);
    for (const QString &Group : Shown)
        QCOMPARE(Group.count(u'='), Shared.count(u'=') + 1);
}

void TestSearchPanel::gradedCodeFindsTheCode()
{
    const TZAVDict *Petro = ZAV_Dictionaries->GetDictionary(wbPetro);
    QVERIFY(Petro->Find(u"fs", false));
    QVERIFY(!Petro->Find(u"fs2", false));
    Panel()->rbAbbr->click();
    Panel()->edtSearch->setText(u"fs2"_s);
    QVERIFY2(Results().value(0).startsWith(u"S3PETRO: fs="_s), qPrintable(Results().value(0)));
    QCOMPARE(Results(), Expected(u"fs2"_s, true));
    // An empty text finds nothing.
    Panel()->edtSearch->clear();
    QCOMPARE(Results(), QStringList());
}

void TestSearchPanel::switchingTheModeSearchesAgain()
{
    Panel()->edtSearch->setText(u"fs"_s);
    QCOMPARE(Results(), QStringList()); // two letters of clear text: nothing yet
    Panel()->rbAbbr->click();
    QCOMPARE(Results(), Expected(u"fs"_s, true));
    QVERIFY(!Results().isEmpty());
    Panel()->rbCleartext->click();
    QCOMPARE(Results(), QStringList());
}

void TestSearchPanel::clickOnARowSearchesAgain()
{
    Panel()->edtSearch->setText(u"sand"_s);
    QTreeWidget *List = Panel()->lvSearchResults;
    QTreeWidgetItem *Row = List->topLevelItem(0)->child(0);
    QVERIFY(Row);
    List->setCurrentItem(Row);
    emit List->itemClicked(Row, 0);
    QCOMPARE(List->selectedItems(), QList<QTreeWidgetItem *>());
    QCOMPARE(Results(), Expected(u"sand"_s, false));
}

void TestSearchPanel::hidingKeepsTextAndResults()
{
    FForm->ViewSearchPanelExecute(nullptr);
    Panel()->edtSearch->setText(u"kies"_s);
    const QStringList Before = Results();
    FForm->ViewSearchPanelExecute(nullptr);
    QVERIFY(!Panel()->isVisible());
    FForm->ViewSearchPanelExecute(nullptr);
    QCOMPARE(Panel()->edtSearch->text(), u"kies"_s);
    QCOMPARE(Results(), Before);
}

void TestSearchPanel::copyActions()
{
    Panel()->rbAbbr->click();
    Panel()->edtSearch->setText(u"mS"_s);
    QTreeWidgetItem *Row = Panel()->lvSearchResults->topLevelItem(0)->child(0);
    QVERIFY(Row);
    Panel()->lvSearchResults->setCurrentItem(Row);
    Panel()->CopyAbbr->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), u"mS"_s);
    Panel()->CopyClearText->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), Row->text(1));
    QVERIFY(Panel()->lvSearchResults->actions().contains(Panel()->CopyAbbr));
}

void TestSearchPanel::withoutDictionaries()
{
    Panel()->RebuildGroups(nullptr);
    QCOMPARE(Panel()->lvSearchResults->topLevelItemCount(), 0);
    Panel()->edtSearch->setText(u"Kies"_s);
    Panel()->rbAbbr->click();
    Panel()->edtSearch->setText(u"G"_s);
    QCOMPARE(Panel()->lvSearchResults->topLevelItemCount(), 0);
}

QTEST_MAIN(TestSearchPanel)
#include "tst_searchpanel.moc"
