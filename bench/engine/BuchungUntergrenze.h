#pragma once
// The least that completing or deleting one all-groups request costs in the
// engine's batches of 20, written with plain prepared statements on the
// company connection: no engine, no record files, no progress.
//
// Each batch locks as the common lock does inside a booking: block 11 for
// the batch's transaction (SQLite: the block file before the write lock;
// PostgreSQL: a lock of the transaction), the lock rows of its articles
// read, an article with a row left for later; then its writes and the
// commit, which frees the block and the articles with it.
//
// On PostgreSQL a completion batch takes two round trips: its reads
// (lock rows, stock, branch sales, purchase prices) in one, its records,
// the request's values and the commit in the other. A deletion batch takes
// one: the removal itself passes over articles with a lock row.
#include "support/types/TVglInvAnf_Inv.h"

struct TBenchUntergrenze {
  long Artikel = 0;  // the request's articles at the start
  long Stapel = 0;
  long Offen = 0;  // articles left because another program held them
};

// Books the target stock of the requested request AAnforderung (all groups)
// and opens it when nothing is left, as the engine does.
TBenchUntergrenze UntergrenzeVervollstaendigen(const TVglInvAnf_Inv& AAnforderung);
// Removes the request's stock-take records and then the request.
TBenchUntergrenze UntergrenzeLoeschen(const TVglInvAnf_Inv& AAnforderung);
