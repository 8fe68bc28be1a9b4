#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

// What a take-over of an Access borehole catalogue did: the rows copied per table (under
// the source's table name) and the source columns the schema does not know, left out as
// "TABLE.COLUMN".
struct TAccessImportReport
{
    QList<QPair<QString, int>> Rows;
    QStringList SkippedColumns;
};

// Told about each table before it is copied (its name, how many tables are done, how many
// there are); false cancels the take-over.
using TAccessImportProgress = std::function<bool(const QString &ATable, int ADone, int ATotal)>;

// Takes the Access borehole catalogue ASource over into a new catalogue file ATarget, made
// from the template: every row of every schema table the source holds, values exactly as
// stored, table names as the source spells them (with or without "GEODIN_LOC_"). The source
// is only read. The target is written beside its final place and renamed at the end, so a
// refusal, a failure or a cancel leaves no target (and an existing ATarget as it was).
// Refusals raise EDatabaseError with a German message: not an Access file, no borehole
// catalogue (a used table missing), a damaged file, a value the schema refuses (naming
// table, LOCID, RECID and column), a cancel.
TAccessImportReport ImportAccessCatalogue(const QString &ASource, const QString &ATarget,
                                          const TAccessImportProgress &AProgress = {});
