// The details page offscreen on real catalogues: values shown as stored and written back
// unchanged, typing under two locales, codes the lists cannot show, refused values, and
// the map sheet entered by its number.

#include "DMBorehole.h"
#include "DetailsPage.h"
#include "LocaleGuard.h"
#include "MainForm.h"
#include "StartPage.h"
#include "WindowTestUtil.h"
#include "ZAVDictionaries.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

QString ClearText(const QString &ADictname, const QString &AAbbr)
{
    const TZAVAtom *Atom = ZAV_Dictionaries->GetDictionary(ADictname)->Find(AAbbr, false);
    return Atom ? Atom->ClearText() : u"<kein Eintrag %1>"_s.arg(AAbbr);
}

QString Shown(QWidget *AControl)
{
    if (auto *Edit = qobject_cast<QLineEdit *>(AControl))
        return Edit->text();
    auto *Combo = qobject_cast<QComboBox *>(AControl);
    return Combo->currentIndex() < 0 ? QString() : Combo->currentText();
}

} // namespace

class TestDetailsPage : public TWindowTest
{
    Q_OBJECT

private slots:
    void storedValuesSurviveAVisit_data();
    void storedValuesSurviveAVisit();
    void codesSurviveWithoutDictionaries();
    void typedValuesFollowTheLocale_data();
    void typedValuesFollowTheLocale();
    void emptiedFieldsBecomeNull();
    void badNumberIsExplainedAndLosesNothing();
    void valueTooLargeForItsColumn();
    void textFieldsTakeWhatTheirColumnHolds();
    void mapSheetByNumber_data();
    void mapSheetByNumber();
    void pageIsBuiltAsListed();

private:
    // A catalogue with one borehole (LOCID 1) holding AValues, opened, its page shown.
    QString EditBorehole(const QString &AColumns = QString(), const QString &AValues = QString());
    TDetailsPage *Page() const { return FForm->TabSheetBHDetails; }
    void Back() { FForm->BtnBack->click(); }
};

QString TestDetailsPage::EditBorehole(const QString &AColumns, const QString &AValues)
{
    const QString Columns = AColumns.isEmpty() ? QString() : u","_s + AColumns;
    const QString Values = AValues.isEmpty() ? QString() : u","_s + AValues;
    const QString Path = MakeCatalogue(
        FDir->path(), {u"INSERT INTO S3STAMM (LOCID,RECID,PRJ_ID%1) VALUES (1,1,'ZAVGEN'%2)"_s.arg(Columns, Values)});
    OpenCatalogue(*FForm, *FDialogs, Path);
    CommandOf(*FForm, "EditBorehole")->trigger();
    if (FForm->PageControl1->currentIndex() != TZAV3MainForm::piDetails)
        qWarning("the details page was not shown");
    return Path;
}

void TestDetailsPage::storedValuesSurviveAVisit_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored");  // an SQL literal
    QTest::addColumn<QString>("control"); // object name
    QTest::addColumn<QString>("shown");   // "dict:code" for a clear text
    QTest::newRow("name NULL") << u"ANAME"_s << u"NULL"_s << u"edtName"_s << QString();
    QTest::newRow("name with umlauts") << u"ANAME"_s << u"'Brunnen Müller, Weißach'"_s << u"edtName"_s
                                       << u"Brunnen Müller, Weißach"_s;
    QTest::newRow("X NULL") << u"XCOORD"_s << u"NULL"_s << u"edtXCoord"_s << QString();
    QTest::newRow("X 0") << u"XCOORD"_s << u"0.0"_s << u"edtXCoord"_s << u"0"_s;
    QTest::newRow("final depth 12.5") << u"ZCOORDE"_s << u"12.5"_s << u"edtFinalDepth"_s << u"12,5"_s;
    QTest::newRow("X 3456789.5") << u"XCOORD"_s << u"3456789.5"_s << u"edtXCoord"_s << u"3456789,5"_s;
    QTest::newRow("X with more digits than shown") << u"XCOORD"_s << u"0.30000000000000004"_s << u"edtXCoord"_s
                                                   << u"0,3"_s;
    QTest::newRow("EPSG 25832") << u"EPSG"_s << u"25832"_s << u"edtEPSG"_s << u"25832"_s;
    QTest::newRow("EPSG NULL") << u"EPSG"_s << u"NULL"_s << u"edtEPSG"_s << QString();
    QTest::newRow("coordinate system offered") << u"KSYS"_s << u"'GK3'"_s << u"cmbCoordSys"_s << u"S3KSYS:GK3"_s;
    QTest::newRow("coordinate system an EPSG number") << u"KSYS"_s << u"'25832'"_s << u"cmbCoordSys"_s << QString();
    QTest::newRow("confidentiality 2, not offered") << u"VERTR"_s << u"'2'"_s << u"cmbConfLevel"_s << QString();
    QTest::newRow("confidentiality V1") << u"VERTR"_s << u"'V1'"_s << u"cmbConfLevel"_s << u"S3VERT:V1"_s;
    QTest::newRow("federal state unknown") << u"BLAND"_s << u"'XX'"_s << u"cmbState"_s << QString();
    QTest::newRow("map sheet offered") << u"TK25"_s << u"'7916'"_s << u"cmbTK25"_s << u"S3TK25:7916"_s;
    QTest::newRow("map sheet left out of its list") << u"TK25"_s << u"'0086'"_s << u"cmbTK25"_s << QString();
    QTest::newRow("empty code") << u"HSYS"_s << u"''"_s << u"cmbHSys"_s << QString();
    QTest::newRow("height system offered") << u"HSYS"_s << u"'NN'"_s << u"cmbHSys"_s << u"S3HSYS:NN"_s;
}

void TestDetailsPage::storedValuesSurviveAVisit()
{
    QFETCH(QString, column);
    QFETCH(QString, stored);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    TLocaleGuard Guard{QLocale(u"de_DE"_s)};
    if (shown.contains(u':'))
        shown = ClearText(shown.section(u':', 0, 0), shown.section(u':', 1));
    const QString Path = EditBorehole(column, stored);
    const QString Read = u"SELECT quote(%1), typeof(%1) FROM S3STAMM"_s.arg(column);
    const QStringList Before = Rows(Path, Read);
    QCOMPARE(Page()->LblLocID->text(), u"ID: 1"_s);
    QCOMPARE(Shown(Page()->findChild<QWidget *>(control)), shown);
    // Twice there and back: nothing changes.
    for (int Visit = 0; Visit < 2; ++Visit) {
        Back();
        QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piStart));
        QCOMPARE(Rows(Path, Read), Before);
        CommandOf(*FForm, "EditBorehole")->trigger();
        QCOMPARE(Shown(Page()->findChild<QWidget *>(control)), shown);
    }
    QCOMPARE(FDialogs->Messages(), QStringList());
}

void TestDetailsPage::codesSurviveWithoutDictionaries()
{
    const QString Path = EditBorehole(u"KSYS,VERTR,TK25,BLAND"_s, u"'GK3','V1','7916','BW'"_s);
    Back();
    // As a program whose built-in set failed to load: no set, empty lists.
    delete ZAV_Dictionaries;
    ZAV_Dictionaries = nullptr;
    for (QComboBox *Combo : Page()->findChildren<QComboBox *>())
        Combo->clear();
    CommandOf(*FForm, "EditBorehole")->trigger();
    QCOMPARE(Page()->cmbCoordSys->currentIndex(), -1);
    Back();
    QCOMPARE(Rows(Path, u"SELECT KSYS, VERTR, TK25, BLAND FROM S3STAMM"_s), QStringList{u"GK3|V1|7916|BW"_s});
    // The start page still lists the borehole, showing the code itself.
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItem(0)->text(TStartPage::colXYsys), u"GK3"_s);
}

void TestDetailsPage::typedValuesFollowTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typedX");
    QTest::addColumn<QString>("typedDepth");
    QTest::newRow("de_DE") << u"de_DE"_s << u"3456789,5"_s << u"12,5"_s;
    QTest::newRow("en_US") << u"en_US"_s << u"3456789.5"_s << u"12.5"_s;
}

void TestDetailsPage::typedValuesFollowTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, typedX);
    QFETCH(QString, typedDepth);
    TLocaleGuard Guard{QLocale(locale)};
    const QString Path = EditBorehole();
    Page()->edtName->setText(u"Brunnen Ä 1"_s);
    Page()->edtXCoord->setText(typedX);
    Page()->edtFinalDepth->setText(typedDepth);
    Page()->edtEPSG->setText(u"25832"_s);
    // The user chooses a coordinate system.
    const int GK3 = IndexOfZAVAtom(u"GK3"_s, u"S3KSYS"_s, Page()->cmbCoordSys);
    QVERIFY(GK3 >= 0);
    Page()->cmbCoordSys->setCurrentIndex(GK3);
    Back();
    QCOMPARE(FDialogs->Messages(), QStringList());
    QCOMPARE(Rows(Path, u"SELECT ANAME, quote(XCOORD), quote(ZCOORDE), quote(EPSG), KSYS FROM S3STAMM"_s),
             QStringList{u"Brunnen Ä 1|3456789.5|12.5|25832|GK3"_s});
    // The list row shows what was saved.
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItem(0)->text(TStartPage::colName), u"Brunnen Ä 1"_s);
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItem(0)->text(TStartPage::colX), typedX);
    CommandOf(*FForm, "EditBorehole")->trigger();
    QCOMPARE(Page()->edtXCoord->text(), typedX);
    QCOMPARE(Page()->edtFinalDepth->text(), typedDepth);
    QCOMPARE(Page()->cmbCoordSys->currentIndex(), GK3);
}

void TestDetailsPage::emptiedFieldsBecomeNull()
{
    const QString Path = EditBorehole(u"ANAME,XCOORD,EPSG"_s, u"'B1',3.5,4326"_s);
    for (QLineEdit *Edit : {Page()->edtName, Page()->edtXCoord, Page()->edtEPSG})
        Edit->clear();
    Back();
    QCOMPARE(Rows(Path, u"SELECT ANAME, XCOORD, EPSG FROM S3STAMM"_s), QStringList{u"<null>|<null>|<null>"_s});
}

void TestDetailsPage::badNumberIsExplainedAndLosesNothing()
{
    TLocaleGuard Guard{QLocale(u"de_DE"_s)};
    const QString Path = EditBorehole(u"ANAME,XCOORD"_s, u"'Alt',1.5"_s);
    Page()->edtName->setText(u"Neu"_s);
    Page()->edtXCoord->setText(u"12,5 m"_s);
    Back();
    // Explained, naming the field and the value; the page stays with the user's text.
    QCOMPARE(FDialogs->Messages().size(), 1);
    const QString Message = FDialogs->Shown.last().Heading;
    QVERIFY2(Message.contains(u"X-Koordinate"_s) && Message.contains(u"12,5 m"_s), qPrintable(Message));
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piDetails));
    QCOMPARE(Page()->edtXCoord->text(), u"12,5 m"_s);
    QCOMPARE(Page()->edtName->text(), u"Neu"_s);
    // Nothing was written, nor waits half-set in the row for the next move of the cursor.
    QCOMPARE(DMBorehole->QyStamm.State(), TZavDataSet::dsBrowse);
    DMBorehole->QyStamm.First();
    QCOMPARE(Rows(Path, u"SELECT ANAME, XCOORD FROM S3STAMM"_s), QStringList{u"Alt|1,5"_s});

    // Corrected, the row is written whole.
    Page()->edtXCoord->setText(u"12,5"_s);
    Back();
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piStart));
    QCOMPARE(Rows(Path, u"SELECT ANAME, XCOORD FROM S3STAMM"_s), QStringList{u"Neu|12,5"_s});
}

void TestDetailsPage::valueTooLargeForItsColumn()
{
    const QString Path = EditBorehole(u"ANAME,EPSG"_s, u"'Alt',25832"_s);
    Page()->edtName->setText(u"Neu"_s);
    Page()->edtEPSG->setText(u"99999999999"_s);
    FDialogs->Shown.clear();
    // Closing the window runs the same protocol: the window stays open.
    FForm->close();
    QVERIFY(FForm->isVisible());
    QCOMPARE(FDialogs->Messages().size(), 1);
    const QString Message = FDialogs->Shown.last().Heading;
    QVERIFY2(Message.contains(u"„EPSG“"_s) && Message.contains(u"99999999999"_s), qPrintable(Message));
    QCOMPARE(Rows(Path, u"SELECT ANAME, EPSG FROM S3STAMM"_s), QStringList{u"Alt|25832"_s});
    Page()->edtEPSG->setText(u"4326"_s);
    FForm->close();
    QVERIFY(!FForm->isVisible());
    QCOMPARE(Rows(Path, u"SELECT ANAME, EPSG FROM S3STAMM"_s), QStringList{u"Neu|4326"_s});
}

void TestDetailsPage::textFieldsTakeWhatTheirColumnHolds()
{
    const QString Path = EditBorehole();
    QCOMPARE(Page()->edtName->maxLength(), 254);
    Page()->edtName->setText(QString(300, u'x'));
    Back();
    QCOMPARE(FDialogs->Messages(), QStringList());
    QCOMPARE(Rows(Path, u"SELECT length(ANAME) FROM S3STAMM"_s), QStringList{u"254"_s});
}

void TestDetailsPage::mapSheetByNumber_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("selected"); // code, or empty for none
    QTest::addColumn<QString>("error");
    QTest::newRow("found") << true << u"7916"_s << u"7916"_s << QString();
    QTest::newRow("not found") << true << u"9999"_s << QString()
                               << u"Die TK 25 mit der Nummer <9999> wurde nicht gefunden. | TK 25 Eingabe fehlerhaft"_s;
    QTest::newRow("trailing blank") << true << u"7916 "_s << QString()
                                    << u"Die TK 25 mit der Nummer <7916 > wurde nicht gefunden. | TK 25 Eingabe fehlerhaft"_s;
    QTest::newRow("the number left out of the list") << true << u"0086"_s << QString()
                                                     << u"Die TK 25 mit der Nummer <0086> wurde nicht gefunden. | TK 25 Eingabe fehlerhaft"_s;
    QTest::newRow("cancelled") << false << QString() << QString() << QString();
}

void TestDetailsPage::mapSheetByNumber()
{
    QFETCH(bool, confirmed);
    QFETCH(QString, entered);
    QFETCH(QString, selected);
    QFETCH(QString, error);
    const QString Path = EditBorehole();
    if (confirmed)
        FDialogs->Inputs = {entered};
    Page()->BtnEnterTKNo->click();
    QCOMPARE(FDialogs->Shown.last().Kind == u"input"_s || !error.isEmpty(), true);
    const TScriptedDialogs::TShown *Input = nullptr;
    for (const auto &S : FDialogs->Shown) {
        if (S.Kind == u"input"_s)
            Input = &S;
    }
    QVERIFY(Input);
    QCOMPARE(Input->Heading, u"TK 25 Nummer eingeben"_s);
    QCOMPARE(Input->Text, u"TK 25"_s);
    QCOMPARE(Input->Preset, QString());
    QCOMPARE(FDialogs->Messages(), error.isEmpty() ? QStringList() : QStringList{error});
    const int Expected = selected.isEmpty() ? -1 : IndexOfZAVAtom(selected, u"S3TK25"_s, Page()->cmbTK25);
    QCOMPARE(Page()->cmbTK25->currentIndex(), Expected);
    Back();
    QCOMPARE(Rows(Path, u"SELECT TK25 FROM S3STAMM"_s), QStringList{selected.isEmpty() ? u"<null>"_s : selected});
    if (!selected.isEmpty()) {
        // The next time the dialog starts with the chosen number.
        CommandOf(*FForm, "EditBorehole")->trigger();
        Page()->BtnEnterTKNo->click();
        QCOMPARE(FDialogs->Shown.last().Preset, selected);
    }
}

void TestDetailsPage::pageIsBuiltAsListed()
{
    EditBorehole();
    // Tab order as the fields are listed.
    QList<QWidget *> Order{Page()->edtName,      Page()->cmbState,    Page()->cmbTK25,     Page()->BtnEnterTKNo,
                           Page()->edtXCoord,    Page()->edtYCoord,   Page()->edtEPSG,     Page()->cmbCoordSys,
                           Page()->cmbCoordFind, Page()->edtZCoordB,  Page()->edtFinalDepth, Page()->cmbHSys,
                           Page()->cmbHFind,     Page()->cmbArfach,   Page()->cmbType,     Page()->cmbTech,
                           Page()->cmbPurpose,   Page()->cmbConfLevel};
    for (qsizetype I = 1; I < Order.size(); ++I)
        QCOMPARE(NextByTab(Order[I - 1])->objectName(), Order[I]->objectName());
    // Each field has its caption as buddy.
    for (QWidget *Field : Order) {
        if (Field == Page()->BtnEnterTKNo)
            continue;
        bool HasCaption = false;
        for (QLabel *Label : Page()->findChildren<QLabel *>())
            HasCaption = HasCaption || Label->buddy() == Field;
        QVERIFY2(HasCaption, qPrintable(Field->objectName()));
    }
}

QTEST_MAIN(TestDetailsPage)
#include "tst_detailspage.moc"
