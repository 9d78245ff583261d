<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>Sorvu</name>
    <message>
        <source>Start/Stop Collecting</source>
        <translation>Sammeln starten/stoppen</translation>
    </message>
    <message>
        <source>Paste Next Item</source>
        <translation>Nächsten Eintrag einfügen</translation>
    </message>
    <message>
        <source>Key %lld</source>
        <translation>Taste %lld</translation>
    </message>
    <message>
        <source>Recording…</source>
        <translation>Aufnahme…</translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation>Auf Standard zurücksetzen</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Already used by %@.</source>
        <translation>Bereits belegt durch „%@“.</translation>
    </message>
    <message>
        <source>Matches the system's own Copy/Paste/Cut — will also fire on every ordinary use elsewhere.</source>
        <translation>Entspricht dem systemeigenen Kopieren/Einfügen/Ausschneiden – wird auch bei jeder normalen Verwendung anderswo ausgelöst.</translation>
    </message>
    <message>
        <source>Taken by another program</source>
        <translation>Von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>New line</source>
        <translation>Neue Zeile</translation>
    </message>
    <message>
        <source>Blank line</source>
        <translation>Leerzeile</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Leerzeichen</translation>
    </message>
    <message>
        <source>Comma and space</source>
        <translation>Komma und Leerzeichen</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ohne</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>Eigenes…</translation>
    </message>
    <message numerus="yes">
        <source>Sorvu, recording, %lld items in queue</source>
        <translation>
            <numerusform>Sorvu, Aufnahme läuft, %lld Eintrag in der Warteschlange</numerusform>
            <numerusform>Sorvu, Aufnahme läuft, %lld Einträge in der Warteschlange</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorvu, %lld items queued, not recording</source>
        <translation>
            <numerusform>Sorvu, %lld Eintrag in der Warteschlange, keine Aufnahme</numerusform>
            <numerusform>Sorvu, %lld Einträge in der Warteschlange, keine Aufnahme</numerusform>
        </translation>
    </message>
    <message>
        <source>Sorvu, idle</source>
        <translation>Sorvu, inaktiv</translation>
    </message>
    <message numerus="yes">
        <source>%lld items in queue</source>
        <translation>
            <numerusform>%lld Eintrag in der Warteschlange</numerusform>
            <numerusform>%lld Einträge in der Warteschlange</numerusform>
        </translation>
    </message>
    <message>
        <source>Queue empty</source>
        <translation>Warteschlange leer</translation>
    </message>
    <message>
        <source>queue empty</source>
        <translation>Warteschlange leer</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestoppt</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>Einstellungen schließen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Combine and Paste…</source>
        <translation>Zusammenfügen und einfügen…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>⚠️ Accessibility required</source>
        <translation>⚠️ Bedienungshilfen erforderlich</translation>
    </message>
    <message>
        <source>Shortcuts and pasting are not available in this session.</source>
        <translation>Tastenkürzel und Einfügen sind in dieser Sitzung nicht verfügbar.</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>Warteschlange</translation>
    </message>
    <message>
        <source>Combines text items into one paste with a chosen separator.</source>
        <translation>Fügt Texteinträge mit dem gewählten Trennzeichen zu einem einzigen Einfügen zusammen.</translation>
    </message>
    <message>
        <source>%lld.</source>
        <translation>%lld.</translation>
    </message>
    <message>
        <source>Item %lld: text, %@</source>
        <translation>Eintrag %lld: Text, %@</translation>
    </message>
    <message>
        <source>Item %lld: image</source>
        <translation>Eintrag %lld: Bild</translation>
    </message>
    <message>
        <source>Item %lld: file, %@</source>
        <translation>Eintrag %lld: Datei, %@</translation>
    </message>
    <message>
        <source>Delete item %lld</source>
        <translation>Eintrag %lld löschen</translation>
    </message>
    <message>
        <source>Combine and Paste</source>
        <translation>Zusammenfügen und einfügen</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Trennzeichen</translation>
    </message>
    <message>
        <source>Custom separator</source>
        <translation>Eigenes Trennzeichen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>All queued items must be text. Paste files and images separately.</source>
        <translation>Alle Einträge in der Warteschlange müssen Text sein. Dateien und Bilder bitte einzeln einfügen.</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Paste All</source>
        <translation>Alle einfügen</translation>
    </message>
    <message>
        <source>The queue is empty.</source>
        <translation>Die Warteschlange ist leer.</translation>
    </message>
    <message>
        <source>The queue changed. Review the preview and try again.</source>
        <translation>Die Warteschlange hat sich geändert. Prüfe die Vorschau und versuche es erneut.</translation>
    </message>
    <message>
        <source>The target app is unavailable. Open the menu from the app you want to paste into.</source>
        <translation>Die Ziel-App ist nicht verfügbar. Öffne das Menü aus der App, in die du einfügen möchtest.</translation>
    </message>
    <message>
        <source>Could not paste. The queue is unchanged; try again.</source>
        <translation>Einfügen fehlgeschlagen. Die Warteschlange ist unverändert; versuche es erneut.</translation>
    </message>
    <message>
        <source>Pasting is not available in this session. The README lists the desktops Sorvu supports.</source>
        <translation>Einfügen ist in dieser Sitzung nicht verfügbar. Die README nennt die Desktops, die Sorvu unterstützt.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>⚠️ Launch at Login disabled</source>
        <translation>⚠️ Beim Anmelden starten deaktiviert</translation>
    </message>
    <message>
        <source>This was turned off in your desktop's startup settings. Click to re-enable.</source>
        <translation>Das wurde in den Autostart-Einstellungen deiner Arbeitsumgebung ausgeschaltet. Klicke, um es wieder einzuschalten.</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>Unsere Website besuchen</translation>
    </message>
    <message>
        <source>Version %@ (%@)</source>
        <translation>Version %@ (%@)</translation>
    </message>
    <message>
        <source>Sorvu is already running.</source>
        <translation>Sorvu läuft bereits.</translation>
    </message>
    <message>
        <source>A copy was too large to queue and was skipped.</source>
        <translation>Eine Kopie war zu groß für die Warteschlange und wurde übersprungen.</translation>
    </message>
    <message>
        <source>A copied file was larger than the limit for stored files and was skipped. The limit is maximumFileMegabytes in the settings file.</source>
        <translation>Eine kopierte Datei war größer als die Grenze für gespeicherte Dateien und wurde übersprungen. Die Grenze ist maximumFileMegabytes in der Einstellungsdatei.</translation>
    </message>
    <message>
        <source>A copied file was skipped: the disk has no room for a copy of it.</source>
        <translation>Eine kopierte Datei wurde übersprungen: Auf dem Datenträger ist kein Platz für eine Kopie.</translation>
    </message>
    <message>
        <source>A copied file was skipped: Sorvu may not read it.</source>
        <translation>Eine kopierte Datei wurde übersprungen: Sorvu darf sie nicht lesen.</translation>
    </message>
    <message>
        <source>A copied pipe, socket or device cannot be queued and was skipped.</source>
        <translation>Eine kopierte Pipe, ein Socket oder ein Gerät kann nicht in die Warteschlange und wurde übersprungen.</translation>
    </message>
    <message>
        <source>Pipes, sockets or devices inside a copied folder were left out.</source>
        <translation>Pipes, Sockets oder Geräte in einem kopierten Ordner wurden ausgelassen.</translation>
    </message>
    <message>
        <source>The queue is full at 99 entries: what was copied beyond that was not queued. Paste or remove entries to make room.</source>
        <translation>Die Warteschlange ist mit 99 Einträgen voll: Was darüber hinaus kopiert wurde, wurde nicht aufgenommen. Füge Einträge ein oder entferne welche, um Platz zu schaffen.</translation>
    </message>
    <message>
        <source>Sorvu cannot start: it needs a private runtime folder (XDG_RUNTIME_DIR) to run only once per display.</source>
        <translation>Sorvu kann nicht starten: Es braucht einen privaten Laufzeitordner (XDG_RUNTIME_DIR), um je Anzeige nur einmal zu laufen.</translation>
    </message>
    <message>
        <source>The next entry is still being copied. Paste again in a moment.</source>
        <translation>Der nächste Eintrag wird noch kopiert. Füge ihn gleich noch einmal ein.</translation>
    </message>
    <message>
        <source>The next entry's copy was deleted outside Sorvu, so it was removed from the queue.</source>
        <translation>Die Kopie des nächsten Eintrags wurde außerhalb von Sorvu gelöscht, daher wurde er aus der Warteschlange entfernt.</translation>
    </message>
    <message>
        <source>Bind keys to these commands in your desktop's keyboard settings.</source>
        <translation>Lege in den Tastatureinstellungen deines Desktops Tasten für diese Befehle fest.</translation>
    </message>
    <message>
        <source>This desktop does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, but its shortcuts and pastes reach X11 programs only.</source>
        <translation>Dieser Desktop lässt Programme seine Wayland-Zwischenablage nicht beobachten, daher läuft Sorvu über XWayland: Es sammelt Kopien, aber seine Tastenkürzel und das Einfügen erreichen nur X11-Programme.</translation>
    </message>
    <message numerus="yes">
        <source>%lld characters</source>
        <translation>
            <numerusform>%lld Zeichen</numerusform>
            <numerusform>%lld Zeichen</numerusform>
        </translation>
    </message>
    <message>
        <source>Image: %lld × %lld pixels</source>
        <translation>Bild: %lld × %lld Pixel</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Moved to position %lld of %lld</source>
        <translation>An Position %lld von %lld verschoben</translation>
    </message>
    <message>
        <source>%@ is taken by another program and does nothing.</source>
        <translation>%@ ist von einem anderen Programm belegt und bewirkt nichts.</translation>
    </message>
    <message>
        <source>The queue is full: new copies are not added.</source>
        <translation>Die Warteschlange ist voll: Neue Kopien werden nicht aufgenommen.</translation>
    </message>
    <message numerus="yes">
        <source>%lld items are not text: %@.</source>
        <translation>
            <numerusform>%lld Eintrag ist kein Text: %@.</numerusform>
            <numerusform>%lld Einträge sind kein Text: %@.</numerusform>
        </translation>
    </message>
    <message>
        <source>No program opened the link. Install xdg-utils, then try again.</source>
        <translation>Kein Programm hat den Link geöffnet. Installiere xdg-utils und versuche es erneut.</translation>
    </message>
    <message>
        <source>GNOME does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, pastes into every program through GNOME's remote desktop service, and its shortcuts are GNOME's own, set up in Sorvu's settings.</source>
        <translation>GNOME lässt Programme seine Wayland-Zwischenablage nicht beobachten, daher läuft Sorvu über XWayland: Es sammelt Kopien, fügt über den Fernsteuerungsdienst von GNOME in jedes Programm ein, und seine Tastenkürzel sind die von GNOME, eingerichtet in den Einstellungen von Sorvu.</translation>
    </message>
    <message>
        <source>The desktop holds these shortcuts. Change them in its settings.</source>
        <translation>Der Desktop verwaltet diese Tastenkürzel. Ändere sie in seinen Einstellungen.</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>Nicht festgelegt</translation>
    </message>
    <message>
        <source>Open Desktop Shortcut Settings</source>
        <translation>Tastenkürzel-Einstellungen des Desktops öffnen</translation>
    </message>
    <message>
        <source>Add Shortcuts to GNOME</source>
        <translation>Tastenkürzel zu GNOME hinzufügen</translation>
    </message>
    <message>
        <source>The desktop's shortcut settings could not be opened.</source>
        <translation>Die Tastenkürzel-Einstellungen des Desktops konnten nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Added to GNOME: %@ and %@ run these commands.</source>
        <translation>Zu GNOME hinzugefügt: %@ und %@ führen diese Befehle aus.</translation>
    </message>
    <message>
        <source>GNOME's shortcuts could not be changed. Add them in Settings, Keyboard, Custom Shortcuts.</source>
        <translation>Die Tastenkürzel von GNOME konnten nicht geändert werden. Füge sie unter Einstellungen, Tastatur, Eigene Tastenkürzel hinzu.</translation>
    </message>
    <message>
        <source>This desktop holds no shortcuts for programs: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>Dieser Desktop verwaltet keine Tastenkürzel für Programme: Lege in seinen Tastatureinstellungen Tasten für die Befehle von Sorvu fest.</translation>
    </message>
    <message>
        <source>The desktop refused Sorvu's shortcuts: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>Der Desktop hat die Tastenkürzel von Sorvu abgelehnt: Lege in seinen Tastatureinstellungen Tasten für die Befehle von Sorvu fest.</translation>
    </message>
    <message>
        <source>The desktop withdrew Sorvu's shortcuts: they do nothing until Sorvu starts again.</source>
        <translation>Der Desktop hat die Tastenkürzel von Sorvu zurückgezogen: Sie bewirken nichts, bis Sorvu neu startet.</translation>
    </message>
    <message>
        <source>The desktop's shortcut service failed: Sorvu's shortcuts do nothing.</source>
        <translation>Der Tastenkürzel-Dienst des Desktops ist fehlgeschlagen: Die Tastenkürzel von Sorvu bewirken nichts.</translation>
    </message>
</context>
</TS>
