#include "widgets/TLayoutform.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "widgets/KWDTasten.h"
#include "widgets/KWDWidgets.h"
#include "widgets/TKWDGlyphButton.h"
#include "widgets/TKWDTitelPanel.h"
#include "widgets/TVTKWDVRList.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDOrdner.h"
#include "support/framework/KWDSystemFehler.h"
#include "support/framework/TKWDInfo.h"

namespace fs = std::filesystem;

namespace {

QString Q(const std::string& AText) { return QString::fromStdString(AText); }

// Columns of the layout list.
constexpr int KSpTitel = 0, KSpDatei = 1, KSpArt = 2, KSpNr = 3;

constexpr size_t KDateiTeilMax = 80;

// A file-name part from a title: umlauts spelled out, every other character
// outside letters, digits, '-' and '_' becomes '_'; at most KDateiTeilMax long.
std::string DateiTeil(const std::string& ATitel) {
  static const std::pair<const char*, const char*> Umlaute[] = {
      {"\u00E4", "ae"}, {"\u00F6", "oe"}, {"\u00FC", "ue"}, {"\u00C4", "Ae"},
      {"\u00D6", "Oe"}, {"\u00DC", "Ue"}, {"\u00DF", "ss"}};
  std::string Teil;
  for (size_t I = 0; I < ATitel.size();) {
    bool Ersetzt = false;
    for (const auto& [Von, Nach] : Umlaute)
      if (ATitel.compare(I, std::strlen(Von), Von) == 0) {
        Teil += Nach;
        I += std::strlen(Von);
        Ersetzt = true;
        break;
      }
    if (Ersetzt) continue;
    const unsigned char Z = static_cast<unsigned char>(ATitel[I]);
    if (Z >= 0x80) {
      // another non-ASCII letter: its whole UTF-8 sequence becomes one '_'
      ++I;
      while (I < ATitel.size() && (static_cast<unsigned char>(ATitel[I]) & 0xC0) == 0x80) ++I;
      Teil += '_';
      continue;
    }
    Teil += (std::isalnum(Z) || Z == '-' || Z == '_') ? static_cast<char>(Z) : '_';
    ++I;
  }
  // The title may be long; a file name may not (255 bytes, with prefix and number).
  Teil.resize(std::min<size_t>(Teil.size(), KDateiTeilMax));
  return Teil;
}

bool TitelGueltig(const std::string& ATitel) {
  return !ATitel.empty() && std::none_of(ATitel.begin(), ATitel.end(), [](unsigned char Z) { return Z < 0x20; });
}

// Editing a copy's parameters: one "name=value" line per parameter.
class TLayoutParameterDialog : public TKWDForm {
 public:
  TLayoutParameterDialog(const TKWDLayoutDatei& ALayout, QWidget* AParent) : TKWDForm(AParent), FLayout(ALayout) {
    setObjectName(QStringLiteral("frmLayoutParameter"));
    setWindowTitle(KWDCaption(QStringLiteral("Parameter des Layouts")));
    KWDFormInit("KWDLayoutParameter", true);
    auto* Titel = new TKWDTitelPanel(Q(ALayout.Titel), this);
    Titel->setObjectName(QStringLiteral("LblTitel"));
    auto* Hinweis = new QLabel(
        QStringLiteral("Je Zeile ein Parameter Name=Wert, zum Beispiel Nullbestand=J. Der Bericht erhält ihn als "
                       "Param_Name, nach den Druckoptionen: ein Parameter des Layouts gilt vor der Option gleichen "
                       "Namens."),
        this);
    Hinweis->setWordWrap(true);
    FText = new QPlainTextEdit(this);
    FText->setObjectName(QStringLiteral("memParameter"));
    FText->setTabChangesFocus(true);
    QString Zeilen;
    for (const std::string& Z : ALayout.ParameterZeilen()) Zeilen += Q(Z) + QLatin1Char('\n');
    FText->setPlainText(Zeilen);
    auto* Speichern = new TKWDGlyphButton(QStringLiteral("Speichern"), QStyle::SP_DialogSaveButton, this);
    Speichern->setObjectName(QStringLiteral("btnSpeichern"));
    KWDTasteBinden(Speichern, QKeySequence(Qt::Key_F10), QStringLiteral("Die Parameter speichern"));
    auto* Abbrechen = new TKWDGlyphButton(QStringLiteral("Abbrechen"), QStyle::SP_DialogCancelButton, this);
    Abbrechen->setObjectName(QStringLiteral("btnAbbrechen"));
    KWDTasteBinden(Abbrechen, QKeySequence(Qt::Key_Escape), QStringLiteral("Ohne Speichern zurück"));
    connect(Speichern, &QPushButton::clicked, this, [this] { Uebernehmen(); });
    connect(Abbrechen, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_CANCEL); });
    auto* Knoepfe = new QHBoxLayout;
    Knoepfe->addStretch();
    Knoepfe->addWidget(Speichern);
    Knoepfe->addWidget(Abbrechen);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 10);
    Layout->addWidget(Titel);
    auto* Inhalt = new QVBoxLayout;
    Inhalt->setContentsMargins(12, 6, 12, 0);
    Inhalt->addWidget(Hinweis);
    Inhalt->addWidget(FText, 1);
    Inhalt->addLayout(Knoepfe);
    Layout->addLayout(Inhalt, 1);
    resize(480, 360);
  }
  const TKWDLayoutDatei& Layout() const { return FLayout; }

 private:
  void Uebernehmen() {
    std::vector<std::string> Zeilen;
    std::istringstream Ein(FText->toPlainText().toStdString());
    for (std::string Z; std::getline(Ein, Z);) Zeilen.push_back(Z);
    int Fehler = 0;
    if (!FLayout.ParameterZeilenSetzen(Zeilen, Fehler)) {
      KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "STANDARD", 997,
                            {"Zeile " + std::to_string(Fehler) +
                             " ist kein Parameter Name=Wert (der Name aus Buchstaben, Ziffern und _)."},
                            this);
      return;
    }
    SetModalResult(KWD_MR_OK);
  }
  TKWDLayoutDatei FLayout;
  QPlainTextEdit* FText;
};

}  // namespace

TLayoutform::TLayoutform(QWidget* AParent) : TKWDForm(AParent) {
  KWDGuard("TLayoutform.FormCreate", [&] {
    setObjectName(QStringLiteral("Layoutform"));
    setWindowTitle(KWDCaption(QStringLiteral("Layouts")));
    KWDFormInit("KWDLayoutform", true);
  });
  auto* Titel = new TKWDTitelPanel(QStringLiteral("Layout wählen"), this);
  Titel->setObjectName(QStringLiteral("LblTitel"));

  FListe = new TVTKWDVRList(this);
  FListe->setObjectName(QStringLiteral("vrLayouts"));
  FListe->SetVRList(new TVRList);
  for (auto [Caption, Typ, Sichtbar] : {std::tuple{"Layout", vrtText, true}, std::tuple{"Datei", vrtText, true},
                                        std::tuple{"Art", vrtText, true}, std::tuple{"Nr", vrtInteger, false}}) {
    TVRColumn& C = FListe->VRList()->AddColumn();
    C.Caption = Caption;
    C.VRType = Typ;
    C.Visible = Sichtbar;
  }
  FListe->VRListUebernehmen(true);
  FListe->setColumnWidth(KSpTitel, 300);
  FListe->setColumnWidth(KSpDatei, 220);

  FBeschreibung = new QLabel(this);
  FBeschreibung->setObjectName(QStringLiteral("lblBeschreibung"));
  FBeschreibung->setWordWrap(true);
  FBeschreibung->setTextFormat(Qt::PlainText);
  FBeschreibung->setMinimumHeight(FBeschreibung->fontMetrics().lineSpacing() * 2);

  FParameter = new TVTKWDVRList(this);
  FParameter->setObjectName(QStringLiteral("vrParameter"));
  FParameter->SetVRList(new TVRList);
  for (const char* Caption : {"Parameter", "Wert"}) {
    TVRColumn& C = FParameter->VRList()->AddColumn();
    C.Caption = Caption;
    C.VRType = vrtText;
  }
  FParameter->VRListUebernehmen(true);
  FParameter->setColumnWidth(0, 200);
  FParameter->setMaximumHeight(TVTKWDVRList::KZeilenHoehe * 7 + 4);

  FKopieren = new TKWDGlyphButton(QStringLiteral("Kopieren"), QStyle::SP_FileDialogNewFolder, this);
  FKopieren->setObjectName(QStringLiteral("btnKopieren"));
  KWDTasteBinden(FKopieren, QKeySequence(Qt::Key_F5), QStringLiteral("Eine Kopie des Layouts anlegen"));
  FUmbenennen = new TKWDGlyphButton(QStringLiteral("Umbenennen"), QStyle::SP_FileDialogDetailedView, this);
  FUmbenennen->setObjectName(QStringLiteral("btnUmbenennen"));
  KWDTasteBinden(FUmbenennen, QKeySequence(Qt::Key_F2), QStringLiteral("Die Kopie umbenennen"));
  FParameterKnopf = new TKWDGlyphButton(QStringLiteral("Parameter ..."), QStyle::SP_FileDialogContentsView, this);
  FParameterKnopf->setObjectName(QStringLiteral("btnParameter"));
  KWDTasteBinden(FParameterKnopf, QKeySequence(Qt::Key_F4), QStringLiteral("Die Parameter der Kopie bearbeiten"));
  FLoeschen = new TKWDGlyphButton(QStringLiteral("Löschen"), QStyle::SP_TrashIcon, this);
  FLoeschen->setObjectName(QStringLiteral("btnLoeschen"));
  KWDTasteBinden(FLoeschen, QKeySequence(Qt::Key_Delete), QStringLiteral("Die Kopie löschen"));
  FOK = new TKWDGlyphButton(QStringLiteral("Übernehmen"), QStyle::SP_DialogOkButton, this);
  FOK->setObjectName(QStringLiteral("btnOK"));
  KWDTasteBinden(FOK, QKeySequence(Qt::Key_F10), QStringLiteral("Mit diesem Layout weiter"));
  FOK->setDefault(true);
  auto* Abbrechen = new TKWDGlyphButton(QStringLiteral("Abbrechen"), QStyle::SP_DialogCancelButton, this);
  Abbrechen->setObjectName(QStringLiteral("btnAbbrechen"));
  KWDTasteBinden(Abbrechen, QKeySequence(Qt::Key_Escape), QStringLiteral("Ohne Auswahl zurück"));

  connect(FKopieren, &QPushButton::clicked, this, [this] { btnKopierenClick(); });
  connect(FUmbenennen, &QPushButton::clicked, this, [this] { btnUmbenennenClick(); });
  connect(FParameterKnopf, &QPushButton::clicked, this, [this] { btnParameterClick(); });
  connect(FLoeschen, &QPushButton::clicked, this, [this] { btnLoeschenClick(); });
  connect(FOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(Abbrechen, &QPushButton::clicked, this, [this] { SetModalResult(KWD_MR_CANCEL); });
  connect(FListe, &QAbstractItemView::doubleClicked, this, [this] { btnOKClick(); });
  connect(FListe->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { AuswahlGeaendert(); });

  auto* Pflege = new QVBoxLayout;
  for (QPushButton* K : {FKopieren, FUmbenennen, FParameterKnopf, FLoeschen}) Pflege->addWidget(K);
  Pflege->addStretch();
  auto* Oben = new QHBoxLayout;
  Oben->addWidget(FListe, 1);
  Oben->addLayout(Pflege);
  auto* Unten = new QHBoxLayout;
  Unten->addStretch();
  Unten->addWidget(FOK);
  Unten->addWidget(Abbrechen);
  auto* Inhalt = new QVBoxLayout;
  Inhalt->setContentsMargins(12, 8, 12, 0);
  Inhalt->addLayout(Oben, 1);
  Inhalt->addWidget(FBeschreibung);
  auto* ParameterTitel = new QLabel(QStringLiteral("Parameter des Layouts:"), this);
  Inhalt->addWidget(ParameterTitel);
  Inhalt->addWidget(FParameter);
  Inhalt->addLayout(Unten);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 10);
  Layout->addWidget(Titel);
  Layout->addLayout(Inhalt, 1);
  resize(820, 560);
}

TLayoutform::~TLayoutform() = default;

std::string TLayoutform::Pfad(const std::string& ADatei) const { return (fs::path(FOrdner) / ADatei).string(); }

bool TLayoutform::Execute(const TQLX_LayoutDialog_InputData& AInput, TQLX_SelectedLayout_List& ALayouts) {
  return KWDGuard(
      "TLayoutform.Execute",
      [&] {
        FInput = AInput;
        FOrdner = GetDirWwsByName(AInput.Ordner, "", true);
        for (QPushButton* K : {FKopieren, FUmbenennen, FParameterKnopf, FLoeschen}) K->setVisible(AInput.Pflegen);
        Einlesen(ALayouts.empty() ? std::string() : ALayouts.front().FileName);
        if (exec() != KWD_MR_OK) return false;
        const TEintrag* E = Gewaehlt();
        if (!E || !E->Fehler.empty()) return false;
        TQLX_SelectedLayout Wahl;
        Wahl.FileName = E->Datei;
        Wahl.Name = E->Datei;
        Wahl.Titel = E->Layout.Titel;
        Wahl.Parameter = E->Layout.ParameterZeilen();
        ALayouts.clear();
        ALayouts.push_back(std::move(Wahl));
        return true;
      },
      false);
}

void TLayoutform::Einlesen(const std::string& AAuswahl) {
  FEintraege.clear();
  std::error_code F;
  for (const auto& Eintrag : fs::directory_iterator(FOrdner, F)) {
    const std::string Name = Eintrag.path().filename().string();
    const auto Praefix = std::find_if(FInput.Praefixe.begin(), FInput.Praefixe.end(),
                                      [&](const std::string& P) { return Name.rfind(P, 0) == 0; });
    if (Praefix == FInput.Praefixe.end() || !Eintrag.is_regular_file(F)) continue;
    TEintrag E;
    E.Datei = Name;
    E.Praefix = *Praefix;
    try {
      E.Layout = TKWDLayoutDatei::Lesen(Eintrag.path().string());
    } catch (const std::exception& Fehler) {
      E.Fehler = Fehler.what();
      E.Layout.Titel = Name;
    }
    FEintraege.push_back(std::move(E));
  }
  // Shipped layouts first, then the copies; each by title.
  std::sort(FEintraege.begin(), FEintraege.end(), [](const TEintrag& A, const TEintrag& B) {
    if (A.Layout.Geschuetzt != B.Layout.Geschuetzt) return A.Layout.Geschuetzt;
    return A.Layout.Titel != B.Layout.Titel ? A.Layout.Titel < B.Layout.Titel : A.Datei < B.Datei;
  });
  {
    TVTKWDVRList::TUpdate Klammer(*FListe);
    FListe->VRList()->ClearRows();
    auto Zeile = FListe->VRList()->NewRow();
    for (size_t I = 0; I < FEintraege.size(); ++I) {
      const TEintrag& E = FEintraege[I];
      Zeile->SetText(KSpTitel, E.Layout.Titel);
      Zeile->SetText(KSpDatei, E.Datei);
      Zeile->SetText(KSpArt, !E.Fehler.empty() ? "fehlerhaft" : E.Layout.Geschuetzt ? "mitgeliefert" : "eigene Kopie");
      Zeile->SetInteger(KSpNr, static_cast<int64_t>(I));
      FListe->VRList()->AddRow(*Zeile);
    }
    FListe->VRListUebernehmen(false);
    FListe->ZeilenInitialisieren();
  }
  if (AAuswahl.empty() || !LayoutWaehlen(AAuswahl)) FListe->SetSelected(FListe->GetFirst());
  AuswahlGeaendert();
}

bool TLayoutform::LayoutWaehlen(const std::string& ADatei) {
  for (TVRNode N = FListe->GetFirst(); N; N = FListe->GetNext(N))
    if (FListe->GetText(N, KSpDatei) == ADatei) {
      FListe->SetSelected(N);
      AuswahlGeaendert();
      return true;
    }
  return false;
}

std::vector<std::string> TLayoutform::Dateien() const {
  std::vector<std::string> D;
  for (TVRNode N = FListe->GetFirst(); N; N = FListe->GetNext(N)) D.push_back(FListe->GetText(N, KSpDatei));
  return D;
}

const TLayoutform::TEintrag* TLayoutform::Gewaehlt() const {
  const TVRNode N = FListe->GetFirstSelected();
  if (!N) return nullptr;
  const int64_t Nr = FListe->GetInteger(N, KSpNr);
  return Nr >= 0 && Nr < static_cast<int64_t>(FEintraege.size()) ? &FEintraege[static_cast<size_t>(Nr)] : nullptr;
}

void TLayoutform::AuswahlGeaendert() {
  KWDGuard("TLayoutform.AuswahlGeaendert", [&] {
    const TEintrag* E = Gewaehlt();
    const bool Gueltig = E && E->Fehler.empty();
    const bool Eigen = Gueltig && !E->Layout.Geschuetzt;
    FKopieren->setEnabled(Gueltig);
    FUmbenennen->setEnabled(Eigen);
    FParameterKnopf->setEnabled(Eigen);
    FLoeschen->setEnabled(Eigen || (E && !E->Fehler.empty()));
    FOK->setEnabled(Gueltig);
    FBeschreibung->setText(!E ? QString() : !E->Fehler.empty() ? Q(E->Fehler) : Q(E->Layout.Beschreibung));
    TVTKWDVRList::TUpdate Klammer(*FParameter);
    FParameter->VRList()->ClearRows();
    if (Gueltig) {
      auto Zeile = FParameter->VRList()->NewRow();
      for (const auto& [Name, Wert] : E->Layout.Parameter) {
        const auto Text = FInput.ParameterTexte.find(Name);
        const bool Bekannt = Text != FInput.ParameterTexte.end();
        Zeile->SetText(0, Bekannt ? Text->second : Name);
        // A named switch reads as the user would say it.
        Zeile->SetText(1, Bekannt && (Wert == "J" || Wert == "N") ? (Wert == "J" ? "ja" : "nein") : Wert);
        FParameter->VRList()->AddRow(*Zeile);
      }
    }
    FParameter->VRListUebernehmen(false);
    // The German labels are longer than the key names: show them whole.
    FParameter->resizeColumnToContents(0);
    FParameter->setColumnWidth(0, std::max(FParameter->columnWidth(0) + 12, 200));
  });
}

std::string TLayoutform::NeuerDateiname(const std::string& APraefix, const std::string& ATitel) const {
  const std::string Basis = APraefix + DateiTeil(ATitel);
  for (int N = 1;; ++N) {
    std::string Name = Basis;
    if (N > 1) Name.append("_").append(std::to_string(N));
    Name += ".rpt";
    std::error_code F;
    if (!fs::exists(Pfad(Name), F)) return Name;
  }
}

void TLayoutform::Melden(const std::string& AText) { KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "STANDARD", 997, {AText}, this); }

bool TLayoutform::TitelErfragen(const QString& AUeberschrift, const QString& AVorschlag, std::string& ATitel) {
  QInputDialog Dialog(this);
  Dialog.setObjectName(QStringLiteral("dlgTitel"));
  Dialog.setWindowTitle(AUeberschrift);
  Dialog.setLabelText(QStringLiteral("Titel des Layouts:"));
  Dialog.setTextValue(AVorschlag);
  Dialog.setOkButtonText(QStringLiteral("OK"));
  Dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
  if (Dialog.exec() != QDialog::Accepted) return false;
  ATitel = Dialog.textValue().trimmed().toStdString();
  if (!TitelGueltig(ATitel)) {
    Melden("Bitte einen Titel angeben.");
    return false;
  }
  return true;
}

void TLayoutform::btnKopierenClick() {
  KWDGuard("TLayoutform.btnKopierenClick", [&] {
    const TEintrag* E = Gewaehlt();
    if (!FInput.Pflegen || !E || !E->Fehler.empty()) return;
    std::string Titel;
    if (!TitelErfragen(QStringLiteral("Layout kopieren"), QStringLiteral("Kopie von ") + Q(E->Layout.Titel), Titel))
      return;
    TKWDLayoutDatei Kopie = E->Layout;
    Kopie.Titel = Titel;
    Kopie.Geschuetzt = false;
    const std::string Datei = NeuerDateiname(E->Praefix, Titel);
    Kopie.Schreiben(Pfad(Datei));
    Einlesen(Datei);
  });
}

void TLayoutform::btnUmbenennenClick() {
  KWDGuard("TLayoutform.btnUmbenennenClick", [&] {
    const TEintrag* E = Gewaehlt();
    if (!FInput.Pflegen || !E || !E->Fehler.empty() || E->Layout.Geschuetzt) return;
    std::string Titel;
    if (!TitelErfragen(QStringLiteral("Layout umbenennen"), Q(E->Layout.Titel), Titel)) return;
    TKWDLayoutDatei Neu = E->Layout;
    Neu.Titel = Titel;
    const std::string Alt = E->Datei;
    const std::string Datei = NeuerDateiname(E->Praefix, Titel);
    Neu.Schreiben(Pfad(Datei));
    std::error_code F;
    fs::remove(Pfad(Alt), F);
    Einlesen(Datei);
  });
}

void TLayoutform::btnParameterClick() {
  KWDGuard("TLayoutform.btnParameterClick", [&] {
    const TEintrag* E = Gewaehlt();
    if (!FInput.Pflegen || !E || !E->Fehler.empty() || E->Layout.Geschuetzt) return;
    TLayoutParameterDialog Dialog(E->Layout, this);
    if (Dialog.exec() != KWD_MR_OK) return;
    const std::string Datei = E->Datei;
    Dialog.Layout().Schreiben(Pfad(Datei));
    Einlesen(Datei);
  });
}

void TLayoutform::btnLoeschenClick() {
  KWDGuard("TLayoutform.btnLoeschenClick", [&] {
    const TEintrag* E = Gewaehlt();
    if (!FInput.Pflegen || !E || (E->Fehler.empty() && E->Layout.Geschuetzt)) return;
    const std::string Datei = E->Datei;
    if (KWDInfo().ShowMeldung(KWD_MB_JANEIN, "STANDARD", 997,
                              {"Soll das Layout \u201E" + E->Layout.Titel + "\u201C (" + Datei + ") gelöscht werden?"},
                              this) != KWD_MR_YES)
      return;
    std::error_code F;
    if (!fs::remove(Pfad(Datei), F))
      throw std::runtime_error("Die Layoutdatei \u201E" + Datei + "\u201C kann nicht gelöscht werden" +
                               (F ? ": " + KWDSystemFehlerText(F.value()) : std::string()) + ".");
    Einlesen({});
  });
}

void TLayoutform::btnOKClick() {
  KWDGuard("TLayoutform.btnOKClick", [&] {
    const TEintrag* E = Gewaehlt();
    if (!E) {
      Melden("Bitte ein Layout wählen.");
      return;
    }
    if (!E->Fehler.empty()) {
      Melden(E->Fehler);
      return;
    }
    SetModalResult(KWD_MR_OK);
  });
}
