#pragma once
// A product id travels as three consecutive integer parameters or columns.
#include <vector>

#include "support/db/TDbConnection.h"
#include "support/types/TInt32Trio.h"

// Binds APId to the parameters AIndex, AIndex + 1 and AIndex + 2.
void BindProdId(TDbStatement& AStatement, int AIndex, const TInt32Trio& APId);
// Reads a product id from the columns ACol, ACol + 1 and ACol + 2.
TInt32Trio ColumnProdId(const TDbStatement& AStatement, int ACol);
// Binds many product ids as three PostgreSQL integer arrays (array literals
// for "CAST(? AS INTEGER[])") to AIndex .. AIndex + 2; returns the next index.
int BindProdIdListen(TDbStatement& AStatement, int AIndex, const std::vector<TInt32Trio>& APIds);
