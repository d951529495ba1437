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
    <name>LoadingRow</name>
    <message>
        <source>Loading KAVO…</source>
        <translation>Chargement de KAVO…</translation>
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
</context>
</TS>
