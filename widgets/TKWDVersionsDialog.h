#pragma once
// The suite's version dialog: program, version, build, Qt, database kind and
// location (a server URI without its password), client and user.
#include <QString>
#include <string>

#include "widgets/TKWDForm.h"

class QFormLayout;

class TKWDVersionsDialog : public TKWDForm {
  Q_OBJECT
 public:
  // ATitel names the module ("Inventuren"); AText2, when not empty, is one
  // more line under the facts.
  TKWDVersionsDialog(const std::string& ATitel, const std::string& AText2, QWidget* AParent = nullptr);

  // The shown value of the line with the label ALabel ("Version:"), for tests.
  QString Wert(const QString& ALabel) const;

 private:
  void Zeile(const QString& ALabel, const QString& AWert, const QString& AName);
  QFormLayout* FZeilen;
};

// Shows the version dialog modally over AOwner (nullptr: the active window).
void VersionsInfoZeigen(const std::string& ATitel, QWidget* AOwner = nullptr, const std::string& AText2 = {});
