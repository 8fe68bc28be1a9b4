#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The sample catalogue: five boreholes with layers, sublayers, water levels and samples,
// from the text source ":/Beispielkatalog.txt" the program carries. Written to APath from
// the template, all or nothing (an existing file is replaced only when the new one is
// complete); EDatabaseError on failure.
void WriteSampleCatalogue(const QString &APath);

// The rows of the sample as its text source holds them: per table, the column names and
// the rows (empty text for NULL); for tests that check its codes.
struct TSampleTable
{
    QString Name;
    QStringList Columns;
    QList<QStringList> Rows;
};
QList<TSampleTable> SampleCatalogueTables();
