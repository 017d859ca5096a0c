#pragma once
// The suite's global database connector: tells which way of reading suits the
// company database. Kind 1 (SQLite, in-process): cheap keyed reads, article by
// article. Kind 2 (PostgreSQL, a server): bulk reads filtered on the server.
// The setting WWS_DB_KIND=1|2 forces either kind on either backend, so both
// reading variants can be run and compared on the same data.
class TDBConnector {
 public:
  // 1 or 2. Without a usable company database the error is registered under
  // "TDBConnector.GetDBArt" and 2 is returned (the bulk variant works on both).
  int GetDBArt();
};

TDBConnector& GDBConnector();
