<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>BusyMark</name>
    <message>
        <source>Loading</source>
        <translation>Wird geladen</translation>
    </message>
</context>
<context>
    <name>CategoryDetailView</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>CategoryRow</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n Eintrag</numerusform>
            <numerusform>%n Einträge</numerusform>
        </translation>
    </message>
    <message>
        <source>1 entry</source>
        <translation>1 Eintrag</translation>
    </message>
</context>
<context>
    <name>ConfirmationAlert</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Search entries…</source>
        <translation>Einträge durchsuchen…</translation>
    </message>
    <message>
        <source>Search entries</source>
        <translation>Einträge durchsuchen</translation>
    </message>
    <message>
        <source>Catalogue</source>
        <translation>Katalog</translation>
    </message>
</context>
<context>
    <name>EmptyBlock</name>
    <message>
        <source>No content loaded</source>
        <translation>Keine Inhalte geladen</translation>
    </message>
    <message>
        <source>Tap refresh to download content</source>
        <translation>Tippe auf „Aktualisieren“, um Inhalte herunterzuladen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
</context>
<context>
    <name>EntryMenu</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Copy URL</source>
        <translation>URL kopieren</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>Remove from Favorites</source>
        <translation>Aus Favoriten entfernen</translation>
    </message>
    <message>
        <source>Add to Favorites</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
</context>
<context>
    <name>EntryRowView</name>
    <message>
        <source>Favorite</source>
        <translation>Favorit</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Empfohlen</translation>
    </message>
    <message>
        <source>Web</source>
        <translation>Web</translation>
    </message>
    <message>
        <source>Related</source>
        <translation>Verwandt</translation>
    </message>
    <message>
        <source>More links</source>
        <translation>Weitere Links</translation>
    </message>
</context>
<context>
    <name>ErrorRow</name>
    <message>
        <source>Retry</source>
        <translation>Erneut versuchen</translation>
    </message>
</context>
<context>
    <name>KVDataService</name>
    <message>
        <source>Could not refresh</source>
        <translation>Aktualisierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>No content available</source>
        <translation>Keine Inhalte verfügbar</translation>
    </message>
    <message>
        <source>Parsed 0 categories</source>
        <translation>Keine Kategorien erkannt</translation>
    </message>
</context>
<context>
    <name>LoadingRow</name>
    <message>
        <source>Loading KAVO…</source>
        <translation>KAVO wird geladen…</translation>
    </message>
</context>
<context>
    <name>NoResultsBlock</name>
    <message>
        <source>No results</source>
        <translation>Keine Ergebnisse</translation>
    </message>
    <message>
        <source>No entries match &quot;%1&quot;</source>
        <translation>Keine Einträge zu „%1“ gefunden</translation>
    </message>
    <message>
        <source>Clear Search</source>
        <translation>Suche löschen</translation>
    </message>
</context>
<context>
    <name>PersonalRow</name>
    <message>
        <source>Favorite</source>
        <translation>Favorit</translation>
    </message>
</context>
<context>
    <name>RelatedLinksMenu</name>
    <message>
        <source>Links of %1</source>
        <translation>Links zu %1</translation>
    </message>
</context>
<context>
    <name>RelativeTime</name>
    <message>
        <source>Just now</source>
        <extracomment>Under a minute since a recently viewed link was opened.</extracomment>
        <translation>Gerade eben</translation>
    </message>
    <message numerus="yes">
        <source>%nm ago</source>
        <extracomment>Minutes since a recently viewed link was opened; a short label under its name.</extracomment>
        <translation>
            <numerusform>vor %n Min.</numerusform>
            <numerusform>vor %n Min.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%nh ago</source>
        <extracomment>Hours since a recently viewed link was opened.</extracomment>
        <translation>
            <numerusform>vor %n Std.</numerusform>
            <numerusform>vor %n Std.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%nd ago</source>
        <extracomment>Days since a recently viewed link was opened (1 to 6).</extracomment>
        <translation>
            <numerusform>vor %n Tag</numerusform>
            <numerusform>vor %n Tagen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Force Refresh</source>
        <translation>Jetzt aktualisieren</translation>
    </message>
    <message>
        <source>Clear Cache</source>
        <translation>Cache leeren</translation>
    </message>
    <message>
        <source>Clear Recently Viewed</source>
        <translation>Zuletzt angesehene löschen</translation>
    </message>
    <message>
        <source>Clear Favorites</source>
        <translation>Favoriten löschen</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Opens %1 in the browser</source>
        <translation>Öffnet %1 im Browser</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Free media resources curated by the KAVO community.</source>
        <translation>Kostenlose Medienquellen, kuratiert von der KAVO-Community.</translation>
    </message>
    <message>
        <source>This will remove all cached data.</source>
        <translation>Alle zwischengespeicherten Daten werden entfernt.</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Verlauf löschen</translation>
    </message>
    <message>
        <source>This will remove all recently viewed entries.</source>
        <translation>Alle zuletzt angesehenen Einträge werden entfernt.</translation>
    </message>
    <message>
        <source>This will remove all favorited entries.</source>
        <translation>Alle Favoriten werden entfernt.</translation>
    </message>
</context>
<context>
    <name>ShareSheet</name>
    <message>
        <source>Share %1</source>
        <translation>%1 teilen</translation>
    </message>
    <message>
        <source>Copy Link</source>
        <translation>Link kopieren</translation>
    </message>
    <message>
        <source>Open in Browser</source>
        <translation>Im Browser öffnen</translation>
    </message>
    <message>
        <source>Send by E-mail</source>
        <translation>Per E-Mail senden</translation>
    </message>
</context>
<context>
    <name>kavo::CategoryDetailModel</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
</context>
<context>
    <name>kavo::MainListModel</name>
    <message>
        <source>Recently Viewed</source>
        <translation>Zuletzt angesehen</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Links</translation>
    </message>
</context>
</TS>
