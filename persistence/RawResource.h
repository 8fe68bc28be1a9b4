#pragma once

#include <QString>

#include <memory>

class QIODevice;

// Opens one of the program's own raw-data resources ("Dictionary", "Template") as a
// read-only stream; names match without regard to case. Null when there is none.
std::unique_ptr<QIODevice> OpenRawResource(const QString &AName);
