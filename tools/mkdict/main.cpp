// Build-time generator: turns the catalogue sources under resources/dictionaries into
// the dictionary file that is embedded as the resource "Dictionary".
//
//   zavrex-mkdict OUTPUT SOURCE.tsv ...
//
// Each source is UTF-8, tab-separated, with the header "Kuerzel<TAB>Klartext<TAB>Attribute";
// its file name is the table name, and the sources are given in set order. Fields are
// taken as they stand (no trimming: some clear texts end in a blank).

#include "ZAVDictionaries.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

[[noreturn]] void Fail(const QString &AMessage)
{
    std::fprintf(stderr, "zavrex-mkdict: %s\n", qUtf8Printable(AMessage));
    std::exit(1);
}

TZAVDict *ReadCatalogue(const QString &APath)
{
    QFile F(APath);
    if (!F.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("%1: %2").arg(APath, F.errorString()));
    const QByteArray Raw = F.readAll();
    QStringDecoder Decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString Text = Decoder.decode(Raw);
    if (Decoder.hasError())
        Fail(QStringLiteral("%1: not valid UTF-8").arg(APath));

    auto *Dict = new TZAVDict;
    Dict->SetTablename(QFileInfo(APath).completeBaseName());
    const QStringList Lines = Text.split(u'\n');
    bool HeaderSeen = false;
    for (qsizetype N = 0; N < Lines.size(); ++N) {
        QString Line = Lines[N];
        if (Line.endsWith(u'\r'))
            Line.chop(1);
        if (Line.isEmpty())
            continue;
        const QStringList Fields = Line.split(u'\t');
        const QString Where = QStringLiteral("%1:%2").arg(APath).arg(N + 1);
        if (!HeaderSeen) {
            if (Fields.size() < 2 || Fields[0] != u"Kuerzel" || Fields[1] != u"Klartext"
                || (Fields.size() == 3 && Fields[2] != u"Attribute") || Fields.size() > 3)
                Fail(Where + QStringLiteral(": header must be Kuerzel<TAB>Klartext<TAB>Attribute"));
            HeaderSeen = true;
            continue;
        }
        if (Fields.size() < 2 || Fields.size() > 3)
            Fail(Where + QStringLiteral(": expected 2 or 3 tab-separated fields, found %1").arg(Fields.size()));
        auto *Atom = new TZAVAtom(Fields[0], Fields[1]);
        if (Fields.size() == 3 && !Fields[2].isEmpty()) {
            const TQuantityType Q = QuantityTypeFromAttribute(Fields[2]);
            if (Q == qtNone) {
                delete Atom;
                Fail(Where + QStringLiteral(": unknown attribute \"%1\"").arg(Fields[2]));
            }
            Atom->SetQuantityType(Q);
        }
        Dict->Add(Atom);
    }
    if (!HeaderSeen)
        Fail(APath + QStringLiteral(": empty catalogue"));
    // Stable, so repeated abbreviations keep the order of the source.
    Dict->SortAlphabet();
    return Dict;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication App(argc, argv);
    const QStringList Args = App.arguments();
    if (Args.size() < 3)
        Fail(QStringLiteral("usage: zavrex-mkdict OUTPUT SOURCE.tsv ..."));
    TZAVDictionaries Set;
    Set.Clear();
    for (qsizetype I = 2; I < Args.size(); ++I)
        Set.Add(ReadCatalogue(Args[I]));
    try {
        Set.SaveToFile(Args[1]);
    } catch (const Exception &E) {
        Fail(E.Message());
    }
    return 0;
}
