#pragma once
// The suite's product-group search: the company's product groups as a tree
// (a sub-group's number begins with its parent's), narrowed while the user
// types a number (groups whose number begins with it) or a text (groups whose
// text contains it, letters without regard to case). The choice comes back
// as the group's number.
//
//   TWGNSuchDialog Suche;
//   if (Suche.Execute(this)) edtWg->setText(QString::fromStdString(Suche.GetWGN()));
#include <QObject>
#include <string>

class QWidget;

class TWGNSuchDialog : public QObject {
  Q_OBJECT
 public:
  explicit TWGNSuchDialog(QObject* AParent = nullptr);

  // Shows the search modally over AOwner; true when the user picked a group.
  bool Execute(QWidget* AOwner);
  // The picked group's number; before Execute the group to show selected.
  std::string GetWGN() const { return FWGN; }
  void SetWGN(const std::string& AWGN) { FWGN = AWGN; }
  // The product-group system ("" = the company's own).
  std::string WGSystem;

 private:
  std::string FWGN;
};
