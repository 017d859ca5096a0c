#pragma once
// The suite's own tables (schema part "suite") and the start of every program
// on the company database.
//
// Tables of the part (dates are days since 30.12.1899, product ids three
// INTEGER columns prodid1..3, like the record files):
//   warengruppe   (wgsystem, wgn) -> bezeichnung: the product-group tree. A group
//                 key is text; a sub-group's key begins with its parent's key
//                 ("1" > "10" > "105"). The suite's own system is "EIGEN".
//   artikel_wg    (wgsystem, prodid) -> wgn: an article's most detailed group.
//   artikelpreis  (prodid, preisart, filnr, grind, gueltig_ab) -> preis:
//                 preisart 'E' purchase, 'V' selling; filnr 0 = company price;
//                 grind 0 = article price, 1..40 = price of that size index;
//                 valid from gueltig_ab on.
//   filiale       filnr -> name, lv_benutzen (0/1)
//   lieferant     (gp1, gp2) partner key -> name, kurzname, ort
//   artbesttyp    besttyp 0..23 -> bezeichnung, parameter (the stock-take
//                 parameter that decides whether the type counts as counted,
//                 '' for none), istwert (the actual-value flag of a type that no
//                 parameter governs)
#include <string>
#include <vector>

#include "support/db/TDbConnection.h"

// Creates or upgrades the part; safe at every program start.
void SuiteSchemaEnsure(TDbConnection& AConnection);

// Opens the company database of this process (KWDDatenbank(), from WWS_DB)
// and checks that it is a company (it holds the record files), else
// ECompanyDbError and nothing is written. Parts of an older version, or
// missing ones, are then upgraded (a read-only company that would need it is
// refused). Every program and tool calls it once at start. Throws
// ECompanyDbError (a German sentence for the user) or EDbError.
TDbConnection& SuiteDatenbankOeffnen();

// Makes the process's connection (set with KWDDatenbank_Set) a company:
// creates every part that is missing and upgrades the others. Only the
// programs that make a new company call it (wws-admin init and demo; tests
// and benchmarks building their company).
TDbConnection& SuiteDatenbankAnlegen();

// What the company holds beyond the settings of a new one (articles,
// branches, groups, prices, stock, requests ...): the German names of the
// kinds that have rows, empty for a company without data.
std::vector<std::string> SuiteDatenbankDaten(TDbConnection& AConnection);

// PostgreSQL, inside the caller's transaction: removes every table of the
// company and its schema versions, so that SuiteDatenbankAnlegen makes it
// anew. Waits at most a few seconds for programs that work in it, and
// leaves alone what other applications built on its tables (EDbError
// either way, nothing removed).
void SuiteDatenbankLeeren(TDbConnection& AConnection);
