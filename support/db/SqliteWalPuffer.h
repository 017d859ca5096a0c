#pragma once
// The SQLite VFS the company connections open their files with: the system's
// own, except that a commit's WAL frames reach the file in one write call
// (see SqliteWalPuffer.cpp). nullptr when it cannot be registered; SQLite
// then uses its default.
const char* SqliteWalPufferVfs();
