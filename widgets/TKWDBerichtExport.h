#pragma once
// Where an export goes: a save dialog offering the formats a report or list
// can be written in. The chosen file's ending decides the format; a name
// without a known ending gets the one of the chosen filter.
#include <string>

class QWidget;

enum class TKWDExportFormat { Pdf, Xlsx, Csv };

// Opens the dialog (object name "dlgExport", Qt's own dialog so it looks
// the same everywhere) with AVorschlag as the suggested file. APdf offers
// PDF, ATabelle XLSX and CSV. False when the user cancels.
bool KWDExportDateiWaehlen(QWidget* AOwner, const std::string& ATitel, const std::string& AVorschlag, bool APdf,
                           bool ATabelle, std::string& APfad, TKWDExportFormat& AFormat);
