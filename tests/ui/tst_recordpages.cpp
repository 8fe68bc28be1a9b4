// The water-level and sample pages offscreen on real catalogues: values shown as stored
// and written back unchanged when untouched, typed values under two locales, missing
// values, new and deleted records.

#include "DMBorehole.h"
#include "LocaleGuard.h"
#include "MainForm.h"
#include "NumberFormat.h"
#include "SamplePage.h"
#include "WaterlevelPage.h"
#include "WindowTestUtil.h"
#include "ZAV_WaterlevelsSamples.h"

#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestRecordPages : public TWindowTest
{
    Q_OBJECT

private slots:
    void numberFormat_data();
    void numberFormat();
    void waterlevelRoundTrip_data();
    void waterlevelRoundTrip();
    void sampleRoundTrip_data();
    void sampleRoundTrip();
    void typedValues_data();
    void typedValues();
    void lettersAreAMissingValue();
    void newRecordSelectsTheNewLastRow();
    void deleteKeyWithAndWithoutSelection();
    void refusedWriteKeepsTheEdit();
    void pagesAreBuiltAsListed();

private:
    // A catalogue with borehole 1 and the given rows; "Wasserstände" or "Proben" shown.
    QString Show(const char *ACommand, const QStringList &AStatements);
    TWaterlevelPage *WL() const { return FForm->TabSheetWaterlevels; }
    TSamplePage *Samples() const { return FForm->TabSheetSamples; }
    QString FPath;
};

QString TestRecordPages::Show(const char *ACommand, const QStringList &AStatements)
{
    QStringList All{u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (1,1,'B1')"_s};
    All += AStatements;
    FPath = MakeCatalogue(FDir->path(), All);
    OpenCatalogue(*FForm, *FDialogs, FPath);
    CommandOf(*FForm, ACommand)->trigger();
    return FPath;
}

void TestRecordPages::numberFormat_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("de: 3.456") << u"de_DE"_s << 3.456 << u"3,46"_s;
    QTest::newRow("en: 3.456") << u"en_US"_s << 3.456 << u"3.46"_s;
    QTest::newRow("de: 12.5") << u"de_DE"_s << 12.5 << u"12,50"_s;
    QTest::newRow("de: 0") << u"de_DE"_s << 0.0 << u"0,00"_s;
    QTest::newRow("de: negative") << u"de_DE"_s << -2.25 << u"-2,25"_s;
    QTest::newRow("de: no grouping") << u"de_DE"_s << 1234567.0 << u"1234567,00"_s;
    QTest::newRow("de: 8 significant digits first") << u"de_DE"_s << 12345.678901 << u"12345,68"_s;
    QTest::newRow("de: 9 integer digits in scientific notation") << u"de_DE"_s << 123456789.0 << u"1,2345679E+08"_s;
    QTest::newRow("missing") << u"de_DE"_s << NaN << u"-"_s;
}

void TestRecordPages::numberFormat()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    TLocaleGuard Guard{QLocale(locale)};
    QCOMPARE(DblValueToStr(u"-"_s, value), text);
}

void TestRecordPages::waterlevelRoundTrip_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("listed");
    QTest::newRow("depth NULL") << u"GW"_s << u"NULL"_s << u"edtWLDepth"_s << QString() << u"-"_s;
    QTest::newRow("depth 0") << u"GW"_s << u"0.0"_s << u"edtWLDepth"_s << u"0,00"_s << u"0,00"_s;
    QTest::newRow("depth 3.456") << u"GW"_s << u"3.456"_s << u"edtWLDepth"_s << u"3,46"_s << u"3,46"_s;
    QTest::newRow("fallen to 12.5") << u"GWF"_s << u"12.5"_s << u"edtWLGWF"_s << u"12,50"_s << u"12,50"_s;
    QTest::newRow("negative level") << u"GWS"_s << u"-1.25"_s << u"edtWLGWS"_s << u"-1,25"_s << u"-1,25"_s;
    QTest::newRow("123456789.0") << u"GWR"_s << u"123456789.0"_s << u"edtWLGWR"_s << u"1,2345679E+08"_s
                                 << u"1,2345679E+08"_s;
    QTest::newRow("date with a time of day") << u"GWDATUM"_s << u"45413.75"_s << u"edtWLDatum"_s << u"01.05.2024"_s
                                             << u"01.05.2024"_s;
    QTest::newRow("time difference 0") << u"GWZEIT"_s << u"0"_s << u"edtWLDeltat"_s << QString() << u"-"_s;
    QTest::newRow("time difference -1") << u"GWZEIT"_s << u"-1"_s << u"edtWLDeltat"_s << QString() << u"-"_s;
    QTest::newRow("time difference 5") << u"GWZEIT"_s << u"5"_s << u"edtWLDeltat"_s << u"5"_s << u"5"_s;
}

void TestRecordPages::waterlevelRoundTrip()
{
    QFETCH(QString, column);
    QFETCH(QString, stored);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    QFETCH(QString, listed);
    TLocaleGuard Guard{QLocale(u"de_DE"_s)};
    Show("ShowWaterlevels", {u"INSERT INTO S3GRUNDW (LOCID,RECID,%1) VALUES (1,1,%2)"_s.arg(column, stored),
                             u"INSERT INTO S3GRUNDW (LOCID,RECID) VALUES (1,2)"_s});
    const QString Read = u"SELECT quote(%1) FROM S3GRUNDW ORDER BY RECID"_s.arg(column);
    const QStringList Before = Rows(FPath, Read);
    QCOMPARE(WL()->findChild<QLineEdit *>(control)->text(), shown);
    const int Column = int(WL()->Panel->findChildren<QLineEdit *>().indexOf(WL()->findChild<QLineEdit *>(control)));
    QCOMPARE(WL()->List->topLevelItem(0)->text(Column), listed);
    // Shown, left for the other row, and the page left: the stored value is untouched.
    WL()->List->setCurrentItem(WL()->List->topLevelItem(1));
    FForm->BtnBack->click();
    CommandOf(*FForm, "ShowWaterlevels")->trigger();
    FForm->BtnBack->click();
    QCOMPARE(Rows(FPath, Read), Before);
}

void TestRecordPages::sampleRoundTrip_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
    QTest::newRow("top NULL") << u"INVZBEG"_s << u"NULL"_s << u"edtSampleTop"_s << QString();
    QTest::newRow("top 3.456") << u"INVZBEG"_s << u"3.456"_s << u"edtSampleTop"_s << u"3,46"_s;
    QTest::newRow("bottom 0") << u"INVZEND"_s << u"0.0"_s << u"edtSampleBottom"_s << u"0,00"_s;
    QTest::newRow("name with umlauts") << u"INVNAME"_s << u"'Probe Ä'"_s << u"edtSampleName"_s << u"Probe Ä"_s;
    QTest::newRow("name empty text") << u"INVNAME"_s << u"''"_s << u"edtSampleName"_s << QString();
}

void TestRecordPages::sampleRoundTrip()
{
    QFETCH(QString, column);
    QFETCH(QString, stored);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    TLocaleGuard Guard{QLocale(u"de_DE"_s)};
    Show("ShowSamples", {u"INSERT INTO S3PROBEN (LOCID,RECID,%1) VALUES (1,1,%2)"_s.arg(column, stored)});
    const QString Read = u"SELECT quote(%1) FROM S3PROBEN"_s.arg(column);
    const QStringList Before = Rows(FPath, Read);
    QCOMPARE(Samples()->findChild<QLineEdit *>(control)->text(), shown);
    FForm->BtnBack->click();
    QCOMPARE(Rows(FPath, Read), Before);
}

void TestRecordPages::typedValues_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("listed");
    QTest::newRow("de_DE") << u"de_DE"_s << u"3,456"_s << u"03.05.2024"_s << u"3,46"_s;
    QTest::newRow("en_US") << u"en_US"_s << u"3.456"_s << u"5/3/2024"_s << u"3.46"_s;
}

void TestRecordPages::typedValues()
{
    QFETCH(QString, locale);
    QFETCH(QString, depth);
    QFETCH(QString, date);
    QFETCH(QString, listed);
    TLocaleGuard Guard{QLocale(locale)};
    Show("ShowWaterlevels", {u"INSERT INTO S3GRUNDW (LOCID,RECID,GWZEIT) VALUES (1,1,7)"_s});
    WL()->edtWLDepth->setText(depth);
    WL()->edtWLDatum->setText(date);
    WL()->edtWLDeltat->setText(u"0"_s);
    FForm->BtnBack->click();
    QCOMPARE(Rows(FPath, u"SELECT quote(GW), quote(GWDATUM), quote(GWZEIT) FROM S3GRUNDW"_s),
             QStringList{u"3.456|45415.0|0"_s}); // 3 May 2024, in days since 30 Dec 1899
    CommandOf(*FForm, "ShowWaterlevels")->trigger();
    QCOMPARE(WL()->List->topLevelItem(0)->text(0), listed);
    // A two-digit year means this century.
    WL()->edtWLDatum->setText(QLocale().toString(QDate(2024, 5, 3), QLocale::ShortFormat));
    // A stored 0 shows as an empty field and stays 0 unless typed over; unreadable is -1.
    QCOMPARE(WL()->edtWLDeltat->text(), QString());
    WL()->edtWLDeltat->setText(u"bald"_s);
    FForm->BtnBack->click();
    QCOMPARE(Rows(FPath, u"SELECT quote(GWDATUM), quote(GWZEIT) FROM S3GRUNDW"_s),
             QStringList{u"45415.0|NULL"_s});
}

void TestRecordPages::lettersAreAMissingValue()
{
    TLocaleGuard Guard{QLocale(u"de_DE"_s)};
    Show("ShowSamples", {u"INSERT INTO S3PROBEN (LOCID,RECID,INVZBEG,INVZEND) VALUES (1,1,1.5,2)"_s,
                         u"INSERT INTO S3PROBEN (LOCID,RECID) VALUES (1,2)"_s});
    Samples()->edtSampleTop->setText(u"oben"_s);
    Samples()->List->setCurrentItem(Samples()->List->topLevelItem(1));
    QCOMPARE(Rows(FPath, u"SELECT quote(INVZBEG), quote(INVZEND) FROM S3PROBEN WHERE RECID=1"_s),
             QStringList{u"NULL|2.0"_s});
    QCOMPARE(ListRowTexts(Samples()->List).value(0), u"|-|2,00"_s);
    QCOMPARE(FDialogs->Messages(), QStringList());
}

void TestRecordPages::newRecordSelectsTheNewLastRow()
{
    Show("ShowWaterlevels", {u"INSERT INTO S3GRUNDW (LOCID,RECID,GW) VALUES (1,1,2.5)"_s});
    WL()->edtWLGWF->setText(u"1"_s);
    CommandOf(*FForm, "NewWaterlevel")->trigger();
    QCOMPARE(Rows(FPath, u"SELECT RECID, quote(GWF), PRJ_ID FROM S3GRUNDW ORDER BY RECID"_s),
             QStringList({u"1|1.0|<null>"_s, u"2|NULL|<null>"_s}));
    QCOMPARE(WL()->List->topLevelItemCount(), 2);
    QCOMPARE(WL()->List->indexOfTopLevelItem(WL()->List->selectedItems().value(0)), 1);
    QCOMPARE(static_cast<TZAV_Groundwater *>(WL()->ActiveRecord())->RecID(), 2);
    for (QLineEdit *Edit : WL()->Panel->findChildren<QLineEdit *>())
        QCOMPARE(Edit->text(), QString());

    FForm->BtnBack->click();
    CommandOf(*FForm, "ShowSamples")->trigger();
    CommandOf(*FForm, "NewSample")->trigger();
    QCOMPARE(Rows(FPath, u"SELECT RECID FROM S3PROBEN"_s), QStringList{u"1"_s});
    QCOMPARE(Samples()->List->selectedItems().size(), 1);
    QVERIFY(Samples()->edtSampleTop->isEnabled());
}

void TestRecordPages::deleteKeyWithAndWithoutSelection()
{
    Show("ShowSamples", {u"INSERT INTO S3PROBEN (LOCID,RECID,INVNAME) VALUES (1,1,'P1'),(1,2,'P2')"_s});
    Samples()->List->setCurrentItem(Samples()->List->topLevelItem(1));
    QTest::keyClick(Samples()->List, Qt::Key_Delete);
    QCOMPARE(Rows(FPath, u"SELECT INVNAME FROM S3PROBEN"_s), QStringList{u"P1"_s});
    QCOMPARE(Samples()->List->topLevelItemCount(), 1);
    // Nothing selected: nothing deleted.
    Samples()->List->clearSelection();
    QCOMPARE(Samples()->ActiveRecord(), nullptr);
    QTest::keyClick(Samples()->List, Qt::Key_Delete);
    QCOMPARE(Rows(FPath, u"SELECT INVNAME FROM S3PROBEN"_s), QStringList{u"P1"_s});
}

void TestRecordPages::refusedWriteKeepsTheEdit()
{
    Show("ShowSamples", {u"INSERT INTO S3PROBEN (LOCID,RECID,INVNAME) VALUES (1,1,'P1'),(1,2,'P2')"_s});
    QCOMPARE(Samples()->edtSampleName->maxLength(), 20);
    Samples()->edtSampleName->setMaxLength(100);
    Samples()->edtSampleName->setText(QString(21, u'n'));
    Samples()->List->setCurrentItem(Samples()->List->topLevelItem(1));
    QCOMPARE(FDialogs->Messages().size(), 1);
    QVERIFY2(FDialogs->Shown.last().Heading.contains(u"„Bezeichnung“"_s), qPrintable(FDialogs->Shown.last().Heading));
    QCOMPARE(Samples()->List->indexOfTopLevelItem(Samples()->List->selectedItems().value(0)), 0);
    QCOMPARE(Samples()->edtSampleName->text(), QString(21, u'n'));
    QCOMPARE(Rows(FPath, u"SELECT INVNAME FROM S3PROBEN ORDER BY RECID"_s), QStringList({u"P1"_s, u"P2"_s}));
    Samples()->edtSampleName->setText(u"P1 neu"_s);
    FForm->BtnBack->click();
    QCOMPARE(Rows(FPath, u"SELECT INVNAME FROM S3PROBEN ORDER BY RECID"_s), QStringList({u"P1 neu"_s, u"P2"_s}));
}

void TestRecordPages::pagesAreBuiltAsListed()
{
    Show("ShowWaterlevels", {});
    QCOMPARE(WL()->Header->text(), u"Wasserstände in Bohrung <B1>"_s);
    QCOMPARE(WL()->Header->objectName(), u"LblWaterlevelsHeader"_s);
    QCOMPARE(WL()->List->objectName(), u"lvWaterlevels"_s);
    QCOMPARE(WL()->Panel->objectName(), u"PanelWLControls"_s);
    QVERIFY(!WL()->edtWLDepth->isEnabled()); // nothing to edit in an empty list
    QStringList Captions;
    for (int C = 0; C < WL()->List->columnCount(); ++C)
        Captions.append(WL()->List->headerItem()->text(C));
    QCOMPARE(Captions, QStringList({u"Angetroffen [m]"_s, u"Abgefallen auf [m]"_s, u"Angestiegen auf [m]"_s,
                                    u"Versickert bei [m]"_s, u"nach Abschluss der Bohrarbeiten [m]"_s, u"Datum"_s,
                                    u"Zeitdifferenz [h]"_s}));
    FForm->BtnBack->click();
    OnFile(FPath, {u"INSERT INTO S3PROBEN (LOCID,RECID) VALUES (1,1)"_s});
    CommandOf(*FForm, "ShowSamples")->trigger();
    QCOMPARE(Samples()->Header->text(), u"Proben in Bohrung <B1>"_s);
    QCOMPARE(NextByTab(Samples()->edtSampleTop), Samples()->edtSampleBottom);
    QCOMPARE(NextByTab(Samples()->edtSampleBottom), Samples()->edtSampleName);
    bool Note = false;
    for (const QLabel *L : Samples()->Panel->findChildren<QLabel *>()) {
        Note = Note || L->text() == u"Alle Angaben unter Ansatzpunkt"_s;
        if (L->buddy())
            QVERIFY(!L->text().isEmpty());
    }
    QVERIFY(Note);
}

QTEST_MAIN(TestRecordPages)
#include "tst_recordpages.moc"
