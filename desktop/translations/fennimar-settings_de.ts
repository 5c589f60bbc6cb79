<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>QObject</name>
    <message>
        <source>0: the settings are kept as they are.</source>
        <translation>0: Die Einstellungen bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>%1: the next program that opens the settings replaces them with the template. Clear the flag to keep them.</source>
        <translation>%1: Das nächste Programm, das die Einstellungen öffnet, ersetzt sie durch die Vorlage. Löschen Sie die Markierung, um sie zu behalten.</translation>
    </message>
    <message>
        <source>Unknown: the registry has the key but no IsFirstUse value. Clearing it creates the value with 0.
Details: %1</source>
        <translation>Unbekannt: Die Registrierung hat den Schlüssel, aber keinen Wert IsFirstUse. Beim Zurücksetzen wird der Wert mit 0 angelegt.
Details: %1</translation>
    </message>
    <message>
        <source>Not set: %1 has no IsFirstFlag in [systemrequest]. Clearing it creates the entry with 0.
Details: %2</source>
        <translation>Nicht gesetzt: %1 hat kein IsFirstFlag in [systemrequest]. Beim Zurücksetzen wird der Eintrag mit 0 angelegt.
Details: %2</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::AddAppDialog</name>
    <message>
        <source>Add an application</source>
        <translation>Eine Anwendung hinzufügen</translation>
    </message>
    <message>
        <source>Type to filter the installed applications</source>
        <translation>Tippen, um die installierten Anwendungen zu filtern</translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation>&amp;Durchsuchen…</translation>
    </message>
    <message>
        <source>&amp;Program:</source>
        <translation>&amp;Programm:</translation>
    </message>
    <message>
        <source>P&amp;arameter:</source>
        <translation>P&amp;arameter:</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
    <message>
        <source>&amp;Key:</source>
        <translation>&amp;Schlüssel:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Installed applications:</source>
        <translation>&amp;Installierte Anwendungen:</translation>
    </message>
    <message>
        <source>Filter the installed applications</source>
        <translation>Installierte Anwendungen filtern</translation>
    </message>
    <message>
        <source>Installed applications</source>
        <translation>Installierte Anwendungen</translation>
    </message>
    <message>
        <source>Choosing one fills in its program and description.</source>
        <translation>Die Auswahl einer Anwendung trägt ihr Programm und ihre Beschreibung ein.</translation>
    </message>
    <message>
        <source>Choose a program</source>
        <translation>Ein Programm auswählen</translation>
    </message>
    <message>
        <source>%1 is not a program that can be run: choose an executable file (Browse…) or an installed application.</source>
        <translation>%1 ist kein ausführbares Programm: Wählen Sie eine ausführbare Datei (Durchsuchen …) oder eine installierte Anwendung.</translation>
    </message>
    <message>
        <source>The item&apos;s place on the bar, a number from 1 to %1 that no other application uses.</source>
        <translation>Der Platz des Eintrags in der Leiste: eine Zahl von 1 bis %1, die keine andere Anwendung verwendet.</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::AppsPage</name>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>The programs the bar launches, in the bar&apos;s order.</source>
        <translation>Die Programme, die die Leiste startet, in der Reihenfolge der Leiste.</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>&amp;Add…</source>
        <translation>Hin&amp;zufügen…</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Applications on the bar</source>
        <translation>Anwendungen in der Leiste</translation>
    </message>
    <message>
        <source>One row per application: description, key, program and parameter. Delete removes the selected row.</source>
        <translation>Eine Zeile je Anwendung: Beschreibung, Schlüssel, Programm und Parameter. Entf entfernt die ausgewählte Zeile.</translation>
    </message>
    <message>
        <source>the applications</source>
        <translation>die Anwendungen</translation>
    </message>
    <message>
        <source>%1 of %2 applications: the list is full. Remove one to add another.</source>
        <translation>%1 von %2 Anwendungen: Die Liste ist voll. Entfernen Sie eine, um eine andere hinzuzufügen.</translation>
    </message>
    <message>
        <source>%1 of %2 applications; %3 more can be added.</source>
        <translation>%1 von %2 Anwendungen; %3 weitere können hinzugefügt werden.</translation>
    </message>
    <message>
        <source>Nothing was removed: another program changed the list meanwhile. Here it is as it is now; select the application again.</source>
        <translation>Nichts wurde entfernt: Ein anderes Programm hat die Liste inzwischen geändert. Hier ist sie im jetzigen Stand; wählen Sie die Anwendung erneut aus.</translation>
    </message>
    <message>
        <source>“%1” was removed from the bar.</source>
        <translation>„%1“ wurde aus der Leiste entfernt.</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>The application was not added: the bar&apos;s list already holds %1 applications, its limit. Remove one, then add it again.</source>
        <translation>Die Anwendung wurde nicht hinzugefügt: Die Liste der Leiste enthält bereits %1 Anwendungen, ihre Höchstzahl. Entfernen Sie eine und fügen Sie sie dann erneut hinzu.</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::BackgroundPage</name>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>The pictures the bar shows behind its items, and the order it shows them in. (The desktop&apos;s own picture is on the Wallpaper page.)</source>
        <translation>Die Bilder, die die Leiste hinter ihren Einträgen zeigt, und die Reihenfolge, in der sie sie zeigt. (Das Bild des Schreibtischs selbst steht auf der Seite Hintergrundbild.)</translation>
    </message>
    <message>
        <source>&amp;Choose…</source>
        <translation>&amp;Auswählen…</translation>
    </message>
    <message>
        <source>Picture &amp;folder:</source>
        <translation>Bilder&amp;ordner:</translation>
    </message>
    <message>
        <source>Display &amp;sequence:</source>
        <translation>Anzeige&amp;reihenfolge:</translation>
    </message>
    <message>
        <source>The folder whose pictures the bar shows.</source>
        <translation>Der Ordner, dessen Bilder die Leiste zeigt.</translation>
    </message>
    <message>
        <source>The order the bar shows the pictures in.</source>
        <translation>Die Reihenfolge, in der die Leiste die Bilder zeigt.</translation>
    </message>
    <message>
        <source>Pictures in the folder</source>
        <translation>Bilder im Ordner</translation>
    </message>
    <message>
        <source>the background pictures</source>
        <translation>die Hintergrundbilder</translation>
    </message>
    <message>
        <source>Choose the picture folder</source>
        <translation>Den Bilderordner auswählen</translation>
    </message>
    <message>
        <source>The number the bar gives its slide show of these pictures, to choose the order it shows them in. The template has 0; other programs may use other numbers, which are kept as they are.</source>
        <translation>Die Zahl, mit der die Leiste die Reihenfolge ihrer Diaschau dieser Bilder wählt. Die Vorlage hat 0; andere Programme können andere Zahlen verwenden, die unverändert bleiben.</translation>
    </message>
    <message>
        <source>The picture folder %1 does not exist, so the bar has no pictures to show. Choose an existing folder.</source>
        <translation>Der Bilderordner %1 existiert nicht, daher hat die Leiste keine Bilder zu zeigen. Wählen Sie einen vorhandenen Ordner.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist, so the picture folder was not changed. Choose an existing folder.</source>
        <translation>Der Ordner %1 existiert nicht, daher wurde der Bilderordner nicht geändert. Wählen Sie einen vorhandenen Ordner.</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::HelpDialog</name>
    <message>
        <source>&lt;h3&gt;%1 %2&lt;/h3&gt;&lt;p&gt;Shows and changes the settings of the Fennimar launcher bar through the FennimarCommonDll library, version %2.&lt;/p&gt;&lt;p&gt;Copyright 2026 Fennimar maintainers.&lt;br&gt;No licence has been granted yet; all rights are reserved by the Fennimar maintainers.&lt;/p&gt;&lt;p&gt;Built with Qt %3.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;%1 %2&lt;/h3&gt;&lt;p&gt;Zeigt und ändert die Einstellungen der Fennimar-Startleiste über die Bibliothek FennimarCommonDll, Version %2.&lt;/p&gt;&lt;p&gt;Copyright 2026 Fennimar maintainers.&lt;br&gt;Es wurde noch keine Lizenz erteilt; alle Rechte liegen bei den Fennimar maintainers.&lt;/p&gt;&lt;p&gt;Erstellt mit Qt %3.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Hilfetext</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>%1 &amp;Help</source>
        <translation>%1 – &amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About %1</source>
        <translation>Ü&amp;ber %1</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::MainWindow</name>
    <message>
        <source>Fennimar Settings</source>
        <translation>Fennimar-Einstellungen</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Choose the page of settings to show.</source>
        <translation>Wählen Sie die Seite der Einstellungen, die angezeigt werden soll.</translation>
    </message>
    <message>
        <source>The settings document was missing: a fresh copy of the template now takes its place.</source>
        <translation>Das Einstellungsdokument fehlte: Eine neue Kopie der Vorlage tritt nun an seine Stelle.</translation>
    </message>
    <message>
        <source>The settings were replaced with the template.</source>
        <translation>Die Einstellungen wurden durch die Vorlage ersetzt.</translation>
    </message>
    <message>
        <source>Replace the settings with the template?</source>
        <translation>Die Einstellungen durch die Vorlage ersetzen?</translation>
    </message>
    <message>
        <source>Another program has set the first-use flag, which asks for the settings to start again from the template. Reading them again now would replace the applications, switches, background and workspaces with the template&apos;s.</source>
        <translation>Ein anderes Programm hat das Erstnutzungs-Kennzeichen gesetzt, das verlangt, die Einstellungen neu aus der Vorlage zu beginnen. Sie jetzt neu einzulesen, würde Anwendungen, Schalter, Hintergrund und Arbeitsflächen durch die der Vorlage ersetzen.</translation>
    </message>
    <message>
        <source>Keep your settings (the flag is cleared), or replace them?</source>
        <translation>Ihre Einstellungen behalten (das Kennzeichen wird zurückgesetzt) oder ersetzen?</translation>
    </message>
    <message>
        <source>&amp;Keep My Settings</source>
        <translation>Meine Einstellungen &amp;behalten</translation>
    </message>
    <message>
        <source>&amp;Replace with Template</source>
        <translation>Durch Vorlage &amp;ersetzen</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::PasswordPage</name>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>The password the bar asks for. It is kept scrambled in the password file, which hides it from a glance but does not protect it from anyone who can read the file.</source>
        <translation>Das Passwort, nach dem die Leiste fragt. Es wird verwürfelt in der Passwortdatei gespeichert; das verbirgt es vor einem flüchtigen Blick, schützt es aber nicht vor jemandem, der die Datei lesen kann.</translation>
    </message>
    <message>
        <source>S&amp;et password</source>
        <translation>Passwort &amp;festlegen</translation>
    </message>
    <message>
        <source>&amp;Check</source>
        <translation>&amp;Prüfen</translation>
    </message>
    <message>
        <source>Set a new password</source>
        <translation>Ein neues Passwort festlegen</translation>
    </message>
    <message>
        <source>&amp;New password:</source>
        <translation>&amp;Neues Passwort:</translation>
    </message>
    <message>
        <source>&amp;Repeat it:</source>
        <translation>&amp;Wiederholen:</translation>
    </message>
    <message>
        <source>Check a password</source>
        <translation>Ein Passwort prüfen</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>P&amp;asswort:</translation>
    </message>
    <message>
        <source>The two passwords differ; nothing was changed. Type the new password twice.</source>
        <translation>Die beiden Passwörter unterscheiden sich; nichts wurde geändert. Geben Sie das neue Passwort zweimal ein.</translation>
    </message>
    <message>
        <source>The new password is set.</source>
        <translation>Das neue Passwort ist festgelegt.</translation>
    </message>
    <message>
        <source>✔ The password matches.</source>
        <translation>✔ Das Passwort stimmt.</translation>
    </message>
    <message>
        <source>✘ The password does not match.</source>
        <translation>✘ Das Passwort stimmt nicht.</translation>
    </message>
    <message>
        <source>Re&amp;move password…</source>
        <translation>Passwort ent&amp;fernen …</translation>
    </message>
    <message>
        <source>C&amp;urrent password:</source>
        <translation>Aktuelles &amp;Passwort:</translation>
    </message>
    <message>
        <source>Type the new password twice; nothing was changed. To have no password at all, use Remove Password.</source>
        <translation>Geben Sie das neue Passwort zweimal ein; nichts wurde geändert. Um gar kein Passwort zu haben, verwenden Sie „Passwort entfernen“.</translation>
    </message>
    <message>
        <source>Remove the password?</source>
        <translation>Das Passwort entfernen?</translation>
    </message>
    <message>
        <source>The bar will then let anyone in without asking for a password.</source>
        <translation>Die Leiste lässt dann jeden ein, ohne nach einem Passwort zu fragen.</translation>
    </message>
    <message>
        <source>&amp;Remove Password</source>
        <translation>Passwort &amp;entfernen</translation>
    </message>
    <message>
        <source>The password is removed: the bar asks for none.</source>
        <translation>Das Passwort ist entfernt: Die Leiste fragt nach keinem.</translation>
    </message>
    <message>
        <source>The password was not set: the password file %1 cannot be written. Check that its folder exists and that you may write to it.</source>
        <translation>Das Passwort wurde nicht gesetzt: Die Passwortdatei %1 kann nicht geschrieben werden. Prüfen Sie, ob ihr Ordner existiert und Sie darin schreiben dürfen.</translation>
    </message>
    <message>
        <source>The current password is wrong; nothing was changed. Type the password the bar asks for now, then the new one.</source>
        <translation>Das aktuelle Passwort ist falsch; nichts wurde geändert. Geben Sie das Passwort ein, nach dem die Leiste jetzt fragt, dann das neue.</translation>
    </message>
    <message>
        <source>The current password could not be checked: the password file %1 cannot be read.</source>
        <translation>Das aktuelle Passwort konnte nicht geprüft werden: Die Passwortdatei %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>No password can be checked: the password file %1 cannot be opened. Set a password first.
Details: %2</source>
        <translation>Es kann kein Passwort geprüft werden: Die Passwortdatei %1 kann nicht geöffnet werden. Setzen Sie zuerst ein Passwort.
Details: %2</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::SettingsPage</name>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Details: %1</source>
        <translation>Details: %1</translation>
    </message>
    <message>
        <source>There are no settings yet, so %1 cannot be shown or changed: the settings document %2 does not exist, and the template that would take its place, %3, is missing. Reinstall the program to restore the template, then reload (F5).</source>
        <translation>Es gibt noch keine Einstellungen, daher kann %1 nicht angezeigt oder geändert werden: Das Einstellungsdokument %2 existiert nicht, und die Vorlage, die an seine Stelle träte, %3, fehlt. Installieren Sie das Programm neu, um die Vorlage wiederherzustellen, und laden Sie dann neu (F5).</translation>
    </message>
    <message>
        <source>The settings document %1 could not be read, so %2 cannot be shown or changed. Repair it in a text editor, or move it away: a fresh copy of the template takes its place when the window reloads (F5).</source>
        <translation>Das Einstellungsdokument %1 konnte nicht gelesen werden, daher kann %2 nicht angezeigt oder geändert werden. Reparieren Sie es in einem Texteditor oder verschieben Sie es: Beim Neuladen des Fensters (F5) tritt eine neue Kopie der Vorlage an seine Stelle.</translation>
    </message>
    <message>
        <source>The settings document %1 has no %2 section, so %3 cannot be shown or changed. Add an empty &lt;%2/&gt; element under the document&apos;s root element, or move the document away to start again from the template.</source>
        <translation>Das Einstellungsdokument %1 hat keinen Abschnitt %2, daher kann %3 nicht angezeigt oder geändert werden. Fügen Sie unter dem Wurzelelement des Dokuments ein leeres Element &lt;%2/&gt; ein, oder verschieben Sie das Dokument, um neu mit der Vorlage zu beginnen.</translation>
    </message>
    <message>
        <source>Your change was not saved, and the page shows again what the settings document holds. Make the document writable (or free space on its disk), then make the change again.</source>
        <translation>Ihre Änderung wurde nicht gespeichert, und die Seite zeigt wieder, was das Einstellungsdokument enthält. Machen Sie das Dokument beschreibbar (oder schaffen Sie Platz auf seinem Datenträger) und nehmen Sie die Änderung dann erneut vor.</translation>
    </message>
    <message>
        <source>Act on the message</source>
        <translation>Auf die Meldung reagieren</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::StatusPage</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Flags the bar keeps outside its settings.</source>
        <translation>Markierungen, die die Leiste außerhalb ihrer Einstellungen führt.</translation>
    </message>
    <message>
        <source>Clear &amp;first-use flag</source>
        <translation>&amp;Erstnutzungs-Markierung löschen</translation>
    </message>
    <message>
        <source>Clear &amp;hardware flag</source>
        <translation>Hard&amp;ware-Markierung löschen</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Markierungen</translation>
    </message>
    <message>
        <source>&lt;b&gt;First use&lt;/b&gt;</source>
        <translation>&lt;b&gt;Erstnutzung&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Hardware flag&lt;/b&gt;</source>
        <translation>&lt;b&gt;Hardware-Markierung&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Where the settings are kept</source>
        <translation>Wo die Einstellungen liegen</translation>
    </message>
    <message>
        <source> (It was %1 when the window opened the settings, which installed the template; the window then cleared it.)</source>
        <translation> (Sie war %1, als das Fenster die Einstellungen öffnete, was die Vorlage installierte; das Fenster hat sie danach gelöscht.)</translation>
    </message>
    <message>
        <source>Settings document: %1
Password file: %2
Registry: %3
Hardware flag: %4</source>
        <translation>Einstellungsdokument: %1
Passwortdatei: %2
Registry: %3
Hardware-Markierung: %4</translation>
    </message>
    <message>
        <source> The template %1 is missing, so nothing was installed when the window opened the settings.</source>
        <translation> Die Vorlage %1 fehlt, daher wurde beim Öffnen der Einstellungen nichts installiert.</translation>
    </message>
    <message>
        <source>The first-use flag could not be cleared, so every program that opens the settings installs the template again. Check that %1 can be written.</source>
        <translation>Das Erstnutzungs-Kennzeichen konnte nicht zurückgesetzt werden, daher installiert jedes Programm, das die Einstellungen öffnet, die Vorlage erneut. Prüfen Sie, ob %1 geschrieben werden kann.</translation>
    </message>
    <message>
        <source>The first-use flag was not cleared: the registry key HKEY_CURRENT_USER\Software\Tarsel\Tarsel Kestrova2 is missing from %1 or the file cannot be written. Check that the file can be written.</source>
        <translation>Das Erstnutzungs-Kennzeichen wurde nicht zurückgesetzt: Der Registrierungsschlüssel HKEY_CURRENT_USER\Software\Tarsel\Tarsel Kestrova2 fehlt in %1, oder die Datei kann nicht geschrieben werden. Prüfen Sie, ob die Datei geschrieben werden kann.</translation>
    </message>
    <message>
        <source>The hardware flag was not cleared: %1 cannot be written. Check that you may write to its folder.</source>
        <translation>Das Hardware-Kennzeichen wurde nicht zurückgesetzt: %1 kann nicht geschrieben werden. Prüfen Sie, ob Sie in ihrem Ordner schreiben dürfen.</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::SwitchesPage</name>
    <message>
        <source>&amp;Launch code</source>
        <translation>&amp;Startcode</translation>
    </message>
    <message>
        <source>Start programs from the bar with their launch code.</source>
        <translation>Programme aus der Leiste mit ihrem Startcode starten.</translation>
    </message>
    <message>
        <source>&amp;Mouse hook</source>
        <translation>&amp;Mausverfolgung</translation>
    </message>
    <message>
        <source>Let the bar follow the mouse to show and hide itself.</source>
        <translation>Die Leiste folgt der Maus, um sich zu zeigen und zu verbergen.</translation>
    </message>
    <message>
        <source>&amp;Sound effect</source>
        <translation>&amp;Klangeffekt</translation>
    </message>
    <message>
        <source>Play sounds when the bar opens and launches.</source>
        <translation>Klänge abspielen, wenn die Leiste sich öffnet und etwas startet.</translation>
    </message>
    <message>
        <source>Li&amp;ght effect</source>
        <translation>&amp;Lichteffekt</translation>
    </message>
    <message>
        <source>Light up the bar&apos;s items under the mouse.</source>
        <translation>Die Einträge der Leiste unter der Maus aufleuchten lassen.</translation>
    </message>
    <message>
        <source>Switches</source>
        <translation>Schalter</translation>
    </message>
    <message>
        <source>Turn the bar&apos;s behaviours on or off.</source>
        <translation>Verhalten der Leiste ein- oder ausschalten.</translation>
    </message>
    <message>
        <source>the switches</source>
        <translation>die Schalter</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::WallpaperPage</name>
    <message>
        <source>Wallpaper</source>
        <translation>Hintergrundbild</translation>
    </message>
    <message>
        <source>The picture on the desktop behind all windows.</source>
        <translation>Das Bild auf dem Schreibtisch hinter allen Fenstern.</translation>
    </message>
    <message>
        <source>&amp;Choose picture…</source>
        <translation>&amp;Bild auswählen…</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>&amp;Festlegen</translation>
    </message>
    <message>
        <source>&amp;Picture file:</source>
        <translation>Bild&amp;datei:</translation>
    </message>
    <message>
        <source>Wallpaper preview</source>
        <translation>Vorschau des Hintergrundbilds</translation>
    </message>
    <message>
        <source>The picture file; Enter or Set makes it the wallpaper.</source>
        <translation>Die Bilddatei; Eingabe oder Festlegen macht sie zum Hintergrundbild.</translation>
    </message>
    <message>
        <source>No wallpaper</source>
        <translation>Kein Hintergrundbild</translation>
    </message>
    <message>
        <source>No preview: the file is missing or is not a picture</source>
        <translation>Keine Vorschau: Die Datei fehlt oder ist kein Bild</translation>
    </message>
    <message>
        <source>Choose the wallpaper</source>
        <translation>Das Hintergrundbild auswählen</translation>
    </message>
    <message>
        <source>Pictures (*.png *.jpg *.jpeg *.gif *.bmp *.svg)</source>
        <translation>Bilder (*.png *.jpg *.jpeg *.gif *.bmp *.svg)</translation>
    </message>
    <message>
        <source>No wallpaper is recorded yet: there is no value HKEY_CURRENT_USER\Control Panel\Desktop\WallPaper in %1. A new registry file has it; this one lacks it. To create it, run: fennimar reg add &apos;HKCU\Control Panel\Desktop&apos; WallPaper --data &apos;&apos; and then choose a picture here.</source>
        <translation>Es ist noch kein Hintergrundbild verzeichnet: Es gibt keinen Wert HKEY_CURRENT_USER\Control Panel\Desktop\WallPaper in %1. Eine neue Registrierungsdatei hat ihn; dieser fehlt er. Um ihn anzulegen, führen Sie aus: fennimar reg add &apos;HKCU\Control Panel\Desktop&apos; WallPaper --data &apos;&apos; und wählen Sie dann hier ein Bild.</translation>
    </message>
    <message>
        <source>The wallpaper was not set: the registry key HKEY_CURRENT_USER\Control Panel\Desktop is missing from %1 or the file cannot be written. Create the key with: fennimar reg add &apos;HKCU\Control Panel\Desktop&apos; WallPaper --data &apos;&apos;</source>
        <translation>Das Hintergrundbild wurde nicht gesetzt: Der Registrierungsschlüssel HKEY_CURRENT_USER\Control Panel\Desktop fehlt in %1, oder die Datei kann nicht geschrieben werden. Legen Sie den Schlüssel an mit: fennimar reg add &apos;HKCU\Control Panel\Desktop&apos; WallPaper --data &apos;&apos;</translation>
    </message>
</context>
<context>
    <name>fennimar::desktop::WorkspacesPage</name>
    <message>
        <source>Key</source>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
    <message>
        <source>Mouse style</source>
        <translation>Mausstil</translation>
    </message>
    <message>
        <source>Em. recycle path</source>
        <translation>Papierkorbpfad (leer)</translation>
    </message>
    <message>
        <source>Fu. recycle path</source>
        <translation>Papierkorbpfad (voll)</translation>
    </message>
    <message>
        <source>Mouse no.</source>
        <translation>Maus-Nr.</translation>
    </message>
    <message>
        <source>Recycle no.</source>
        <translation>Papierkorb-Nr.</translation>
    </message>
    <message>
        <source>Use bar</source>
        <translation>Leiste verwenden</translation>
    </message>
    <message>
        <source>Workspaces</source>
        <translation>Arbeitsflächen</translation>
    </message>
    <message>
        <source>The bar&apos;s workspaces. Select a field and press F2 or Enter, or type, to change it; the change is saved when you leave the field.</source>
        <translation>Die Arbeitsflächen der Leiste. Wählen Sie ein Feld und drücken Sie F2 oder Eingabe, oder tippen Sie, um es zu ändern; die Änderung wird gespeichert, wenn Sie das Feld verlassen.</translation>
    </message>
    <message>
        <source>Stored as %1</source>
        <translation>Gespeichert als %1</translation>
    </message>
    <message>
        <source>One row per workspace. Press F2 or Enter to change a field; the change is saved when you leave it.</source>
        <translation>Eine Zeile je Arbeitsfläche. Drücken Sie F2 oder Eingabe, um ein Feld zu ändern; die Änderung wird beim Verlassen gespeichert.</translation>
    </message>
    <message>
        <source>the workspaces</source>
        <translation>die Arbeitsflächen</translation>
    </message>
    <message>
        <source>Workspace %1 was not changed: only workspaces whose key is 1 or more can be changed. Give it such a key in the settings document.</source>
        <translation>Arbeitsfläche %1 wurde nicht geändert: Nur Arbeitsflächen mit einem Schlüssel von 1 oder mehr können geändert werden. Geben Sie ihr einen solchen Schlüssel im Einstellungsdokument.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Shows and changes the settings of the Fennimar launcher bar.</source>
        <translation>Zeigt und ändert die Einstellungen der Fennimar-Startleiste.</translation>
    </message>
    <message>
        <source>The settings document (default: $FENNIMAR_DOCUMENT, else $XDG_CONFIG_HOME/fennimar/Fennimar.xml).</source>
        <translation>Das Einstellungsdokument (Vorgabe: $FENNIMAR_DOCUMENT, sonst $XDG_CONFIG_HOME/fennimar/Fennimar.xml).</translation>
    </message>
    <message>
        <source>path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>The password file (default: &quot;password&quot; beside the document).</source>
        <translation>Die Passwortdatei (Vorgabe: „password“ neben dem Dokument).</translation>
    </message>
</context>
</TS>
