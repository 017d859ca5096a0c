#include "widgets/KWDDateiWahl.h"

#include <unistd.h>

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <filesystem>

#include "support/framework/KWDDateiZiel.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDMeldungPresenter.h"
#include "support/framework/KWDSystemFehler.h"
#include "support/framework/TKWDInfo.h"
#include "widgets/TKWDForm.h"

namespace {

QString Q(const std::string& AText) { return QString::fromStdString(AText); }

struct TFormatText {
  TKWDExportFormat Format;
  const char* Filter;
  const char* Endung;
};
constexpr TFormatText KFormate[] = {{TKWDExportFormat::Pdf, "PDF-Dokument (*.pdf)", "pdf"},
                                    {TKWDExportFormat::Xlsx, "XLSX-Arbeitsmappe (*.xlsx)", "xlsx"},
                                    {TKWDExportFormat::Csv, "CSV (Semikolon) (*.csv)", "csv"}};

const TFormatText& Text(TKWDExportFormat AFormat) {
  for (const TFormatText& T : KFormate)
    if (T.Format == AFormat) return T;
  return KFormate[0];
}

QString OrdnerSchluessel(const std::string& AArt) {
  return QStringLiteral("Ablage/") + (AArt.empty() ? QStringLiteral("Bericht") : Q(AArt));
}

// The name in the dialog's field follows the filter the user picks.
void EndungFolgtFilter(QFileDialog& ADialog) {
  QObject::connect(&ADialog, &QFileDialog::filterSelected, &ADialog, [&ADialog](const QString& AFilter) {
    auto* Feld = ADialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!Feld || Feld->text().isEmpty()) return;
    for (const TFormatText& T : KFormate) {
      if (AFilter != QString::fromUtf8(T.Filter)) continue;
      const QFileInfo Name(Feld->text());
      Feld->setText(Name.completeBaseName() + QStringLiteral(".") + QLatin1String(T.Endung));
    }
  });
}

bool QtDialog(QWidget* AOwner, const TKWDDateiFrage& AFrage, TKWDDateiAntwort& AAntwort) {
  QFileDialog Dialog(AOwner, Q(AFrage.Titel), Q(AFrage.Ordner));
  Dialog.setObjectName(QStringLiteral("dlgDatei"));
  Dialog.setOption(QFileDialog::DontUseNativeDialog);
  // Room for long file names and a folder's contents.
  Dialog.resize(Dialog.sizeHint().expandedTo(QSize(820, 520)));
  QCheckBox* Kreuz = nullptr;
  if (AFrage.Formate.empty()) {
    Dialog.setFileMode(QFileDialog::Directory);
    Dialog.setOption(QFileDialog::ShowDirsOnly);
    Dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Ablegen"));
    if (!AFrage.Ankreuzen.empty()) {
      Kreuz = new QCheckBox(Q(AFrage.Ankreuzen), &Dialog);
      Kreuz->setObjectName(QStringLiteral("cbxDateiZusatz"));
      Kreuz->setChecked(AFrage.Angekreuzt);
      if (auto* Gitter = qobject_cast<QGridLayout*>(Dialog.layout()))
        Gitter->addWidget(Kreuz, Gitter->rowCount(), 0, 1, -1);
    }
  } else {
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    Dialog.setFileMode(QFileDialog::AnyFile);
    QStringList Filter;
    for (TKWDExportFormat F : AFrage.Formate) Filter << QString::fromUtf8(Text(F).Filter);
    Dialog.setNameFilters(Filter);
    const QString Endung = QFileInfo(Q(AFrage.Vorschlag)).suffix().toLower();
    for (TKWDExportFormat F : AFrage.Formate)
      if (Endung == QLatin1String(Text(F).Endung)) Dialog.selectNameFilter(QString::fromUtf8(Text(F).Filter));
    Dialog.selectFile(Q(AFrage.Vorschlag));
    EndungFolgtFilter(Dialog);
  }
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return false;
  AAntwort.Pfad = Dialog.selectedFiles().front().toStdString();
  AAntwort.Angekreuzt = Kreuz ? Kreuz->isChecked() : AFrage.Angekreuzt;
  for (TKWDExportFormat F : AFrage.Formate)
    if (Dialog.selectedNameFilter() == QString::fromUtf8(Text(F).Filter)) AAntwort.Format = F;
  return true;
}

TKWDDateiDialog& Dialog() {
  static TKWDDateiDialog D = QtDialog;
  return D;
}

// Why files cannot be put into AOrdner; empty when they can.
std::string OrdnerFehler(const std::string& AOrdner) {
  std::error_code F;
  if (!std::filesystem::is_directory(AOrdner, F))
    return "\u201E" + AOrdner + "\u201C ist kein Ordner: bitte einen Ordner wählen.";
  if (::access(AOrdner.c_str(), W_OK | X_OK) != 0)
    return "In den Ordner \u201E" + AOrdner + "\u201C kann nicht geschrieben werden: " + KWDSystemFehlerText(errno) + ".";
  return {};
}

}  // namespace

std::string KWDFormatFilter(TKWDExportFormat AFormat) { return Text(AFormat).Filter; }
std::string KWDFormatEndung(TKWDExportFormat AFormat) { return Text(AFormat).Endung; }

TKWDDateiFrage KWDSpeichernFrage(const std::string& ATitel, const std::string& AArt, const std::string& AVorschlag,
                                 std::vector<TKWDExportFormat> AFormate) {
  TKWDDateiFrage Frage;
  Frage.Titel = ATitel;
  Frage.Art = AArt;
  Frage.Vorschlag = AVorschlag;
  Frage.Formate = std::move(AFormate);
  return Frage;
}

TKWDDateiDialog KWDDateiDialogSetzen(TKWDDateiDialog ADialog) {
  TKWDDateiDialog Alt = std::move(Dialog());
  Dialog() = ADialog ? std::move(ADialog) : TKWDDateiDialog(QtDialog);
  return Alt;
}

std::string KWDAblageOrdner(const std::string& AArt) {
  const QSettings S(Q(KWDFormsFile()), QSettings::IniFormat);
  const QString Gemerkt = S.value(OrdnerSchluessel(AArt)).toString();
  if (!Gemerkt.isEmpty() && QFileInfo(Gemerkt).isDir()) return Gemerkt.toStdString();
  const QString Dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!Dokumente.isEmpty() && QFileInfo(Dokumente).isDir()) return Dokumente.toStdString();
  return QDir::homePath().toStdString();
}

bool KWDDateiWaehlen(QWidget* AOwner, TKWDDateiFrage AFrage, TKWDDateiAntwort& AAntwort) {
  if (AFrage.Ordner.empty()) AFrage.Ordner = KWDAblageOrdner(AFrage.Art);
  for (;;) {
    TKWDDateiAntwort Antwort;
    Antwort.Format = AFrage.Formate.empty() ? TKWDExportFormat::Pdf : AFrage.Formate.front();
    if (!Dialog()(AOwner, AFrage, Antwort) || Antwort.Pfad.empty()) return false;
    std::string Fehler;
    std::filesystem::path Ordner = Antwort.Pfad;
    if (AFrage.Formate.empty()) {
      Fehler = OrdnerFehler(Antwort.Pfad);
    } else {
      // A name without a known ending gets the one of the chosen format.
      const std::string Endung = QFileInfo(Q(Antwort.Pfad)).suffix().toLower().toStdString();
      bool Bekannt = false;
      for (TKWDExportFormat F : AFrage.Formate)
        if (Endung == Text(F).Endung) {
          Antwort.Format = F;
          Bekannt = true;
        }
      if (!Bekannt) Antwort.Pfad += std::string(".") + Text(Antwort.Format).Endung;
      Ordner = Ordner.parent_path();
      try {
        const TKWDDateiZiel Ziel(Antwort.Pfad);
      } catch (const EKWDZielAbgelehnt& E) {
        Fehler = E.what();
      }
    }
    if (Fehler.empty()) {
      KWDGuardStill("KWDDateiWaehlen", [&] {
        QSettings S(Q(KWDFormsFile()), QSettings::IniFormat);
        S.setValue(OrdnerSchluessel(AFrage.Art), Q(Ordner.string()));
      });
      AAntwort = Antwort;
      return true;
    }
    KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "STANDARD", 997, {Fehler}, AOwner);
    // Again where the user was, with what was typed.
    if (AFrage.Formate.empty()) {
      if (std::error_code F; std::filesystem::is_directory(Ordner.parent_path(), F)) AFrage.Ordner = Ordner.parent_path();
    } else {
      if (std::error_code F; std::filesystem::is_directory(Ordner, F)) AFrage.Ordner = Ordner.string();
      AFrage.Vorschlag = std::filesystem::path(Antwort.Pfad).filename().string();
    }
    AFrage.Angekreuzt = Antwort.Angekreuzt;
  }
}
