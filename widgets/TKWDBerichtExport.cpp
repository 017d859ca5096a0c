#include "widgets/TKWDBerichtExport.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {
struct TFormat {
  TKWDExportFormat Format;
  const char* Filter;
  const char* Endung;
};
const TFormat KFormate[] = {{TKWDExportFormat::Pdf, "PDF-Datei (*.pdf)", "pdf"},
                            {TKWDExportFormat::Xlsx, "Excel-Arbeitsmappe (*.xlsx)", "xlsx"},
                            {TKWDExportFormat::Csv, "CSV-Datei, durch Semikolon getrennt (*.csv)", "csv"}};
}  // namespace

bool KWDExportDateiWaehlen(QWidget* AOwner, const std::string& ATitel, const std::string& AVorschlag, bool APdf,
                           bool ATabelle, std::string& APfad, TKWDExportFormat& AFormat) {
  QStringList Filter;
  std::vector<const TFormat*> Angeboten;
  for (const TFormat& F : KFormate) {
    if (F.Format == TKWDExportFormat::Pdf ? !APdf : !ATabelle) continue;
    Filter << QString::fromUtf8(F.Filter);
    Angeboten.push_back(&F);
  }
  if (Angeboten.empty()) return false;
  QFileDialog Dialog(AOwner, QString::fromStdString(ATitel), QString::fromStdString(AVorschlag));
  Dialog.setObjectName(QStringLiteral("dlgExport"));
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.setFileMode(QFileDialog::AnyFile);
  Dialog.setOption(QFileDialog::DontUseNativeDialog);
  Dialog.setNameFilters(Filter);
  const QString Vorschlag = QFileInfo(QString::fromStdString(AVorschlag)).suffix().toLower();
  for (const TFormat* F : Angeboten)
    if (Vorschlag == QLatin1String(F->Endung)) Dialog.selectNameFilter(QString::fromUtf8(F->Filter));
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return false;
  QString Pfad = Dialog.selectedFiles().front();
  const QString Endung = QFileInfo(Pfad).suffix().toLower();
  const TFormat* Gewaehlt = Angeboten.front();
  for (const TFormat* F : Angeboten)
    if (Dialog.selectedNameFilter() == QString::fromUtf8(F->Filter)) Gewaehlt = F;
  bool Bekannt = false;
  for (const TFormat* F : Angeboten)
    if (Endung == QLatin1String(F->Endung)) {
      Gewaehlt = F;
      Bekannt = true;
    }
  if (!Bekannt) Pfad += QStringLiteral(".") + QLatin1String(Gewaehlt->Endung);
  APfad = Pfad.toStdString();
  AFormat = Gewaehlt->Format;
  return true;
}
