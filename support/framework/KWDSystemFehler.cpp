#include "support/framework/KWDSystemFehler.h"

#include <cerrno>

std::string KWDSystemFehlerText(int AErrno) {
  switch (AErrno) {
    case EACCES:
    case EPERM: return "keine Berechtigung";
    case EROFS: return "das Dateisystem ist schreibgeschützt";
    case ENOSPC: return "kein Platz mehr auf dem Datenträger";
    case EDQUOT: return "das Speicherkontingent ist erschöpft";
    case ENOENT: return "den Ordner oder die Datei gibt es nicht";
    case ENOTDIR: return "ein Teil des Pfades ist kein Ordner";
    case EISDIR: return "das ist ein Ordner";
    case EEXIST: return "es gibt dort schon eine Datei dieses Namens";
    case ELOOP: return "dort steht eine symbolische Verknüpfung";
    case ENAMETOOLONG: return "der Name ist zu lang";
    case EMFILE:
    case ENFILE: return "zu viele offene Dateien";
    case EIO: return "Ein-/Ausgabefehler des Datenträgers";
    case EBUSY:
    case ETXTBSY: return "die Datei wird gerade benutzt";
    case EFBIG: return "die Datei wird zu groß für das Dateisystem";
    case ENOTEMPTY: return "der Ordner ist nicht leer";
    case ENXIO:
    case ENODEV: return "dort ist kein Gerät";
    case ENOMEM: return "zu wenig Arbeitsspeicher";
    default: return "Systemfehler " + std::to_string(AErrno);
  }
}
