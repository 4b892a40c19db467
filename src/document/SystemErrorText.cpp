#include "document/SystemErrorText.h"

#include <cerrno>
#include <cstring>

std::string SystemErrorText(int code)
{
    switch (code) {
    case ENOSPC:
        return "Kein Platz mehr auf dem Datenträger";
    case EDQUOT:
        return "Der Speicherplatz des Benutzers ist erschöpft";
    case EACCES:
    case EPERM:
        return "Keine Berechtigung";
    case EROFS:
        return "Das Dateisystem ist nur lesbar";
    case ENOENT:
        return "Datei oder Ordner nicht gefunden";
    case EISDIR:
        return "Ist ein Ordner";
    case ENOTDIR:
        return "Ist kein Ordner";
    case EFBIG:
        return "Die Datei ist zu groß";
    case EMFILE:
    case ENFILE:
        return "Zu viele offene Dateien";
    case EIO:
        return "Ein- oder Ausgabefehler";
    case ENAMETOOLONG:
        return "Der Dateiname ist zu lang";
    case EEXIST:
        return "Die Datei gibt es schon";
    case ETXTBSY:
    case EBUSY:
        return "Die Datei ist in Benutzung";
    case ELOOP:
        return "Zu viele symbolische Verknüpfungen";
    case EXDEV:
        return "Die Datei liegt auf einem anderen Dateisystem";
    case ENXIO:
    case ENODEV:
        return "Das Gerät gibt es nicht";
    case ENOMEM:
        return "Nicht genug Speicher";
    default:
        return "Systemfehler " + std::to_string(code) + " (" + std::strerror(code) + ")";
    }
}
