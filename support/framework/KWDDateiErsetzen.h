#pragma once
// The one writer of every file the programs write (PDF, XLSX, CSV, filed
// copies, layouts, settings): the target is resolved once (TKWDDateiZiel,
// KWDDateiZiel.h: links followed, devices, folders and databases refused),
// the content is written under a fresh name beside it and renamed over it,
// so a reader never sees half a file and a failed write leaves the old
// file as it was. The fresh name is created exclusively (O_EXCL,
// O_NOFOLLOW), so a link or file someone placed in a shared folder is never
// written through.
//
// Errors: EKWDZielAbgelehnt for a target that cannot take a file (also when
// it turned into a link, folder or device while the content was written);
// std::runtime_error for a failed write ("Die Datei „…“ kann nicht
// geschrieben werden: kein Platz mehr auf dem Datenträger."). Both carry one
// German sentence naming the path as given.
#include <functional>
#include <string>
#include <string_view>

#include "support/framework/KWDDateiZiel.h"

// The new file is created with AModus less the user's umask (0600 for a
// file only its owner may read).
void KWDDateiErsetzen(const TKWDDateiZiel& AZiel, const std::string& AInhalt, unsigned AModus = 0666);
// As above for a path: resolved as a TKWDDateiZiel of kind Datei first.
void KWDDateiErsetzen(const std::string& APfad, const std::string& AInhalt, unsigned AModus = 0666);
// Content made piece by piece (a long CSV): AFuellen hands every piece, in
// order, to the writer it is given; nothing is held whole.
using TKWDStueckSchreiber = std::function<void(std::string_view)>;
void KWDDateiErsetzenStueckweise(const TKWDDateiZiel& AZiel,
                                 const std::function<void(const TKWDStueckSchreiber&)>& AFuellen,
                                 unsigned AModus = 0666);
// The content of the file AQuelle (made by a library in a folder of its
// own), copied piece by piece, so a large file is never held in memory.
void KWDDateiErsetzenAus(const TKWDDateiZiel& AZiel, const std::string& AQuelle, unsigned AModus = 0666);

// True when APfad is a SQLite database or one of the files SQLite and the
// common lock keep beside it (log, shared memory, journal, block file): an
// export or a PDF named like that would destroy a company.
bool KWDIstDatenbankDatei(const std::string& APfad);

// The German sentence that refuses APfad as the target of a written file.
std::string KWDDatenbankDateiText(const std::string& APfad);
