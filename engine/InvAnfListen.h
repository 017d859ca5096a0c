#pragma once
// The engine's working lists: made and freed within one operation.
#include <cstdint>
#include <string>

#include "engine/TInventurDetails.h"
#include "support/list/TQLX_List.h"
#include "support/types/TInt32Trio.h"
#include "support/types/TQLX_clMeldung.h"

// The requests an operation works on. The to-do list holds positions in it,
// so its order must not change once the list is loaded.
using TInventurListe = TQLX_List<TInventurDetails>;
using TWarengruppenListe = TQLX_List<std::string>;
using TFilialListe = TQLX_List<int16_t>;
// One entry per article, sorted by product id (TInvAnfAuswahl::ToDoListeErzeugen).
using TToDoListe = TQLX_List<TProduktID_Indizee>;
using TMeldungsListe = TQLX_List<TQLX_clMeldung>;
using TProduktIDListe = TQLX_List<TInt32Trio>;
// A locked article of the current batch: product id and its list position.
using TSperrBatch = TQLX_List<TInt32Quad>;
