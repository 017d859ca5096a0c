#pragma once
// Fills an empty company with the demo data set: branches, a product-group
// tree, suppliers, articles with size runs, prices, stock, branch sales,
// article-number history and figures, stock-take requests in every counting
// state with their booked target stock, and two closed earlier fiscal years.
//
// The same options give the same content, row for row. The articles are
// generated and written in chunks, so memory stays flat however many
// articles are asked for. Inside a transaction of the caller everything goes
// into it; otherwise each chunk is a transaction of its own, and a failure
// rolls back the chunk being written and is thrown on.
#include <cstdint>
#include <functional>

#include "suite/demo/DemoSchreiber.h"

class TDbConnection;

// Called after each chunk with the articles written so far and the total.
using TDemoFortschritt = std::function<void(int64_t AFertig, int64_t AGesamt)>;

// AConnection must be the process's company connection (KWDDatenbank()): the
// actual-value flags of the stock types come from the suite's cached table.
// Throws std::invalid_argument (German text) for impossible options or a
// company that already holds articles, EDbError for database failures.
TDemoSchreiber::TZaehler DemoFirmaErzeugen(TDbConnection& AConnection, const TDemoOptionen& AOptionen,
                                           const TDemoFortschritt& AFortschritt = {});
