#pragma once
// The main window's print and export commands register their failures and
// hold their work bracket under these names; the window and the printing
// steps it calls must use the same ones, or a second command is not refused.
inline constexpr const char* KIADruckenIAL = "TFrmIAMain.DruckenIALExecute";
inline constexpr const char* KIADruckenIALSelektion = "TFrmIAMain.DruckenIALExecute_Selektion";
inline constexpr const char* KIADruckenIALCrystal = "TFrmIAMain.DruckenIALExecute_Crystal";
inline constexpr const char* KIADruckenInvListe = "TFrmIAMain.DruckenInvListeExecute";
inline constexpr const char* KIAZaehllisteExportieren = "TFrmIAMain.ZaehllisteExportierenExecute";
inline constexpr const char* KIAZaehllistenAblegen = "TFrmIAMain.ZaehllistenAblegenExecute";
