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
    <message numerus="yes">
        <source>%n new</source>
        <translation>
            <numerusform>%n neu</numerusform>
            <numerusform>%n neu</numerusform>
        </translation>
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
    <message>
        <source>%1, new</source>
        <translation>%1, neu</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
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
    <name>LintBar</name>
    <message>
        <source>Expanded</source>
        <translation>Aufgeklappt</translation>
    </message>
    <message>
        <source>Collapsed</source>
        <translation>Zugeklappt</translation>
    </message>
    <message>
        <source>Lines that will be dropped</source>
        <translation>Zeilen, die verworfen werden</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <extracomment>A line of the previewed page that will be dropped, and why.</extracomment>
        <translation>Zeile %1: %2</translation>
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
    <name>Main</name>
    <message>
        <source>%1 (preview) – KAVO</source>
        <extracomment>The window&apos;s title while a page is previewed: the file&apos;s name.</extracomment>
        <translation>%1 (Vorschau) – KAVO</translation>
    </message>
</context>
<context>
    <name>NewHeaderRow</name>
    <message>
        <source>Mark as Seen</source>
        <translation>Als gesehen markieren</translation>
    </message>
    <message>
        <source>1 new entry</source>
        <translation>1 neuer Eintrag</translation>
    </message>
    <message numerus="yes">
        <source>%n new entries</source>
        <translation>
            <numerusform>%n neuer Eintrag</numerusform>
            <numerusform>%n neue Einträge</numerusform>
        </translation>
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
    <message>
        <source>Mark as Seen</source>
        <translation>Als gesehen markieren</translation>
    </message>
    <message>
        <source>No entry will be marked as new until a download brings new ones.</source>
        <translation>Kein Eintrag wird als neu markiert, bis ein Download neue bringt.</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Markieren</translation>
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
    <name>kavo::LintModel</name>
    <message>
        <source>Reading %1…</source>
        <extracomment>While the page given on the command line is read for the first time.</extracomment>
        <translation>%1 wird gelesen…</translation>
    </message>
    <message>
        <source>No lines will be dropped</source>
        <extracomment>The previewed page: every line that looks meant is used.</extracomment>
        <translation>Keine Zeile wird verworfen</translation>
    </message>
    <message>
        <source>The page gives an empty catalogue</source>
        <extracomment>The previewed page gives no category at all: nothing would be shown.</extracomment>
        <translation>Die Seite ergibt einen leeren Katalog</translation>
    </message>
    <message>
        <source>1 line will be dropped</source>
        <extracomment>One line of the previewed page that the app drops although it looks meant; the bar expands to show it.</extracomment>
        <translation>1 Zeile wird verworfen</translation>
    </message>
    <message numerus="yes">
        <source>%n lines will be dropped</source>
        <extracomment>Lines of the previewed page that the app drops although they look meant; the bar expands to list them.</extracomment>
        <translation>
            <numerusform>%n Zeile wird verworfen</numerusform>
            <numerusform>%n Zeilen werden verworfen</numerusform>
        </translation>
    </message>
    <message>
        <source>The list keeps the last version that could be read; the file is watched for changes.</source>
        <extracomment>Under the message why the previewed file cannot be used.</extracomment>
        <translation>Die Liste zeigt die letzte lesbare Fassung; die Datei wird weiter auf Änderungen beobachtet.</translation>
    </message>
    <message numerus="yes">
        <source>The first %n are listed.</source>
        <extracomment>Only so many findings of the previewed page are listed.</extracomment>
        <translation>
            <numerusform>Die erste (%n) ist aufgeführt.</numerusform>
            <numerusform>Die ersten %n sind aufgeführt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Category link dropped, title kept: “%1” is not a valid URL</source>
        <translation>Kategorielink verworfen, Titel behalten: „%1“ ist keine gültige URL</translation>
    </message>
    <message>
        <source>Note line ignored: no note text after “**&#xa0;-&#xa0;”</source>
        <translation>Hinweiszeile ignoriert: kein Hinweistext nach „**&#xa0;-&#xa0;“</translation>
    </message>
    <message>
        <source>Note dropped: the note on line %1 replaces it before any rule line</source>
        <translation>Hinweis verworfen: der Hinweis in Zeile %1 ersetzt ihn vor jeder Trennlinie</translation>
    </message>
    <message>
        <source>Note dropped: no rule line (***, --- or ___) follows it before the next category heading</source>
        <translation>Hinweis verworfen: vor der nächsten Kategorieüberschrift folgt ihm keine Trennlinie (***, --- oder ___)</translation>
    </message>
    <message>
        <source>Note dropped: no rule line (***, --- or ___) follows it before the next section heading</source>
        <translation>Hinweis verworfen: vor der nächsten Abschnittsüberschrift folgt ihm keine Trennlinie (***, --- oder ___)</translation>
    </message>
    <message>
        <source>Note dropped: no rule line (***, --- or ___) follows it before the page ends</source>
        <translation>Hinweis verworfen: bis zum Ende der Seite folgt ihm keine Trennlinie (***, --- oder ___)</translation>
    </message>
    <message>
        <source>Entry dropped: no [name](target) link</source>
        <translation>Eintrag verworfen: kein Link [Name](Ziel)</translation>
    </message>
    <message>
        <source>Entry dropped: no [name](target) link before the first “&#xa0;-&#xa0;”</source>
        <translation>Eintrag verworfen: kein Link [Name](Ziel) vor dem ersten „&#xa0;-&#xa0;“</translation>
    </message>
    <message>
        <source>Entry “%1” dropped: “%2” is not a valid URL</source>
        <translation>Eintrag „%1“ verworfen: „%2“ ist keine gültige URL</translation>
    </message>
    <message>
        <source>Further link “%1” dropped: “%2” is not a valid URL</source>
        <translation>Weiterer Link „%1“ verworfen: „%2“ ist keine gültige URL</translation>
    </message>
    <message>
        <source>No category heading (“# ► Title”): the page gives an empty catalogue</source>
        <translation>Keine Kategorieüberschrift („# ► Titel“): die Seite ergibt einen leeren Katalog</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 existiert nicht</translation>
    </message>
    <message>
        <source>No permission to read %1</source>
        <translation>Keine Berechtigung, %1 zu lesen</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 ist keine Datei</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MiB, more than the app takes from a page</source>
        <translation>%1 ist größer als %2 MiB, mehr als die App von einer Seite annimmt</translation>
    </message>
    <message>
        <source>%1 holds more than %L2 links, more than the app takes from a page</source>
        <translation>%1 enthält mehr als %L2 Links, mehr als die App von einer Seite annimmt</translation>
    </message>
    <message>
        <source>Line %1 of %2 is not UTF-8 text, which the app refuses in a page</source>
        <translation>Zeile %1 von %2 ist kein UTF-8-Text, den die App in einer Seite ablehnt</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
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
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
</context>
<context>
    <name>kavo::RefreshStatus</name>
    <message>
        <source>Updated just now</source>
        <extracomment>Shown briefly under the search field after a refresh brought a new catalogue.</extracomment>
        <translation>Gerade aktualisiert</translation>
    </message>
    <message>
        <source>Could not refresh: showing the packaged copy</source>
        <extracomment>Shown briefly after a refresh failed while the catalogue shown is the one packaged with the app.</extracomment>
        <translation>Aktualisierung fehlgeschlagen: Angezeigt wird die mitgelieferte Fassung</translation>
    </message>
    <message>
        <source>Could not refresh: showing the copy from %1</source>
        <extracomment>Shown briefly after a refresh failed; %1 is when the catalogue shown was downloaded (a time, or a date and time).</extracomment>
        <translation>Aktualisierung fehlgeschlagen: Angezeigt wird der Stand von %1</translation>
    </message>
</context>
</TS>
