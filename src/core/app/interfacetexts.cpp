#include "app/interfacetexts.h"

#include "app/apperror.h"

#include <algorithm>

namespace askbright {

namespace {

struct Entry {
    int id;
    const char16_t *text;
};

// Sorted by id.
constexpr Entry table[] = {
    {1000, u"&Datei"},
    {1010, u"Datenbank &neu"},
    {1020, u"Datenbank ö&ffnen"},
    {1030, u"Datenbank &speichern"},
    {1040, u"Datenabank speichern &unter..."},
    {1050, u"Programm &beenden"},
    {1060, u"&Einstellungen"},
    {1070, u"Klänge an"},
    {1080, u"S&chriftart && Schriftfarben"},
    {1090, u"Gesamt"},
    {1100, u"&Fragefeld"},
    {1110, u"&Antwortfeld"},
    {1120, u"&Farben ändern"},
    {1130, u"Speicherort Seitenvorlagen"},
    {1140, u"&Fenster"},
    {1150, u"&zentrieren"},
    {1160, u"&Position merken"},
    {1170, u"&Größe merken"},
    {1180, u"&Hilfe"},
    {1190, u"Askbright Hilfe"},
    {1200, u"&Über..."},
    {1210, u"F:"},
    {1220, u"A:"},
    {1230, u"Zusatz, z.B Fragesteller"},
    {1240, u"Datensätze"},
    {1250, u"Link auf Homepage"},
    {1255, u"ohne 'http://'"},
    {1260, u"erstellt:"},
    {1270, u"aktualisieren"},
    {1280, u"Seitenname:"},
    {1290, u"Löschen"},
    {1300, u"Seitenlayout Vorlagenseiten"},
    {1310, u"!! Vorlagenseite löschen !!"},
    {1320, u"nichts eintragen, nur auswählen!"},
    {1330, u"Layout auswählen"},
    {1340, u"Antwort mit <pre> - Tag"},
    {1350, u"Links gleiche Größe wie Text"},
    {1360, u"Frage mit Absatzformatierung"},
    {1370, u"Generieren!"},
    {1380, u"....raus hier!"},
    {1390, u"Schriftfarbe"},
    {1400, u"Element auswählen"},
    {1410, u"Button-Farbe"},
    {1420, u"Schriftfarbe allgemein"},
    {1430, u"Hintergrund"},
    {1440, u"Schriftfarbe Button"},
    {1450, u"Farbdialog öffnen"},
    {1460, u"Farbschema speichern"},
    {1470, u"Farbschema laden"},
    {1480, u"zurück"},
    {1660, u"Sprache ändern"},
    {1670, u"Deutsch"},
    {1680, u"Englisch"},
    {1690, u"HTML - E&xport"},
    {1700, u"zur Frage"},
    {1810, u"im Vordergrund"},
    {1820, u"Fensterschließsymbol (X)=Minimieren"},
    {1830, u"Standardordner HTML- Ausgabe"},
    {1840, u"Exportpfad HTML-Datei:"},
    {1850, u"verwende EMail, wenn vorhanden"},
    {1860, u"Historie &löschen"},
    {2000, u"&File"},
    {2010, u"&New Database"},
    {2020, u"&Open Database"},
    {2030, u"&Save Database"},
    {2040, u"Save Database &under..."},
    {2050, u"E&xit Program"},
    {2060, u"&Settings"},
    {2070, u"Sound on"},
    {2080, u"&Font && Fontcolor"},
    {2090, u"All"},
    {2100, u"&Question Field"},
    {2110, u"&Answer Field"},
    {2120, u"Change Co&lor"},
    {2130, u"Templates Folder:"},
    {2140, u"&Window"},
    {2150, u"&center"},
    {2160, u"Remember Position"},
    {2170, u"Remember Size"},
    {2180, u"&Help"},
    {2190, u"Askbright Helpfile"},
    {2200, u"&Info..."},
    {2210, u"Q:"},
    {2220, u"A:"},
    {2230, u"additionally info, eg.asker"},
    {2240, u"Data record"},
    {2250, u"Link to the Website"},
    {2255, u"without 'http://'"},
    {2260, u"build:"},
    {2270, u"updating"},
    {2280, u"Name of Page:"},
    {2290, u"&Delete"},
    {2300, u"layout pattern page"},
    {2310, u"!! Delete Pattern Page !!"},
    {2320, u"only select page, not write!"},
    {2330, u"Select Layout"},
    {2340, u"Answer with <pre> - Tag"},
    {2350, u"Links same size as text"},
    {2360, u"Question with paragraph formating"},
    {2370, u"Create HTML!"},
    {2380, u"....leave me!"},
    {2390, u"Fontcolor"},
    {2400, u"select component"},
    {2410, u"Button-Color"},
    {2420, u"Fontcolor generally"},
    {2430, u"Background"},
    {2440, u"Fontcolor Buttons"},
    {2450, u"Choose a Color"},
    {2460, u"Save Color Scheme"},
    {2470, u"Load Color Scheme"},
    {2480, u"go back"},
    {2660, u"Change language"},
    {2670, u"German"},
    {2680, u"English"},
    {2690, u"HTML - E&xport"},
    {2700, u"to the question"},
    {2810, u"in foreground every time"},
    {2820, u"click (X)->go in the systray"},
    {2830, u"HTML-Export Standard Folder"},
    {2840, u"HTML-Export Standard Folder:"},
    {2850, u"use email address if existing"},
    {2860, u"Delete histor&y"},
    {3000, u"Datenbank s&ortieren"},
    {4000, u"Sor&t Database"},
    {4001, u"Datensätze sortieren"},
    {4002, u"Sorting Database"},
    {4003, u"ein&fügen"},
    {4004, u"&insert"},
    {4005, u"&was ist neu ?"},
    {4006, u"&what's new ?"},
    {4007, u"&Unterstützung"},
    {4008, u"Don&ation"},
    {4009, u"Unterstützung"},
    {4010, u"Donation"},
};

} // namespace

QString interfaceText(int id)
{
    const auto it = std::lower_bound(std::begin(table), std::end(table), id,
                                     [](const Entry &e, int key) { return e.id < key; });
    if (it == std::end(table) || it->id != id)
        throw AppError(AppError::ResourceNotFound,
                       QStringLiteral("Resource with identifier %1 not found").arg(id));
    return QString::fromUtf16(it->text);
}

int captionId(int germanId, Language language)
{
    if (language.isGerman())
        return germanId;
    return germanId > 4000 ? germanId + 1 : germanId + 1000;
}

QString caption(int germanId, Language language)
{
    return interfaceText(captionId(germanId, language));
}

} // namespace askbright
