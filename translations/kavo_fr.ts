<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>BusyMark</name>
    <message>
        <source>Loading</source>
        <translation>Chargement</translation>
    </message>
</context>
<context>
    <name>CategoryDetailView</name>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
</context>
<context>
    <name>CategoryRow</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n entrée</numerusform>
            <numerusform>%n entrées</numerusform>
        </translation>
    </message>
    <message>
        <source>1 entry</source>
        <translation>1 entrée</translation>
    </message>
    <message numerus="yes">
        <source>%n new</source>
        <translation>
            <numerusform>%n nouveau</numerusform>
            <numerusform>%n nouveaux</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ConfirmationAlert</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Search entries…</source>
        <translation>Rechercher des entrées…</translation>
    </message>
    <message>
        <source>Search entries</source>
        <translation>Rechercher des entrées</translation>
    </message>
    <message>
        <source>Catalogue</source>
        <translation>Catalogue</translation>
    </message>
</context>
<context>
    <name>EmptyBlock</name>
    <message>
        <source>No content loaded</source>
        <translation>Aucun contenu chargé</translation>
    </message>
    <message>
        <source>Tap refresh to download content</source>
        <translation>Touchez Actualiser pour télécharger le contenu</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
</context>
<context>
    <name>EntryMenu</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Copy URL</source>
        <translation>Copier l’URL</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Partager</translation>
    </message>
    <message>
        <source>Remove from Favorites</source>
        <translation>Retirer des favoris</translation>
    </message>
    <message>
        <source>Add to Favorites</source>
        <translation>Ajouter aux favoris</translation>
    </message>
</context>
<context>
    <name>EntryRowView</name>
    <message>
        <source>Favorite</source>
        <translation>Favori</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Recommandé</translation>
    </message>
    <message>
        <source>Web</source>
        <translation>Web</translation>
    </message>
    <message>
        <source>Related</source>
        <translation>Associé</translation>
    </message>
    <message>
        <source>More links</source>
        <translation>Autres liens</translation>
    </message>
    <message>
        <source>%1, new</source>
        <translation>%1, nouveau</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
</context>
<context>
    <name>ErrorRow</name>
    <message>
        <source>Retry</source>
        <translation>Réessayer</translation>
    </message>
</context>
<context>
    <name>KVDataService</name>
    <message>
        <source>Could not refresh</source>
        <translation>Impossible d’actualiser</translation>
    </message>
    <message>
        <source>No content available</source>
        <translation>Aucun contenu disponible</translation>
    </message>
    <message>
        <source>Parsed 0 categories</source>
        <translation>Aucune catégorie reconnue</translation>
    </message>
</context>
<context>
    <name>LintBar</name>
    <message>
        <source>Expanded</source>
        <translation>Déplié</translation>
    </message>
    <message>
        <source>Collapsed</source>
        <translation>Replié</translation>
    </message>
    <message>
        <source>Lines that will be dropped</source>
        <translation>Lignes qui seront écartées</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <extracomment>A line of the previewed page that will be dropped, and why.</extracomment>
        <translation>Ligne %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>LoadingRow</name>
    <message>
        <source>Loading KAVO…</source>
        <translation>Chargement de KAVO…</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>%1 (preview) – KAVO</source>
        <extracomment>The window&apos;s title while a page is previewed: the file&apos;s name.</extracomment>
        <translation>%1 (aperçu) – KAVO</translation>
    </message>
</context>
<context>
    <name>NewHeaderRow</name>
    <message>
        <source>Mark as Seen</source>
        <translation>Marquer comme vu</translation>
    </message>
    <message>
        <source>1 new entry</source>
        <translation>1 nouvelle entrée</translation>
    </message>
    <message numerus="yes">
        <source>%n new entries</source>
        <translation>
            <numerusform>%n nouvelle entrée</numerusform>
            <numerusform>%n nouvelles entrées</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NoResultsBlock</name>
    <message>
        <source>No results</source>
        <translation>Aucun résultat</translation>
    </message>
    <message>
        <source>No entries match &quot;%1&quot;</source>
        <translation>Aucune entrée ne correspond à «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Clear Search</source>
        <translation>Effacer la recherche</translation>
    </message>
</context>
<context>
    <name>PersonalRow</name>
    <message>
        <source>Favorite</source>
        <translation>Favori</translation>
    </message>
</context>
<context>
    <name>RelatedLinksMenu</name>
    <message>
        <source>Links of %1</source>
        <translation>Liens de %1</translation>
    </message>
</context>
<context>
    <name>RelativeTime</name>
    <message>
        <source>Just now</source>
        <extracomment>Under a minute since a recently viewed link was opened.</extracomment>
        <translation>À l’instant</translation>
    </message>
    <message numerus="yes">
        <source>%nm ago</source>
        <extracomment>Minutes since a recently viewed link was opened; a short label under its name.</extracomment>
        <translation>
            <numerusform>il y a %n min</numerusform>
            <numerusform>il y a %n min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%nh ago</source>
        <extracomment>Hours since a recently viewed link was opened.</extracomment>
        <translation>
            <numerusform>il y a %n h</numerusform>
            <numerusform>il y a %n h</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%nd ago</source>
        <extracomment>Days since a recently viewed link was opened (1 to 6).</extracomment>
        <translation>
            <numerusform>il y a %n jour</numerusform>
            <numerusform>il y a %n jours</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Force Refresh</source>
        <translation>Actualiser maintenant</translation>
    </message>
    <message>
        <source>Clear Cache</source>
        <translation>Vider le cache</translation>
    </message>
    <message>
        <source>Clear Recently Viewed</source>
        <translation>Effacer les consultations récentes</translation>
    </message>
    <message>
        <source>Clear Favorites</source>
        <translation>Effacer les favoris</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Opens %1 in the browser</source>
        <translation>Ouvre %1 dans le navigateur</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Free media resources curated by the KAVO community.</source>
        <translation>Ressources multimédias gratuites, sélectionnées par la communauté KAVO.</translation>
    </message>
    <message>
        <source>This will remove all cached data.</source>
        <translation>Toutes les données en cache seront supprimées.</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Effacer l’historique</translation>
    </message>
    <message>
        <source>This will remove all recently viewed entries.</source>
        <translation>Toutes les entrées consultées récemment seront supprimées.</translation>
    </message>
    <message>
        <source>This will remove all favorited entries.</source>
        <translation>Tous les favoris seront supprimés.</translation>
    </message>
    <message>
        <source>Mark as Seen</source>
        <translation>Marquer comme vu</translation>
    </message>
    <message>
        <source>No entry will be marked as new until a download brings new ones.</source>
        <translation>Aucune entrée ne sera marquée comme nouvelle avant qu’un téléchargement en apporte de nouvelles.</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Marquer</translation>
    </message>
</context>
<context>
    <name>ShareSheet</name>
    <message>
        <source>Share %1</source>
        <translation>Partager %1</translation>
    </message>
    <message>
        <source>Copy Link</source>
        <translation>Copier le lien</translation>
    </message>
    <message>
        <source>Open in Browser</source>
        <translation>Ouvrir dans le navigateur</translation>
    </message>
    <message>
        <source>Send by E-mail</source>
        <translation>Envoyer par e-mail</translation>
    </message>
</context>
<context>
    <name>kavo::CategoryDetailModel</name>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
</context>
<context>
    <name>kavo::LintModel</name>
    <message>
        <source>Reading %1…</source>
        <extracomment>While the page given on the command line is read for the first time.</extracomment>
        <translation>Lecture de %1…</translation>
    </message>
    <message>
        <source>No lines will be dropped</source>
        <extracomment>The previewed page: every line that looks meant is used.</extracomment>
        <translation>Aucune ligne ne sera écartée</translation>
    </message>
    <message>
        <source>The page gives an empty catalogue</source>
        <extracomment>The previewed page gives no category at all: nothing would be shown.</extracomment>
        <translation>La page donne un catalogue vide</translation>
    </message>
    <message>
        <source>1 line will be dropped</source>
        <extracomment>One line of the previewed page that the app drops although it looks meant; the bar expands to show it.</extracomment>
        <translation>1 ligne sera écartée</translation>
    </message>
    <message numerus="yes">
        <source>%n lines will be dropped</source>
        <extracomment>Lines of the previewed page that the app drops although they look meant; the bar expands to list them.</extracomment>
        <translation>
            <numerusform>%n ligne sera écartée</numerusform>
            <numerusform>%n lignes seront écartées</numerusform>
        </translation>
    </message>
    <message>
        <source>The list keeps the last version that could be read; the file is watched for changes.</source>
        <extracomment>Under the message why the previewed file cannot be used.</extracomment>
        <translation>La liste garde la dernière version lisible&#xa0;; le fichier reste surveillé.</translation>
    </message>
    <message numerus="yes">
        <source>The first %n are listed.</source>
        <extracomment>Only so many findings of the previewed page are listed.</extracomment>
        <translation>
            <numerusform>La première (%n) est listée.</numerusform>
            <numerusform>Les %n premières sont listées.</numerusform>
        </translation>
    </message>
    <message>
        <source>Category link dropped, title kept: “%1” is not a valid URL</source>
        <translation>Lien de catégorie écarté, titre gardé&#xa0;: «&#xa0;%1&#xa0;» n’est pas une URL valide</translation>
    </message>
    <message>
        <source>Note line ignored: no note text after “**&#xa0;-&#xa0;”</source>
        <translation>Ligne de note ignorée&#xa0;: aucun texte après «&#xa0;**&#xa0;-&#xa0;»</translation>
    </message>
    <message>
        <source>Note dropped: the note on line %1 replaces it before any rule line</source>
        <translation>Note écartée&#xa0;: la note de la ligne %1 la remplace avant toute ligne de séparation</translation>
    </message>
    <message>
        <source>Note dropped: no rule line (***, --- or ___) follows it before the next category heading</source>
        <translation>Note écartée&#xa0;: aucune ligne de séparation (***, --- ou ___) ne la suit avant le titre de catégorie suivant</translation>
    </message>
    <message>
        <source>Note dropped: no rule line (***, --- or ___) follows it before the next section heading</source>
        <translation>Note écartée&#xa0;: aucune ligne de séparation (***, --- ou ___) ne la suit avant le titre de section suivant</translation>
    </message>
    <message>
        <source>Note dropped: no rule line (***, --- or ___) follows it before the page ends</source>
        <translation>Note écartée&#xa0;: aucune ligne de séparation (***, --- ou ___) ne la suit avant la fin de la page</translation>
    </message>
    <message>
        <source>Entry dropped: no [name](target) link</source>
        <translation>Entrée écartée&#xa0;: aucun lien [nom](cible)</translation>
    </message>
    <message>
        <source>Entry dropped: no [name](target) link before the first “&#xa0;-&#xa0;”</source>
        <translation>Entrée écartée&#xa0;: aucun lien [nom](cible) avant le premier «&#xa0;-&#xa0;»</translation>
    </message>
    <message>
        <source>Entry “%1” dropped: “%2” is not a valid URL</source>
        <translation>Entrée «&#xa0;%1&#xa0;» écartée&#xa0;: «&#xa0;%2&#xa0;» n’est pas une URL valide</translation>
    </message>
    <message>
        <source>Further link “%1” dropped: “%2” is not a valid URL</source>
        <translation>Lien supplémentaire «&#xa0;%1&#xa0;» écarté&#xa0;: «&#xa0;%2&#xa0;» n’est pas une URL valide</translation>
    </message>
    <message>
        <source>No category heading (“# ► Title”): the page gives an empty catalogue</source>
        <translation>Aucun titre de catégorie («&#xa0;# ► Titre&#xa0;»)&#xa0;: la page donne un catalogue vide</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 n’existe pas</translation>
    </message>
    <message>
        <source>No permission to read %1</source>
        <translation>Pas le droit de lire %1</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 n’est pas un fichier</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MiB, more than the app takes from a page</source>
        <translation>%1 dépasse %2&#xa0;Mio, plus que ce que l’app accepte d’une page</translation>
    </message>
    <message>
        <source>%1 holds more than %L2 links, more than the app takes from a page</source>
        <translation>%1 contient plus de %L2 liens, plus que ce que l’app accepte d’une page</translation>
    </message>
    <message>
        <source>Line %1 of %2 is not UTF-8 text, which the app refuses in a page</source>
        <translation>La ligne %1 de %2 n’est pas du texte UTF-8, ce que l’app refuse dans une page</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>Impossible de lire %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>kavo::MainListModel</name>
    <message>
        <source>Recently Viewed</source>
        <translation>Récemment consultés</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoris</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Catégories</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Liens</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nouveautés</translation>
    </message>
</context>
<context>
    <name>kavo::RefreshStatus</name>
    <message>
        <source>Updated just now</source>
        <extracomment>Shown briefly under the search field after a refresh brought a new catalogue.</extracomment>
        <translation>Mis à jour à l’instant</translation>
    </message>
    <message>
        <source>Could not refresh: showing the packaged copy</source>
        <extracomment>Shown briefly after a refresh failed while the catalogue shown is the one packaged with the app.</extracomment>
        <translation>Impossible d’actualiser : affichage de la copie fournie avec l’application</translation>
    </message>
    <message>
        <source>Could not refresh: showing the copy from %1</source>
        <extracomment>Shown briefly after a refresh failed; %1 is when the catalogue shown was downloaded (a time, or a date and time).</extracomment>
        <translation>Impossible d’actualiser : affichage de la copie datant de %1</translation>
    </message>
</context>
</TS>
