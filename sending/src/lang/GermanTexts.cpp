#include "LanguageText.h"

namespace {

constexpr LanguageText Texts[] = {
    {1, "OK"},
    {2, "Abbrechen"},
    {3, "Fehler >>"},
    {102, "Fehler >>"},
    {106, "Fehler beim Verbinden mit dem MAPI-Dienstanbieter."},
    {107, "Zeitüberschreitung beim Verbinden mit dem MAPI-Dienstanbieter."},
    {108, "Die Verbindung mit dem MAPI-Dienstanbieter wurde vom Benutzer abgebrochen."},
    {109, "Unerwarteter Fehler."},
    {110, "[Unbekannter Empfängername.]"},
    {111, "Schließen"},
    {117, "Das Senden wurde vom Benutzer abgebrochen."},
    {118, "Eine oder mehrere E-Mail-Adressen konnten nicht aufgelöst werden."},
    {119, "Im Feld ''An'' muss mindestens ein Empfänger eingetragen sein."},
    {120, "Beim Öffnen der Verteilerlisten wurden alle Empfänger ausgeschlossen. Es wurden keine Nachrichten "
          "gesendet."},
    {121, "Keine der im Feld ''An'' angegebenen Verteilerlisten enthält Empfänger (Verteilerlisten, deren Name mit "
          "''exclude'' beginnt, werden nicht berücksichtigt)."},
    {122, "Unbekannter Fehler beim Senden."},
    {123, "%1 von %2 vorbereiteten Nachrichten wurden vom Senden zurückgezogen."},
    {201, "Nachrichten werden zum Senden vorbereitet..."},
    {202, "Senden abbrechen"},
    {203, "0"},
    {207, "Versuchen, das Senden abzubrechen und die Nachrichten in den Ordner ''Gelöschte Elemente'' zu "
          "verschieben"},
    {208, "Versuchen, das Senden abzubrechen und die Nachrichten endgültig zu löschen"},
    {209, "%i Nachrichten wurden zum Senden vorbereitet, einige davon wurden möglicherweise bereits gesendet."},
    {1011, "[Kein Name der Verteilerliste angegeben]"},
    {1031, "<< Fehler"},
    {1032, "Aufgabe abgeschlossen"},
    {1033, "Solvenda-Bericht"},
    {2021, "Bitte warten, die Nachrichten werden zum Senden vorbereitet..."},
    {2051, "Unverändert lassen"},
    {2061, "Versuchen, das Senden abzubrechen und die Nachrichten im Postausgang zu belassen"},
    {2062, "Berichtsfenster automatisch schließen"},
    {2063, "Nachrichten werden zum Senden vorbereitet..."},
    {2064, "Bericht speichern..."},
    {2065, "Bericht:"},
    {2100, "Fehler"},
    {5000, "Fehler"},
    {5001, "Zum Senden vorbereitet:"},
    {5002, "Das Senden wurde vom Benutzer abgebrochen."},
    {5003, "Wählen Sie, was mit den zum Senden vorbereiteten Nachrichten geschehen soll:"},
};

}  // namespace

std::span<const LanguageText> GermanTexts()
{
    return Texts;
}
